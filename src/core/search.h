#pragma once

#include <QString>
#include <atomic>
#include <thread>
#include <vector>

struct sqlite3;

namespace data {
class Connection;
}

// Finding questions by a few characters of their stem, options or explanation. Chinese has no
// spaces between words, so the index is an FTS5 table over character trigrams; terms shorter
// than three characters cannot use it and are found by a plain scan of the bank instead.
namespace core {

inline constexpr int kSearchLimit = 200;

struct SearchHit
{
    qint64 subid = 0;
    QString subtitle;
};

// Every question containing all the blank-separated terms of `text`, by question id, at most
// `limit`; letters match regardless of case. An empty text finds nothing.
std::vector<SearchHit> search(data::Connection& db, const QString& text, int limit = kSearchLimit);

// Fills the index afresh from the bank, creating it where it is missing, stamps it and sets
// triggers that drop the stamp on any later change to the bank's texts. Runs inside the caller's
// transaction; the bank tool calls it after every change to the bank tables.
void rebuildSearchIndex(sqlite3* db);

// Marks the index stale and drops its triggers, so that a bulk change to the bank runs at full
// speed; rebuildSearchIndex sets both again.
void detachSearchIndex(sqlite3* db);

// Whether the index exists and was built from the bank as it is now.
bool searchIndexCurrent(sqlite3* db);

// Opens the database at `path` and rebuilds a missing or stale index; returns whether it did. The
// rebuild leaves other writers a turn every few thousand questions, unless `hurry` is set.
bool refreshSearchIndex(const QString& path, const std::atomic<bool>& hurry = std::atomic<bool>());

// Runs refreshSearchIndex on a thread of its own, so that start-up does not wait for it; the
// connection is the thread's own. Searches meanwhile scan the bank.
class SearchIndexRefresher
{
public:
    explicit SearchIndexRefresher(const QString& path);
    ~SearchIndexRefresher(); // waits for the refresh to end, which then leaves no turns
    SearchIndexRefresher(const SearchIndexRefresher&) = delete;
    SearchIndexRefresher& operator=(const SearchIndexRefresher&) = delete;

    bool finished() const { return finished_; }
    // The error text when the refresh failed, once finished.
    QString error() const { return error_; }

private:
    std::atomic<bool> finished_ = false;
    std::atomic<bool> hurry_ = false;
    QString error_;
    std::thread thread_;
};

} // namespace core
