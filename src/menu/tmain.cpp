#include "tmain.h"
#include "ui_tmain.h"

#include "core/cipher.h"
#include "core/ciphertexts.h"
#include "data/schema.h"
#include "data/tado.h"
#include "platform/artwork.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace {

// The maker's address, opened from the status line.
constexpr char kMakerAddress[] = "https://velmoor.example.org";

template <typename Handler> void onLabelClick(menu::ClickLabel* label, Tmain* window, Handler h)
{
    QObject::connect(label, &menu::ClickLabel::clicked, window,
                     [window, h] { app::guard([&] { (window->*h)(); }, window); });
}

} // namespace

Tmain::Tmain(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tmain>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setFrame(Frame::None, Buttons::None, false);
    setKeyPreview(true);

    std::vector<std::pair<QLabel*, QString>> art = {
        {ui->Image12, QStringLiteral(":/art/main_banner.jpg")},
        {ui->Image11, QStringLiteral(":/art/main_picture.jpg")},
    };
    const struct
    {
        menu::ClickLabel* label;
        const char* art;
        void (Tmain::*handler)();
    } buttons[] = {
        {ui->Image9, ":/art/btn_study.jpg", &Tmain::Image9Click},
        {ui->Image8, ":/art/btn_exam.jpg", &Tmain::Image8Click},
        {ui->Image7, ":/art/btn_errors.jpg", &Tmain::Image7Click},
        {ui->Image6, ":/art/btn_browse.jpg", &Tmain::Image6Click},
        {ui->Image10, ":/art/btn_skills.jpg", &Tmain::Image10Click},
        {ui->Image4, ":/art/btn_signs.jpg", &Tmain::Image4Click},
        {ui->Image5, ":/art/btn_school.jpg", &Tmain::Image5Click},
        {ui->Image3, ":/art/btn_exit.jpg", &Tmain::Image3Click},
    };
    for (const auto& b : buttons) {
        art.emplace_back(b.label, QString::fromLatin1(b.art));
        onLabelClick(b.label, this, b.handler);
    }
    // The first window on screen: its pictures are decoded while the other windows are made.
    app::artworkOnFirstShow(this, std::move(art));
    onLabelClick(ui->Label1, this, &Tmain::Label1Click);
    onLabelClick(ui->lb_ctlx, this, &Tmain::lb_ctlxClick);
    onLabelClick(ui->lb_fllx, this, &Tmain::lb_fllxClick);
    onLabelClick(ui->lb_sstm, this, &Tmain::lb_sstmClick);
    onLabelClick(ui->lb_ksjl, this, &Tmain::lb_ksjlClick);

    app::guard([this] { FormCreate(); }, this);
}

Tmain::~Tmain() = default;

void Tmain::FormCreate()
{
    // Runs before the data module exists: no database here.
    ui->Label1->setText(core::DecipherText(QString::fromLatin1(core::kStatusText)));
}

void Tmain::Image9Click()
{
    setTag(1);
    nav::showStudySets();
}

void Tmain::Image8Click()
{
    setTag(2);
    ShowVehicleClassDialog();
}

void Tmain::FormKeyDown(int vk)
{
    // The examination-room shortcut: a mock examination without touching this window's mode.
    if (vk == app::VK_MULTIPLY)
        ShowVehicleClassDialog();
    if (vk == app::VK_NUMPAD1)
        lb_ctlxClick();
    if (vk == app::VK_NUMPAD2)
        lb_fllxClick();
    if (vk == app::VK_NUMPAD3)
        lb_sstmClick();
    if (vk == app::VK_DIVIDE)
        lb_ksjlClick();
}

void Tmain::lb_ctlxClick()
{
    nav::startDrill(this);
}

void Tmain::lb_fllxClick()
{
    nav::openCategoryPractice();
}

void Tmain::lb_sstmClick()
{
    nav::openSearch();
}

void Tmain::showDueToday()
{
    QString text = QStringLiteral("1 错题练习");
    // A count that cannot be read is no reason to interrupt the menu: the entry goes without.
    try {
        text += QStringLiteral("（今日%1题）").arg(nav::dueToday());
    } catch (const std::exception&) {
    }
    ui->lb_ctlx->setText(text);
}

void Tmain::changeEvent(QEvent* event)
{
    app::Form::changeEvent(event);
    // The menu comes back to the front after every paper: the count may have changed.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showDueToday();
}

void Tmain::ShowVehicleClassDialog()
{
    nav::showVehicleClassDialog();
}

void Tmain::Image7Click()
{
    data::Table& subject = nav::dataModule().subject;
    // Reopened so that counters reset through another handle are seen.
    subject.close();
    subject.open();
    subject.setFiltered(false);
    subject.setSort(data::col::errorTimes + QStringLiteral(" DESC"));
    subject.first();
    subject.setFilter(data::greater(data::col::errorTimes, 0));
    subject.setFiltered(true);
    if (subject.recordCount() > 0) {
        nav::openErrorProne();
    } else {
        app::messageBox(this, QStringLiteral("没有易错试题！"));
    }
}

void Tmain::lb_ksjlClick()
{
    nav::openRecord();
}

void Tmain::Image6Click()
{
    nav::openBrowseChooser();
}

void Tmain::Image10Click()
{
    nav::showPage(nav::Page::Skills);
}

void Tmain::Image4Click()
{
    nav::showPage(nav::Page::Signs);
}

void Tmain::Image5Click()
{
    nav::showPage(nav::Page::School);
}

void Tmain::Image3Click()
{
    if (app::confirm(this, QStringLiteral("你确定要退出本程序吗?"), true))
        close();
}

void Tmain::Label1Click()
{
    // No browser is no error worth a message.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerAddress)));
}

void Tmain::closeEvent(QCloseEvent* event)
{
    app::Form::closeEvent(event);
    QCoreApplication::quit();
}
