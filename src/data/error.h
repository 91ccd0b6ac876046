#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// The one error the data layer raises; its text is what the learner reads.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

} // namespace data
