#include "bankio.h"
#include "fixtures.h"

#include "core/history.h"
#include "data/connection.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <csignal>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray tinyJpeg()
{
    return fixtures::writeJpeg(QSize(8, 8), fixtures::JpegSpace::Grey,
                               [](int, int, unsigned char* out) { *out = 128; });
}

QByteArray tinyGif()
{
    return fixtures::writeGif(QSize(2, 2), {qRgb(0, 0, 0), qRgb(255, 255, 255)},
                              {fixtures::solidFrame(QRect(0, 0, 2, 2), 1)});
}

// A small bank that check() finds clean: category 1 asks 5 questions for class 0
// (2 true/false, 3 multiple choice) and nothing for the other classes.
void writeCleanBank(const QString& dir)
{
    writeFile(dir + "/sort.csv", "sortID,sortname,scale0,scale1,scale2,scale3,scale4\n"
                                 "1,Rules,5,0,0,0,0\n");
    QByteArray subjects = "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes\n";
    QByteArray options = "optid,subid,optcontent,iskey\n";
    int optid = 1;
    for (int q = 1; q <= 5; ++q) {
        const bool trueFalse = q <= 2;
        subjects += QByteArray::number(q) + ",Question " + QByteArray::number(q) + ",,,," +
                    (trueFalse ? "1" : "2") + ",1,0,0\n";
        for (int o = 0; o < (trueFalse ? 2 : 4); ++o)
            options += QByteArray::number(optid++) + "," + QByteArray::number(q) + ",Option," +
                       (o == 0 ? "1" : "0") + "\n";
    }
    writeFile(dir + "/subject.csv", subjects);
    writeFile(dir + "/options.csv", options);
}

struct Sql
{
    sqlite3* db = nullptr;
    explicit Sql(const QString& path) { sqlite3_open(QFile::encodeName(path).constData(), &db); }
    ~Sql() { sqlite3_close(db); }

    // First column of every row, with Null shown as "<null>".
    QStringList column(const char* query) const
    {
        QStringList out;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, query, -1, &stmt, nullptr) != SQLITE_OK)
            return {QStringLiteral("<error> ") + QString::fromUtf8(sqlite3_errmsg(db))};
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            if (sqlite3_column_type(stmt, 0) == SQLITE_NULL)
                out << QStringLiteral("<null>");
            else
                out << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)),
                    sqlite3_column_bytes(stmt, 0));
        }
        sqlite3_finalize(stmt);
        return out;
    }
};

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const bank::Error& e) {
        return e.text();
    }
    return {};
}

QStringList texts(const std::vector<bank::Finding>& findings)
{
    QStringList out;
    for (const auto& f : findings)
        out << f.toString();
    return out;
}

bool anyContains(const QStringList& list, const QStringList& parts)
{
    return std::any_of(list.begin(), list.end(), [&](const QString& s) {
        return std::all_of(parts.begin(), parts.end(),
                           [&](const QString& p) { return s.contains(p); });
    });
}

bool sameBank(const bank::Bank& a, const bank::Bank& b)
{
    auto sorts = [](const bank::Bank& x) {
        std::vector<std::tuple<qint64, bank::Text, std::array<qint64, 5>>> v;
        for (const auto& r : x.sorts)
            v.emplace_back(r.sortId, r.sortname, r.scale);
        return v;
    };
    auto subjects = [](const bank::Bank& x) {
        std::vector<std::tuple<qint64, bank::Text, bank::Text, bank::Text, bank::Text, qint64,
                               qint64, qint64, qint64>>
            v;
        for (const auto& r : x.subjects)
            v.emplace_back(r.subid, r.subtitle, r.subpic, r.info, r.infopic, r.typeId, r.sortid,
                           r.stid, r.errorTimes);
        return v;
    };
    auto options = [](const bank::Bank& x) {
        std::vector<std::tuple<qint64, qint64, bank::Text, qint64>> v;
        for (const auto& r : x.options)
            v.emplace_back(r.optid, r.subid, r.optcontent, r.iskey);
        return v;
    };
    return sorts(a) == sorts(b) && subjects(a) == subjects(b) && options(a) == options(b);
}

} // namespace

class BankTest : public QObject
{
    Q_OBJECT

private slots:
    void importsQuotingAndMultiLineFields();
    void importsBomReorderedColumnsAndDefaults();
    void importsGbk();
    void keepsFileOrder();
    void reportsBadInputWithPlace_data();
    void reportsBadInputWithPlace();
    void failedImportLeavesDatabaseUntouched();
    void cleanBankHasNoFindings();
    void checkFindsStructuralFaults();
    void checkFindsMissingPictures();
    void checkFindsShortCategories();
    void checkNamesDatabaseRowsById();
    void exportThenImportRoundTrips();
    void importReplacesBankInLiveWalDatabase();
    void importKeepsTheExamHistory();
    void killedImportLeavesOldDatabase();
    void importCopiesPicturesAndRefusesEscapes();
    void checkFindsPicturesTheProgramCannotShow();
    void gbkFaultNamesItsRow();
    void exportRefusesToOverwriteAndGuardsFormulas();

private:
    QTemporaryDir tmp_;
};

void BankTest::importsQuotingAndMultiLineFields()
{
    const QString dir = tmp_.filePath("quoting");
    writeCleanBank(dir);
    writeFile(dir + "/subject.csv",
              "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes\r\n"
              "1,\"Stop, then \"\"look\"\"\",,\"line one\r\nline two\nline three\",,1,1,0,3\r\n"
              "2,  spaced  ,\"\",NULL,,2,1,0,0\r\n");
    const QString db = tmp_.filePath("quoting.db");
    bank::importFolder(dir, db);

    Sql sql(db);
    QCOMPARE(sql.column("SELECT subtitle FROM subject ORDER BY subid"),
             QStringList({"Stop, then \"look\"", "  spaced  "}));
    QCOMPARE(sql.column("SELECT info FROM subject ORDER BY subid"),
             QStringList({"line one\r\nline two\nline three", "NULL"}));
    // An empty unquoted cell is Null; a quoted empty cell is empty text.
    QCOMPARE(sql.column("SELECT quote(subpic) FROM subject ORDER BY subid"),
             QStringList({"NULL", "''"}));
    QCOMPARE(sql.column("SELECT errorTimes FROM subject ORDER BY subid"), QStringList({"3", "0"}));
    QCOMPARE(sql.column("SELECT count(*) FROM note"), QStringList({"0"}));
}

void BankTest::importsBomReorderedColumnsAndDefaults()
{
    const QString dir = tmp_.filePath("bom");
    writeCleanBank(dir);
    writeFile(dir + "/sort.csv", "\xEF\xBB\xBFSCALE4,sortname,Scale0,scale1,scale2,scale3,SortId\n"
                                 ",规则,5,,,,7\n");
    writeFile(dir + "/subject.csv", "\xEF\xBB\xBF"
                                    "SortID,TYPEID,subtitle,SUBID,InfoPic,Info,SubPic,stid\n"
                                    "7,1,红灯停, 12 ,,,a.jpg,\n");
    writeFile(dir + "/options.csv", "ISKEY,OptContent,subID,OPTID\n1,对,12,5\n,错,12,6\n");
    const QString db = tmp_.filePath("bom.db");
    bank::importFolder(dir, db);

    Sql sql(db);
    QCOMPARE(sql.column("SELECT sortID || '|' || sortname || '|' || scale0 || scale4 FROM sort"),
             QStringList({"7|规则|50"}));
    QCOMPARE(sql.column("SELECT subid || '|' || subtitle || '|' || subpic || '|' || typeId || "
                        "'|' || sortid || '|' || stid || '|' || errorTimes FROM subject"),
             QStringList({"12|红灯停|a.jpg|1|7|0|0"}));
    QCOMPARE(sql.column("SELECT quote(info) || quote(infopic) FROM subject"),
             QStringList({"NULLNULL"}));
    QCOMPARE(sql.column("SELECT optid || optcontent || iskey FROM options"),
             QStringList({"5对1", "6错0"}));
}

void BankTest::importsGbk()
{
    const QString dir = tmp_.filePath("gbk");
    writeCleanBank(dir);
    QStringEncoder gbk("GBK");
    QVERIFY(gbk.isValid());
    const QByteArray header = "sortID,sortname,scale0,scale1,scale2,scale3,scale4\n";
    const QByteArray row = gbk.encode(QStringLiteral("1,\"道路交通信号,标志\",5,0,0,0,0\n"));
    QVERIFY(!row.contains("\xE9\x81\x93")); // really GBK bytes, not UTF-8
    writeFile(dir + "/sort.csv", header + row);

    const QString detected = tmp_.filePath("gbk-auto.db");
    bank::importFolder(dir, detected);
    QCOMPARE(Sql(detected).column("SELECT sortname FROM sort"), QStringList({"道路交通信号,标志"}));

    const QString forced = tmp_.filePath("gbk-forced.db");
    bank::importFolder(dir, forced, bank::Encoding::Gbk);
    QCOMPARE(Sql(forced).column("SELECT sortname FROM sort"), QStringList({"道路交通信号,标志"}));

    // Told it is UTF-8, the same file is refused at the cell that does not decode.
    const QString message = errorOf(
        [&] { bank::importFolder(dir, tmp_.filePath("gbk-utf8.db"), bank::Encoding::Utf8); });
    QVERIFY2(message.contains("sort.csv 第 2 行第 2 列"), qPrintable(message));
    QVERIFY2(message.contains("UTF-8"), qPrintable(message));
}

void BankTest::keepsFileOrder()
{
    const QString dir = tmp_.filePath("order");
    writeCleanBank(dir);
    writeFile(dir + "/sort.csv", "sortID,sortname,scale0,scale1,scale2,scale3,scale4\n"
                                 "9,Nine,0,0,0,0,0\n1,Rules,5,0,0,0,0\n4,Four,0,0,0,0,0\n");
    writeFile(dir + "/options.csv", "optid,subid,optcontent,iskey\n"
                                    "40,1,D,0\n10,1,A,1\n30,1,C,0\n20,1,B,0\n");
    const QString db = tmp_.filePath("order.db");
    bank::importFolder(dir, db);
    Sql sql(db);
    QCOMPARE(sql.column("SELECT sortID FROM sort ORDER BY rowid"), QStringList({"9", "1", "4"}));
    QCOMPARE(sql.column("SELECT optcontent FROM options ORDER BY rowid"),
             QStringList({"D", "A", "C", "B"}));
}

void BankTest::reportsBadInputWithPlace_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("expected");

    const QByteArray subjectHeader =
        "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes\n";
    QTest::newRow("not a number") << "subject.csv"
                                  << subjectHeader + "1,a,,,,1,1,0,0\n2,b,,,,x2,1,0,0\n"
                                  << QStringList{"subject.csv 第 3 行第 6 列 (typeId)",
                                                 "\"x2\" 不是整数"};
    QTest::newRow("empty required id")
        << "subject.csv" << subjectHeader + "1,a,,,,1,1,0,0\n,b,,,,1,1,0,0\n"
        << QStringList{"subject.csv 第 3 行第 1 列 (subid)", "为空"};
    QTest::newRow("empty category") << "subject.csv" << subjectHeader + "1,a,,,,1,\"\",0,0\n"
                                    << QStringList{"subject.csv 第 2 行第 7 列 (sortid)", "为空"};
    QTest::newRow("unclosed quote")
        << "options.csv" << QByteArray("optid,subid,optcontent,iskey\n1,1,\"open\n2,1,x,0\n")
        << QStringList{"options.csv 第 2 行第 3 列", "引号"};
    QTest::newRow("stray quote") << "options.csv"
                                 << QByteArray("optid,subid,optcontent,iskey\n1,1,ab\"c,0\n")
                                 << QStringList{"options.csv 第 2 行第 3 列", "引号"};
    QTest::newRow("short row") << "options.csv"
                               << QByteArray("optid,subid,optcontent,iskey\n1,1,x,0\n2,1,y\n")
                               << QStringList{"options.csv 第 3 行", "3 个单元格", "标题行有 4 个"};
    QTest::newRow("missing column") << "options.csv" << QByteArray("optid,subid,iskey\n1,1,0\n")
                                    << QStringList{"options.csv 第 1 行", "没有列 \"optcontent\""};
    QTest::newRow("unknown column")
        << "sort.csv" << QByteArray("sortID,sortname,scale0,scale1,scale2,scale3,scale4,colour\n")
        << QStringList{"sort.csv 第 1 行第 8 列", "未知的列 \"colour\""};
    QTest::newRow("duplicate id")
        << "options.csv" << QByteArray("optid,subid,optcontent,iskey\n1,1,x,1\n2,1,y,0\n1,1,z,0\n")
        << QStringList{"options.csv 第 4 行", "optid 1 重复", "首次出现在第 2 行"};
    QTest::newRow("empty file") << "sort.csv" << QByteArray() << QStringList{"sort.csv", "空"};
}

void BankTest::reportsBadInputWithPlace()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, expected);

    const QString dir = tmp_.filePath(QStringLiteral("bad-") + QTest::currentDataTag());
    writeCleanBank(dir);
    writeFile(dir + "/" + file, content);
    const QString message = errorOf([&] { bank::importFolder(dir, dir + "/data.db"); });
    for (const QString& part : expected)
        QVERIFY2(message.contains(part), qPrintable(message));
}

void BankTest::failedImportLeavesDatabaseUntouched()
{
    QTemporaryDir target;
    const QString db = target.filePath("data.db");
    const QString dir = tmp_.filePath("atomic");
    writeCleanBank(dir);
    bank::importFolder(dir, db);
    const QByteArray before = readBytes(db);
    QVERIFY(!before.isEmpty());

    // A fault in the last file read, and a fault only found while storing.
    writeFile(dir + "/options.csv", "optid,subid,optcontent,iskey\n1,1,x,1\n2,1,\"y\n");
    QVERIFY(!errorOf([&] { bank::importFolder(dir, db); }).isEmpty());
    QCOMPARE(readBytes(db), before);
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"data.db"});

    writeFile(dir + "/options.csv", "optid,subid,optcontent,iskey\n1,1,x,1\n1,1,y,0\n");
    QVERIFY(!errorOf([&] { bank::importFolder(dir, db); }).isEmpty());
    QCOMPARE(readBytes(db), before);
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"data.db"});

    // With no database before, a failure leaves none.
    const QString fresh = target.filePath("fresh.db");
    QVERIFY(!errorOf([&] { bank::importFolder(dir, fresh); }).isEmpty());
    QVERIFY(!QFile::exists(fresh));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"data.db"});
}

void BankTest::cleanBankHasNoFindings()
{
    const QString dir = tmp_.filePath("clean");
    writeCleanBank(dir);
    QCOMPARE(texts(bank::checkPath(dir)), QStringList());
    bank::importFolder(dir, dir + "/data.db");
    QCOMPARE(texts(bank::checkPath(dir + "/data.db")), QStringList());
}

void BankTest::checkFindsStructuralFaults()
{
    const QString dir = tmp_.filePath("faults");
    writeCleanBank(dir);
    writeFile(dir + "/sort.csv", "sortID,sortname,scale0,scale1,scale2,scale3,scale4\n"
                                 "1,Rules,0,0,0,0,0\n1,Again,0,0,0,0,0\n");
    writeFile(dir + "/subject.csv",
              "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes\n"
              "1,ok,,,,1,1,0,0\n"             // row 2: clean
              "2,no key,,,,2,1,0,0\n"         // row 3
              "3,two keys,,,,2,1,0,0\n"       // row 4
              "4,tf three,,,,1,1,0,0\n"       // row 5
              "5,five,,,,2,1,0,0\n"           // row 6
              "6,lost category,,,,2,99,0,0\n" // row 7
              "6,duplicate,,,,2,1,0,0\n"      // row 8
              "8,type three,,,,3,1,0,0\n");   // row 9
    QByteArray options = "optid,subid,optcontent,iskey\n"
                         "1,1,y,1\n2,1,n,0\n"
                         "3,2,a,0\n4,2,b,0\n"
                         "5,3,a,1\n6,3,b,1\n"
                         "7,4,a,1\n8,4,b,0\n9,4,c,0\n";
    for (int i = 0; i < 5; ++i)
        options += QByteArray::number(10 + i) + ",5,x," + (i == 0 ? "1" : "0") + "\n";
    options += "20,6,x,1\n21,8,x,1\n"
               "22,77,orphan,0\n"; // row 18
    writeFile(dir + "/options.csv", options);

    const QStringList found = texts(bank::checkPath(dir));
    const QList<QStringList> expected = {
        {"sort.csv 第 3 行", "sortID 1 重复", "首次出现在第 2 行"},
        {"subject.csv 第 8 行", "subid 6 重复", "首次出现在第 7 行"},
        {"subject.csv 第 3 行", "题目 2 的 2 个选项中有 0 个答案"},
        {"subject.csv 第 4 行", "题目 3 的 2 个选项中有 2 个答案"},
        {"subject.csv 第 5 行", "判断题 4 有 3 个选项"},
        {"subject.csv 第 6 行", "题目 5 有 5 个选项"},
        {"subject.csv 第 7 行", "类别 99 不存在"},
        {"subject.csv 第 9 行", "题型 3 未知"},
        {"options.csv 第 18 行", "不存在的题目 77"},
    };
    for (const QStringList& parts : expected)
        QVERIFY2(anyContains(found, parts),
                 qPrintable(parts.join(" / ") + "\n" + found.join("\n")));
    QVERIFY2(!anyContains(found, {"subject.csv 第 2 行："}), qPrintable(found.join("\n")));
    QCOMPARE(found.size(), expected.size());
}

void BankTest::checkFindsMissingPictures()
{
    const QString dir = tmp_.filePath("pictures");
    writeCleanBank(dir);
    writeFile(dir + "/upload/pic.jpg", tinyJpeg());
    writeFile(dir + "/upload/signs/Arrow.gif", tinyGif());
    writeFile(dir + "/upload/x.jpg", "x");
    writeFile(dir + "/subject.csv",
              "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes\n"
              "1,a,PIC.JPG,,signs\\arrow.GIF,1,1,0,0\n" // case differs: present
              "2,b,NULL,,\"  \",1,1,0,0\n"              // no pictures named
              "3,c,gone.png,,,2,1,0,0\n"                // row 4: missing
              "4,d, x.jpg,,other\\x.jpg,2,1,0,0\n"      // row 5: leading blank kept; wrong folder
              "5,e,,,,2,1,0,0\n");
    const QStringList found = texts(bank::checkPath(dir));
    QVERIFY2(anyContains(found, {"subject.csv 第 4 行", "subpic \"gone.png\"", "不存在"}),
             qPrintable(found.join("\n")));
    QVERIFY2(anyContains(found, {"subject.csv 第 5 行", "subpic \" x.jpg\"", "不存在"}),
             qPrintable(found.join("\n")));
    QVERIFY2(anyContains(found, {"subject.csv 第 5 行", "infopic \"other\\x.jpg\"", "不存在"}),
             qPrintable(found.join("\n")));
    QCOMPARE(found.size(), 3);
}

void BankTest::checkFindsShortCategories()
{
    const QString dir = tmp_.filePath("quota");
    writeCleanBank(dir);
    // Class 0 asks 5 of category 1 (2 + 3, which the clean bank has); class 1 asks 10
    // (4 true/false + 6 multiple choice); class 4 asks 1 (0 + 1).
    writeFile(dir + "/sort.csv", "sortID,sortname,scale0,scale1,scale2,scale3,scale4\n"
                                 "1,Rules,5,10,0,-3,1\n"
                                 "2,Empty,0,0,0,0,0\n");
    const QStringList found = texts(bank::checkPath(dir));
    QVERIFY2(anyContains(found, {"sort.csv 第 2 行", "车型 1", "只有 2 道判断题", "需要 4 道"}),
             qPrintable(found.join("\n")));
    QVERIFY2(anyContains(found, {"sort.csv 第 2 行", "车型 1", "只有 3 道选择题", "需要 6 道"}),
             qPrintable(found.join("\n")));
    QCOMPARE(found.size(), 2);
}

void BankTest::checkNamesDatabaseRowsById()
{
    const QString dir = tmp_.filePath("dbcheck");
    writeCleanBank(dir);
    writeFile(dir + "/subject.csv",
              "subid,subtitle,subpic,info,infopic,typeId,sortid,stid,errorTimes\n"
              "1,a,,,,1,1,0,0\n2,b,,,,1,1,0,0\n3,c,,,,2,1,0,0\n4,d,,,,2,1,0,0\n"
              "5,e,there.jpg,,,2,1,0,0\n9,f,,,,2,1,0,0\n");
    QTemporaryDir program;
    writeFile(program.filePath("upload/THERE.jpg"), tinyJpeg());
    const QString db = program.filePath("data.db");
    bank::importFolder(dir, db);
    const QStringList found = texts(bank::checkPath(db));
    QCOMPARE(found, QStringList({"subject 表 id 9：题目 9 的 0 个选项中有 0 个答案，须恰好一个"}));
}

void BankTest::exportThenImportRoundTrips()
{
    const QString dir = tmp_.filePath("trip");
    writeCleanBank(dir);
    writeFile(dir + "/subject.csv", "subid,subtitle,subpic,info,infopic,typeId,sortid,stid\n"
                                    "1,\"a, \"\"b\"\"\r\nc\",\"\",NULL,,1,1,3\n"
                                    "2,  leading,x\\y.jpg,\"多行\n说明\",,1,1,\n"
                                    "3,,,,,2,1,0\n4,d,,,,2,1,0\n5,e,,,,2,1,-2\n");
    const QString first = tmp_.filePath("trip1.db");
    bank::importFolder(dir, first);

    const QString exported = tmp_.filePath("trip-out");
    bank::exportDatabase(first, exported);
    const QString second = tmp_.filePath("trip2.db");
    bank::importFolder(exported, second);
    QVERIFY(sameBank(bank::readDatabase(first), bank::readDatabase(second)));
    QVERIFY(sameBank(bank::readFolder(dir), bank::readDatabase(second)));
    QCOMPARE(Sql(second).column("SELECT quote(subpic) FROM subject ORDER BY subid"),
             QStringList({"''", "'x\\y.jpg'", "NULL", "NULL", "NULL"}));

    // Exporting again gives the same files byte for byte.
    const QString again = tmp_.filePath("trip-again");
    bank::exportDatabase(second, again);
    for (const char* name : {"sort.csv", "subject.csv", "options.csv"})
        QCOMPARE(readBytes(again + "/" + name), readBytes(exported + "/" + name));
}

void BankTest::importReplacesBankInLiveWalDatabase()
{
    QTemporaryDir program;
    const QString db = program.filePath("data.db");
    const QString dir = tmp_.filePath("live");
    writeCleanBank(dir);
    bank::importFolder(dir, db);

    // The running program: WAL mode, a table of its own, frames not yet checkpointed.
    sqlite3* live = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(db).constData(), &live), SQLITE_OK);
    auto run = [&](const char* sql) {
        char* error = nullptr;
        const int rc = sqlite3_exec(live, sql, nullptr, nullptr, &error);
        const QString why = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        return rc == SQLITE_OK ? QString() : why;
    };
    QCOMPARE(run("PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                 "CREATE TABLE history (paper INTEGER, score INTEGER);"
                 "INSERT INTO history VALUES (1, 92); UPDATE subject SET errorTimes = 4;"),
             QString());
    QVERIFY(QFileInfo(db + "-wal").size() > 0);

    // While it holds the database open, import refuses and changes nothing.
    writeFile(dir + "/subject.csv", readBytes(dir + "/subject.csv") + "6,new,,,,2,1,0,0\n");
    writeFile(dir + "/options.csv", readBytes(dir + "/options.csv") + "99,6,x,1\n");
    const QString refused =
        errorOf([&] { bank::importFolder(dir, db, bank::Encoding::Auto, {}, 0); });
    QVERIFY2(refused.contains("正被另一个程序打开"), qPrintable(refused));
    QCOMPARE(run("SELECT 1 FROM history"), QString());

    // Killed: its log stays beside the file; the import then replaces the bank through it.
    sqlite3_db_config(live, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    QCOMPARE(sqlite3_close(live), SQLITE_OK);
    QVERIFY(QFileInfo(db + "-wal").size() > 0);
    const bank::Summary summary = bank::importFolder(dir, db);
    QCOMPARE(summary.questions, 6);

    Sql sql(db);
    QCOMPARE(sql.column("PRAGMA integrity_check"), QStringList{"ok"});
    QCOMPARE(sql.column("SELECT count(*) FROM subject"), QStringList{"6"});
    QCOMPARE(sql.column("SELECT DISTINCT errorTimes FROM subject"), QStringList{"0"});
    QCOMPARE(sql.column("SELECT score FROM history"), QStringList{"92"});
    QCOMPARE(sql.column("PRAGMA journal_mode"), QStringList{"wal"});
}

void BankTest::importKeepsTheExamHistory()
{
    const QString db = tmp_.filePath("history.db");
    const QString dir = tmp_.filePath("history");
    writeCleanBank(dir);
    bank::importFolder(dir, db);
    core::PaperRecord paper;
    paper.startedAt = QDateTime(QDate(2024, 6, 1), QTime(10, 0));
    paper.mode = core::kMockMode;
    paper.classCode = "C1";
    paper.score = 1;
    paper.firstNoteId = 1;
    paper.answers = {{1, 1, 1, true}, {2, 3, 0, false}};
    {
        data::Connection connection(db);
        core::ensureHistoryTables(connection);
        QVERIFY(core::recordPaper(connection, paper));
    }

    // A new bank in which question 3 has left.
    writeFile(dir + "/subject.csv",
              readBytes(dir + "/subject.csv").replace("3,Question 3", "6,Q6"));
    writeFile(dir + "/options.csv",
              readBytes(dir + "/options.csv").replace(",3,Option,", ",6,Option,"));
    bank::importFolder(dir, db);

    data::Connection connection(db);
    const std::vector<core::PaperRecord> papers = core::recordedPapers(connection);
    QCOMPARE(papers.size(), size_t(1));
    QCOMPARE(papers.front().startedAt, paper.startedAt);
    const std::vector<core::AnswerRecord> answers =
        core::recordedAnswers(connection, papers.front().paperId);
    QCOMPARE(answers.size(), size_t(2));
    QCOMPARE(answers[1].subId, qint64(3));
    QCOMPARE(answers[1].sortId, qint64(1));
}

void BankTest::killedImportLeavesOldDatabase()
{
    QTemporaryDir program;
    const QString db = program.filePath("data.db");
    const QString small = tmp_.filePath("kill-old");
    writeCleanBank(small);
    bank::importFolder(small, db);

    // Big enough that the unfinished transaction spills pages to disk before the kill.
    const QString big = tmp_.filePath("kill-big");
    writeCleanBank(big);
    QByteArray subjects = "subid,subtitle,subpic,info,infopic,typeId,sortid,stid\n";
    const QByteArray info = "\"" + QByteArray(900, 'i') + "\"";
    for (int q = 1; q <= 30000; ++q)
        subjects += QByteArray::number(q) + ",q,," + info + ",,2,1,0\n";
    writeFile(big + "/subject.csv", subjects);

    int ready[2];
    QCOMPARE(pipe(ready), 0);
    const pid_t child = fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        close(ready[0]);
        try {
            bank::importFolder(big, db, bank::Encoding::Auto, [&](qint64 rows) {
                if (rows == 25000) {
                    (void)!write(ready[1], "x", 1);
                    pause();
                }
            });
        } catch (...) {
        }
        _exit(3);
    }
    close(ready[1]);
    char byte = 0;
    QCOMPARE(read(ready[0], &byte, 1), ssize_t(1));
    close(ready[0]);
    QVERIFY(QFileInfo(db + "-wal").size() > 10 * 1024 * 1024);
    kill(child, SIGKILL);
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));

    const QStringList left = QDir(program.path()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : left)
        QVERIFY2(QStringList({"data.db", "data.db-wal", "data.db-shm"}).contains(name),
                 qPrintable(left.join(" ")));
    {
        Sql sql(db);
        QCOMPARE(sql.column("PRAGMA integrity_check"), QStringList{"ok"});
        QCOMPARE(sql.column("SELECT count(*) FROM subject"), QStringList{"5"});
    }
    QVERIFY(sameBank(bank::readFolder(small), bank::readDatabase(db)));
}

void BankTest::importCopiesPicturesAndRefusesEscapes()
{
    const QString dir = tmp_.filePath("withpictures");
    writeCleanBank(dir);
    writeFile(dir + "/upload/sign.gif", tinyGif());
    writeFile(dir + "/upload/scenes/Road.jpg", tinyJpeg());
    writeFile(dir + "/subject.csv", "subid,subtitle,subpic,info,infopic,typeId,sortid,stid\n"
                                    "1,a,sign.gif,,scenes\\road.JPG,1,1,1\n2,b,sign.gif,,,1,1,2\n"
                                    "3,c,,,,2,1,0\n4,d,,,,2,1,0\n5,e,,,,2,1,0\n");
    QTemporaryDir program;
    const QString db = program.filePath("data.db");
    const bank::Summary summary = bank::importFolder(dir, db);
    QCOMPARE(readBytes(program.filePath("upload/sign.gif")), tinyGif());
    QCOMPARE(readBytes(program.filePath("upload/scenes/Road.jpg")), tinyJpeg());
    QCOMPARE(summary.picturesCopied, 2);
    QVERIFY2(summary.toString().startsWith(
                 QStringLiteral("题目 5 道，选项 16 个，类别 1 个，图片 2 张，练习套题 2 "
                                "套；每卷题量 C1、C2、C3、C4 5，")),
             qPrintable(summary.toString()));
    QCOMPARE(texts(bank::checkPath(db)), QStringList());
    const QByteArray before = readBytes(db);

    // A link out of upload/ and a name that climbs out of it are refused before anything changes.
    QTemporaryDir outside;
    writeFile(outside.filePath("secret.jpg"), tinyJpeg());
    QVERIFY(QFile::link(outside.filePath("secret.jpg"), dir + "/upload/secret.jpg"));
    QString message = errorOf([&] { bank::importFolder(dir, db); });
    QVERIFY2(message.contains("upload/secret.jpg") && message.contains("upload/ 之外"),
             qPrintable(message));
    QVERIFY(anyContains(texts(bank::checkPath(dir)), {"upload/secret.jpg", "之外"}));
    QFile::remove(dir + "/upload/secret.jpg");

    writeFile(dir + "/subject.csv", "subid,subtitle,subpic,info,infopic,typeId,sortid,stid\n"
                                    "1,a,..\\..\\secret.jpg,,,1,1,0\n");
    message = errorOf([&] { bank::importFolder(dir, db); });
    QVERIFY2(message.contains("subject.csv 第 2 行") && message.contains("upload/ 之外"),
             qPrintable(message));
    QVERIFY(anyContains(texts(bank::checkPath(dir)), {"subject.csv 第 2 行", "subpic", "之外"}));
    QCOMPARE(readBytes(db), before);
    QVERIFY(!QFile::exists(program.filePath("upload/secret.jpg")));
}

void BankTest::checkFindsPicturesTheProgramCannotShow()
{
    const QString dir = tmp_.filePath("unshowable");
    writeCleanBank(dir);
    writeFile(dir + "/upload/good.jpg", tinyJpeg());
    writeFile(dir + "/upload/photo.png", tinyJpeg());
    writeFile(dir + "/upload/broken.gif", "GIF89a but not really");
    writeFile(dir + "/subject.csv",
              "subid,subtitle,subpic,info,infopic,typeId,sortid,stid\n"
              "1,a,good.jpg,,,1,1,0\n2,b,photo.png,,,1,1,0\n"
              "3,c,broken.gif,,,2,1,0\n4,d,,,broken.gif,2,1,0\n5,e,,,,2,1,0\n");
    const QStringList found = texts(bank::checkPath(dir));
    QVERIFY2(
        anyContains(found, {"subject.csv 第 3 行", "photo.png", "未知的图象文件扩展名 (.png)"}),
        qPrintable(found.join("\n")));
    QVERIFY2(anyContains(found, {"subject.csv 第 4 行", "subpic \"broken.gif\"", "无法显示"}),
             qPrintable(found.join("\n")));
    QVERIFY2(anyContains(found, {"subject.csv 第 5 行", "infopic \"broken.gif\"", "无法显示"}),
             qPrintable(found.join("\n")));
    QCOMPARE(found.size(), 3);
}

void BankTest::gbkFaultNamesItsRow()
{
    const QString dir = tmp_.filePath("gbkrow");
    writeCleanBank(dir);
    QStringEncoder gbk("GBK");
    QByteArray subjects = "subid,subtitle,subpic,info,infopic,typeId,sortid,stid\n";
    for (int q = 1; q <= 400; ++q) {
        QByteArray title = gbk.encode(QStringLiteral("第%1题").arg(q));
        if (q == 300)
            title += "\x81\x20"; // a lead byte without its trail byte, in file row 301
        subjects += QByteArray::number(q) + "," + title + ",,,,2,1,0\n";
    }
    writeFile(dir + "/subject.csv", subjects);
    for (const bank::Encoding encoding : {bank::Encoding::Auto, bank::Encoding::Gbk}) {
        const QString message =
            errorOf([&] { bank::importFolder(dir, tmp_.filePath("gbkrow.db"), encoding); });
        QVERIFY2(message.contains("subject.csv 第 301 行第 2 列") && message.contains("GBK"),
                 qPrintable(message));
    }
}

void BankTest::exportRefusesToOverwriteAndGuardsFormulas()
{
    const QString dir = tmp_.filePath("formulas");
    writeCleanBank(dir);
    writeFile(dir + "/subject.csv", "subid,subtitle,subpic,info,infopic,typeId,sortid,stid\n"
                                    "1,=1+2,,@SUM(A1),,1,1,0\n2,+86 电话,,'=kept,,1,1,0\n"
                                    "3,-5 分,,'''@x,,2,1,0\n4,'plain,,a=b,,2,1,0\n5,e,,,,2,1,-2\n");
    const QString db = tmp_.filePath("formulas.db");
    bank::importFolder(dir, db);
    QCOMPARE(
        Sql(db).column("SELECT subtitle || '|' || ifnull(info, '') FROM subject ORDER BY subid"),
        QStringList({"=1+2|@SUM(A1)", "+86 电话|=kept", "-5 分|''@x", "'plain|a=b", "e|"}));

    QTemporaryDir place;
    const QString out = place.filePath("bank");
    writeFile(out + "/notes.txt", "the school's own file");
    const QString refused = errorOf([&] { bank::exportDatabase(db, out); });
    QVERIFY2(refused.contains("--force"), qPrintable(refused));
    QCOMPARE(readBytes(out + "/notes.txt"), QByteArray("the school's own file"));

    bank::exportDatabase(db, out, true);
    QCOMPARE(QDir(place.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{"bank"});
    QVERIFY(!QFile::exists(out + "/notes.txt"));
    const QByteArray csv = readBytes(out + "/subject.csv");
    for (const char* cell : {"\"'=1+2\"", "\"'@SUM(A1)\"", "\"'+86 电话\"", "\"'=kept\"",
                             "\"'-5 分\"", "\"'''@x\"", "\"'plain\"", "\"a=b\"", ",1,-2,0\r\n"})
        QVERIFY2(csv.contains(cell), cell);
    const QString again = tmp_.filePath("formulas2.db");
    bank::importFolder(out, again);
    QVERIFY(sameBank(bank::readDatabase(db), bank::readDatabase(again)));
}

QTEST_GUILESS_MAIN(BankTest)
#include "bank_test.moc"
