#include "pagebrowser.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>
#include <QTimer>

namespace menu {
namespace {

// No page of study material comes near this; a larger one would take minutes and gigabytes.
constexpr qint64 kMaxPageBytes = 5 * 1024 * 1024;
// A page up to this size is laid out at once; a larger one waits for the event loop, so that
// start-up and the main menu come first.
constexpr qint64 kAtOnceBytes = 256 * 1024;

QString errorPage(const QUrl& url)
{
    const QString name = url.isLocalFile() ? url.toLocalFile() : url.toString();
    return QStringLiteral("<html><body><h3>页面 %1 无法打开</h3></body></html>")
        .arg(name.toHtmlEscaped());
}

QString tooLargePage(const QString& path, qint64 size)
{
    return QStringLiteral("<html><body><h3>页面 %1 太大（%2 MB），无法显示。</h3></body></html>")
        .arg(path.toHtmlEscaped())
        .arg(double(size) / (1024 * 1024), 0, 'f', 1);
}

} // namespace

QString decodePage(const QByteArray& bytes)
{
    static const QRegularExpression charset(
        QStringLiteral(R"(<meta[^>]*charset\s*=\s*["']?([A-Za-z0-9_.:-]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = charset.match(QString::fromLatin1(bytes.left(2048)));
    if (match.hasMatch()) {
        QStringDecoder named(match.captured(1).toLatin1().constData());
        if (named.isValid())
            return named.decode(bytes);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder gbk("GBK");
    return gbk.isValid() ? QString(gbk.decode(bytes)) : text;
}

PageBrowser::PageBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &PageBrowser::followLink);
}

void PageBrowser::navigate(const QString& filePath)
{
    if (deferrals_ > 0) {
        pending_ = filePath;
        return;
    }
    pending_.clear();
    const QUrl url = QUrl::fromLocalFile(filePath);
    const QFileInfo info(filePath);
    if (info.isFile() && info.size() > kAtOnceBytes && info.size() <= kMaxPageBytes)
        QTimer::singleShot(0, this, [this, url] { setSource(url, QTextDocument::HtmlResource); });
    else
        setSource(url, QTextDocument::HtmlResource);
}

PageBrowser::Deferral::Deferral()
{
    ++deferrals_;
}

PageBrowser::Deferral::~Deferral()
{
    --deferrals_;
}

void PageBrowser::loadPending()
{
    if (pending_.isNull())
        return;
    navigate(std::exchange(pending_, QString()));
}

void PageBrowser::showEvent(QShowEvent* event)
{
    loadPending();
    QTextBrowser::showEvent(event);
}

QVariant PageBrowser::loadResource(int type, const QUrl& name)
{
    if (type != QTextDocument::HtmlResource)
        return QTextBrowser::loadResource(type, name);
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    // Only a regular file: opening a FIFO would wait for a writer for ever.
    const QFileInfo info(url.toLocalFile());
    if (!url.isLocalFile() || !info.isFile())
        return errorPage(url);
    if (info.size() > kMaxPageBytes)
        return tooLargePage(url.toLocalFile(), info.size());
    QFile file(url.toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return errorPage(url);
    return decodePage(file.read(kMaxPageBytes));
}

void PageBrowser::followLink(const QUrl& link)
{
    const QString scheme = link.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) {
        QDesktopServices::openUrl(link);
        return;
    }
    const QUrl target = source().resolved(link);
    if (!target.isLocalFile())
        return;
    // Pages stay in the window; a linked picture or document opens in its own program.
    const QString path = target.path().toLower();
    if (path.endsWith(QLatin1String(".html")) || path.endsWith(QLatin1String(".htm")))
        setSource(target, QTextDocument::HtmlResource);
    else
        QDesktopServices::openUrl(target);
}

} // namespace menu
