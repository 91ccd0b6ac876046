#pragma once

#include <QComboBox>

namespace app {

// A combo box that lays out its drop-down list in a new font only once it is shown. Qt's lays out
// the list at every font change, which loads the font; a window made hidden at start-up would
// load fonts the learner may never need before the main menu is idle.
class ComboBox final : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool fontPending_ = false;
};

} // namespace app
