#pragma once

#include "platform/form.h"

namespace menu {

class PageBrowser;

// The base of the three information pages: a window that lives for the whole run and loads one
// local page from html/ once, so closing and reopening keeps the page, the link followed and the
// scroll position. Its caption is "Velmoor".
class InfoPage : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InfoPage)

protected:
    // `page` is the file name in html/ of the program folder.
    InfoPage(QString page, QWidget* parent);

    // The creation handler: shows the page in `browser`; an error goes to the error report.
    void FormCreate(PageBrowser* browser);

private:
    const QString page_;
};

} // namespace menu
