#pragma once

#include "app/startup.h"
#include "support/boxes.h"
#include "support/windows.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace testing {

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

// The end of every review test: the program shut down, no window left, and no message box that
// the test did not expect.
inline void shutDownAndCheck(std::unique_ptr<BoxAnswerer>& boxes)
{
    app::shutDown();
    const QStringList unexpected = std::exchange(boxes, nullptr)->texts();
    QCOMPARE(topLevelsLeft(), QStringList());
    QCOMPARE(unexpected, QStringList());
}

} // namespace testing
