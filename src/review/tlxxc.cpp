#include "tlxxc.h"

#include "ui_tlxxc.h"

#include "data/schema.h"
#include "data/tado.h"
#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

#include <QRadioButton>
#include <QVBoxLayout>

Tlxxc::Tlxxc(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tlxxc>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setObjectName(QStringLiteral("lxxc"));
    ui->Image1->setPixmap(app::artwork(QStringLiteral(":/art/viewer_header.jpg")));
    // One column, the items spread over the group's height.
    new QVBoxLayout(ui->rgp);
    setFrame(Frame::None, Buttons::None, true);
    setAttribute(Qt::WA_DeleteOnClose);

    QObject::connect(ui->cbx, &QComboBox::activated, this,
                     [this] { app::guard([this] { cbxSelect(); }, this); });
    app::onClick(ui->Button1, this, &Tlxxc::Button1Click);
    app::onClick(ui->Button2, this, &Tlxxc::Button2Click);
    app::guard([this] { FormCreate(); }, this);
}

Tlxxc::~Tlxxc() = default;

void Tlxxc::FormCreate()
{
    FillCategories();
}

void Tlxxc::cbxSelect()
{
    FillCategories();
}

void Tlxxc::Button1Click()
{
    const int index = itemIndex();
    if (index < 0)
        return;
    setTag(SortIds[std::size_t(index)]);
    nav::openBrowseViewer(Tag(), selectedCategoryText());
}

void Tlxxc::Button2Click()
{
    close();
}

QString Tlxxc::selectedCategoryText() const
{
    const int index = itemIndex();
    return index < 0 ? QString() : items_[std::size_t(index)]->text();
}

int Tlxxc::itemIndex() const
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->isChecked())
            return int(i);
    }
    return -1;
}

void Tlxxc::FillCategories()
{
    data::Tado& bank = nav::dataModule();
    data::Table& sort = bank.sort;
    data::Table& subject = bank.subject;
    sort.setFiltered(false);
    sort.first();
    for (QRadioButton* item : items_)
        delete item;
    items_.clear();

    const QString scale = data::col::scale(ui->cbx->currentIndex());
    for (; !sort.eof(); sort.next()) {
        if (sort.asInteger(scale) <= 0)
            continue;
        // SortIds holds no more; further categories are not offered rather than overrun it.
        if (items_.size() == SortIds.size())
            break;
        const int sortId = int(sort.asInteger(data::col::sortId));
        SortIds[items_.size()] = sortId;
        subject.setFiltered(false);
        subject.setFilter(data::equals(data::col::sortId, sortId));
        subject.setFiltered(true);
        auto* item = new QRadioButton(sort.asString(data::col::sortName) +
                                          QStringLiteral(" (%1 题)").arg(subject.recordCount()),
                                      ui->rgp);
        item->setObjectName(QStringLiteral("rgpItem%1").arg(items_.size()));
        item->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        ui->rgp->layout()->addWidget(item);
        items_.push_back(item);
    }
    if (!items_.empty())
        items_.front()->setChecked(true);
}
