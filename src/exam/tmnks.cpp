#include "tmnks.h"
#include "ui_tmnks.h"

#include "base/error.h"
#include "core/examsettings.h"
#include "data/programfolder.h"
#include "data/schema.h"
#include "data/tado.h"
#include "pictures/picture.h"
#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

namespace {

constexpr int kGridColumns = 20;
constexpr int kGridCells = 100;

void setBlack(QLabel* label)
{
    QPalette palette = label->palette();
    if (palette.color(QPalette::WindowText) == Qt::black)
        return;
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
}

} // namespace

Tmnks::Tmnks(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tmnks>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setFrame(Frame::None, Buttons::None, true);
    setKeyPreview(true);
    ui->Image3->setPixmap(app::artwork(QStringLiteral(":/art/examinee.jpg")));
    ui->pic->setFit(app::PictureBox::Fit::Centre);
    ui->infopic->setFit(app::PictureBox::Fit::Grow);
    ui->infopic->setProperty("Tag", 0);

    QTableWidget* grid = ui->StringGrid1;
    for (QHeaderView* header : {grid->horizontalHeader(), grid->verticalHeader()}) {
        header->setMinimumSectionSize(37);
        header->setDefaultSectionSize(37);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        app::guard([&] { gridMoved(row, column); }, this);
    });
    connect(grid, &QTableWidget::cellClicked, this,
            [this](int row, int column) { app::guard([&] { gridClicked(row, column); }, this); });

    app::onClick(ui->opt1, this, &Tmnks::opt1Click);
    app::onClick(ui->opt2, this, &Tmnks::opt2Click);
    app::onClick(ui->opt3, this, &Tmnks::opt3Click);
    app::onClick(ui->opt4, this, &Tmnks::opt4Click);
    app::onClick(ui->bt_next, this, &Tmnks::bt_nextClick);
    app::onClick(ui->bt_Prior, this, &Tmnks::bt_PriorClick);
    app::onClick(ui->bt_jj, this, &Tmnks::bt_jjClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this,
            [this] { app::guard([this] { Timer1Timer(); }, this); });
    Timer1->start();

    app::guard([this] { FormCreate(); }, this);
}

Tmnks::~Tmnks() = default;

QLabel* Tmnks::lb_kscx() const
{
    return ui->lb_kscx;
}

QString Tmnks::classCode() const
{
    return ui->LB_cx->text();
}

data::Table& Tmnks::paper()
{
    return ADO_Note;
}

void Tmnks::FormCreate()
{
    if (const std::optional<QString> vehicleClass = nav::vehicleClassText())
        ui->LB_cx->setText(vehicleClass->left(2));

    ADO_Note.setConnectionString(nav::connString());
    ADO_Note.open();
    ADO_Note.setSort(data::col::noteId);
    ADO_Note.first();

    // Paper assembly leaves a filter on the questions.
    nav::dataModule().subject.setFiltered(false);

    const core::ExamSettings settings =
        core::readExamSettings(data::programFolder() + QStringLiteral("system.ini"));
    TimeLeft = settings.timeLeft;
    examTime_ = settings.timeLeft;
    startedAt_ = QDateTime::currentDateTime();
    nav::setPassMark(settings.passMark);
    showTime();

    QuestionCount = ADO_Note.recordCount();
    missedOnce_.assign(size_t(QuestionCount), false);
    numberGrid();

    if (const std::optional<int> menuTag = nav::menuTag())
        setTag(*menuTag);

    ui->autoshow->setChecked(false);
    ui->autoshow->hide();
    ui->bt_show->hide();

    if (QuestionCount == 0) {
        // Openers never show an empty paper; should one get here, nothing can be answered.
        for (QWidget* w : {static_cast<QWidget*>(ui->opt1), static_cast<QWidget*>(ui->opt2),
                           static_cast<QWidget*>(ui->opt3), static_cast<QWidget*>(ui->opt4),
                           static_cast<QWidget*>(ui->bt_Prior), static_cast<QWidget*>(ui->bt_next),
                           static_cast<QWidget*>(ui->StringGrid1)})
            w->setEnabled(false);
        return;
    }
    CurrentQuestion = 1;
    ShowQuestion();
}

void Tmnks::showTime()
{
    const int t = std::max(TimeLeft, 0);
    ui->atime->setText(QStringLiteral("%1:%2").arg(t / 60).arg(t % 60, 2, 10, QLatin1Char('0')));
}

void Tmnks::numberGrid()
{
    QTableWidget* grid = ui->StringGrid1;
    const QSignalBlocker blocker(grid);
    for (int i = 0; i < kGridCells; ++i) {
        auto* item = new QTableWidgetItem;
        if (i < QuestionCount) {
            item->setText(QString::number(i + 1));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        } else {
            // A cell after the paper leads to no question.
            item->setFlags(Qt::NoItemFlags);
        }
        grid->setItem(i / kGridColumns, i % kGridColumns, item);
    }
}

void Tmnks::ShowQuestion()
{
    data::Tado& bank = nav::dataModule();
    data::Table& subject = bank.subject;
    data::Table& options = bank.options;

    ADO_Note.setRecNo(CurrentQuestion);
    const qint64 subId = ADO_Note.asInteger(data::col::subId);
    if (!subject.locate(data::col::subId, subId))
        throw base::Error(
            QStringLiteral("题库中找不到第%1题（题号 %2）。").arg(CurrentQuestion).arg(subId));

    app::fitText(ui->Note, QString::number(CurrentQuestion) + QStringLiteral("、") +
                               subject.asString(data::col::subTitle));

    const QVariant info = subject.value(data::col::info);
    ui->LB_info->setText(pictures::namesNothing(info) ? QString() : info.toString());
    ui->LB_infoArea->verticalScrollBar()->setValue(0);

    app::showStoredPicture(ui->pic, subject.value(data::col::subPic));
    infoPicField_ = subject.value(data::col::infoPic);
    infoPicLoaded_ = false;
    ui->infopic->setProperty("Tag", pictures::namesNothing(infoPicField_) ? 0 : 1);

    const qint64 typeId = subject.asInteger(data::col::typeId);
    QLabel* const labels[4] = {ui->lb1, ui->lb2, ui->lb3, ui->lb4};
    if (typeId == 1) {
        ui->info->setText(QStringLiteral("判断题，请判断对错"));
        for (QLabel* label : labels)
            label->hide();
        ui->opt1->setText(QStringLiteral("√"));
        ui->opt2->setText(QStringLiteral("×"));
        ui->opt3->hide();
        ui->opt4->hide();
    } else {
        ui->info->setText(QStringLiteral("选择题，请选择你认为正确的答案"));
        for (QLabel* label : labels)
            label->show();
        ui->opt1->setText(QStringLiteral("A"));
        ui->opt2->setText(QStringLiteral("B"));
        ui->opt3->show();
        ui->opt4->show();
    }

    options.setFilter(data::equals(data::col::subId, subId));
    options.setFiltered(true);
    options.first();
    optionRows_ = 0;
    bool keyFound = false;
    // Positions beyond the fourth are never shown.
    for (int i = 0; i < 4 && !options.eof(); ++i, options.next()) {
        const QString content = options.asString(data::col::optContent);
        const QString text =
            typeId == 2 ? QChar(u'A' + i) + QStringLiteral(" ") + content : content;
        const bool isKey = options.asInteger(data::col::isKey) == 1;
        OptionIds[size_t(i)] = options.asInteger(data::col::optId);
        OptionKeys[size_t(i)] = isKey ? 1 : 0;
        optionRows_ = i + 1;

        QLabel* label = labels[i];
        setBlack(label);
        if (i < 2 && typeId == 1)
            label->hide();
        if (isKey) {
            keyFound = true;
            static const char16_t* const trueFalse[2] = {u"√", u"×"};
            static const char16_t* const letters[4] = {u"A", u"B", u"C", u"D"};
            ui->LB_da->setText(
                QString::fromUtf16(i < 2 && typeId == 1 ? trueFalse[i] : letters[i]));
        }
        app::fitText(label, text);
    }
    // What this question does not have must not show the previous question's texts or key.
    for (int i = optionRows_; i < 4; ++i)
        app::fitText(labels[i], QString());
    if (!keyFound)
        ui->LB_da->clear();

    if (CurrentQuestion <= kGridCells) {
        const QScopedValueRollback<bool> showing(showing_, true);
        ui->StringGrid1->setCurrentCell((CurrentQuestion - 1) / kGridColumns,
                                        (CurrentQuestion - 1) % kGridColumns);
    }

    ui->bt_Prior->setEnabled(CurrentQuestion != 1);
    ui->bt_next->setEnabled(CurrentQuestion != QuestionCount);
    emit questionShown(CurrentQuestion);
}

void Tmnks::RecordAnswer(const QString& caption, int position)
{
    // A position without an option row has no answer to record.
    if (position < 0 || position >= optionRows_ || QuestionCount == 0)
        return;
    const size_t k = size_t(position);
    QTableWidgetItem* cell = CurrentQuestion <= kGridCells
                                 ? ui->StringGrid1->item((CurrentQuestion - 1) / kGridColumns,
                                                         (CurrentQuestion - 1) % kGridColumns)
                                 : nullptr;
    const QString stored = cell ? cell->text() : QString();
    if (cell)
        cell->setText(QString::number(CurrentQuestion) + caption);

    try {
        ADO_Note.setRecNo(CurrentQuestion);
        ADO_Note.edit();
        ADO_Note.setValue(data::col::optionId, OptionIds[k]);
        ADO_Note.setValue(data::col::isRight, OptionKeys[k]);
        ADO_Note.post();
    } catch (...) {
        // The cell shows what is stored, so that the grid and the score agree.
        if (cell)
            cell->setText(stored);
        throw;
    }

    if (OptionKeys[k] == 0 && CurrentQuestion <= int(missedOnce_.size()))
        missedOnce_[size_t(CurrentQuestion - 1)] = true;
    // Practice behaves as a study set: a wrong answer stops and shows the right one.
    if (OptionKeys[k] == 0 && (Tag() == 1 || Tag() == 3)) {
        ui->GroupBox7->show();
        ui->P_info->setVisible(showInfoPicture());
        return;
    }
    ui->GroupBox7->hide();
    ui->P_info->hide();
    if (CurrentQuestion < QuestionCount) {
        ++CurrentQuestion;
        ShowQuestion();
    }
}

bool Tmnks::showInfoPicture()
{
    if (ui->infopic->property("Tag").toInt() != 1)
        return false;
    if (!infoPicLoaded_) {
        infoPicLoaded_ = true;
        if (!app::showStoredPicture(ui->infopic, infoPicField_))
            ui->infopic->setProperty("Tag", 0);
    }
    return ui->infopic->property("Tag").toInt() == 1;
}

void Tmnks::gridMoved(int row, int column)
{
    if (row >= 0 && column >= 0)
        StringGrid1Click();
}

void Tmnks::gridClicked(int row, int column)
{
    // A press that moved the highlight has run the action already.
    if (QPoint(column, row) == cellAtPress_)
        StringGrid1Click();
}

void Tmnks::StringGrid1Click()
{
    QTableWidget* grid = ui->StringGrid1;
    const int row = grid->currentRow();
    const int column = grid->currentColumn();
    if (row < 0 || column < 0)
        return;
    const int question = row * kGridColumns + column + 1;
    if (question > QuestionCount) {
        // No such question: the highlight goes back and the shown question stays.
        const QSignalBlocker blocker(grid);
        if (CurrentQuestion >= 1 && CurrentQuestion <= kGridCells)
            grid->setCurrentCell((CurrentQuestion - 1) / kGridColumns,
                                 (CurrentQuestion - 1) % kGridColumns);
        return;
    }
    CurrentQuestion = question;

    const QTableWidgetItem* cell = grid->item(row, column);
    const QString text = cell ? cell->text() : QString();
    if (!text.isEmpty()) {
        for (const char16_t* sign : {u"A", u"B", u"C", u"D", u"√", u"×"}) {
            if (text.contains(QString::fromUtf16(sign)))
                ui->da->setText(QString::fromUtf16(sign));
        }
        if (text == QString::number(CurrentQuestion))
            ui->da->clear();
    }
    // A highlight that ShowQuestion moved finds its question on screen already.
    if (!showing_)
        ShowQuestion();
    ui->GroupBox7->hide();
}

void Tmnks::goToQuestion(int q)
{
    if (q < 1 || q > QuestionCount)
        return;
    CurrentQuestion = q;
    ShowQuestion();
}

void Tmnks::opt1Click()
{
    RecordAnswer(ui->opt1->text(), 0);
}

void Tmnks::opt2Click()
{
    RecordAnswer(ui->opt2->text(), 1);
}

void Tmnks::opt3Click()
{
    RecordAnswer(ui->opt3->text(), 2);
}

void Tmnks::opt4Click()
{
    RecordAnswer(ui->opt4->text(), 3);
}

void Tmnks::bt_nextClick()
{
    ui->GroupBox7->hide();
    ui->P_info->hide();
    goToQuestion(CurrentQuestion + 1);
}

void Tmnks::bt_PriorClick()
{
    ui->GroupBox7->hide();
    ui->P_info->hide();
    goToQuestion(CurrentQuestion - 1);
}

void Tmnks::FormKeyDown(int vk)
{
    using namespace app;
    if (vk == VK_NUMPAD4 && ui->opt1->text() == u"√")
        ui->opt1->click();
    if (vk == VK_NUMPAD6 && ui->opt2->text() == u"×")
        ui->opt2->click();
    if (vk == VK_NUMPAD1 && ui->opt1->text() == u"A")
        ui->opt1->click();
    if (vk == VK_NUMPAD2 && ui->opt2->text() == u"B")
        ui->opt2->click();
    if (vk == VK_NUMPAD3 && !ui->opt3->isHidden())
        ui->opt3->click();
    if (vk == VK_NUMPAD5 && !ui->opt4->isHidden())
        ui->opt4->click();
    if (vk == VK_NUMPAD7)
        goToQuestion(1);
    if (vk == VK_NUMPAD8)
        goToQuestion(41);
    if (vk == VK_NUMPAD9)
        goToQuestion(71);
    if (vk == VK_SUBTRACT && ui->bt_Prior->isEnabled())
        ui->bt_Prior->click();
    if (vk == VK_ADD && ui->bt_next->isEnabled())
        ui->bt_next->click();
    if (vk == VK_DIVIDE)
        ui->bt_jj->click();
}

bool Tmnks::eventFilter(QObject* watched, QEvent* event)
{
    QTableWidget* grid = ui->StringGrid1;
    if (watched == grid->viewport() && event->type() == QEvent::MouseButtonPress)
        cellAtPress_ = QPoint(grid->currentColumn(), grid->currentRow());
    if (watched == grid && event->type() == QEvent::KeyPress) {
        // The keypad answers and jumps through FormKeyDown; the grid must not also search its
        // cells for the typed digit, or move with a keypad arrow.
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->modifiers() & Qt::KeypadModifier) ||
            (!key->text().isEmpty() && key->text().at(0).isPrint()))
            return true;
    }
    return app::Form::eventFilter(watched, event);
}

void Tmnks::paintEvent(QPaintEvent* event)
{
    app::Form::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Tmnks::bt_jjClick()
{
    if (handedIn_)
        return;
    ui->StringGrid1->setFocus();
    nav::openHandIn(this);
}

void Tmnks::handIn()
{
    if (handedIn_)
        return;
    handedIn_ = true;
    Timer1->stop();
    nav::openResult(this);
}

void Tmnks::Timer1Timer()
{
    --TimeLeft;
    if (TimeLeft >= 0)
        showTime();
    if (TimeLeft != 0 || handedIn_)
        return;
    const QPointer<Tmnks> self(this);
    app::messageBox(this, QStringLiteral("时间到！"));
    if (!self || handedIn_)
        return;
    timedOut_ = true;
    handIn();
    close();
}
