#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

namespace testing {

// What a message box showed before it was answered.
struct SeenBox
{
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// While it lives, answers every message box that becomes the active modal widget and records it,
// so that a box can neither block a test nor pass unnoticed. The boxes are modal, so they are
// polled for from the nested event loop they run.
class BoxAnswerer
{
public:
    explicit BoxAnswerer(QMessageBox::StandardButton button = QMessageBox::Ok) : button_(button)
    {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { answerActiveBox(); });
        timer_.start(5);
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
    void answerActiveBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        boxes_ << SeenBox{box->text(), box->windowTitle(), box->icon(),
                          box->standardButton(box->defaultButton())};
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
    QList<SeenBox> boxes_;
    QTimer timer_;
};

} // namespace testing
