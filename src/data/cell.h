#pragma once

#include <QString>
#include <QVariant>

namespace data {

// One stored value of a snapshot. Whole numbers are kept as numbers so that filters, sorts and
// Locate compare them without conversions; Null is its own kind.
struct Cell
{
    enum class Kind : quint8 { Null, Integer, Real, Text };

    Kind kind = Kind::Null;
    qint64 integer = 0;
    double real = 0;
    QString text;

    static Cell fromVariant(const QVariant& value);
    QVariant toVariant() const;
    bool isNull() const { return kind == Kind::Null; }
    // The value as a whole number, if it is one (numeric text included).
    bool toInteger(qint64* out) const;
};

// Whole numbers compare as numbers, everything else as text; Null comes first.
int compare(const Cell& a, const Cell& b);

} // namespace data
