#pragma once

namespace app {

// Creates the windows that live for the whole run and the data module, in start-up order.
// Everything but the message loop, so that a test can drive the whole program in one process.
void startUp();

// Frees every window and the data module; the tables close.
void shutDown();

// The whole program: start-up, the message loop until the main window closes, shut-down.
int run(int argc, char** argv);

} // namespace app
