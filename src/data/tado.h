#pragma once

#include "dataset.h"
#include "schema.h"

namespace data {

// The data module: the three shared tables that every window reads questions through.
class Tado final
{
public:
    explicit Tado(QString& connString) : connString_(connString) {}

    // Builds the connection string, then opens subject, sort and options; an error stops at the
    // failing table, which stays closed with the ones after it.
    void DataModuleCreate();
    // Gives back the pages the tables' connections keep cached, e.g. once an examination's
    // counters are written: each paper touches other pages, and kept, they would add up.
    void releaseCaches();

    Table options{tbl::options};
    Table subject{tbl::subject};
    Table sort{tbl::sort};

private:
    QString& connString_;
};

} // namespace data
