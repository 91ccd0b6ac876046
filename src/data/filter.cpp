#include "filter.h"

#include "base/error.h"

namespace data {

using base::Error;
namespace {

class Parser
{
public:
    explicit Parser(const QString& text) : text_(text) {}

    std::vector<Condition> parse()
    {
        std::vector<Condition> conditions;
        skipBlanks();
        if (atEnd())
            return conditions;
        for (;;) {
            conditions.push_back(term());
            skipBlanks();
            if (atEnd())
                return conditions;
            if (!keyword(QStringLiteral("and")))
                fail(QStringLiteral("\"and\""));
        }
    }

private:
    Condition term()
    {
        skipBlanks();
        if (peek() == u'(') {
            ++pos_;
            Condition c = comparison();
            skipBlanks();
            if (peek() != u')')
                fail(QStringLiteral("\")\""));
            ++pos_;
            return c;
        }
        return comparison();
    }

    Condition comparison()
    {
        Condition c;
        skipBlanks();
        const qsizetype start = pos_;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == u'_'))
            ++pos_;
        if (pos_ == start || text_.at(start).isDigit())
            fail(QStringLiteral("字段名"));
        c.field = text_.mid(start, pos_ - start);
        skipBlanks();
        if (peek() != u'=' && peek() != u'>')
            fail(QStringLiteral("\"=\" 或 \">\""));
        c.op = char(peek().unicode());
        ++pos_;
        skipBlanks();
        const qsizetype numberStart = pos_;
        if (peek() == u'-' || peek() == u'+')
            ++pos_;
        while (!atEnd() && peek().isDigit() && peek().unicode() < 128)
            ++pos_;
        bool ok = false;
        c.value = text_.mid(numberStart, pos_ - numberStart).toLongLong(&ok);
        if (!ok) {
            pos_ = numberStart;
            fail(QStringLiteral("整数"));
        }
        return c;
    }

    bool keyword(const QString& word)
    {
        if (text_.mid(pos_, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        const qsizetype after = pos_ + word.size();
        if (after < text_.size() && text_.at(after) != u' ' && text_.at(after) != u'(')
            return false;
        pos_ = after;
        return true;
    }

    void skipBlanks()
    {
        while (!atEnd() && peek().isSpace())
            ++pos_;
    }
    bool atEnd() const { return pos_ >= text_.size(); }
    QChar peek() const { return atEnd() ? QChar() : text_.at(pos_); }

    [[noreturn]] void fail(const QString& expected) const
    {
        throw Error(QStringLiteral("筛选条件 \"%1\" 有误：第 %2 个字符处应为%3。")
                        .arg(text_)
                        .arg(pos_ + 1)
                        .arg(expected));
    }

    const QString& text_;
    qsizetype pos_ = 0;
};

} // namespace

std::vector<Condition> parseFilter(const QString& text)
{
    return Parser(text).parse();
}

} // namespace data
