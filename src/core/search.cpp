#include "search.h"

#include "base/error.h"
#include "data/connection.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringList>
#include <chrono>
#include <iterator>
#include <memory>
#include <sqlite3.h>
#include <thread>

namespace core {
namespace {

// Raised with the body's recipe, so that an index built another way counts as stale. (Version 1
// stamped a digest of the whole bank and compared it at every start.)
const QByteArray kIndexVersion = QByteArrayLiteral("2");

struct Finalize
{
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, Finalize>;

[[noreturn]] void fail(sqlite3* db, const QString& what)
{
    throw base::Error(
        QStringLiteral("搜索索引%1出错：%2").arg(what, QString::fromUtf8(sqlite3_errmsg(db))));
}

void exec(sqlite3* db, const QByteArray& sql)
{
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(db, QStringLiteral("更新时"));
}

Stmt prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK)
        fail(db, QStringLiteral("读取时"));
    return Stmt(s);
}

bool step(sqlite3* db, sqlite3_stmt* s)
{
    const int rc = sqlite3_step(s);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        fail(db, QStringLiteral("读取时"));
    return rc == SQLITE_ROW;
}

bool hasTable(sqlite3* db, const char* name)
{
    Stmt s = prepare(db, "SELECT 1 FROM sqlite_master WHERE name = ?");
    sqlite3_bind_text(s.get(), 1, name, -1, SQLITE_STATIC);
    return step(db, s.get());
}

// Every change to a stem, an option or an explanation, or to which question they belong, drops the
// stamp, by whatever program it is made. A bank tool that replaces the tables drops the triggers
// with them, which counts as stale too. So checking costs the same at any bank size.
struct Trigger
{
    const char* name;
    const char* when;
};
constexpr Trigger kTriggers[] = {
    {"search_subject_insert", "INSERT ON subject"},
    {"search_subject_update", "UPDATE OF subid, subtitle, info ON subject"},
    {"search_subject_delete", "DELETE ON subject"},
    {"search_options_insert", "INSERT ON options"},
    {"search_options_update", "UPDATE OF subid, optcontent ON options"},
    {"search_options_delete", "DELETE ON options"},
};

bool triggersInPlace(sqlite3* db)
{
    Stmt s = prepare(db, "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name IN "
                         "(?, ?, ?, ?, ?, ?)");
    int i = 0;
    for (const Trigger& t : kTriggers)
        sqlite3_bind_text(s.get(), ++i, t.name, -1, SQLITE_STATIC);
    return step(db, s.get()) && sqlite3_column_int(s.get(), 0) == int(std::size(kTriggers));
}

QByteArray stampOf(sqlite3* db)
{
    Stmt s = prepare(db, "SELECT fingerprint FROM search_stamp");
    if (!step(db, s.get()))
        return {};
    return QByteArray(static_cast<const char*>(sqlite3_column_blob(s.get(), 0)),
                      sqlite3_column_bytes(s.get(), 0));
}

QByteArray storedStamp(sqlite3* db)
{
    if (!hasTable(db, "search_stamp") || !hasTable(db, "search_text"))
        return {};
    return stampOf(db);
}

// One document a question, keyed by its id: stem, options and explanation on lines of their own,
// so that no match runs from one into the next.
constexpr char kBodies[] =
    "SELECT s.subid, coalesce(s.subtitle, '') || char(10) || coalesce(o.texts, '') || char(10) || "
    "coalesce(nullif(s.info, 'NULL'), '') "
    "FROM subject s LEFT JOIN (SELECT subid, group_concat(optcontent, char(10)) AS texts "
    "FROM options GROUP BY subid) o ON o.subid = s.subid ORDER BY s.subid";

void createIndex(sqlite3* db, const QByteArray& table)
{
    exec(db, "CREATE VIRTUAL TABLE " + table + " USING fts5(body, tokenize = 'trigram')");
    // Terms are gathered in memory up to this size before they are written as one segment: with
    // the default 1 MiB a large bank makes thousands of small segments and merging them is most
    // of the work.
    exec(db, "INSERT INTO " + table + " (" + table + ", rank) VALUES ('hashsize', 4194304)");
}

void createTriggers(sqlite3* db)
{
    for (const Trigger& t : kTriggers)
        exec(db, QByteArray("CREATE TRIGGER IF NOT EXISTS ") + t.name + " AFTER " + t.when +
                     " BEGIN DELETE FROM search_stamp; END");
}

void stamp(sqlite3* db, const QByteArray& fingerprint)
{
    exec(db, "CREATE TABLE IF NOT EXISTS search_stamp (fingerprint TEXT NOT NULL);"
             "DELETE FROM search_stamp;");
    Stmt s = prepare(db, "INSERT INTO search_stamp (fingerprint) VALUES (?)");
    sqlite3_bind_text(s.get(), 1, fingerprint.constData(), int(fingerprint.size()),
                      SQLITE_TRANSIENT);
    step(db, s.get());
}

// Runs `work` in a transaction begun by `begin`; rolls back and rethrows on failure.
template <typename Work> void inTransaction(sqlite3* db, const char* begin, Work work)
{
    exec(db, begin);
    try {
        work();
        exec(db, "COMMIT");
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

// A build under way stamps the index "building" and its own token; any change to the bank's texts
// drops the mark with the stamp, and a build started later (a second copy of the program) takes
// it over.
const QByteArray kBuilding = QByteArrayLiteral("building ");
// Questions indexed in one write transaction of a stepped build.
constexpr int kStep = 2000;

enum class Build { Done, TextsChanged, TakenOver };

Build interrupted(const QByteArray& stamp)
{
    return stamp.startsWith(kBuilding) ? Build::TakenOver : Build::TextsChanged;
}

// Builds the index under another name, kStep questions a write transaction, so that the learner's
// own writes (a paper, the error counters) wait for one step rather than for the whole index; it
// takes the index's name in one short transaction at the end. The stale index goes first: it no
// longer matches the bank, searches scan the bank meanwhile, and its pages hold the new one.
Build buildInSteps(data::Connection& writer, const QString& path, const std::atomic<bool>& hurry)
{
    const QByteArray mark =
        kBuilding + QByteArray::number(QRandomGenerator::system()->generate64(), 16);
    sqlite3* w = writer.handle();
    inTransaction(w, "BEGIN IMMEDIATE", [&] {
        exec(w, "DROP TABLE IF EXISTS search_text; DROP TABLE IF EXISTS search_next");
        createIndex(w, "search_next");
        stamp(w, mark);
        createTriggers(w);
    });
    Build outcome = Build::Done;
    {
        // One snapshot of the bank for the whole build, on a connection of its own: the writer's
        // transactions come and go between the learner's.
        data::Connection reader(path);
        sqlite3* r = reader.handle();
        inTransaction(r, "BEGIN", [&] {
            Stmt bodies = prepare(r, kBodies);
            Stmt insert = prepare(w, "INSERT INTO search_next (rowid, body) VALUES (?, ?)");
            // The first row, which gathers the options, is read before any lock is taken.
            bool more = step(r, bodies.get());
            while (more && outcome == Build::Done) {
                const auto start = std::chrono::steady_clock::now();
                inTransaction(w, "BEGIN IMMEDIATE", [&] {
                    if (const QByteArray now = stampOf(w); now != mark) {
                        outcome = interrupted(now);
                        return;
                    }
                    for (int i = 0; i < kStep && more; ++i) {
                        sqlite3_bind_int64(insert.get(), 1, sqlite3_column_int64(bodies.get(), 0));
                        sqlite3_bind_value(insert.get(), 2, sqlite3_column_value(bodies.get(), 1));
                        step(w, insert.get());
                        sqlite3_reset(insert.get());
                        more = step(r, bodies.get());
                    }
                });
                // A writer waiting for the lock polls for it (SQLite's busy handler sleeps and
                // tries again; it does not queue): idle as long as the step took, so that its
                // next try finds the lock free.
                if (!hurry)
                    std::this_thread::sleep_for(std::chrono::steady_clock::now() - start);
            }
        });
    }
    if (outcome != Build::Done)
        return outcome;
    inTransaction(w, "BEGIN IMMEDIATE", [&] {
        if (const QByteArray now = stampOf(w); now != mark) {
            outcome = interrupted(now);
            return;
        }
        exec(w, "DROP TABLE IF EXISTS search_text;"
                "ALTER TABLE search_next RENAME TO search_text;");
        stamp(w, kIndexVersion);
    });
    return outcome;
}

// SQLite's LIKE pattern for text containing `term` literally.
QString containing(const QString& term)
{
    QString escaped = term;
    escaped.replace(u'\\', QStringLiteral("\\\\"))
        .replace(u'%', QStringLiteral("\\%"))
        .replace(u'_', QStringLiteral("\\_"));
    return u'%' + escaped + u'%';
}

std::vector<SearchHit> hits(data::Statement& s)
{
    std::vector<SearchHit> found;
    while (s.step())
        found.push_back({s.column(0).toLongLong(), s.column(1).toString()});
    return found;
}

} // namespace

void rebuildSearchIndex(sqlite3* db)
{
    // Made afresh: emptying a large index row by row costs more than filling it. A stepped build
    // the program left unfinished goes too.
    exec(db, "DROP TABLE IF EXISTS search_text; DROP TABLE IF EXISTS search_next");
    createIndex(db, "search_text");
    exec(db, QByteArray("INSERT INTO search_text (rowid, body) ") + kBodies);
    createTriggers(db);
    stamp(db, kIndexVersion);
}

void detachSearchIndex(sqlite3* db)
{
    for (const Trigger& t : kTriggers)
        exec(db, QByteArray("DROP TRIGGER IF EXISTS ").append(t.name).constData());
    if (hasTable(db, "search_stamp"))
        exec(db, "DELETE FROM search_stamp");
}

bool searchIndexCurrent(sqlite3* db)
{
    return storedStamp(db) == kIndexVersion && triggersInPlace(db);
}

bool refreshSearchIndex(const QString& path, const std::atomic<bool>& hurry)
{
    data::Connection db(path);
    // Reading first takes no lock that a writer waits for; most starts end here.
    bool current = false;
    inTransaction(db.handle(), "BEGIN", [&] { current = searchIndexCurrent(db.handle()); });
    if (current)
        return false;
    // A bank changed during a build is built again, from its new texts; one that keeps changing
    // stays stale until the next start. A build taken over is left to the one that took it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        switch (buildInSteps(db, path, hurry)) {
        case Build::Done:
            return true;
        case Build::TakenOver:
            return false;
        case Build::TextsChanged:
            break;
        }
    }
    return false;
}

std::vector<SearchHit> search(data::Connection& db, const QString& text, int limit)
{
    const QStringList terms = text.simplified().split(u' ', Qt::SkipEmptyParts);
    if (terms.isEmpty() || limit <= 0)
        return {};
    bool indexed = hasTable(db.handle(), "search_text");
    for (const QString& term : terms)
        indexed = indexed && term.toUcs4().size() >= 3;

    if (indexed) {
        QStringList phrases;
        for (QString term : terms)
            phrases << u'"' + term.replace(u'"', QStringLiteral("\"\"")) + u'"';
        data::Statement s(db, QStringLiteral("SELECT s.subid, s.subtitle FROM search_text f "
                                             "JOIN subject s ON s.subid = f.rowid "
                                             "WHERE search_text MATCH ? ORDER BY f.rowid LIMIT ?"));
        s.bind(1, phrases.join(QStringLiteral(" AND ")));
        s.bind(2, limit);
        return hits(s);
    }

    QStringList conditions;
    for (qsizetype i = 0; i < terms.size(); ++i)
        conditions << QStringLiteral(
                          "(s.subtitle LIKE ?%1 ESCAPE '\\' OR nullif(s.info, 'NULL') LIKE ?%1 "
                          "ESCAPE '\\' OR s.subid IN (SELECT subid FROM options WHERE optcontent "
                          "LIKE ?%1 ESCAPE '\\'))")
                          .arg(i + 1);
    data::Statement s(db, QStringLiteral("SELECT s.subid, s.subtitle FROM subject s WHERE %1 "
                                         "ORDER BY s.subid LIMIT ?%2")
                              .arg(conditions.join(QStringLiteral(" AND ")))
                              .arg(terms.size() + 1));
    for (qsizetype i = 0; i < terms.size(); ++i)
        s.bind(int(i) + 1, containing(terms[i]));
    s.bind(int(terms.size()) + 1, limit);
    return hits(s);
}

SearchIndexRefresher::SearchIndexRefresher(const QString& path)
{
    thread_ = std::thread([this, path] {
        try {
            if (QFile::exists(path))
                refreshSearchIndex(path, hurry_);
        } catch (const std::exception& e) {
            error_ = QString::fromUtf8(e.what());
        }
        finished_ = true;
    });
}

SearchIndexRefresher::~SearchIndexRefresher()
{
    hurry_ = true;
    thread_.join();
}

} // namespace core
