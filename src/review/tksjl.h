#pragma once

#include "core/history.h"
#include "platform/form.h"

#include <memory>
#include <vector>

namespace Ui {
class Tksjl;
}

// The learner's record: the score trend of the chosen class's mock examinations, accuracy per
// category, the pass probability, and every past paper, whose wrong answers open in a viewer.
class Tksjl final : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tksjl)

public:
    explicit Tksjl(QWidget* parent = nullptr);
    ~Tksjl() override;

    void bt_ctClick();
    void bt_fhClick();
    void bt_ctlxClick();
    void bt_fllxClick();
    void bt_sstmClick();
    // The listed paper that is selected; -1 for none.
    int selectedPaper() const;

protected:
    void FormKeyDown(int vk) override;

private:
    void FormCreate();
    void fillList();
    void moveSelection(int by);

    std::unique_ptr<Ui::Tksjl> ui;
    QString connString_;
    std::vector<core::PaperRecord> papers_;
};
