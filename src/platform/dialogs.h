#pragma once

#include <QString>
#include <exception>
#include <utility>

class QAbstractButton;

namespace app {

// A plain message box: title "Velmoor", one OK button, modal to the application.
void messageBox(const QString& text);

// A Yes/No question with the question icon and the caption "提示"; true on Yes.
bool confirm(const QString& text, bool defaultYes);

// The application's default error report: a message box with the error's text.
void reportError(const QString& text);

// The same report, shown once the handler that raised it has finished, so that a display can
// complete before the learner reads the box.
void reportErrorLater(const QString& text);

// The text of an exception caught at a handler boundary.
QString errorText(const std::exception& e);

// Runs a handler; an error ends it and is shown by the default error report. Nothing escapes.
template <typename F> void guard(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        reportError(errorText(e));
    } catch (...) {
        reportError(QStringLiteral("未知错误"));
    }
}

} // namespace app
