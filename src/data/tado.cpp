#include "tado.h"

#include "programfolder.h"

namespace data {

void Tado::DataModuleCreate()
{
    connString_ = QStringLiteral("Data Source=") + programFolder() +
                  QStringLiteral("data.db;Mode=ReadWrite;");
    subject.setIndexField(QStringLiteral("subid"));
    for (Table* table : {&subject, &sort, &options}) {
        table->setConnectionString(connString_);
        table->open();
    }
    sort.setSort(QStringLiteral("sortId"));
}

} // namespace data
