#include "tsstm.h"
#include "ui_tsstm.h"

#include "tssjg.h"

#include "core/search.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/keys.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

#include <QKeyEvent>

Tsstm::Tsstm(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tsstm>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setObjectName(QStringLiteral("sstm"));
    ui->Image1->setPixmap(app::artwork(QStringLiteral(":/art/viewer_header.jpg")));
    setFrame(Frame::None, Buttons::None, true);
    setAttribute(Qt::WA_DeleteOnClose);

    QObject::connect(ui->ed_ss, &QLineEdit::textChanged, this,
                     [this] { app::guard([this] { ed_ssChange(); }); });
    QObject::connect(ui->lv_jg, &QListWidget::itemActivated, this,
                     [this] { app::guard([this] { bt_ckClick(); }); });
    app::onClick(ui->bt_ck, this, &Tsstm::bt_ckClick);
    app::onClick(ui->bt_fh, this, &Tsstm::bt_fhClick);
    ui->ed_ss->installEventFilter(this);
    app::guard([this] { FormCreate(); });
}

Tsstm::~Tsstm() = default;

void Tsstm::FormCreate()
{
    db_ = std::make_unique<data::Connection>(data::databasePath(nav::connString()));
    ui->ed_ss->setFocus();
    ed_ssChange();
}

void Tsstm::ed_ssChange()
{
    ui->lv_jg->clear();
    found_.clear();
    const QString text = ui->ed_ss->text();
    if (text.trimmed().isEmpty() || !db_) {
        ui->lb_sl->setText(QStringLiteral("请输入要找的字词。"));
        return;
    }
    for (const core::SearchHit& hit : core::search(*db_, text)) {
        found_.push_back(hit.subid);
        ui->lv_jg->addItem(QStringLiteral("%1、%2").arg(found_.size()).arg(hit.subtitle));
    }
    if (found_.empty()) {
        ui->lb_sl->setText(QStringLiteral("没有找到含“%1”的试题。").arg(text.simplified()));
        return;
    }
    ui->lb_sl->setText(int(found_.size()) < core::kSearchLimit
                           ? QStringLiteral("找到%1题：").arg(found_.size())
                           : QStringLiteral("找到很多题，先列出前%1题：").arg(found_.size()));
    ui->lv_jg->setCurrentRow(0);
}

void Tsstm::bt_ckClick()
{
    const int row = ui->lv_jg->currentRow();
    if (row < 0 || size_t(row) >= found_.size())
        return;
    auto* viewer = new Tssjg(ui->ed_ss->text().simplified(), found_, row + 1);
    viewer->show();
}

void Tsstm::bt_fhClick()
{
    close();
}

void Tsstm::moveSelection(int by)
{
    const int count = ui->lv_jg->count();
    if (count > 0)
        ui->lv_jg->setCurrentRow(std::clamp(ui->lv_jg->currentRow() + by, 0, count - 1));
}

bool Tsstm::eventFilter(QObject* watched, QEvent* event)
{
    // The entry keeps the focus, so that typing always searches; these keys act on the list.
    if (watched == ui->ed_ss && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int vk = app::virtualKey(*key);
        bool handled = true;
        if (key->key() == Qt::Key_Down || vk == app::VK_ADD)
            moveSelection(1);
        else if (key->key() == Qt::Key_Up || vk == app::VK_SUBTRACT)
            moveSelection(-1);
        else if (key->key() == Qt::Key_PageDown)
            moveSelection(10);
        else if (key->key() == Qt::Key_PageUp)
            moveSelection(-10);
        else if (vk == app::VK_RETURN)
            app::guard([this] { bt_ckClick(); });
        else if (key->key() == Qt::Key_Escape)
            close();
        else
            handled = false;
        if (handled)
            return true;
    }
    return app::Form::eventFilter(watched, event);
}
