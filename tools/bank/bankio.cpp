#include "bankio.h"

#include "data/schema.h"
#include "pictures/picture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryFile>

#include <csv.h>
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <unistd.h>

namespace bank {

namespace {

const QString kSortCsv = QStringLiteral("sort.csv");
const QString kSubjectCsv = QStringLiteral("subject.csv");
const QString kOptionsCsv = QStringLiteral("options.csv");

struct Record
{
    qint64 row = 0;
    std::vector<std::optional<QString>> cells; // nullopt = empty unquoted cell
};

// Both encodings leave quote, comma and line ends as single ASCII bytes (GBK trail bytes start
// at 0x40), so libcsv splits the raw bytes and each cell is decoded as it comes.
struct ParseState
{
    QStringDecoder* decoder = nullptr;
    std::vector<Record> records;
    Record current;
    std::optional<std::pair<qint64, qsizetype>> undecodable; // first (row, column)
};

void onField(void* s, size_t len, void* data)
{
    auto* state = static_cast<ParseState*>(data);
    auto& cells = state->current.cells;
    if (s == nullptr) {
        cells.emplace_back();
        return;
    }
    if (state->undecodable) {
        cells.emplace_back(QString());
        return;
    }
    cells.emplace_back(
        state->decoder->decode(QByteArrayView(static_cast<const char*>(s), qsizetype(len))));
    if (state->decoder->hasError())
        state->undecodable.emplace(qint64(state->records.size()) + 1, qsizetype(cells.size()) - 1);
}

void onRecord(int, void* data)
{
    auto* state = static_cast<ParseState*>(data);
    state->current.row = qint64(state->records.size()) + 1;
    state->records.push_back(std::move(state->current));
    // Records are alike in width; sizing the next one saves regrowing it cell by cell.
    const size_t width = state->records.back().cells.size();
    state->current = Record{};
    state->current.cells.reserve(width);
}

// RFC 4180 fields keep their spaces; libcsv trims them unless told otherwise.
int noSpace(unsigned char)
{
    return 0;
}

struct CsvTable
{
    QString file;
    QStringList header;
    std::vector<qint64> rows; // file row of each record below
    std::vector<std::vector<std::optional<QString>>> records;
};

QString place(const QString& file, qint64 row, qsizetype column, const QString& columnName = {})
{
    QString text = QStringLiteral("%1 row %2 column %3").arg(file).arg(row).arg(column + 1);
    if (!columnName.isEmpty())
        text += QStringLiteral(" (%1)").arg(columnName);
    return text;
}

ParseState parseCsv(const QByteArray& bytes, const QString& file, QStringDecoder& decoder)
{
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL) != 0)
        throw Error(QStringLiteral("%1: cannot set up the CSV parser").arg(file));
    std::unique_ptr<csv_parser, decltype(&csv_free)> guard(&parser, &csv_free);
    csv_set_space_func(&parser, noSpace);

    ParseState state;
    state.decoder = &decoder;
    const auto size = size_t(bytes.size());
    const size_t done = csv_parse(&parser, bytes.constData(), size, onField, onRecord, &state);
    const bool failed = done != size || csv_fini(&parser, onField, onRecord, &state) != 0;
    if (failed) {
        const int code = csv_error(&parser);
        const qint64 row = qint64(state.records.size()) + 1;
        const QString why = code == CSV_EPARSE
                                ? QStringLiteral("malformed quoting (a stray or unclosed \")")
                                : QString::fromUtf8(csv_strerror(code));
        throw Error(QStringLiteral("%1: %2").arg(
            place(file, row, qsizetype(state.current.cells.size())), why));
    }
    return state;
}

QStringDecoder decoderFor(Encoding encoding, const QString& file)
{
    if (encoding != Encoding::Gbk)
        return QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (!gbk.isValid())
        throw Error(QStringLiteral("%1: this system cannot decode GBK").arg(file));
    return gbk;
}

CsvTable readCsv(const QString& path, const QString& file, Encoding encoding)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1: cannot open %2: %3").arg(file, path, in.errorString()));
    QByteArray bytes = in.readAll();

    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (bom)
        bytes.remove(0, 3);
    if (encoding == Encoding::Auto && bom)
        encoding = Encoding::Utf8;

    // Without a BOM, a file that is not valid UTF-8 is read again as GBK.
    QStringDecoder decoder = decoderFor(encoding, file);
    ParseState parsed = parseCsv(bytes, file, decoder);
    if (parsed.undecodable && encoding == Encoding::Auto) {
        encoding = Encoding::Gbk;
        decoder = decoderFor(encoding, file);
        parsed = parseCsv(bytes, file, decoder);
    }
    if (parsed.undecodable)
        throw Error(
            QStringLiteral("%1: the text is not valid %2")
                .arg(place(file, parsed.undecodable->first, parsed.undecodable->second),
                     encoding == Encoding::Gbk ? QStringLiteral("GBK") : QStringLiteral("UTF-8")));
    if (parsed.records.empty())
        throw Error(QStringLiteral("%1: the file is empty; it needs a header row").arg(file));

    CsvTable table;
    table.file = file;
    for (const auto& name : parsed.records.front().cells)
        table.header.append(name.value_or(QString()).trimmed());
    table.rows.reserve(parsed.records.size() - 1);
    table.records.reserve(parsed.records.size() - 1);
    for (size_t r = 1; r < parsed.records.size(); ++r) {
        table.rows.push_back(parsed.records[r].row);
        table.records.push_back(std::move(parsed.records[r].cells));
    }
    return table;
}

// Maps the columns a table needs to their positions in a file's header, in any order and case.
class Columns
{
public:
    Columns(const CsvTable& table, const QStringList& required, const QStringList& optional)
        : table_(table)
    {
        QHash<QString, qsizetype> found;
        for (qsizetype c = 0; c < table.header.size(); ++c) {
            const QString name = table.header[c];
            const QString key = name.toLower();
            if (!required.contains(name, Qt::CaseInsensitive) &&
                !optional.contains(name, Qt::CaseInsensitive))
                throw Error(
                    QStringLiteral("%1: unknown column \"%2\"").arg(place(table.file, 1, c), name));
            if (found.contains(key))
                throw Error(QStringLiteral("%1: column \"%2\" appears twice")
                                .arg(place(table.file, 1, c), name));
            found.insert(key, c);
        }
        for (const QString& name : required) {
            if (!found.contains(name.toLower()))
                throw Error(QStringLiteral("%1 row 1: the header has no column \"%2\"")
                                .arg(table.file, name));
        }
        for (const QString& name : required + optional)
            index_.insert(name.toLower(), found.value(name.toLower(), -1));

        for (size_t r = 0; r < table.records.size(); ++r) {
            const qsizetype count = qsizetype(table.records[r].size());
            if (count != table.header.size())
                throw Error(
                    QStringLiteral("%1: the row has %2 cells, the header has %3")
                        .arg(place(table.file, table.rows[r], std::min(count, table.header.size())))
                        .arg(count)
                        .arg(table.header.size()));
        }
    }

    // Position of a column in the file, or -1 for an optional column the file lacks.
    qsizetype at(const QString& name) const { return index_.value(name.toLower(), -1); }

    // Text columns: an empty unquoted cell is Null where Null means "none", else empty text.
    Text text(size_t record, qsizetype c, bool nullable) const
    {
        const auto& cell = table_.records[record][size_t(c)];
        if (cell)
            return cell;
        return nullable ? Text{} : Text{QString()};
    }

    qint64 integer(size_t record, qsizetype c, bool required) const
    {
        if (c < 0)
            return 0;
        const auto& cell = table_.records[record][size_t(c)];
        const QString text = cell ? cell->trimmed() : QString();
        if (text.isEmpty()) {
            if (required)
                throw Error(QStringLiteral("%1: the cell is empty; a number is required")
                                .arg(where_(record, c)));
            return 0;
        }
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        if (!ok)
            throw Error(
                QStringLiteral("%1: \"%2\" is not a whole number").arg(where_(record, c), text));
        return value;
    }

    qint64 row(size_t record) const { return table_.rows[record]; }

private:
    QString where_(size_t record, qsizetype c) const
    {
        return place(table_.file, table_.rows[record], c, table_.header[c]);
    }

    const CsvTable& table_;
    QHash<QString, qsizetype> index_;
};

const QStringList kScaleNames = {QStringLiteral("scale0"), QStringLiteral("scale1"),
                                 QStringLiteral("scale2"), QStringLiteral("scale3"),
                                 QStringLiteral("scale4")};

std::vector<SortRow> readSorts(const CsvTable& table)
{
    const QStringList required = QStringList{QStringLiteral("sortID"), QStringLiteral("sortname")}
                                 << kScaleNames;
    const Columns columns(table, required, {});
    const qsizetype sortId = columns.at(QStringLiteral("sortID"));
    const qsizetype sortname = columns.at(QStringLiteral("sortname"));
    std::array<qsizetype, 5> scale{};
    for (size_t k = 0; k < scale.size(); ++k)
        scale[k] = columns.at(kScaleNames[qsizetype(k)]);

    std::vector<SortRow> rows;
    rows.reserve(table.records.size());
    for (size_t r = 0; r < table.records.size(); ++r) {
        SortRow row;
        row.origin = {table.file, columns.row(r)};
        row.sortId = columns.integer(r, sortId, true);
        row.sortname = columns.text(r, sortname, false);
        for (size_t k = 0; k < row.scale.size(); ++k)
            row.scale[k] = columns.integer(r, scale[k], false);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<SubjectRow> readSubjects(const CsvTable& table)
{
    const Columns columns(table,
                          {QStringLiteral("subid"), QStringLiteral("subtitle"),
                           QStringLiteral("subpic"), QStringLiteral("info"),
                           QStringLiteral("infopic"), QStringLiteral("typeId"),
                           QStringLiteral("sortid"), QStringLiteral("stid")},
                          {QStringLiteral("errorTimes")});
    const qsizetype subid = columns.at(QStringLiteral("subid"));
    const qsizetype subtitle = columns.at(QStringLiteral("subtitle"));
    const qsizetype subpic = columns.at(QStringLiteral("subpic"));
    const qsizetype info = columns.at(QStringLiteral("info"));
    const qsizetype infopic = columns.at(QStringLiteral("infopic"));
    const qsizetype typeId = columns.at(QStringLiteral("typeId"));
    const qsizetype sortid = columns.at(QStringLiteral("sortid"));
    const qsizetype stid = columns.at(QStringLiteral("stid"));
    const qsizetype errorTimes = columns.at(QStringLiteral("errorTimes"));

    std::vector<SubjectRow> rows;
    rows.reserve(table.records.size());
    for (size_t r = 0; r < table.records.size(); ++r) {
        SubjectRow row;
        row.origin = {table.file, columns.row(r)};
        row.subid = columns.integer(r, subid, true);
        row.subtitle = columns.text(r, subtitle, false);
        row.subpic = columns.text(r, subpic, true);
        row.info = columns.text(r, info, true);
        row.infopic = columns.text(r, infopic, true);
        row.typeId = columns.integer(r, typeId, true);
        row.sortid = columns.integer(r, sortid, true);
        row.stid = columns.integer(r, stid, false);
        row.errorTimes = columns.integer(r, errorTimes, false);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<OptionRow> readOptions(const CsvTable& table)
{
    const Columns columns(table,
                          {QStringLiteral("optid"), QStringLiteral("subid"),
                           QStringLiteral("optcontent"), QStringLiteral("iskey")},
                          {});
    const qsizetype optid = columns.at(QStringLiteral("optid"));
    const qsizetype subid = columns.at(QStringLiteral("subid"));
    const qsizetype optcontent = columns.at(QStringLiteral("optcontent"));
    const qsizetype iskey = columns.at(QStringLiteral("iskey"));

    std::vector<OptionRow> rows;
    rows.reserve(table.records.size());
    for (size_t r = 0; r < table.records.size(); ++r) {
        OptionRow row;
        row.origin = {table.file, columns.row(r)};
        row.optid = columns.integer(r, optid, true);
        row.subid = columns.integer(r, subid, true);
        row.optcontent = columns.text(r, optcontent, false);
        row.iskey = columns.integer(r, iskey, false);
        rows.push_back(std::move(row));
    }
    return rows;
}

QString placeOf(const Origin& origin, qint64 id)
{
    if (origin.row > 0)
        return QStringLiteral("%1 row %2").arg(origin.source).arg(origin.row);
    return QStringLiteral("%1 id %2").arg(origin.source).arg(id);
}

template <typename Row, typename Id>
void findDuplicates(const std::vector<Row>& rows, Id id, const QString& column,
                    std::vector<Finding>& out)
{
    QHash<qint64, const Row*> first;
    first.reserve(qsizetype(rows.size()));
    for (const Row& row : rows) {
        const qint64 value = id(row);
        const auto it = first.constFind(value);
        if (it == first.cend()) {
            first.insert(value, &row);
            continue;
        }
        const Origin& earlier = (*it)->origin;
        QString message = QStringLiteral("duplicate %1 %2").arg(column).arg(value);
        if (earlier.row > 0)
            message += QStringLiteral(", first in row %1").arg(earlier.row);
        out.push_back({placeOf(row.origin, value), message});
    }
}

std::vector<Finding> duplicates(const Bank& bank)
{
    std::vector<Finding> out;
    findDuplicates(
        bank.sorts, [](const SortRow& r) { return r.sortId; }, QStringLiteral("sortID"), out);
    findDuplicates(
        bank.subjects, [](const SubjectRow& r) { return r.subid; }, QStringLiteral("subid"), out);
    findDuplicates(
        bank.options, [](const OptionRow& r) { return r.optid; }, QStringLiteral("optid"), out);
    return out;
}

const char* const kClassNames[5] = {"C1、C2、C3、C4", "A2、B2", "A1、A3、B1", "E1_摩托车",
                                    "F1_恢复性驾驶证"};

struct DbCloser
{
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

struct StmtFinalizer
{
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, StmtFinalizer>;

QString dbMessage(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

void exec(sqlite3* db, const char* sql, const QString& path)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : "unknown error");
        sqlite3_free(error);
        throw Error(QStringLiteral("%1: %2").arg(path, message));
    }
}

Stmt prepare(sqlite3* db, const char* sql, const QString& path)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw Error(QStringLiteral("%1: %2").arg(path, dbMessage(db)));
    return Stmt(stmt);
}

void bindText(sqlite3_stmt* stmt, int index, const Text& text)
{
    if (!text) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    const QByteArray utf8 = text->toUtf8();
    sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void step(sqlite3* db, sqlite3_stmt* stmt, const Origin& origin, qint64 id)
{
    if (sqlite3_step(stmt) != SQLITE_DONE)
        throw Error(QStringLiteral("%1: %2").arg(placeOf(origin, id), dbMessage(db)));
    sqlite3_reset(stmt);
}

bool nextRow(sqlite3* db, sqlite3_stmt* stmt, const QString& path)
{
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw Error(QStringLiteral("%1: %2").arg(path, dbMessage(db)));
    return rc == SQLITE_ROW;
}

Text columnText(sqlite3_stmt* stmt, int column)
{
    if (sqlite3_column_type(stmt, column) == SQLITE_NULL)
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
}

// The half-built file goes away on every path out except a completed rename.
class TempDatabase
{
public:
    explicit TempDatabase(const QString& target)
    {
        QTemporaryFile file(target + QStringLiteral(".tmp-XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open())
            throw Error(QStringLiteral("%1: cannot create a temporary file beside it: %2")
                            .arg(target, file.errorString()));
        path_ = file.fileName();
    }
    ~TempDatabase()
    {
        if (!path_.isEmpty()) {
            QFile::remove(path_);
            QFile::remove(path_ + QStringLiteral("-journal"));
            QFile::remove(path_ + QStringLiteral("-wal"));
            QFile::remove(path_ + QStringLiteral("-shm"));
        }
    }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const QString& path() const { return path_; }

    // Without this a crash just after the rename could leave an empty or partial bank.
    void sync()
    {
        QFile file(path_);
        if (!file.open(QIODevice::ReadWrite) || ::fsync(file.handle()) != 0)
            throw Error(QStringLiteral("%1: cannot write the new database to disk").arg(path_));
    }

    void renameOver(const QString& target)
    {
        // A temporary file is private to its owner; the bank should read like any other file.
        const QFileInfo existing(target);
        QFile::setPermissions(path_, existing.exists() ? existing.permissions()
                                                       : QFile::ReadOwner | QFile::WriteOwner |
                                                             QFile::ReadGroup | QFile::ReadOther);
        if (std::rename(QFile::encodeName(path_).constData(),
                        QFile::encodeName(target).constData()) != 0)
            throw Error(QStringLiteral("%1: cannot replace it: %2")
                            .arg(target, QString::fromLocal8Bit(std::strerror(errno))));
        path_.clear();
    }

private:
    QString path_;
};

void appendQuoted(QByteArray& out, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray quoted(utf8.size() * 2 + 2, Qt::Uninitialized);
    const size_t written =
        csv_write(quoted.data(), size_t(quoted.size()), utf8.constData(), size_t(utf8.size()));
    out.append(quoted.constData(), qsizetype(written));
}

void appendText(QByteArray& out, const Text& text)
{
    if (text)
        appendQuoted(out, *text);
}

void appendNumber(QByteArray& out, qint64 value)
{
    out.append(QByteArray::number(value));
}

void saveFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(QStringLiteral("%1: cannot write: %2").arg(path, file.errorString()));
}

} // namespace

Bank readFolder(const QString& dir, Encoding encoding)
{
    if (!QFileInfo(dir).isDir())
        throw Error(QStringLiteral("%1: not a folder").arg(dir));
    const QDir folder(dir);
    Bank bank;
    bank.sorts = readSorts(readCsv(folder.filePath(kSortCsv), kSortCsv, encoding));
    bank.subjects = readSubjects(readCsv(folder.filePath(kSubjectCsv), kSubjectCsv, encoding));
    bank.options = readOptions(readCsv(folder.filePath(kOptionsCsv), kOptionsCsv, encoding));
    return bank;
}

Bank readDatabase(const QString& dbPath)
{
    if (!QFileInfo(dbPath).isFile())
        throw Error(QStringLiteral("%1: no such database file").arg(dbPath));
    // Read-write when allowed, only so that closing a WAL database can tidy away its -wal and
    // -shm files; nothing is written.
    const int flags = QFileInfo(dbPath).isWritable() ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(dbPath).constData(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        throw Error(QStringLiteral("%1: %2").arg(dbPath, raw ? dbMessage(raw)
                                                             : QStringLiteral("cannot open")));
    Bank bank;
    const QString sortTable = QStringLiteral("sort");
    const QString subjectTable = QStringLiteral("subject");
    const QString optionsTable = QStringLiteral("options");

    Stmt sorts =
        prepare(db.get(),
                "SELECT sortID, sortname, scale0, scale1, scale2, scale3, scale4 FROM sort "
                "ORDER BY rowid",
                dbPath);
    while (nextRow(db.get(), sorts.get(), dbPath)) {
        SortRow row;
        row.origin = {sortTable, 0};
        row.sortId = sqlite3_column_int64(sorts.get(), 0);
        row.sortname = columnText(sorts.get(), 1);
        for (int k = 0; k < 5; ++k)
            row.scale[size_t(k)] = sqlite3_column_int64(sorts.get(), 2 + k);
        bank.sorts.push_back(std::move(row));
    }

    Stmt subjects = prepare(db.get(),
                            "SELECT subid, subtitle, subpic, info, infopic, typeId, sortid, stid, "
                            "errorTimes FROM subject ORDER BY subid, rowid",
                            dbPath);
    while (nextRow(db.get(), subjects.get(), dbPath)) {
        SubjectRow row;
        row.origin = {subjectTable, 0};
        row.subid = sqlite3_column_int64(subjects.get(), 0);
        row.subtitle = columnText(subjects.get(), 1);
        row.subpic = columnText(subjects.get(), 2);
        row.info = columnText(subjects.get(), 3);
        row.infopic = columnText(subjects.get(), 4);
        row.typeId = sqlite3_column_int64(subjects.get(), 5);
        row.sortid = sqlite3_column_int64(subjects.get(), 6);
        row.stid = sqlite3_column_int64(subjects.get(), 7);
        row.errorTimes = sqlite3_column_int64(subjects.get(), 8);
        bank.subjects.push_back(std::move(row));
    }

    Stmt options = prepare(
        db.get(), "SELECT optid, subid, optcontent, iskey FROM options ORDER BY rowid", dbPath);
    while (nextRow(db.get(), options.get(), dbPath)) {
        OptionRow row;
        row.origin = {optionsTable, 0};
        row.optid = sqlite3_column_int64(options.get(), 0);
        row.subid = sqlite3_column_int64(options.get(), 1);
        row.optcontent = columnText(options.get(), 2);
        row.iskey = sqlite3_column_int64(options.get(), 3);
        bank.options.push_back(std::move(row));
    }
    return bank;
}

void writeDatabase(const Bank& bank, const QString& dbPath)
{
    const std::vector<Finding> dups = duplicates(bank);
    if (!dups.empty())
        throw Error(dups.front().toString());
    if (QFileInfo(dbPath).isDir())
        throw Error(QStringLiteral("%1: is a folder, not a database file").arg(dbPath));

    TempDatabase temp(dbPath);
    {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(temp.path()).constData(), &raw,
                                       SQLITE_OPEN_READWRITE, nullptr);
        Db db(raw);
        if (rc != SQLITE_OK)
            throw Error(QStringLiteral("%1: %2").arg(temp.path(),
                                                     raw ? dbMessage(raw) : QStringLiteral("")));
        // No journal and no syncing while building: a failed build is thrown away whole, and
        // the finished file is synced once before it is renamed into place.
        exec(db.get(),
             "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; PRAGMA cache_size=-65536;"
             "PRAGMA locking_mode=EXCLUSIVE;",
             temp.path());
        exec(db.get(), data::kSchemaSql, temp.path());
        exec(db.get(), "BEGIN", temp.path());

        Stmt sort = prepare(db.get(),
                            "INSERT INTO sort (sortID, sortname, scale0, scale1, scale2, scale3, "
                            "scale4) VALUES (?, ?, ?, ?, ?, ?, ?)",
                            temp.path());
        for (const SortRow& row : bank.sorts) {
            sqlite3_bind_int64(sort.get(), 1, row.sortId);
            bindText(sort.get(), 2, row.sortname);
            for (int k = 0; k < 5; ++k)
                sqlite3_bind_int64(sort.get(), 3 + k, row.scale[size_t(k)]);
            step(db.get(), sort.get(), row.origin, row.sortId);
        }

        Stmt subject =
            prepare(db.get(),
                    "INSERT INTO subject (subid, subtitle, subpic, info, infopic, "
                    "typeId, sortid, stid, errorTimes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                    temp.path());
        for (const SubjectRow& row : bank.subjects) {
            sqlite3_bind_int64(subject.get(), 1, row.subid);
            bindText(subject.get(), 2, row.subtitle);
            bindText(subject.get(), 3, row.subpic);
            bindText(subject.get(), 4, row.info);
            bindText(subject.get(), 5, row.infopic);
            sqlite3_bind_int64(subject.get(), 6, row.typeId);
            sqlite3_bind_int64(subject.get(), 7, row.sortid);
            sqlite3_bind_int64(subject.get(), 8, row.stid);
            sqlite3_bind_int64(subject.get(), 9, row.errorTimes);
            step(db.get(), subject.get(), row.origin, row.subid);
        }

        Stmt option = prepare(
            db.get(), "INSERT INTO options (optid, subid, optcontent, iskey) VALUES (?, ?, ?, ?)",
            temp.path());
        for (const OptionRow& row : bank.options) {
            sqlite3_bind_int64(option.get(), 1, row.optid);
            sqlite3_bind_int64(option.get(), 2, row.subid);
            bindText(option.get(), 3, row.optcontent);
            sqlite3_bind_int64(option.get(), 4, row.iskey);
            step(db.get(), option.get(), row.origin, row.optid);
        }
        sort.reset();
        subject.reset();
        option.reset();
        exec(db.get(), "COMMIT", temp.path());
        if (sqlite3_close(db.release()) != SQLITE_OK)
            throw Error(QStringLiteral("%1: cannot close the new database").arg(temp.path()));
    }
    temp.sync();
    temp.renameOver(dbPath);
}

void importFolder(const QString& dir, const QString& dbPath, Encoding encoding)
{
    writeDatabase(readFolder(dir, encoding), dbPath);
}

void writeFolder(const Bank& bank, const QString& dir)
{
    if (!QDir().mkpath(dir))
        throw Error(QStringLiteral("%1: cannot create the folder").arg(dir));
    const QDir folder(dir);
    const QByteArray eol = "\r\n";

    QByteArray sorts = "sortID,sortname,scale0,scale1,scale2,scale3,scale4" + eol;
    for (const SortRow& row : bank.sorts) {
        appendNumber(sorts, row.sortId);
        sorts += ',';
        appendText(sorts, row.sortname);
        for (qint64 scale : row.scale) {
            sorts += ',';
            appendNumber(sorts, scale);
        }
        sorts += eol;
    }
    saveFile(folder.filePath(kSortCsv), sorts);

    QByteArray subjects = "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes" + eol;
    for (const SubjectRow& row : bank.subjects) {
        appendNumber(subjects, row.subid);
        for (const Text* text : {&row.subtitle, &row.subpic, &row.info, &row.infopic}) {
            subjects += ',';
            appendText(subjects, *text);
        }
        for (qint64 value : {row.typeId, row.sortid, row.stid, row.errorTimes}) {
            subjects += ',';
            appendNumber(subjects, value);
        }
        subjects += eol;
    }
    saveFile(folder.filePath(kSubjectCsv), subjects);

    QByteArray options = "optid,subid,optcontent,iskey" + eol;
    for (const OptionRow& row : bank.options) {
        appendNumber(options, row.optid);
        options += ',';
        appendNumber(options, row.subid);
        options += ',';
        appendText(options, row.optcontent);
        options += ',';
        appendNumber(options, row.iskey);
        options += eol;
    }
    saveFile(folder.filePath(kOptionsCsv), options);
}

void exportDatabase(const QString& dbPath, const QString& dir)
{
    writeFolder(readDatabase(dbPath), dir);
}

std::vector<Finding> check(const Bank& bank, const QString& programFolder)
{
    std::vector<Finding> out = duplicates(bank);

    QSet<qint64> sortIds;
    for (const SortRow& row : bank.sorts)
        sortIds.insert(row.sortId);

    struct Supply
    {
        qint64 options = 0;
        qint64 keys = 0;
    };
    QHash<qint64, Supply> supply;
    for (const SubjectRow& row : bank.subjects)
        supply.insert(row.subid, {});
    for (const OptionRow& row : bank.options) {
        const auto it = supply.find(row.subid);
        if (it == supply.end()) {
            out.push_back(
                {placeOf(row.origin, row.optid),
                 QStringLiteral("option of question %1, which does not exist").arg(row.subid)});
            continue;
        }
        ++it->options;
        if (row.iskey == 1)
            ++it->keys;
    }

    std::map<std::pair<qint64, qint64>, qint64> questions; // (category, type) -> count
    for (const SubjectRow& row : bank.subjects) {
        const QString where = placeOf(row.origin, row.subid);
        if (!sortIds.contains(row.sortid))
            out.push_back({where, QStringLiteral("question %1 has the unknown category %2")
                                      .arg(row.subid)
                                      .arg(row.sortid)});
        if (row.typeId != 1 && row.typeId != 2)
            out.push_back({where, QStringLiteral("question %1 has the unknown type %2 (1 = "
                                                 "true/false, 2 = multiple choice)")
                                      .arg(row.subid)
                                      .arg(row.typeId)});
        const Supply s = supply.value(row.subid);
        if (s.keys != 1)
            out.push_back({where, QStringLiteral("question %1 has %2 keys among its %3 options; "
                                                 "it needs exactly one")
                                      .arg(row.subid)
                                      .arg(s.keys)
                                      .arg(s.options)});
        if (row.typeId == 1 && s.options != 2)
            out.push_back({where, QStringLiteral("true/false question %1 has %2 options; it "
                                                 "needs exactly two")
                                      .arg(row.subid)
                                      .arg(s.options)});
        if (s.options > 4)
            out.push_back({where, QStringLiteral("question %1 has %2 options; only four are "
                                                 "ever shown")
                                      .arg(row.subid)
                                      .arg(s.options)});
        for (const auto& [field, name] :
             {std::pair{&row.subpic, "subpic"}, std::pair{&row.infopic, "infopic"}}) {
            const QVariant stored = *field ? QVariant(**field) : QVariant();
            const auto path = pictures::picturePath(stored, programFolder);
            if (path && !QFileInfo::exists(*path))
                out.push_back({where, QStringLiteral("%1 \"%2\" of question %3 is missing: %4")
                                          .arg(QLatin1String(name), **field)
                                          .arg(row.subid)
                                          .arg(*path)});
        }
        ++questions[{row.sortid, row.typeId}];
    }

    for (int k = 0; k < 5; ++k) {
        for (const SortRow& row : bank.sorts) {
            const qint64 scale = row.scale[size_t(k)];
            if (scale <= 0)
                continue;
            const qint64 trueFalse = scale * 4 / 10;
            const std::pair<qint64, const char*> needs[] = {{trueFalse, "true/false"},
                                                            {scale - trueFalse, "multiple-choice"}};
            for (qint64 type = 1; type <= 2; ++type) {
                const auto& [needed, kind] = needs[type - 1];
                const qint64 have = questions[{row.sortId, type}];
                if (have < needed)
                    out.push_back(
                        {placeOf(row.origin, row.sortId),
                         QStringLiteral("class %1 (%2): category %3 has %4 %5 questions, a "
                                        "paper needs %6")
                             .arg(k)
                             .arg(QString::fromUtf8(kClassNames[k]))
                             .arg(row.sortId)
                             .arg(have)
                             .arg(QLatin1String(kind))
                             .arg(needed)});
            }
        }
    }
    return out;
}

std::vector<Finding> checkPath(const QString& path, Encoding encoding)
{
    const QFileInfo info(path);
    if (info.isDir())
        return check(readFolder(path, encoding), info.absoluteFilePath() + QLatin1Char('/'));
    return check(readDatabase(path), info.absolutePath() + QLatin1Char('/'));
}

} // namespace bank
