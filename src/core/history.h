#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

namespace data {
class Connection;
}

namespace core {

// The paper modes as the examination window carries them.
inline constexpr int kStudyMode = 1;
inline constexpr int kMockMode = 2;

// Every scored paper and its answers, kept beside the bank's own tables; the bank's tables and
// what the windows read from them stay as they are.
inline constexpr const char* kHistorySchemaSql = R"sql(
CREATE TABLE IF NOT EXISTS history (
    paperId       INTEGER PRIMARY KEY AUTOINCREMENT,
    startedAt     INTEGER NOT NULL,
    handedInAt    INTEGER NOT NULL,
    mode          INTEGER NOT NULL,
    classCode     TEXT NOT NULL DEFAULT '',
    setNumber     INTEGER NOT NULL DEFAULT 0,
    questionCount INTEGER NOT NULL,
    rightCount    INTEGER NOT NULL,
    score         INTEGER NOT NULL,
    passMark      INTEGER NOT NULL,
    passed        INTEGER NOT NULL,
    secondsUsed   INTEGER NOT NULL,
    timedOut      INTEGER NOT NULL DEFAULT 0,
    firstNoteId   INTEGER NOT NULL,
    UNIQUE (firstNoteId, startedAt)
);
CREATE TABLE IF NOT EXISTS historyanswer (
    paperId  INTEGER NOT NULL,
    position INTEGER NOT NULL,
    subid    INTEGER NOT NULL,
    sortid   INTEGER,
    optionid INTEGER NOT NULL DEFAULT 0,
    isright  INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (paperId, position)
);
CREATE INDEX IF NOT EXISTS historyByMode ON history (mode, classCode, paperId);
)sql";

// Creates the history tables in a database that lacks them; harmless when they exist.
void ensureHistoryTables(data::Connection& db);

struct AnswerRecord
{
    int position = 0; // 1-based, in paper order
    qint64 subId = 0;
    qint64 optionId = 0; // 0 = never answered
    bool right = false;
    qint64 sortId = 0; // the question's category when the paper was recorded
};

struct PaperRecord
{
    qint64 paperId = 0; // given when recorded
    QDateTime startedAt;
    QDateTime handedInAt;
    int mode = 0;
    QString classCode; // "C1", "A2", "A1", "E1", "F1"
    int setNumber = 0; // the study set 1 to 10; 0 for a mock examination
    int questionCount = 0;
    int rightCount = 0;
    int score = 0;
    int passMark = 0;
    bool passed = false;
    int secondsUsed = 0;
    bool timedOut = false;
    // The paper's first noteId: note's ids are never reused, so with the start time it names
    // one paper for good.
    qint64 firstNoteId = 0;
    std::vector<AnswerRecord> answers;
};

// Writes a scored paper and its answers through db, inside the caller's transaction when one is
// open, each answer with its question's category. Writes nothing and returns false for a paper
// without questions or one that is recorded already.
bool recordPaper(data::Connection& db, const PaperRecord& paper);

struct PaperQuery
{
    int mode = 0;      // 0 = any
    QString classCode; // empty = any
    int limit = -1;    // -1 = all
};

// Recorded papers without their answers, newest first.
std::vector<PaperRecord> recordedPapers(data::Connection& db, const PaperQuery& query = {});

// One paper's answers in paper order, each with its category.
std::vector<AnswerRecord> recordedAnswers(data::Connection& db, qint64 paperId);

// What a paper was: "模拟考试", "学习 第3套", or "练习" for a practice paper.
QString paperKind(const PaperRecord& paper);

// "12分05秒".
QString minutesAndSeconds(int seconds);

} // namespace core
