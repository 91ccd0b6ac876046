#include "combobox.h"

#include <QEvent>

#include <utility>

namespace app {

void ComboBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange && !isVisible()) {
        fontPending_ = true;
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}

void ComboBox::showEvent(QShowEvent* event)
{
    if (std::exchange(fontPending_, false)) {
        QEvent fontChange(QEvent::FontChange);
        QComboBox::changeEvent(&fontChange);
    }
    QComboBox::showEvent(event);
}

} // namespace app
