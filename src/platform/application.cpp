#include "application.h"

#include "dialogs.h"
#include "focusstyle.h"
#include "form.h"
#include "keys.h"

#include <QFont>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    // The application title; not a display name, which the window system would append to every
    // window's caption.
    setApplicationName(QStringLiteral("Velmoor"));
    setStyle(new FocusStyle);
    // The windows name the Chinese system fonts. A Song face with a real bold and normal leading
    // stands in for 宋体, a plain face for the rest; sizes are pixels, as the windows give them.
    const QString song = QStringLiteral("Noto Serif CJK SC");
    const QString chinese = QStringLiteral("WenQuanYi Micro Hei");
    for (const char* family : {"SimSun", "宋体", "NSimSun"})
        QFont::insertSubstitutions(QString::fromUtf8(family), {song, chinese});
    for (const char* family : {"MS Sans Serif", "Tahoma"})
        QFont::insertSubstitution(QString::fromUtf8(family), chinese);
    QFont font(chinese);
    font.setPixelSize(12);
    // Chinese text needs no shaping; without it a CJK face is read and laid out with its cmap
    // alone, not with its large substitution and positioning tables. Scripts that need shaping
    // still get it.
    font.setStyleStrategy(QFont::PreferNoShaping);
    setFont(font);
    // Qt's own Chinese texts for the buttons of message boxes (是, 否, 确定), as a Chinese
    // system shows them.
    auto* translator = new QTranslator(this);
    if (translator->load(QStringLiteral("qtbase_zh_CN"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        if (event->type() == QEvent::KeyPress && receiver->isWidgetType()) {
            auto* form = qobject_cast<Form*>(static_cast<QWidget*>(receiver)->window());
            if (form && form->keyPreview()) {
                QPointer<QObject> alive = receiver;
                form->previewKey(virtualKey(*static_cast<QKeyEvent*>(event)));
                if (!alive)
                    return true;
            }
        }
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportError(nullptr, errorText(e));
    } catch (...) {
        reportError(nullptr, QStringLiteral("未知错误"));
    }
    return false;
}

} // namespace app
