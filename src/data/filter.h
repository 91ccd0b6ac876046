#pragma once

#include <QString>
#include <vector>

namespace data {

// One comparison of a filter: field = value or field > value, on whole numbers.
struct Condition
{
    QString field;
    char op = '=';
    qint64 value = 0;
    int column = -1; // resolved by the table
};

// Parses a filter: comparisons, each optionally in parentheses, joined by "and" (any case).
// An empty or blank text is no condition. Raises base::Error naming the position of a fault.
std::vector<Condition> parseFilter(const QString& text);

} // namespace data
