#include "dialogs.h"

#include "data/error.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace app {
namespace {

QMessageBox::StandardButton run(QMessageBox& box)
{
    box.setWindowModality(Qt::ApplicationModal);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

void messageBox(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok);
    run(box);
}

bool confirm(const QString& text, bool defaultYes)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), text,
                    QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return run(box) == QMessageBox::Yes;
}

void reportError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok);
    run(box);
}

void reportErrorLater(const QString& text)
{
    QTimer::singleShot(0, qApp, [text] { reportError(text); });
}

QString errorText(const std::exception& e)
{
    return QString::fromUtf8(e.what());
}

} // namespace app
