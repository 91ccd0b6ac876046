#include "keys.h"

#include <QKeyEvent>

namespace app {

int virtualKey(const QKeyEvent& event)
{
#ifdef Q_OS_WIN
    return int(event.nativeVirtualKey());
#else
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        // With Num Lock off the keypad sends navigation keys; the examination keypad must not care.
        switch (key) {
        case Qt::Key_0:
        case Qt::Key_Insert:
            return VK_NUMPAD0;
        case Qt::Key_1:
        case Qt::Key_End:
            return VK_NUMPAD1;
        case Qt::Key_2:
        case Qt::Key_Down:
            return VK_NUMPAD2;
        case Qt::Key_3:
        case Qt::Key_PageDown:
            return VK_NUMPAD3;
        case Qt::Key_4:
        case Qt::Key_Left:
            return VK_NUMPAD4;
        case Qt::Key_5:
        case Qt::Key_Clear:
            return VK_NUMPAD5;
        case Qt::Key_6:
        case Qt::Key_Right:
            return VK_NUMPAD6;
        case Qt::Key_7:
        case Qt::Key_Home:
            return VK_NUMPAD7;
        case Qt::Key_8:
        case Qt::Key_Up:
            return VK_NUMPAD8;
        case Qt::Key_9:
        case Qt::Key_PageUp:
            return VK_NUMPAD9;
        case Qt::Key_Period:
        case Qt::Key_Comma:
        case Qt::Key_Delete:
            return VK_DECIMAL;
        case Qt::Key_Asterisk:
            return VK_MULTIPLY;
        case Qt::Key_Plus:
            return VK_ADD;
        case Qt::Key_Minus:
            return VK_SUBTRACT;
        case Qt::Key_Slash:
            return VK_DIVIDE;
        case Qt::Key_Enter:
        case Qt::Key_Return:
            return VK_RETURN;
        default:
            return 0;
        }
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return VK_RETURN;
    return 0;
#endif
}

} // namespace app
