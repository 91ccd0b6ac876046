#pragma once

#include <QPixmap>
#include <QString>

namespace app {

// A picture of the windows' own artwork, read from a Qt resource such as ":/art/main_banner.jpg".
// JPEG goes through the program's own decoder, anything else through Qt. A null pixmap, with a
// warning, when the resource is missing or broken: artwork is decoration and never stops a window.
QPixmap artwork(const QString& resourcePath);

} // namespace app
