#include "questionviewer.h"

#include "data/schema.h"
#include "data/tado.h"
#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/navigation.h"
#include "platform/picturebox.h"
#include "platform/textfit.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include <string>

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

QuestionViewer::QuestionViewer(QWidget* parent) : app::Form(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void QuestionViewer::bindControls()
{
    const auto control = [this]<typename T>(T*& to, const char* name) {
        to = findChild<T*>(QString::fromLatin1(name));
        Q_ASSERT(to);
    };
    control(note_, "note");
    control(info_, "info");
    control(infoArea_, "infoArea");
    control(pic_, "pic");
    for (std::size_t i = 0; i < options_.size(); ++i)
        control(options_[i], ("lb" + std::to_string(i + 1)).c_str());
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        control(buttons_[i], ("Button" + std::to_string(i + 1)).c_str());

    app::fitWindowTexts(this);
    findChild<QLabel*>(QStringLiteral("Image1"))
        ->setPixmap(app::artwork(QStringLiteral(":/art/viewer_header.jpg")));
    pic_->setFit(app::PictureBox::Fit::Centre);
    setFrame(Frame::None, Buttons::None, true);

    app::onClick(buttons_[0], this, &QuestionViewer::Button1Click);
    app::onClick(buttons_[1], this, &QuestionViewer::Button2Click);
    app::onClick(buttons_[2], this, &QuestionViewer::Button3Click);
    app::onClick(buttons_[3], this, &QuestionViewer::Button4Click);
    app::onClick(buttons_[4], this, &QuestionViewer::Button5Click);
}

QuestionViewer::~QuestionViewer() = default;

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
    return {subject.asInteger(data::col::subId), subject.recNo(), std::nullopt};
}

void QuestionViewer::UpdateButtons()
{
    const int count = listCount();
    const bool atLast = count == currentNo() || count == 0;
    const bool atFirst = currentNo() == 1 || count == 0;
    buttons_[2]->setEnabled(!atLast);
    buttons_[3]->setEnabled(!atLast);
    buttons_[1]->setEnabled(!atFirst);
    buttons_[0]->setEnabled(!atFirst);
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
    app::fitText(note_, QStringLiteral("第%1题\n\n").arg(current.number) +
                            subject.asString(data::col::subTitle));
    const QVariant info = subject.value(data::col::info);
    info_->setText(info.isNull() || info.toString() == QLatin1String("NULL") ? QString()
                                                                             : info.toString());
    infoArea_->verticalScrollBar()->setValue(0);
    // A picture that fails to load is reported afterwards; the display goes on without it.
    app::showStoredPicture(pic_, subject.value(data::col::subPic));

    const std::array<QLabel*, 4>& labels = options_;
    const bool review = current.choice.has_value();
    if (review) {
        // The option rows decide; a question without options shows none.
        options_[2]->hide();
        options_[3]->hide();
    } else {
        const bool trueFalse = subject.asInteger(data::col::typeId) == 1;
        options_[2]->setVisible(!trueFalse);
        options_[3]->setVisible(!trueFalse);
    }
    // A question with fewer options must not keep the previous question's texts.
    for (QLabel* label : labels) {
        app::fitText(label, QString());
        setKeyColour(label, false);
    }

    data::Table& options = nav::dataModule().options;
    filterTo(options, data::equals(data::col::subId, current.subId));
    options.first();
    for (std::size_t i = 0; i < labels.size() && !options.eof(); ++i, options.next()) {
        QString text = options.asString(data::col::optContent);
        const bool isKey = options.asInteger(data::col::isKey) == 1;
        if (review && options.asInteger(data::col::optId) == *current.choice)
            text += QStringLiteral("×");
        if (isKey)
            text += QStringLiteral("√");
        if (review && i >= 2)
            labels[i]->show();
        setKeyColour(labels[i], isKey);
        app::fitText(labels[i], text);
    }
}

void QuestionViewer::showEmpty()
{
    note_->setText(QStringLiteral("没有可显示的试题。"));
    info_->clear();
    pic_->clearPicture();
    pic_->hide();
    for (QLabel* label : options_)
        app::fitText(label, QString());
    for (std::size_t i = 0; i < 4; ++i)
        buttons_[i]->setEnabled(false);
}
