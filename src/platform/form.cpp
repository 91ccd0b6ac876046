#include "form.h"

#include "dialogs.h"
#include "windowsystem.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace app {

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window) {}

void Form::setFrame(Frame frame, Buttons buttons, bool onTop)
{
    Qt::WindowFlags flags = Qt::Window;
    if (frame == Frame::None) {
        flags |= Qt::FramelessWindowHint;
    } else if (buttons != Buttons::All) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (buttons == Buttons::CloseOnly)
            flags |= Qt::WindowCloseButtonHint;
    }
    if (frame == Frame::Single)
        flags |= Qt::MSWindowsFixedSizeDialogHint;
    if (onTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    if (frame != Frame::Sizeable)
        setFixedSize(size());
    if (frame == Frame::None)
        setWindowTitle(QCoreApplication::applicationName());
    frame_ = frame;
    buttons_ = buttons;
}

void Form::setOuterSize(int width, int height)
{
    // The frame a desktop draws around a sizeable window: 4 pixels a side, a 23-pixel caption.
    resize(width - 8, height - 31);
}

void Form::previewKey(int vk)
{
    if (keyPreview_)
        guard([&] { FormKeyDown(vk); }, this);
}

void Form::FormKeyDown(int) {}

void Form::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        // Qt's flags leave the window menu and the buttons to the window manager.
        if (frame_ != Frame::None && buttons_ == Buttons::None)
            askForNoTitleButtons(this, frame_ == Frame::Sizeable);
        if (centred_) {
            // Shown again: on top of whatever opened since; a new window is mapped there anyway.
            raise();
        } else {
            centred_ = true;
            std::optional<QMargins> frame;
            if (frame_ != Frame::None) {
                frame = frameExtents(this);
                recentre_ = !frame;
            }
            centre(frame.value_or(QMargins()));
        }
        // Shown first or again, the window takes the keyboard: Enter and the keypad act at once.
        activateWindow();
    }
    QWidget::showEvent(event);
}

void Form::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    if (recentre_ && isVisible() && outer != inner) {
        recentre_ = false;
        centre(QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom()));
    }
}

void Form::centre(const QMargins& frame)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect outer = geometry().marginsAdded(frame);
    outer.moveCenter(screen->availableGeometry().center());
    setGeometry(outer.marginsRemoved(frame));
}

} // namespace app
