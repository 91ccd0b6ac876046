#include "programfolder.h"

#include <QCoreApplication>

namespace data {
namespace {
QString& overrideFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString programFolder()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath() + u'/';
}

void setProgramFolder(const QString& folder)
{
    overrideFolder() = folder.isEmpty() || folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace data
