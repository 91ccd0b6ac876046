#pragma once

#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <array>
#include <memory>

namespace data {
class Connection;
}

namespace testing {

// A program folder of its own with an empty question bank, used as the program folder while the
// object lives.
class TestBank
{
public:
    TestBank();
    ~TestBank();

    QString folder() const; // with a trailing '/'
    QString dbPath() const;
    QString connString() const;

    void exec(const QString& sql);
    QVariant scalar(const QString& sql);

    void addCategory(int sortId, const QString& name, std::array<int, 5> scales);
    // Options get the ids subId * 10 + 1, + 2 ...; keyIndex is the position of the right one.
    void addQuestion(int subId, int typeId, int sortId, const QStringList& options, int keyIndex,
                     int stid = 0, const QVariant& subpic = {}, const QVariant& info = {},
                     const QVariant& infopic = {});
    // A bank the size of a large real one: questions in 20 categories, four options each, each
    // category asking 5 questions on a paper of every class.
    void addGeneratedQuestions(int questions);
    // Writes a file into the program folder, e.g. "system.ini".
    void writeFile(const QString& name, const QByteArray& content);

private:
    QTemporaryDir dir_;
    std::unique_ptr<data::Connection> db_;
};

// The question ids on the paper, in paper order: "101,102".
inline QString paperOf(TestBank& bank)
{
    return bank
        .scalar(QStringLiteral("SELECT group_concat(subid, ',') FROM "
                               "(SELECT subid FROM note ORDER BY noteId)"))
        .toString();
}

} // namespace testing
