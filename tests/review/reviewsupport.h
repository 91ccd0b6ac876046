#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "app/shared.h"
#include "app/startup.h"
#include "menu/txccx.h"

namespace testing {

// Answers every message box that opens while it lives, and remembers the texts, so that an
// unexpected box fails a test instead of blocking it. A test that expects boxes checks the texts
// and clears them.
class BoxAnswerer
{
public:
    using Answer = std::function<void(QMessageBox*)>;

    explicit BoxAnswerer(Answer how = [](QMessageBox* box) { box->accept(); })
        : answer(std::move(how))
    {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts << box->text();
                answer(box);
            }
        });
        timer_.start(10);
    }

    // Clicks that button where the box has it; plain message boxes are acknowledged.
    static Answer click(QMessageBox::StandardButton which)
    {
        return [which](QMessageBox* box) {
            if (QAbstractButton* button = box->button(which))
                button->click();
            else
                box->accept();
        };
    }

    QStringList texts;
    Answer answer;

private:
    QTimer timer_;
};

inline QLabel* label(QWidget* w, const char* name)
{
    return w->findChild<QLabel*>(QLatin1String(name));
}

inline QString text(QWidget* w, const char* name)
{
    return label(w, name)->text();
}

inline void press(QWidget* w, const QString& button)
{
    w->findChild<QPushButton*>(button)->click();
}

inline bool isRed(QLabel* l)
{
    return l->palette().color(QPalette::WindowText) == QColor(Qt::red);
}

// app::shutDown() deletes from a list of top-level widgets that includes the vehicle-class
// dialog's drop-down, a child of that dialog; deleting the dialog first keeps the list valid.
inline void shutDownApp()
{
    delete app::xccx.data();
    app::shutDown();
}

} // namespace testing
