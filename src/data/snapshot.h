#pragma once

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace data {

// One stored value. Whole numbers stay numbers, so filters, sorts and Locate compare them without
// conversions; text is kept as UTF-8 in its snapshot's arena and decoded only when read.
struct Cell
{
    enum class Kind : quint8 { Null, Integer, Real, Text };

    Kind kind = Kind::Null;
    quint32 size = 0; // bytes of text
    union {
        qint64 integer = 0;
        double real;
        quint64 offset; // of the text in the arena: block number << 32 | position in the block
    };

    bool isNull() const { return kind == Kind::Null; }
};

// The rows of one table as read at Open: one block of cells a row, all text in one arena, so that
// reading a large table costs no allocation per row or value. The cells are sized from a row count
// and the arena grows by adding blocks, never by moving what it holds. Rows are only ever added
// while the snapshot lives; a deleted row simply stops being listed by its table.
class Snapshot
{
public:
    // A point in the arena to roll back to, for texts needed only for a moment.
    struct Mark
    {
        size_t blocks = 0;
        size_t used = 0;
    };

    void reset(int fields, size_t rowsHint = 0);

    int addRow(qint64 rowid);
    int rowCount() const { return int(rowids_.size()); }
    qint64 rowid(int row) const { return rowids_[size_t(row)]; }
    Cell* cells(int row) { return &cells_[size_t(row) * size_t(fields_)]; }
    const Cell* cells(int row) const { return &cells_[size_t(row) * size_t(fields_)]; }
    int fields() const { return fields_; }

    Cell text(const char* utf8, qsizetype size);
    // Puts the text into cell, in the bytes of the text it holds when the new one fits there.
    void assignText(Cell& cell, const char* utf8, qsizetype size);
    Cell fromVariant(const QVariant& value);
    QVariant toVariant(const Cell& cell) const;
    QString toString(const Cell& cell) const;
    // The value as a whole number, if it is one (numeric text included).
    bool toInteger(const Cell& cell, qint64* out) const;
    // Whole numbers compare as numbers, everything else as text; Null comes first.
    int compare(const Cell& a, const Cell& b) const;
    // Two cells hold the same value, kind included.
    bool same(const Cell& a, const Cell& b) const;
    bool sameText(const Cell& cell, const char* utf8, qsizetype size) const;

    Mark mark() const { return {blocks_.size(), blocks_.empty() ? 0 : blocks_.back().used}; }
    void rollback(Mark mark);
    // Bytes of text stored, live or replaced.
    size_t textBytes() const;

private:
    const char* textData(const Cell& cell) const;
    char* reserveText(size_t size, quint64* offset);

    struct Block
    {
        std::unique_ptr<char[]> data;
        size_t size = 0;
        size_t used = 0;
    };

    int fields_ = 0;
    std::vector<qint64> rowids_;
    std::vector<Cell> cells_;
    std::vector<Block> blocks_;
};

} // namespace data
