#pragma once

#include <QString>
#include <exception>
#include <utility>

class QWidget;

namespace app {

// Every box is owned by a window, so that a window manager keeps it above the window that raised
// it: the owner given when it is shown, else the active window. A box whose owner stays on top
// stays on top too, or it would open beneath it and block the learner unseen.

// The window a box raised from owner belongs to: owner's window while it is shown, else the
// active window; null when there is none.
QWidget* boxOwner(QWidget* owner);

// A plain message box: title "Velmoor", one OK button, modal to the application.
void messageBox(QWidget* owner, const QString& text);

// A Yes/No question with the question icon and the caption "提示"; true on Yes.
bool confirm(QWidget* owner, const QString& text, bool defaultYes);

// The application's default error report: a message box with the error's text.
void reportError(QWidget* owner, const QString& text);

// The same report, shown once the handler that raised it has finished, so that a display can
// complete before the learner reads the box.
void reportErrorLater(QWidget* owner, const QString& text);

// The text of an exception caught at a handler boundary.
QString errorText(const std::exception& e);

// Runs a handler; an error ends it and is shown by the default error report, owned by owner (the
// active window when null). Nothing escapes.
template <typename F> void guard(F&& handler, QWidget* owner = nullptr) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        reportError(owner, errorText(e));
    } catch (...) {
        reportError(owner, QStringLiteral("未知错误"));
    }
}

} // namespace app
