#pragma once

#include "platform/application.h"

#include <QTest>

// QTEST_MAIN with the program's own application object, so that key preview and the handler
// boundary work in tests as in the program.
#define VELMOOR_TEST_MAIN(TestObject)                                                              \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        app::Application application(argc, argv);                                                  \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                           \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
