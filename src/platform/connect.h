#pragma once

#include "dialogs.h"

#include <QAbstractButton>

namespace app {

// Connects a button's click to a handler that runs under the default error report.
template <typename Window>
void onClick(QAbstractButton* button, Window* window, void (Window::*handler)())
{
    QObject::connect(button, &QAbstractButton::clicked, window,
                     [window, handler] { guard([&] { (window->*handler)(); }, window); });
}

} // namespace app
