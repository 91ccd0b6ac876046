#include "dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace app {
namespace {

QMessageBox::StandardButton run(QMessageBox& box)
{
    box.setWindowModality(Qt::ApplicationModal);
    // A box without an owner cannot be kept above the windows that stay on top any other way.
    const QWidget* owner = box.parentWidget();
    if (!owner || owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    return QMessageBox::StandardButton(box.exec());
}

} // namespace

QWidget* boxOwner(QWidget* owner)
{
    if (owner && owner->window()->isVisible())
        return owner->window();
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void messageBox(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    boxOwner(owner));
    run(box);
}

bool confirm(QWidget* owner, const QString& text, bool defaultYes)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), text,
                    QMessageBox::Yes | QMessageBox::No, boxOwner(owner));
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return run(box) == QMessageBox::Yes;
}

void reportError(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                    boxOwner(owner));
    run(box);
}

void reportErrorLater(QWidget* owner, const QString& text)
{
    QTimer::singleShot(
        0, qApp, [owner = QPointer<QWidget>(owner), text] { reportError(owner.data(), text); });
}

QString errorText(const std::exception& e)
{
    return QString::fromUtf8(e.what());
}

} // namespace app
