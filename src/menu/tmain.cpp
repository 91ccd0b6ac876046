#include "tmain.h"
#include "ui_tmain.h"

#include "cipherkey.h"
#include "ciphertexts.h"
#include "tdtjq.h"
#include "tjtbz.h"
#include "tjxjs.h"
#include "txccx.h"

#include "app/artwork.h"
#include "app/dialogs.h"
#include "app/keys.h"
#include "app/shared.h"
#include "data/tado.h"
#include "exam/txtxx.h"
#include "review/tlxxc.h"
#include "review/tycst.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QStringDecoder>
#include <QUrl>
#include <stdexcept>

namespace {

// The maker's address, opened from the status line.
constexpr char kMakerAddress[] = "https://velmoor.example.org";

// Shows a window that lives for the whole run and brings it to the front.
void bringUp(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

template <typename Handler> void onLabelClick(menu::ClickLabel* label, Tmain* window, Handler h)
{
    QObject::connect(label, &menu::ClickLabel::clicked, window,
                     [window, h] { app::guard([&] { (window->*h)(); }); });
}

} // namespace

Tmain::Tmain(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tmain>())
{
    ui->setupUi(this);
    setFrame(Frame::None, Buttons::None, false);
    setKeyPreview(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    ui->Image12->setPixmap(app::artwork(QStringLiteral(":/art/main_banner.jpg")));
    ui->Image11->setPixmap(app::artwork(QStringLiteral(":/art/main_picture.jpg")));
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
        b.label->setPixmap(app::artwork(QString::fromLatin1(b.art)));
        onLabelClick(b.label, this, b.handler);
    }
    onLabelClick(ui->Label1, this, &Tmain::Label1Click);

    app::guard([this] { FormCreate(); });
}

Tmain::~Tmain() = default;

void Tmain::FormCreate()
{
    // Runs before the data module exists: no database here.
    ui->Label1->setText(DecipherText(QString::fromLatin1(menu::kStatusText)));
}

QString Tmain::DecipherText(const QString& hex)
{
    const qsizetype pairs = hex.size() / 2;
    QByteArray bytes;
    bytes.reserve(pairs);
    size_t keyPos = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        bool ok = false;
        const uint value = QStringView(hex).mid(2 * i, 2).toUInt(&ok, 16);
        if (!ok)
            throw std::runtime_error(
                QStringLiteral("“%1”不是有效的十六进制数").arg(hex.mid(2 * i, 2)).toStdString());
        bytes.append(char(value ^ menu::kCipherKey[keyPos]));
        keyPos = (keyPos + 1) % menu::kCipherKey.size();
    }
    QStringDecoder gbk("GBK");
    if (!gbk.isValid())
        throw std::runtime_error("系统不支持 GBK 编码");
    return gbk.decode(bytes);
}

void Tmain::Image9Click()
{
    setTag(1);
    if (app::xtxx) {
        app::xtxx->setTag(1);
        app::xtxx->show();
    }
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
}

void Tmain::ShowVehicleClassDialog()
{
    if (!app::xccx)
        return;
    app::xccx->setTag(2);
    bringUp(app::xccx);
}

void Tmain::Image7Click()
{
    if (!app::ado)
        throw std::runtime_error("数据模块未创建");
    data::Table& subject = app::ado->subject;
    // Reopened so that counters reset through another handle are seen.
    subject.close();
    subject.open();
    subject.setFiltered(false);
    subject.setSort(QStringLiteral("errorTimes DESC"));
    subject.first();
    subject.setFilter(QStringLiteral("errorTimes>0"));
    subject.setFiltered(true);
    if (subject.recordCount() > 0) {
        app::ycst = new Tycst;
        app::ycst->show();
    } else {
        app::messageBox(QStringLiteral("没有易错试题！"));
    }
}

void Tmain::Image6Click()
{
    app::lxxc = new Tlxxc;
    app::lxxc->show();
}

void Tmain::Image10Click()
{
    bringUp(app::dtjq);
}

void Tmain::Image4Click()
{
    bringUp(app::jtbz);
}

void Tmain::Image5Click()
{
    bringUp(app::jxjs);
}

void Tmain::Image3Click()
{
    if (app::confirm(QStringLiteral("你确定要退出本程序吗?"), true))
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
