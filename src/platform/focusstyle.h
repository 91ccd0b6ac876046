#pragma once

#include <QProxyStyle>

namespace app {

// The application's style with the keyboard focus always shown on buttons, check boxes and radio
// buttons, not only after the Tab key: a learner on the keypad sees which button Enter would press.
class FocusStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

} // namespace app
