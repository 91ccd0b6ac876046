#include "bankio.h"

#include "core/search.h"
#include "data/schema.h"
#include "pictures/picture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <csv.h>
#include <sqlite3.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>

namespace bank {

namespace {

const QString kSortCsv = QStringLiteral("sort.csv");
const QString kSubjectCsv = QStringLiteral("subject.csv");
const QString kOptionsCsv = QStringLiteral("options.csv");
const QString kUpload = QStringLiteral("upload");

const char* const kClassNames[5] = {"C1、C2、C3、C4", "A2、B2", "A1、A3、B1", "E1_摩托车",
                                    "F1_恢复性驾驶证"};

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString place(const QString& file, qint64 row, qsizetype column, const QString& columnName = {})
{
    QString text = QStringLiteral("%1 第 %2 行第 %3 列").arg(file).arg(row).arg(column + 1);
    if (!columnName.isEmpty())
        text += QStringLiteral(" (%1)").arg(columnName);
    return text;
}

QString placeOf(const Origin& origin, qint64 id)
{
    if (origin.row > 0)
        return QStringLiteral("%1 第 %2 行").arg(origin.source).arg(origin.row);
    return QStringLiteral("%1 表 id %2").arg(origin.source).arg(id);
}

bool isFormulaStart(char c)
{
    return c == '=' || c == '+' || c == '-' || c == '@';
}

// Byte form of looksLikeFormula() for UTF-8 text; the characters involved are ASCII.
bool bytesLookLikeFormula(QByteArrayView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == '\'')
        ++i;
    return i < text.size() && isFormulaStart(text[i]);
}

bool validUtf8(QByteArrayView bytes)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        unsigned min = 0;
        unsigned code = 0;
        if ((c & 0xE0) == 0xC0) {
            more = 1, min = 0x80, code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, min = 0x800, code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, min = 0x10000, code = c & 0x07;
        } else {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            if (i + k >= n || (s[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (s[i + k] & 0x3F);
        }
        if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += more + 1;
    }
    return true;
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// One CSV record: the UTF-8 of its cells one after the other, and where each ends.
class Cells
{
public:
    void append(QByteArrayView bytes)
    {
        bytes_.append(bytes.data(), size_t(bytes.size()));
        ends_.push_back(bytes_.size());
        null_.push_back(false);
    }
    void appendNull()
    {
        ends_.push_back(bytes_.size());
        null_.push_back(true);
    }
    void clear()
    {
        bytes_.clear();
        ends_.clear();
        null_.clear();
    }
    size_t size() const { return ends_.size(); }
    bool isNull(size_t i) const { return null_[i]; }
    QByteArrayView at(size_t i) const
    {
        const size_t begin = i == 0 ? 0 : ends_[i - 1];
        return QByteArrayView(bytes_.data() + begin, qsizetype(ends_[i] - begin));
    }

private:
    std::string bytes_;
    std::vector<size_t> ends_;
    std::vector<bool> null_;
};

using OnRecord = std::function<void(qint64 row, const Cells& cells)>;

// Both encodings leave quote, comma and line ends as single ASCII bytes (GBK trail bytes start
// at 0x40), so libcsv splits the raw bytes and each cell is decoded as it comes. Exceptions
// must not cross libcsv's C frames: the callbacks park them here.
struct Pass
{
    QString file;
    std::optional<QStringDecoder> gbk; // set: GBK; unset: UTF-8
    bool mayFallBack = false;          // a UTF-8 pass that turns to GBK on the first bad cell
    const OnRecord* onRecord = nullptr;
    Cells cells;
    qint64 row = 0; // records handed on so far
    std::exception_ptr error;
    bool notUtf8 = false;

    bool stopped() const { return error || notUtf8; }
    void fail(const QString& message) { error = std::make_exception_ptr(Error(message)); }
};

void onField(void* s, size_t len, void* data)
{
    auto* pass = static_cast<Pass*>(data);
    if (pass->stopped())
        return;
    if (s == nullptr) {
        pass->cells.appendNull();
        return;
    }
    const QByteArrayView bytes(static_cast<const char*>(s), qsizetype(len));
    const qsizetype column = qsizetype(pass->cells.size());
    if (isAscii(bytes)) {
        pass->cells.append(bytes);
        return;
    }
    if (pass->gbk) {
        const QString text = pass->gbk->decode(bytes);
        // Qt's GBK decoder puts U+FFFD for a bad sequence without always flagging it; GBK has
        // no U+FFFD of its own, so either sign marks the cell.
        if (pass->gbk->hasError() || text.contains(QChar::ReplacementCharacter)) {
            pass->fail(QStringLiteral("%1：不是有效的 GBK 文字")
                           .arg(place(pass->file, pass->row + 1, column)));
            return;
        }
        pass->cells.append(text.toUtf8());
        return;
    }
    if (!validUtf8(bytes)) {
        if (pass->mayFallBack)
            pass->notUtf8 = true;
        else
            pass->fail(QStringLiteral("%1：不是有效的 UTF-8 文字")
                           .arg(place(pass->file, pass->row + 1, column)));
        return;
    }
    pass->cells.append(bytes);
}

void onRecordEnd(int, void* data)
{
    auto* pass = static_cast<Pass*>(data);
    if (pass->stopped())
        return;
    ++pass->row;
    try {
        (*pass->onRecord)(pass->row, pass->cells);
    } catch (...) {
        pass->error = std::current_exception();
    }
    pass->cells.clear();
}

// RFC 4180 fields keep their spaces; libcsv trims them unless told otherwise.
int noSpace(unsigned char)
{
    return 0;
}

QStringDecoder gbkDecoder(const QString& file)
{
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (!gbk.isValid())
        throw Error(QStringLiteral("%1：本系统不能解码 GBK").arg(file));
    return gbk;
}

// One pass over the file; false when a UTF-8 pass met a cell that is not UTF-8.
bool readPass(QFile& in, qint64 start, Pass& pass)
{
    if (!in.seek(start))
        throw Error(QStringLiteral("%1：无法读取：%2").arg(pass.file, in.errorString()));
    csv_parser parser;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_EMPTY_IS_NULL) != 0)
        throw Error(QStringLiteral("%1：无法建立 CSV 解析器").arg(pass.file));
    std::unique_ptr<csv_parser, decltype(&csv_free)> guard(&parser, &csv_free);
    csv_set_space_func(&parser, noSpace);

    auto malformed = [&] {
        const int code = csv_error(&parser);
        const QString why = code == CSV_EPARSE ? QStringLiteral("引号有误（多出或未闭合的 \"）")
                                               : QString::fromUtf8(csv_strerror(code));
        return Error(QStringLiteral("%1：%2").arg(
            place(pass.file, pass.row + 1, qsizetype(pass.cells.size())), why));
    };

    std::vector<char> buffer(size_t(1) << 18);
    for (;;) {
        const qint64 got = in.read(buffer.data(), qint64(buffer.size()));
        if (got < 0)
            throw Error(QStringLiteral("%1：无法读取：%2").arg(pass.file, in.errorString()));
        if (got == 0)
            break;
        const size_t done =
            csv_parse(&parser, buffer.data(), size_t(got), onField, onRecordEnd, &pass);
        if (pass.error)
            std::rethrow_exception(pass.error);
        if (pass.notUtf8)
            return false;
        if (done != size_t(got))
            throw malformed();
    }
    if (csv_fini(&parser, onField, onRecordEnd, &pass) != 0)
        throw malformed();
    if (pass.error)
        std::rethrow_exception(pass.error);
    return !pass.notUtf8;
}

// Streams the records of a CSV file (the header is row 1). Without a BOM, a file that is not
// valid UTF-8 is read again as GBK after restart() has undone what the first pass stored.
void readCsv(const QString& path, const QString& file, Encoding encoding,
             const std::function<void()>& restart, const OnRecord& onRecord)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1：无法打开 %2：%3").arg(file, path, in.errorString()));
    const bool bom = in.peek(3) == QByteArrayView("\xEF\xBB\xBF");
    const qint64 start = bom ? 3 : 0;
    if (encoding == Encoding::Auto && bom)
        encoding = Encoding::Utf8;

    auto run = [&](Encoding e, bool mayFallBack) {
        Pass pass;
        pass.file = file;
        if (e == Encoding::Gbk)
            pass.gbk.emplace(gbkDecoder(file));
        pass.mayFallBack = mayFallBack;
        pass.onRecord = &onRecord;
        const bool done = readPass(in, start, pass);
        if (done && pass.row == 0)
            throw Error(QStringLiteral("%1：文件是空的；第一行须是标题行").arg(file));
        return done;
    };
    if (encoding == Encoding::Gbk) {
        run(Encoding::Gbk, false);
        return;
    }
    if (run(Encoding::Utf8, encoding == Encoding::Auto))
        return;
    restart();
    run(Encoding::Gbk, false);
}

enum class Kind {
    Id,          // a whole number that must be there
    Number,      // a whole number, 0 when empty
    Text,        // an empty unquoted cell is empty text
    NullableText // an empty unquoted cell is Null ("none")
};

struct ColumnLayout
{
    const char* name;
    Kind kind;
    bool optional = false;
};

// Columns in the order of the table and of its INSERT.
struct TableLayout
{
    const QString* file;
    const char* table;
    std::vector<ColumnLayout> columns;
    const char* insertSql;
};

const TableLayout kSortLayout{&kSortCsv,
                              "sort",
                              {{"sortID", Kind::Id},
                               {"sortname", Kind::Text},
                               {"scale0", Kind::Number},
                               {"scale1", Kind::Number},
                               {"scale2", Kind::Number},
                               {"scale3", Kind::Number},
                               {"scale4", Kind::Number}},
                              "INSERT INTO sort (sortID, sortname, scale0, scale1, scale2, scale3, "
                              "scale4) VALUES (?, ?, ?, ?, ?, ?, ?)"};

const TableLayout kSubjectLayout{
    &kSubjectCsv,
    "subject",
    {{"subid", Kind::Id},
     {"subtitle", Kind::Text},
     {"subpic", Kind::NullableText},
     {"info", Kind::NullableText},
     {"infopic", Kind::NullableText},
     {"typeId", Kind::Id},
     {"sortid", Kind::Id},
     {"stid", Kind::Number},
     {"errorTimes", Kind::Number, true}},
    "INSERT INTO subject (subid, subtitle, subpic, info, infopic, "
    "typeId, sortid, stid, errorTimes) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"};

const TableLayout kOptionsLayout{
    &kOptionsCsv,
    "options",
    {{"optid", Kind::Id}, {"subid", Kind::Id}, {"optcontent", Kind::Text}, {"iskey", Kind::Number}},
    "INSERT INTO options (optid, subid, optcontent, iskey) VALUES (?, ?, "
    "?, ?)"};

// A cell made ready for its column: a number, or UTF-8 text (viewing the record or a holder).
struct Value
{
    qint64 number = 0;
    bool null = false;
    QByteArrayView text;
};

constexpr size_t kMaxColumns = 9;
using Values = std::array<Value, kMaxColumns>;

QByteArrayView trimmedBytes(QByteArrayView bytes)
{
    auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && blank(bytes[begin]))
        ++begin;
    while (end > begin && blank(bytes[end - 1]))
        --end;
    return bytes.sliced(begin, end - begin);
}

// Maps a table's columns to their positions in a file's header, in any order and case, and
// turns each record into Values.
class Columns
{
public:
    Columns(const TableLayout& layout, const Cells& header) : layout_(layout)
    {
        const QString& file = *layout.file;
        QHash<QString, qsizetype> found;
        for (size_t c = 0; c < header.size(); ++c) {
            const QString name = QString::fromUtf8(header.at(c)).trimmed();
            names_.append(name);
            const QString key = name.toLower();
            const auto known = std::find_if(
                layout.columns.begin(), layout.columns.end(), [&](const ColumnLayout& s) {
                    return key == QLatin1String(s.name).toString().toLower();
                });
            if (known == layout.columns.end())
                throw Error(
                    QStringLiteral("%1：未知的列 \"%2\"").arg(place(file, 1, qsizetype(c)), name));
            if (found.contains(key))
                throw Error(QStringLiteral("%1：列 \"%2\" 出现了两次")
                                .arg(place(file, 1, qsizetype(c)), name));
            found.insert(key, qsizetype(c));
        }
        for (const ColumnLayout& s : layout.columns) {
            const qsizetype at = found.value(QLatin1String(s.name).toString().toLower(), -1);
            if (at < 0 && !s.optional)
                throw Error(QStringLiteral("%1 第 1 行：标题行没有列 \"%2\"")
                                .arg(file, QLatin1String(s.name)));
            positions_.push_back(at);
        }
    }

    void read(qint64 row, const Cells& cells, Values& out) const
    {
        const qsizetype count = qsizetype(cells.size());
        if (count != names_.size())
            throw Error(QStringLiteral("%1：该行有 %2 个单元格，标题行有 %3 个")
                            .arg(place(*layout_.file, row, std::min(count, names_.size())))
                            .arg(count)
                            .arg(names_.size()));
        for (size_t i = 0; i < layout_.columns.size(); ++i) {
            Value& value = out[i];
            value = Value{};
            const qsizetype c = positions_[i];
            const Kind kind = layout_.columns[i].kind;
            if (kind == Kind::Text || kind == Kind::NullableText) {
                if (c < 0 || cells.isNull(size_t(c))) {
                    value.null = kind == Kind::NullableText;
                    continue;
                }
                QByteArrayView text = cells.at(size_t(c));
                if (text.startsWith('\'') && bytesLookLikeFormula(text))
                    text = text.sliced(1);
                value.text = text;
                continue;
            }
            if (c < 0)
                continue;
            const QByteArrayView text =
                cells.isNull(size_t(c)) ? QByteArrayView() : trimmedBytes(cells.at(size_t(c)));
            if (text.isEmpty()) {
                if (kind == Kind::Id)
                    throw Error(QStringLiteral("%1：单元格为空，须填数字").arg(where(row, c)));
                continue;
            }
            const char* end = text.data() + text.size();
            const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
            const auto [ptr, ec] = std::from_chars(begin, end, value.number);
            if (ec != std::errc() || ptr != end)
                throw Error(QStringLiteral("%1：\"%2\" 不是整数")
                                .arg(where(row, c), QString::fromUtf8(text)));
        }
    }

private:
    QString where(qint64 row, qsizetype c) const { return place(*layout_.file, row, c, names_[c]); }

    const TableLayout& layout_;
    QStringList names_;
    std::vector<qsizetype> positions_; // per layout column; -1 = optional column absent
};

using OnValues = std::function<void(qint64 row, const Values& values)>;

// Reads one CSV table of a bank folder, record by record.
void readTable(const QString& dir, const TableLayout& layout, Encoding encoding,
               const std::function<void()>& restart, const OnValues& onValues)
{
    std::optional<Columns> columns;
    Values values;
    readCsv(
        QDir(dir).filePath(*layout.file), *layout.file, encoding,
        [&] {
            columns.reset();
            restart();
        },
        [&](qint64 row, const Cells& cells) {
            if (row == 1) {
                columns.emplace(layout, cells);
                return;
            }
            columns->read(row, cells, values);
            onValues(row, values);
        });
}

Text toText(const Value& value)
{
    if (value.null)
        return std::nullopt;
    return QString::fromUtf8(value.text);
}

// Picture names are stored with either separator; one that climbs out of upload/ or names a
// place of its own would make the program read files outside its folder.
bool leavesUpload(const QString& stored)
{
    QString name = stored;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')))
        return true;
    if (name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].isLetter())
        return true;
    const QStringList parts = name.split(QLatin1Char('/'));
    return std::any_of(parts.begin(), parts.end(),
                       [](const QString& part) { return part.trimmed() == QLatin1String(".."); });
}

bool namesPicture(const Text& field)
{
    return field && !pictures::namesNothing(QVariant(*field));
}

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
        throw Error(QStringLiteral("%1：%2").arg(path, message));
    }
}

Stmt prepare(sqlite3* db, const char* sql, const QString& path)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        throw Error(QStringLiteral("%1：%2").arg(path, dbMessage(db)));
    return Stmt(stmt);
}

bool nextRow(sqlite3* db, sqlite3_stmt* stmt, const QString& path)
{
    const int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw Error(QStringLiteral("%1：%2").arg(path, dbMessage(db)));
    return rc == SQLITE_ROW;
}

Text columnText(sqlite3_stmt* stmt, int column)
{
    if (sqlite3_column_type(stmt, column) == SQLITE_NULL)
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, column));
}

qint64 scalar(sqlite3* db, const char* sql, const QString& path)
{
    Stmt stmt = prepare(db, sql, path);
    return nextRow(db, stmt.get(), path) ? sqlite3_column_int64(stmt.get(), 0) : 0;
}

// Opens a database for reading: read-write when allowed, only so that closing a WAL database
// can tidy away its -wal and -shm files; nothing is written.
Db openForReading(const QString& dbPath)
{
    if (!QFileInfo(dbPath).isFile())
        throw Error(QStringLiteral("%1：没有这个数据库文件").arg(dbPath));
    const int flags = QFileInfo(dbPath).isWritable() ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(dbPath).constData(), &raw, flags, nullptr);
    Db db(raw);
    if (rc != SQLITE_OK)
        throw Error(QStringLiteral("%1：%2").arg(dbPath, raw ? dbMessage(raw)
                                                             : QStringLiteral("无法打开")));
    sqlite3_busy_timeout(raw, kBusyWaitMs);
    return db;
}

// The bank tables of a database, replaced in one exclusive transaction: either the whole new
// bank is committed or the file keeps the old one, whatever log files lie beside it, since
// every write goes through SQLite. A database that did not exist before is removed again when
// the import fails.
class Target
{
public:
    Target(const QString& path, int busyWaitMs) : path_(path)
    {
        const QFileInfo info(path);
        if (info.isDir())
            throw Error(QStringLiteral("%1：是文件夹，不是数据库文件").arg(path));
        created_ = !info.exists();
        if (created_ && !QDir().mkpath(info.absolutePath()))
            throw Error(QStringLiteral("%1：无法建立文件夹").arg(info.absolutePath()));
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK)
            fail(QStringLiteral("无法打开：%1").arg(raw ? dbMessage(raw) : QString()));
        sqlite3_busy_timeout(raw, busyWaitMs);
        // An exclusive lock cannot be had while another connection, such as the running
        // program, holds the database open, even idle in WAL mode.
        exec(raw, "PRAGMA locking_mode=EXCLUSIVE", path);
        begin(busyWaitMs);
        // A larger cache makes import no faster and costs its size in peak memory.
        exec(raw, "PRAGMA cache_size=-4096", path);

        if (!created_) {
            Stmt check = prepare(raw, "PRAGMA quick_check", path);
            const int step = sqlite3_step(check.get());
            const Text result = step == SQLITE_ROW ? columnText(check.get(), 0) : Text{};
            if (step != SQLITE_ROW || result != QStringLiteral("ok"))
                refuseDamaged(step == SQLITE_ROW ? result.value_or(QString()) : dbMessage(raw));
        }
        prepareTables();
    }

    ~Target()
    {
        if (!db_)
            return;
        if (!committed_ && !sqlite3_get_autocommit(db_.get()))
            sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        db_.reset();
        if (created_ && !committed_) {
            for (const char* suffix : {"", "-journal", "-wal", "-shm"})
                QFile::remove(path_ + QLatin1String(suffix));
        }
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    sqlite3* db() const { return db_.get(); }
    const QString& path() const { return path_; }

    void commit()
    {
        refreshDerived();
        exec(db_.get(), "COMMIT", path_);
        committed_ = true;
        // The program opens the bank in WAL mode; a new file starts in it.
        if (created_)
            exec(db_.get(), "PRAGMA journal_mode=WAL", path_);
        if (sqlite3_close(db_.release()) != SQLITE_OK)
            throw Error(QStringLiteral("%1：无法关闭数据库").arg(path_));
    }

private:
    [[noreturn]] void fail(const QString& message) const
    {
        throw Error(QStringLiteral("%1：%2").arg(path_, message));
    }

    [[noreturn]] void refuseDamaged(const QString& detail) const
    {
        fail(QStringLiteral("数据库已损坏（%1），拒绝在其上导入；请先把它移开或删除，"
                            "题库未改动")
                 .arg(detail));
    }

    void begin(int busyWaitMs)
    {
        const int rc = sqlite3_exec(db_.get(), "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK)
            return;
        const int code = rc & 0xFF;
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            fail(QStringLiteral("数据库正被另一个程序打开（Velmoor 是否还在运行？），等了 %1 秒"
                                "仍未释放；请关闭程序后再导入，题库未改动")
                     .arg(busyWaitMs / 1000.0));
        if (code == SQLITE_NOTADB)
            fail(QStringLiteral("不是 SQLite 数据库，拒绝覆盖；请确认路径，或先把它移开"));
        if (code == SQLITE_CORRUPT)
            refuseDamaged(dbMessage(db_.get()));
        fail(dbMessage(db_.get()));
    }

    // A new file gets the whole schema; a bank keeps every table but the bank's own, and the
    // paper in note, which names questions of the old bank.
    void prepareTables()
    {
        Stmt tables = prepare(db_.get(),
                              "SELECT name FROM sqlite_master WHERE type = 'table' AND name IN "
                              "('sort', 'subject', 'options', 'note')",
                              path_);
        QStringList found;
        while (nextRow(db_.get(), tables.get(), path_))
            found << columnText(tables.get(), 0).value_or(QString());
        if (found.isEmpty()) {
            exec(db_.get(), data::kSchemaSql, path_);
            return;
        }
        for (const char* name : {"sort", "subject", "options", "note"}) {
            if (!found.contains(QLatin1String(name)))
                fail(QStringLiteral("缺少表 %1，不像是本程序的题库；拒绝改动")
                         .arg(QLatin1String(name)));
        }
        // Without the search triggers the tables empty at once; refreshDerived puts them back.
        try {
            core::detachSearchIndex(db_.get());
        } catch (const Error& e) {
            fail(e.text());
        }
        exec(db_.get(),
             "DELETE FROM options; DELETE FROM subject; DELETE FROM sort; DELETE FROM note;",
             path_);
    }

    // Tables computed from the bank are rebuilt here, in the import's transaction, once the
    // bank tables hold the new bank: the search index over the questions.
    void refreshDerived()
    {
        try {
            core::rebuildSearchIndex(db_.get());
        } catch (const Error& e) {
            fail(e.text());
        }
    }

    QString path_;
    Db db_;
    bool created_ = false;
    bool committed_ = false;
};

// Stores Values through one prepared INSERT; a duplicate id is named with the row that first
// had it, which the rowid gives since the table was empty (the header is row 1).
class Inserter
{
public:
    Inserter(const Target& target, const TableLayout& layout)
        : target_(target), layout_(layout),
          stmt_(prepare(target.db(), layout.insertSql, target.path()))
    {}

    void insert(const Origin& origin, const Values& values)
    {
        sqlite3_stmt* stmt = stmt_.get();
        for (size_t i = 0; i < layout_.columns.size(); ++i) {
            const Value& value = values[i];
            const int index = int(i) + 1;
            const Kind kind = layout_.columns[i].kind;
            if (kind == Kind::Id || kind == Kind::Number)
                sqlite3_bind_int64(stmt, index, value.number);
            else if (value.null)
                sqlite3_bind_null(stmt, index);
            else
                sqlite3_bind_text(stmt, index, value.text.data() ? value.text.data() : "",
                                  int(value.text.size()), SQLITE_STATIC);
        }
        const int rc = sqlite3_step(stmt);
        sqlite3_reset(stmt);
        if (rc == SQLITE_DONE)
            return;
        const QString message = dbMessage(target_.db());
        if ((rc & 0xFF) == SQLITE_CONSTRAINT) {
            const QString first = firstRowOf(values[0].number);
            if (!first.isEmpty())
                throw Error(QStringLiteral("%1：%2 %3 重复%4")
                                .arg(placeOf(origin, values[0].number),
                                     QLatin1String(layout_.columns[0].name))
                                .arg(values[0].number)
                                .arg(first));
        }
        throw Error(QStringLiteral("%1：%2").arg(placeOf(origin, values[0].number), message));
    }

private:
    QString firstRowOf(qint64 id) const
    {
        const QByteArray sql = QByteArray("SELECT rowid FROM ") + layout_.table + " WHERE " +
                               layout_.columns[0].name + " = ?";
        Stmt find = prepare(target_.db(), sql.constData(), target_.path());
        sqlite3_bind_int64(find.get(), 1, id);
        if (sqlite3_step(find.get()) != SQLITE_ROW)
            return {};
        return QStringLiteral("，首次出现在第 %1 行").arg(sqlite3_column_int64(find.get(), 0) + 1);
    }

    const Target& target_;
    const TableLayout& layout_;
    Stmt stmt_;
};

// A picture file of a bank folder's upload/, by its name below upload/.
struct PictureFile
{
    QString relative;
    QString source;
};

// Every file below upload/; a link that leads out of it is refused, so that no file from
// elsewhere is copied along.
std::vector<PictureFile> uploadFiles(const QString& folder)
{
    std::vector<PictureFile> files;
    const QString upload = QDir(folder).filePath(kUpload);
    const QFileInfo rootInfo(upload);
    if (!rootInfo.exists())
        return files;
    if (!rootInfo.isDir() || rootInfo.isSymLink())
        throw Error(QStringLiteral("%1：不是一个普通文件夹，拒绝复制其中的图片").arg(upload));
    const QString root = rootInfo.canonicalFilePath() + QLatin1Char('/');
    QDirIterator it(upload, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir base(upload);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = base.relativeFilePath(path);
        if (info.isSymLink()) {
            const QString target = info.canonicalFilePath();
            if (target.isEmpty() || !target.startsWith(root))
                throw Error(QStringLiteral("%1/%2：链接指向 upload/ 之外（%3），拒绝导入")
                                .arg(kUpload, relative, info.symLinkTarget()));
        }
        if (info.isDir())
            continue;
        files.push_back({relative, path});
    }
    return files;
}

void syncFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    const bool ok = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0)
        ::close(fd);
    if (!ok)
        throw Error(QStringLiteral("%1：无法写入磁盘：%2").arg(path, systemError()));
}

// Copies each file whole (a file is replaced only once its copy is complete).
qint64 copyPictures(const std::vector<PictureFile>& files, const QString& targetFolder)
{
    const QString target = QDir(targetFolder).filePath(kUpload);
    qint64 copied = 0;
    for (const PictureFile& file : files) {
        const QString to = QDir(target).filePath(file.relative);
        if (!QDir().mkpath(QFileInfo(to).path()))
            throw Error(QStringLiteral("%1：无法建立文件夹").arg(QFileInfo(to).path()));
        QFile in(file.source);
        if (!in.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("%1：无法读取：%2").arg(file.source, in.errorString()));
        QSaveFile out(to);
        if (!out.open(QIODevice::WriteOnly))
            throw Error(QStringLiteral("%1：无法写入：%2").arg(to, out.errorString()));
        while (!in.atEnd()) {
            const QByteArray chunk = in.read(qint64(1) << 20);
            if (chunk.isEmpty() && in.error() != QFileDevice::NoError)
                throw Error(QStringLiteral("%1：无法读取：%2").arg(file.source, in.errorString()));
            if (out.write(chunk) != chunk.size())
                throw Error(QStringLiteral("%1：无法写入：%2").arg(to, out.errorString()));
        }
        if (!out.commit())
            throw Error(QStringLiteral("%1：无法写入：%2").arg(to, out.errorString()));
        ++copied;
    }
    return copied;
}

QString canonicalFolder(const QString& path)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : canonical;
}

// Counts what the bank tables of an open database hold.
Summary summarizeDatabase(sqlite3* db, const QString& path)
{
    Summary s;
    s.questions = scalar(db, "SELECT count(*) FROM subject", path);
    s.options = scalar(db, "SELECT count(*) FROM options", path);
    s.categories = scalar(db, "SELECT count(*) FROM sort", path);
    s.studySets =
        scalar(db, "SELECT count(DISTINCT stid) FROM subject WHERE stid BETWEEN 1 AND 10", path);
    Stmt papers = prepare(db,
                          "SELECT total(max(scale0, 0)), total(max(scale1, 0)), "
                          "total(max(scale2, 0)), total(max(scale3, 0)), total(max(scale4, 0)) "
                          "FROM sort",
                          path);
    if (nextRow(db, papers.get(), path)) {
        for (int k = 0; k < 5; ++k)
            s.paperSize[size_t(k)] = sqlite3_column_int64(papers.get(), k);
    }
    Stmt names = prepare(db, "SELECT subpic FROM subject UNION SELECT infopic FROM subject", path);
    QSet<QString> pictures;
    while (nextRow(db, names.get(), path)) {
        const Text name = columnText(names.get(), 0);
        if (namesPicture(name))
            pictures.insert(*name);
    }
    s.pictures = pictures.size();
    return s;
}

// Buffered CSV output: UTF-8, CRLF line ends, texts always quoted, Null as an empty cell.
class CsvOut
{
public:
    explicit CsvOut(const QString& path) : file_(path)
    {
        if (!file_.open(QIODevice::WriteOnly))
            throw Error(QStringLiteral("%1：无法写入：%2").arg(path, file_.errorString()));
        buffer_.reserve(kFlushAt + 4096);
    }

    void line(const char* text)
    {
        buffer_ += text;
        buffer_ += "\r\n";
    }
    void number(qint64 value, bool first = false)
    {
        if (!first)
            buffer_ += ',';
        char digits[24];
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
        buffer_.append(digits, size_t(end - digits));
    }
    // A text that a spreadsheet would run gets an apostrophe in front, which import removes.
    void text(sqlite3_stmt* stmt, int column)
    {
        buffer_ += ',';
        if (sqlite3_column_type(stmt, column) == SQLITE_NULL)
            return;
        const auto* s = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        const qsizetype n = sqlite3_column_bytes(stmt, column);
        buffer_ += '"';
        if (bytesLookLikeFormula(QByteArrayView(s, n)))
            buffer_ += '\'';
        for (qsizetype i = 0; i < n; ++i) {
            if (s[i] == '"')
                buffer_ += '"';
            buffer_ += s[i];
        }
        buffer_ += '"';
    }
    void endRow()
    {
        buffer_ += "\r\n";
        if (buffer_.size() >= kFlushAt)
            flush();
    }
    void finish()
    {
        flush();
        if (!file_.flush() || ::fsync(file_.handle()) != 0)
            throw Error(QStringLiteral("%1：无法写入磁盘").arg(file_.fileName()));
        file_.close();
    }

private:
    static constexpr size_t kFlushAt = size_t(1) << 20;

    void flush()
    {
        if (file_.write(buffer_.data(), qint64(buffer_.size())) != qint64(buffer_.size()))
            throw Error(
                QStringLiteral("%1：无法写入：%2").arg(file_.fileName(), file_.errorString()));
        buffer_.clear();
    }

    QFile file_;
    std::string buffer_;
};

void exportTable(sqlite3* db, const QString& dbPath, const QString& out, const char* header,
                 const char* select, const std::vector<bool>& isText)
{
    CsvOut csv(out);
    csv.line(header);
    Stmt stmt = prepare(db, select, dbPath);
    while (nextRow(db, stmt.get(), dbPath)) {
        for (int c = 0; c < int(isText.size()); ++c) {
            if (isText[size_t(c)])
                csv.text(stmt.get(), c);
            else
                csv.number(sqlite3_column_int64(stmt.get(), c), c == 0);
        }
        csv.endRow();
    }
    csv.finish();
}

// Puts a finished folder where dir was: a swap when dir exists, so that there is never a moment
// without a whole export in place.
void moveIntoPlace(const QString& from, const QString& dir)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(dir);
    if (std::rename(source.constData(), target.constData()) == 0)
        return;
    if (errno != ENOTEMPTY && errno != EEXIST)
        throw Error(QStringLiteral("%1：无法放入：%2").arg(dir, systemError()));
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_EXCHANGE) !=
        0)
        throw Error(QStringLiteral("%1：无法替换：%2").arg(dir, systemError()));
    QDir(from).removeRecursively();
}

} // namespace

bool looksLikeFormula(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == QLatin1Char('\''))
        ++i;
    return i < text.size() && text[i].unicode() < 0x80 && isFormulaStart(char(text[i].unicode()));
}

QString Summary::toString() const
{
    QString text = QStringLiteral("题目 %1 道，选项 %2 个，类别 %3 个，图片 %4 张，练习套题 %5 套；"
                                  "每卷题量")
                       .arg(questions)
                       .arg(options)
                       .arg(categories)
                       .arg(pictures)
                       .arg(studySets);
    for (size_t k = 0; k < paperSize.size(); ++k)
        text += QStringLiteral("%1%2 %3")
                    .arg(k == 0 ? QStringLiteral(" ") : QStringLiteral("，"),
                         QString::fromUtf8(kClassNames[k]))
                    .arg(paperSize[k]);
    if (picturesCopied > 0)
        text += QStringLiteral("；复制图片文件 %1 个").arg(picturesCopied);
    return text;
}

Bank readFolder(const QString& dir, Encoding encoding)
{
    if (!QFileInfo(dir).isDir())
        throw Error(QStringLiteral("%1：不是文件夹").arg(dir));
    Bank bank;
    readTable(
        dir, kSortLayout, encoding, [&] { bank.sorts.clear(); },
        [&](qint64 row, const Values& v) {
            SortRow r;
            r.origin = {kSortCsv, row};
            r.sortId = v[0].number;
            r.sortname = toText(v[1]);
            for (size_t k = 0; k < 5; ++k)
                r.scale[k] = v[2 + k].number;
            bank.sorts.push_back(std::move(r));
        });
    readTable(
        dir, kSubjectLayout, encoding, [&] { bank.subjects.clear(); },
        [&](qint64 row, const Values& v) {
            SubjectRow r;
            r.origin = {kSubjectCsv, row};
            r.subid = v[0].number;
            r.subtitle = toText(v[1]);
            r.subpic = toText(v[2]);
            r.info = toText(v[3]);
            r.infopic = toText(v[4]);
            r.typeId = v[5].number;
            r.sortid = v[6].number;
            r.stid = v[7].number;
            r.errorTimes = v[8].number;
            bank.subjects.push_back(std::move(r));
        });
    readTable(
        dir, kOptionsLayout, encoding, [&] { bank.options.clear(); },
        [&](qint64 row, const Values& v) {
            OptionRow r;
            r.origin = {kOptionsCsv, row};
            r.optid = v[0].number;
            r.subid = v[1].number;
            r.optcontent = toText(v[2]);
            r.iskey = v[3].number;
            bank.options.push_back(std::move(r));
        });
    return bank;
}

Bank readDatabase(const QString& dbPath)
{
    Db db = openForReading(dbPath);
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

namespace {

std::vector<Finding> duplicates(const Bank& bank);

// Holds the UTF-8 of a row's texts while its Values are stored.
struct Holder
{
    std::array<QByteArray, kMaxColumns> bytes;
    Value text(size_t i, const Text& t)
    {
        Value v;
        v.null = !t.has_value();
        if (t) {
            bytes[i] = t->toUtf8();
            v.text = bytes[i];
        }
        return v;
    }
};

Value number(qint64 n)
{
    Value v;
    v.number = n;
    return v;
}

} // namespace

void writeDatabase(const Bank& bank, const QString& dbPath)
{
    const std::vector<Finding> dups = duplicates(bank);
    if (!dups.empty())
        throw Error(dups.front().toString());
    Target target(dbPath, kBusyWaitMs);
    Holder h;
    Values v;
    {
        Inserter sort(target, kSortLayout);
        for (const SortRow& r : bank.sorts) {
            v[0] = number(r.sortId);
            v[1] = h.text(1, r.sortname);
            for (size_t k = 0; k < 5; ++k)
                v[2 + k] = number(r.scale[k]);
            sort.insert(r.origin, v);
        }
        Inserter subject(target, kSubjectLayout);
        for (const SubjectRow& r : bank.subjects) {
            v[0] = number(r.subid);
            v[1] = h.text(1, r.subtitle);
            v[2] = h.text(2, r.subpic);
            v[3] = h.text(3, r.info);
            v[4] = h.text(4, r.infopic);
            v[5] = number(r.typeId);
            v[6] = number(r.sortid);
            v[7] = number(r.stid);
            v[8] = number(r.errorTimes);
            subject.insert(r.origin, v);
        }
        Inserter option(target, kOptionsLayout);
        for (const OptionRow& r : bank.options) {
            v[0] = number(r.optid);
            v[1] = number(r.subid);
            v[2] = h.text(2, r.optcontent);
            v[3] = number(r.iskey);
            option.insert(r.origin, v);
        }
    }
    target.commit();
}

Summary importFolder(const QString& dir, const QString& dbPath, Encoding encoding,
                     const Progress& progress, int busyWaitMs)
{
    if (!QFileInfo(dir).isDir())
        throw Error(QStringLiteral("%1：不是文件夹").arg(dir));
    for (const QString* file : {&kSortCsv, &kSubjectCsv, &kOptionsCsv}) {
        const QString path = QDir(dir).filePath(*file);
        if (!QFileInfo(path).isFile())
            throw Error(QStringLiteral("%1：找不到 %2").arg(*file, path));
    }
    // Pictures are listed first, so that a link out of upload/ stops the import before it
    // changes anything.
    const bool samePlace =
        canonicalFolder(dir) == canonicalFolder(QFileInfo(dbPath).absolutePath());
    const std::vector<PictureFile> pictures =
        samePlace ? std::vector<PictureFile>{} : uploadFiles(dir);

    Target target(dbPath, busyWaitMs);
    qint64 stored = 0;
    auto storedOne = [&] {
        ++stored;
        if (progress && stored % kProgressRows == 0)
            progress(stored);
    };
    for (const TableLayout* layout : {&kSortLayout, &kSubjectLayout, &kOptionsLayout}) {
        exec(target.db(), "SAVEPOINT csv", dbPath);
        Inserter inserter(target, *layout);
        const qint64 before = stored;
        const bool subjects = layout == &kSubjectLayout;
        readTable(
            dir, *layout, encoding,
            [&] {
                exec(target.db(), "ROLLBACK TO csv", dbPath);
                stored = before;
            },
            [&](qint64 row, const Values& v) {
                const Origin origin{*layout->file, row};
                if (subjects) {
                    for (size_t i : {size_t(2), size_t(4)}) {
                        const Text name = toText(v[i]);
                        if (namesPicture(name) && leavesUpload(*name))
                            throw Error(QStringLiteral("%1：%2 \"%3\" 指向 upload/ 之外，拒绝导入")
                                            .arg(placeOf(origin, v[0].number),
                                                 QLatin1String(layout->columns[i].name), *name));
                    }
                }
                inserter.insert(origin, v);
                storedOne();
            });
        exec(target.db(), "RELEASE csv", dbPath);
    }
    Summary summary = summarizeDatabase(target.db(), dbPath);
    summary.picturesCopied = copyPictures(pictures, QFileInfo(dbPath).absolutePath());
    target.commit();
    return summary;
}

Summary exportDatabase(const QString& dbPath, const QString& dir, bool overwrite)
{
    const QFileInfo targetInfo(dir);
    if (targetInfo.exists() && !targetInfo.isDir())
        throw Error(QStringLiteral("%1：已存在且不是文件夹").arg(dir));
    if (targetInfo.isDir() && !overwrite &&
        !QDir(dir).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        throw Error(QStringLiteral("%1：已存在，里面有题库或其他文件；要整个替换它，请加 --force")
                        .arg(dir));

    Db db = openForReading(dbPath);
    // One read transaction, so that the three files show one state of the bank.
    exec(db.get(), "BEGIN", dbPath);
    const std::vector<PictureFile> pictures = uploadFiles(QFileInfo(dbPath).absolutePath());

    const QString parent = targetInfo.absolutePath();
    if (!QDir().mkpath(parent))
        throw Error(QStringLiteral("%1：无法建立文件夹").arg(parent));
    QTemporaryDir temp(
        QDir(parent).filePath(QStringLiteral(".%1.tmp-XXXXXX").arg(targetInfo.fileName())));
    if (!temp.isValid())
        throw Error(
            QStringLiteral("%1：无法在旁边建立临时文件夹：%2").arg(dir, temp.errorString()));
    const QDir out(temp.path());

    exportTable(db.get(), dbPath, out.filePath(kSortCsv),
                "sortID,sortname,scale0,scale1,scale2,scale3,scale4",
                "SELECT sortID, sortname, scale0, scale1, scale2, scale3, scale4 FROM sort "
                "ORDER BY rowid",
                {false, true, false, false, false, false, false});
    exportTable(db.get(), dbPath, out.filePath(kSubjectCsv),
                "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes",
                "SELECT subid, subtitle, subpic, info, infopic, typeId, sortid, stid, errorTimes "
                "FROM subject ORDER BY subid, rowid",
                {false, true, true, true, true, false, false, false, false});
    exportTable(db.get(), dbPath, out.filePath(kOptionsCsv), "optid,subid,optcontent,iskey",
                "SELECT optid, subid, optcontent, iskey FROM options ORDER BY rowid",
                {false, false, true, false});
    Summary summary = summarizeDatabase(db.get(), dbPath);
    exec(db.get(), "COMMIT", dbPath);
    summary.picturesCopied = copyPictures(pictures, temp.path());

    // The new folder reads like any other, not private like a temporary one.
    QFile::setPermissions(temp.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
    syncFile(temp.path());
    moveIntoPlace(temp.path(), dir);
    temp.setAutoRemove(false);
    syncFile(parent);
    return summary;
}

namespace {

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
        QString message = QStringLiteral("%1 %2 重复").arg(column).arg(value);
        if (earlier.row > 0)
            message += QStringLiteral("，首次出现在第 %1 行").arg(earlier.row);
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

} // namespace

Summary summarize(const Bank& bank)
{
    Summary s;
    s.questions = qint64(bank.subjects.size());
    s.options = qint64(bank.options.size());
    s.categories = qint64(bank.sorts.size());
    for (const SortRow& row : bank.sorts)
        for (size_t k = 0; k < 5; ++k)
            s.paperSize[k] += std::max<qint64>(row.scale[k], 0);
    QSet<QString> pictures;
    QSet<qint64> sets;
    for (const SubjectRow& row : bank.subjects) {
        for (const Text* field : {&row.subpic, &row.infopic})
            if (namesPicture(*field))
                pictures.insert(**field);
        if (row.stid >= 1 && row.stid <= 10)
            sets.insert(row.stid);
    }
    s.pictures = pictures.size();
    s.studySets = sets.size();
    return s;
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
            out.push_back({placeOf(row.origin, row.optid),
                           QStringLiteral("选项属于不存在的题目 %1").arg(row.subid)});
            continue;
        }
        ++it->options;
        if (row.iskey == 1)
            ++it->keys;
    }

    QHash<QString, QString> undecodable;                   // path -> why, each picture decoded once
    std::map<std::pair<qint64, qint64>, qint64> questions; // (category, type) -> count
    for (const SubjectRow& row : bank.subjects) {
        const QString where = placeOf(row.origin, row.subid);
        if (!sortIds.contains(row.sortid))
            out.push_back(
                {where, QStringLiteral("题目 %1 的类别 %2 不存在").arg(row.subid).arg(row.sortid)});
        if (row.typeId != 1 && row.typeId != 2)
            out.push_back({where, QStringLiteral("题目 %1 的题型 %2 未知（1 = 判断题，2 = 选择题）")
                                      .arg(row.subid)
                                      .arg(row.typeId)});
        const Supply s = supply.value(row.subid);
        if (s.keys != 1)
            out.push_back({where, QStringLiteral("题目 %1 的 %3 个选项中有 %2 个答案，须恰好一个")
                                      .arg(row.subid)
                                      .arg(s.keys)
                                      .arg(s.options)});
        if (row.typeId == 1 && s.options != 2)
            out.push_back({where, QStringLiteral("判断题 %1 有 %2 个选项，须恰好两个")
                                      .arg(row.subid)
                                      .arg(s.options)});
        if (s.options > 4)
            out.push_back({where, QStringLiteral("题目 %1 有 %2 个选项，最多只显示四个")
                                      .arg(row.subid)
                                      .arg(s.options)});
        for (const auto& [field, name] :
             {std::pair{&row.subpic, "subpic"}, std::pair{&row.infopic, "infopic"}}) {
            if (!namesPicture(*field))
                continue;
            const QString label = QStringLiteral("%1 \"%2\"（题目 %3）")
                                      .arg(QLatin1String(name), **field)
                                      .arg(row.subid);
            if (leavesUpload(**field)) {
                out.push_back({where, label + QStringLiteral("指向 upload/ 之外")});
                continue;
            }
            const auto path = pictures::picturePath(QVariant(**field), programFolder);
            if (!path)
                continue;
            if (!QFileInfo::exists(*path)) {
                out.push_back({where, label + QStringLiteral("的图片文件不存在：%1").arg(*path)});
                continue;
            }
            auto known = undecodable.constFind(*path);
            if (known == undecodable.cend()) {
                QString why;
                try {
                    pictures::loadPictureFile(*path);
                } catch (const base::Error& e) {
                    why = e.text();
                }
                known = undecodable.insert(*path, why);
            }
            if (!known->isEmpty())
                out.push_back({where, label + QStringLiteral("程序无法显示：%1").arg(*known)});
        }
        ++questions[{row.sortid, row.typeId}];
    }

    for (int k = 0; k < 5; ++k) {
        for (const SortRow& row : bank.sorts) {
            const qint64 scale = row.scale[size_t(k)];
            if (scale <= 0)
                continue;
            const qint64 trueFalse = scale * 4 / 10;
            const std::pair<qint64, const char*> needs[] = {{trueFalse, "判断题"},
                                                            {scale - trueFalse, "选择题"}};
            for (qint64 type = 1; type <= 2; ++type) {
                const auto& [needed, kind] = needs[type - 1];
                const qint64 have = questions[{row.sortId, type}];
                if (have < needed)
                    out.push_back(
                        {placeOf(row.origin, row.sortId),
                         QStringLiteral("车型 %1（%2）：类别 %3 只有 %4 道%5，每卷需要 %6 道")
                             .arg(k)
                             .arg(QString::fromUtf8(kClassNames[k]))
                             .arg(row.sortId)
                             .arg(have)
                             .arg(QString::fromUtf8(kind))
                             .arg(needed)});
            }
        }
    }
    return out;
}

std::vector<Finding> checkPath(const QString& path, Encoding encoding, Summary* summary)
{
    const QFileInfo info(path);
    const bool folder = info.isDir();
    const Bank bank = folder ? readFolder(path, encoding) : readDatabase(path);
    const QString programFolder =
        (folder ? info.absoluteFilePath() : info.absolutePath()) + QLatin1Char('/');
    std::vector<Finding> findings = check(bank, programFolder);
    if (folder) {
        // A link out of upload/ would be refused by import; say so here first.
        try {
            uploadFiles(path);
        } catch (const Error& e) {
            findings.push_back({QStringLiteral("upload"), e.text()});
        }
    }
    if (summary)
        *summary = summarize(bank);
    return findings;
}

} // namespace bank
