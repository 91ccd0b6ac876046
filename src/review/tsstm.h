#pragma once

#include "platform/form.h"

#include <memory>
#include <vector>

namespace data {
class Connection;
}

namespace Ui {
class Tsstm;
}

// Search: a few characters of a stem, option or explanation; the questions appear as they are
// typed and open in a question viewer with the key marked.
class Tsstm final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tsstm)

public:
    explicit Tsstm(QWidget* parent = nullptr);
    ~Tsstm() override;

    void ed_ssChange();
    void bt_ckClick();
    void bt_fhClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void moveSelection(int by);

    std::unique_ptr<Ui::Tsstm> ui;
    std::unique_ptr<data::Connection> db_;
    std::vector<qint64> found_;
};
