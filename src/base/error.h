#pragma once

#include <QString>
#include <stdexcept>

namespace base {

// The one error the program and its tools raise, from the data layer, the pictures and the bank
// tool alike. Its text is what the reader sees: in Chinese wherever it reaches the learner.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

} // namespace base
