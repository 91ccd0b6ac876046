#include "form.h"

#include "dialogs.h"

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
}

void Form::setOuterSize(int width, int height)
{
    // The frame a desktop draws around a sizeable window: 4 pixels a side, a 23-pixel caption.
    resize(width - 8, height - 31);
}

void Form::previewKey(int vk)
{
    if (keyPreview_)
        guard([&] { FormKeyDown(vk); });
}

void Form::FormKeyDown(int) {}

void Form::showEvent(QShowEvent* event)
{
    if (!centred_ && !event->spontaneous()) {
        centred_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    QWidget::showEvent(event);
}

} // namespace app
