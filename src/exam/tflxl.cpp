#include "tflxl.h"
#include "ui_tflxl.h"

#include "practicepaper.h"

#include "core/practice.h"
#include "core/schedule.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/keys.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

Tflxl::Tflxl(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tflxl>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setObjectName(QStringLiteral("flxl"));
    ui->Image1->setPixmap(app::artwork(QStringLiteral(":/art/viewer_header.jpg")));
    setFrame(Frame::None, Buttons::None, true);
    setAttribute(Qt::WA_DeleteOnClose);
    setKeyPreview(true);
    QObject::connect(ui->lv_fl, &QListWidget::itemDoubleClicked, this,
                     [this] { app::guard([this] { bt_ksClick(); }); });
    app::onClick(ui->bt_ks, this, &Tflxl::bt_ksClick);
    app::onClick(ui->bt_fh, this, &Tflxl::bt_fhClick);
    app::guard([this] { FormCreate(); });
}

Tflxl::~Tflxl() = default;

void Tflxl::FormCreate()
{
    const int vehicleClass = nav::vehicleClass().value_or(0);
    ui->lb_cx->setText(
        QStringLiteral("考试车型：%1（在“模拟考试”的车型选择中更改）\n每次练习%2题，"
                       "最久没练过的题先出；类别按易错题所占比例排列，最薄弱的在前。")
            .arg(nav::vehicleClassText().value_or(QStringLiteral("C1、C2、C3、C4")))
            .arg(core::kPracticeSize));
    data::Connection db(data::databasePath(nav::connString()));
    core::createScheduleTables(db);
    for (const core::PracticeCategory& c : core::categoriesWeakestFirst(db, vehicleClass)) {
        sortIds_.push_back(c.sortId);
        ui->lv_fl->addItem(
            QStringLiteral("%1（%2题，易错%3题）").arg(c.name).arg(c.questions).arg(c.weak));
    }
    if (!sortIds_.empty())
        ui->lv_fl->setCurrentRow(0);
}

void Tflxl::bt_ksClick()
{
    const int row = ui->lv_fl->currentRow();
    if (row < 0 || size_t(row) >= sortIds_.size())
        return;
    std::vector<qint64> questions;
    {
        data::Connection db(data::databasePath(nav::connString()));
        questions = core::categoryQuestions(db, sortIds_[size_t(row)], core::kPracticeSize);
    }
    if (exam::openPractice(this, questions, exam::kCategoryCaption,
                           QStringLiteral("这个类别没有试题。")))
        close();
}

void Tflxl::bt_fhClick()
{
    close();
}

void Tflxl::moveSelection(int by)
{
    const int count = ui->lv_fl->count();
    if (count > 0)
        ui->lv_fl->setCurrentRow(std::clamp(ui->lv_fl->currentRow() + by, 0, count - 1));
}

void Tflxl::FormKeyDown(int vk)
{
    if (vk == app::VK_ADD || vk == app::VK_NUMPAD2)
        moveSelection(1);
    if (vk == app::VK_SUBTRACT || vk == app::VK_NUMPAD8)
        moveSelection(-1);
    if (vk == app::VK_RETURN)
        ui->bt_ks->click();
    if (vk == app::VK_DECIMAL)
        ui->bt_fh->click();
}
