#include "questionviewer.h"

#include "ui_questionviewer.h"

#include "data/tado.h"
#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/navigation.h"
#include "platform/picturebox.h"

namespace {

void setKeyColour(QLabel* label, bool isKey)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, isKey ? Qt::red : Qt::black);
    label->setPalette(palette);
}

} // namespace

void QuestionViewer::filterTo(data::Table& table, const QString& filter)
{
    table.setFiltered(false);
    table.setFilter(filter);
    table.setFiltered(true);
}

QuestionViewer::QuestionViewer(const Layout& layout, QWidget* parent)
    : app::Form(parent), ui(std::make_unique<Ui::QuestionViewer>())
{
    ui->setupUi(this);
    resize(layout.client);

    // Everything between the header and the buttons moves as one block.
    const QList<QWidget*> body{ui->Shape1,  ui->note,   ui->Shape5, ui->Shape3,  ui->Shape4,
                               ui->Shape2,  ui->Label1, ui->Label2, ui->Label3,  ui->Label4,
                               ui->Shape6,  ui->Shape7, ui->Shape8, ui->Shape9,  ui->lb1,
                               ui->lb2,     ui->lb3,    ui->lb4,    ui->Shape10, ui->pic,
                               ui->Shape11, ui->Label5, ui->info};
    for (QWidget* w : body)
        w->move(w->x(), w->y() - layout.bodyShift);
    const std::array<QPushButton*, 5> buttons{ui->Button1, ui->Button2, ui->Button3, ui->Button4,
                                              ui->Button5};
    for (std::size_t i = 0; i < buttons.size(); ++i)
        buttons[i]->setGeometry(layout.buttonLefts[i], layout.buttonTop, layout.buttonWidths[i],
                                buttons[i]->height());
    QFont infoFont = ui->info->font();
    infoFont.setPointSize(layout.infoPointSize);
    ui->info->setFont(infoFont);
    if (layout.title) {
        ui->noteinfo->setObjectName(QString::fromLatin1(layout.title->name));
        ui->noteinfo->move(layout.title->pos);
        QFont titleFont = ui->noteinfo->font();
        titleFont.setPointSize(layout.title->pointSize);
        ui->noteinfo->setFont(titleFont);
    } else {
        delete ui->noteinfo;
        ui->noteinfo = nullptr;
    }

    ui->Image1->setPixmap(app::artwork(QStringLiteral(":/art/viewer_header.jpg")));
    ui->pic->setFit(app::PictureBox::Fit::Centre);

    setFrame(Frame::None, Buttons::None, true);
    setAttribute(Qt::WA_DeleteOnClose);

    app::onClick(ui->Button1, this, &QuestionViewer::Button1Click);
    app::onClick(ui->Button2, this, &QuestionViewer::Button2Click);
    app::onClick(ui->Button3, this, &QuestionViewer::Button3Click);
    app::onClick(ui->Button4, this, &QuestionViewer::Button4Click);
    app::onClick(ui->Button5, this, &QuestionViewer::Button5Click);
}

QuestionViewer::~QuestionViewer() = default;

QLabel* QuestionViewer::titleLine() const
{
    return ui->noteinfo;
}

void QuestionViewer::Button1Click()
{
    if (listCount() > 0)
        currentNo() = 1;
    UpdateButtons();
    ShowCurrent();
}

void QuestionViewer::Button2Click()
{
    if (currentNo() > 1)
        --currentNo();
    UpdateButtons();
    ShowCurrent();
}

void QuestionViewer::Button3Click()
{
    if (currentNo() < listCount())
        ++currentNo();
    UpdateButtons();
    ShowCurrent();
}

void QuestionViewer::Button4Click()
{
    const int count = listCount();
    if (count > 0)
        currentNo() = count;
    UpdateButtons();
    ShowCurrent();
}

void QuestionViewer::Button5Click()
{
    close();
}

int QuestionViewer::listCount() const
{
    return nav::dataModule().subject.recordCount();
}

QuestionViewer::Current QuestionViewer::moveToCurrent()
{
    data::Table& subject = nav::dataModule().subject;
    subject.first();
    subject.moveBy(currentNo() - 1);
    return {subject.asInteger(QStringLiteral("subid")), subject.recNo(), std::nullopt};
}

void QuestionViewer::UpdateButtons()
{
    const int count = listCount();
    const bool atLast = count == currentNo() || count == 0;
    const bool atFirst = currentNo() == 1 || count == 0;
    ui->Button3->setEnabled(!atLast);
    ui->Button4->setEnabled(!atLast);
    ui->Button2->setEnabled(!atFirst);
    ui->Button1->setEnabled(!atFirst);
}

void QuestionViewer::ShowCurrent()
{
    const int count = listCount();
    if (count == 0) {
        showEmpty();
        return;
    }
    // Another window may have narrowed the shared list since the last press.
    if (currentNo() > count)
        currentNo() = count;

    const Current current = moveToCurrent();
    data::Table& subject = nav::dataModule().subject;
    ui->note->setText(QStringLiteral("第%1题\n\n").arg(current.number) +
                      subject.asString(QStringLiteral("subtitle")));
    const QVariant info = subject.value(QStringLiteral("info"));
    ui->info->setText(info.isNull() || info.toString() == QLatin1String("NULL") ? QString()
                                                                                : info.toString());
    // A picture that fails to load is reported afterwards; the display goes on without it.
    app::showStoredPicture(ui->pic, subject.value(QStringLiteral("subpic")));

    const std::array<QLabel*, 4> labels = optionLabels();
    const bool review = current.choice.has_value();
    if (review) {
        // The option rows decide; a question without options shows none.
        ui->lb3->hide();
        ui->lb4->hide();
    } else {
        const bool trueFalse = subject.asInteger(QStringLiteral("typeId")) == 1;
        ui->lb3->setVisible(!trueFalse);
        ui->lb4->setVisible(!trueFalse);
    }
    // A question with fewer options must not keep the previous question's texts.
    for (QLabel* label : labels) {
        label->clear();
        setKeyColour(label, false);
    }

    data::Table& options = nav::dataModule().options;
    filterTo(options, QStringLiteral("subid=%1").arg(current.subId));
    options.first();
    for (std::size_t i = 0; i < labels.size() && !options.eof(); ++i, options.next()) {
        QString text = options.asString(QStringLiteral("optcontent"));
        const bool isKey = options.asInteger(QStringLiteral("iskey")) == 1;
        if (review && options.asInteger(QStringLiteral("optid")) == *current.choice)
            text += QStringLiteral("×");
        if (isKey)
            text += QStringLiteral("√");
        if (review && i >= 2)
            labels[i]->show();
        setKeyColour(labels[i], isKey);
        labels[i]->setText(text);
    }
}

void QuestionViewer::showEmpty()
{
    ui->note->setText(QStringLiteral("没有可显示的试题。"));
    ui->info->clear();
    ui->pic->clearPicture();
    ui->pic->hide();
    for (QLabel* label : optionLabels())
        label->clear();
    for (QPushButton* button : navigationButtons())
        button->setEnabled(false);
}

std::array<QLabel*, 4> QuestionViewer::optionLabels() const
{
    return {ui->lb1, ui->lb2, ui->lb3, ui->lb4};
}

std::array<QPushButton*, 4> QuestionViewer::navigationButtons() const
{
    return {ui->Button1, ui->Button2, ui->Button3, ui->Button4};
}
