#pragma once

#include <QString>
#include <QVariant>
#include <string>
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
        quint64 offset; // of the text in the arena
    };

    bool isNull() const { return kind == Kind::Null; }
};

// The rows of one table as read at Open: one block of cells a row, all text in one arena, so that
// reading a large table costs no allocation per row or value. Rows are only ever added while the
// snapshot lives; a deleted row simply stops being listed by its table.
class Snapshot
{
public:
    void reset(int fields);

    int addRow(qint64 rowid);
    qint64 rowid(int row) const { return rowids_[size_t(row)]; }
    Cell* cells(int row) { return &cells_[size_t(row) * size_t(fields_)]; }
    const Cell* cells(int row) const { return &cells_[size_t(row) * size_t(fields_)]; }
    int fields() const { return fields_; }

    Cell text(const char* utf8, qsizetype size);
    Cell fromVariant(const QVariant& value);
    QVariant toVariant(const Cell& cell) const;
    QString toString(const Cell& cell) const;
    // The value as a whole number, if it is one (numeric text included).
    bool toInteger(const Cell& cell, qint64* out) const;
    // Whole numbers compare as numbers, everything else as text; Null comes first.
    int compare(const Cell& a, const Cell& b) const;

private:
    int fields_ = 0;
    std::vector<qint64> rowids_;
    std::vector<Cell> cells_;
    std::string text_;
};

} // namespace data
