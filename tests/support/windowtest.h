#pragma once

#include "support/boxes.h"
#include "support/testbank.h"

#include <QObject>
#include <memory>

namespace testing {

// The fixture of the window tests: each test gets a bank of its own and an answerer for every
// message box; after it the program is shut down, deferred deletes run, and neither a top-level
// window nor a box the test did not expect may be left (a test forgets the boxes it checked with
// boxes->clear()). A test class that needs more set-up
// calls init() first and cleanup() last from its own.
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<TestBank> bank;
    std::unique_ptr<BoxAnswerer> boxes;

protected slots:
    void init();
    void cleanup();
};

} // namespace testing
