#include "focusstyle.h"

#include <QStyleOptionButton>

namespace app {

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    // Styles draw the focus frame only after a focus change by keyboard.
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (button && (button->state & State_HasFocus)) {
        QStyleOptionButton focused = *button;
        focused.state |= State_KeyboardFocusChange;
        QProxyStyle::drawControl(element, &focused, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace app
