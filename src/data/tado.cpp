#include "tado.h"

#include "programfolder.h"

namespace data {

void Tado::DataModuleCreate()
{
    connString_ = QStringLiteral("Data Source=") + programFolder() +
                  QStringLiteral("data.db;Mode=ReadWrite;");
    subject.setIndexField(col::subId);
    for (Table* table : {&subject, &sort, &options}) {
        table->setConnectionString(connString_);
        table->open();
    }
    sort.setSort(col::sortId);
}

void Tado::releaseCaches()
{
    for (Table* table : {&subject, &sort, &options})
        table->releaseCache();
}

} // namespace data
