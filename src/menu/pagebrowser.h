#pragma once

#include <QTextBrowser>

namespace menu {

// The browser of the information pages: shows local HTML pages and follows links between them;
// web links go to the system's browser; a page that cannot be read shows an error page instead.
class PageBrowser final : public QTextBrowser
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageBrowser)

public:
    explicit PageBrowser(QWidget* parent = nullptr);

    // Shows the page at a local file path; a large page once the event loop runs. A page that is
    // no regular file, or larger than 5 MB, shows a page that says so.
    void navigate(const QString& filePath);

    // While one lives, navigate() only notes the page: it is read when its browser is first
    // shown. Start-up thus costs nothing for pages the learner never opens.
    class Deferral
    {
    public:
        Deferral();
        ~Deferral();
        Deferral(const Deferral&) = delete;
        Deferral& operator=(const Deferral&) = delete;
    };

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void followLink(const QUrl& link);
    void loadPending();

    QString pending_;
    static inline int deferrals_ = 0;
};

// The text of an HTML page: the charset its meta tag names, else UTF-8, else GBK, the encoding of
// the program's own texts.
QString decodePage(const QByteArray& bytes);

} // namespace menu
