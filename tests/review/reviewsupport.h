#pragma once

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

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

} // namespace testing
