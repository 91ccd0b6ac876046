#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>

namespace testing {

// What a message box showed before it was answered.
struct SeenBox
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QWidget* owner = nullptr; // the window the box belongs to
    bool onTop = false;
    QStringList buttons; // their texts, mnemonic marks removed
};

// While it lives, answers every message box that becomes the active modal widget and records it,
// so that a box can neither block a test nor pass unnoticed. The boxes are modal, so they are
// polled for from the nested event loop they run.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton button = QMessageBox::Ok) : button_(button)
    {
        poll();
    }

    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Answers the boxes from now on with that button; a box without it is closed as Esc would.
    void answerWith(QMessageBox::StandardButton button)
    {
        button_ = button;
        byEnter_ = false;
    }

    // Answers the boxes from now on with the Return key, that is with their default button.
    void answerWithEnter() { byEnter_ = true; }

    // Runs action while each box is up, before it is answered; an empty one runs nothing.
    void whileUp(std::function<void()> action) { whileUp_ = std::move(action); }

    const QList<SeenBox>& boxes() const { return boxes_; }
    qsizetype count() const { return boxes_.size(); }
    const SeenBox& at(qsizetype i) const { return boxes_.at(i); }

    QStringList texts() const
    {
        QStringList texts;
        for (const SeenBox& box : boxes_)
            texts << box.text;
        return texts;
    }

    // Forgets the boxes seen so far, once a test has checked them.
    void clear() { boxes_.clear(); }

private:
    void poll()
    {
        // The next look is booked first, so that a box opened while this one is handled is
        // answered too: a repeating timer does not fire again while its handler runs.
        QTimer::singleShot(5, &context_, [this] { poll(); });
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        QStringList buttons;
        for (const QAbstractButton* b : box->buttons())
            buttons << QString(b->text()).remove(u'&');
        boxes_ << SeenBox{box->text(),
                          box->windowTitle(),
                          box->icon(),
                          box->standardButton(box->defaultButton()),
                          box->parentWidget(),
                          box->windowFlags().testFlag(Qt::WindowStaysOnTopHint),
                          buttons};
        if (whileUp_)
            whileUp_();
        if (byEnter_)
            QTest::keyClick(box, Qt::Key_Return);
        else if (QAbstractButton* chosen = box->button(button_))
            chosen->click();
        else
            QTest::keyClick(box, Qt::Key_Escape);
        // A box that Esc cannot close must not block the test either.
        if (box->isVisible())
            box->reject();
    }

    QMessageBox::StandardButton button_;
    bool byEnter_ = false;
    std::function<void()> whileUp_;
    QList<SeenBox> boxes_;
    QObject context_; // ends the polling with the answerer
};

} // namespace testing
