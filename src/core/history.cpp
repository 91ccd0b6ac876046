#include "history.h"

#include "data/connection.h"

namespace core {

namespace {

qint64 seconds(const QDateTime& t)
{
    return t.isValid() ? t.toSecsSinceEpoch() : 0;
}

const QString kPaperColumns =
    QStringLiteral("paperId, startedAt, handedInAt, mode, classCode, setNumber, questionCount, "
                   "rightCount, score, passMark, passed, secondsUsed, timedOut, firstNoteId");

PaperRecord readPaper(const data::Statement& s)
{
    PaperRecord p;
    p.paperId = s.column(0).toLongLong();
    p.startedAt = QDateTime::fromSecsSinceEpoch(s.column(1).toLongLong());
    p.handedInAt = QDateTime::fromSecsSinceEpoch(s.column(2).toLongLong());
    p.mode = s.column(3).toInt();
    p.classCode = s.column(4).toString();
    p.setNumber = s.column(5).toInt();
    p.questionCount = s.column(6).toInt();
    p.rightCount = s.column(7).toInt();
    p.score = s.column(8).toInt();
    p.passMark = s.column(9).toInt();
    p.passed = s.column(10).toInt() != 0;
    p.secondsUsed = s.column(11).toInt();
    p.timedOut = s.column(12).toInt() != 0;
    p.firstNoteId = s.column(13).toLongLong();
    return p;
}

} // namespace

void ensureHistoryTables(data::Connection& db)
{
    db.exec(QString::fromLatin1(kHistorySchemaSql));
}

bool recordPaper(data::Connection& db, const PaperRecord& paper)
{
    if (paper.answers.empty())
        return false;
    ensureHistoryTables(db);
    const int added = db.run(
        QStringLiteral("INSERT OR IGNORE INTO history (startedAt, handedInAt, mode, classCode, "
                       "setNumber, questionCount, rightCount, score, passMark, passed, "
                       "secondsUsed, timedOut, firstNoteId) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        {seconds(paper.startedAt), seconds(paper.handedInAt), paper.mode, paper.classCode,
         paper.setNumber, int(paper.answers.size()), paper.rightCount, paper.score, paper.passMark,
         paper.passed ? 1 : 0, paper.secondsUsed, paper.timedOut ? 1 : 0, paper.firstNoteId});
    if (added == 0)
        return false;
    const qint64 paperId = db.lastInsertRowid();
    for (const AnswerRecord& a : paper.answers) {
        db.run(QStringLiteral("INSERT INTO historyanswer (paperId, position, subid, sortid, "
                              "optionid, isright) VALUES (?1, ?2, ?3, "
                              "(SELECT sortid FROM subject WHERE subid = ?3), ?4, ?5)"),
               {paperId, a.position, a.subId, a.optionId, a.right ? 1 : 0});
    }
    return true;
}

std::vector<PaperRecord> recordedPapers(data::Connection& db, const PaperQuery& query)
{
    ensureHistoryTables(db);
    data::Statement s(db, QStringLiteral("SELECT %1 FROM history WHERE (?1 = 0 OR mode = ?1) AND "
                                         "(?2 = '' OR classCode = ?2) "
                                         "ORDER BY paperId DESC LIMIT ?3")
                              .arg(kPaperColumns));
    s.bind(1, query.mode);
    s.bind(2, query.classCode.isNull() ? QStringLiteral("") : query.classCode);
    s.bind(3, query.limit);
    std::vector<PaperRecord> papers;
    while (s.step())
        papers.push_back(readPaper(s));
    return papers;
}

std::vector<AnswerRecord> recordedAnswers(data::Connection& db, qint64 paperId)
{
    ensureHistoryTables(db);
    data::Statement s(db, QStringLiteral("SELECT position, subid, optionid, isright, sortid FROM "
                                         "historyanswer WHERE paperId = ? ORDER BY position"));
    s.bind(1, paperId);
    std::vector<AnswerRecord> answers;
    while (s.step()) {
        answers.push_back({s.column(0).toInt(), s.column(1).toLongLong(), s.column(2).toLongLong(),
                           s.column(3).toInt() != 0, s.column(4).toLongLong()});
    }
    return answers;
}

QString paperKind(const PaperRecord& paper)
{
    if (paper.mode == kMockMode)
        return QStringLiteral("模拟考试");
    if (paper.mode == kStudyMode)
        return QStringLiteral("学习 第%1套").arg(paper.setNumber);
    return QStringLiteral("练习");
}

QString minutesAndSeconds(int seconds)
{
    return QStringLiteral("%1分%2秒").arg(seconds / 60).arg(QString::number(seconds % 60), 2, u'0');
}

} // namespace core
