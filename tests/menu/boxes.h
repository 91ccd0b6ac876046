#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

namespace menutest {

// What a message box showed before it was answered.
struct SeenBox
{
    bool seen = false;
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Answers the next modal message box with the given button, whenever it appears.
inline std::shared_ptr<SeenBox> answerNextBox(QMessageBox::StandardButton button)
{
    auto seen = std::make_shared<SeenBox>();
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->seen = true;
        seen->text = box->text();
        seen->title = box->windowTitle();
        seen->icon = box->icon();
        timer->deleteLater();
        timer->stop();
        if (QAbstractButton* b = box->button(button))
            b->click();
        else
            box->reject();
    });
    timer->start(5);
    return seen;
}

} // namespace menutest
