#pragma once

#include <QMargins>

#include <optional>

class QWidget;

namespace app {

// What Qt's window flags cannot say to an X11 window manager. Both do nothing on other platforms.

// Asks for a title bar and border with no buttons and no window menu: the window can be moved
// (and resized when sizeable), never closed, minimised or maximised from its frame.
void askForNoTitleButtons(QWidget* window, bool sizeable);

// The frame the window manager will put round a window that is not mapped yet, asked for before
// mapping so the window can be placed by its outer frame at once; nothing when no window manager
// answers.
std::optional<QMargins> frameExtents(QWidget* window);

} // namespace app
