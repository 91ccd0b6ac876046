#include "textfit.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>

#include <utility>
#include <vector>

namespace app {
namespace {

const char* const kDesignSize = "pixelSize";
// Fixed texts of the windows were laid out for a face with tighter lines; they may shrink further
// than stored text before anything is elided.
const int kDesignMinimum = 10;

bool fits(const QLabel* label, const QString& text)
{
    const QRect box = label->contentsRect();
    if (label->wordWrap())
        return label->heightForWidth(box.width()) <= box.height();
    return label->fontMetrics().horizontalAdvance(text) <= box.width();
}

// Measuring text costs, and most windows made at start-up are never shown: their fixed texts are
// fitted when they first are, those that still show the text the window was designed with.
class FitOnFirstShow final : public QObject
{
public:
    explicit FitOnFirstShow(QWidget* window) : QObject(window)
    {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->text().isEmpty() && label->textFormat() != Qt::RichText)
                designed_.push_back({label, label->text()});
        }
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            for (const auto& [label, text] : designed_) {
                if (label && label->text() == text && !fits(label, text))
                    fitText(label, text, kDesignMinimum);
            }
            deleteLater();
        }
        return false;
    }

private:
    std::vector<std::pair<QPointer<QLabel>, QString>> designed_;
};

} // namespace

void fitText(QLabel* label, const QString& text, int minPixelSize)
{
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    int size = label->property(kDesignSize).toInt();
    if (size <= 0)
        size = QFontInfo(font).pixelSize();
    for (;; --size) {
        font.setPixelSize(size);
        label->setFont(font);
        label->setText(text);
        if (fits(label, text)) {
            label->setToolTip(QString());
            return;
        }
        if (size <= minPixelSize)
            break;
    }

    const QString ellipsis(QChar(0x2026));
    if (!label->wordWrap()) {
        label->setText(
            label->fontMetrics().elidedText(text, Qt::ElideRight, label->contentsRect().width()));
    } else {
        // The longest beginning that fits with the ellipsis.
        qsizetype low = 0, high = text.size();
        while (low < high) {
            const qsizetype mid = (low + high + 1) / 2;
            label->setText(text.left(mid) + ellipsis);
            if (fits(label, label->text()))
                low = mid;
            else
                high = mid - 1;
        }
        label->setText(text.left(low) + ellipsis);
    }
    label->setToolTip(text);
}

void fitWindowTexts(QWidget* window)
{
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : std::as_const(widgets)) {
        QFont font = w->font();
        bool changed = false;
        // A Windows face is named by its stand-in: asked for a family that is not installed, Qt
        // looks for fallbacks through fontconfig for every size and weight.
        const QString standIn = QFont::substitute(font.family());
        if (standIn != font.family()) {
            font.setFamilies({standIn});
            changed = true;
        }
        const int size = w->property(kDesignSize).toInt();
        if (size > 0) {
            font.setPixelSize(size);
            changed = true;
        }
        if (changed)
            w->setFont(font);
    }
    new FitOnFirstShow(window);
}

} // namespace app
