#pragma once

#include <QPixmap>
#include <QString>

#include <utility>
#include <vector>

class QLabel;
class QWidget;

namespace app {

// A picture of the windows' own artwork, read from a Qt resource such as ":/art/main_banner.jpg".
// JPEG goes through the program's own decoder, anything else through Qt. A null pixmap, with a
// warning, when the resource is missing or broken: artwork is decoration and never stops a window.
QPixmap artwork(const QString& resourcePath);

// For the window shown at start-up: the pictures are decoded on a thread of their own while the
// rest of start-up goes on, and each label gets its picture when the window is first shown.
void artworkOnFirstShow(QWidget* window, std::vector<std::pair<QLabel*, QString>> pictures);

} // namespace app
