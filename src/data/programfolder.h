#pragma once

#include <QString>

namespace data {

// The folder of the running program file, with a trailing '/'. Everything the program reads lies
// there; the working directory plays no part.
QString programFolder();

// Lets a test run the program on a folder of its own.
void setProgramFolder(const QString& folder);

} // namespace data
