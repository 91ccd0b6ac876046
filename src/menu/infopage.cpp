#include "infopage.h"

#include "pagebrowser.h"

#include "data/programfolder.h"
#include "platform/dialogs.h"

#include <utility>

namespace menu {

InfoPage::InfoPage(QString page, QWidget* parent) : app::Form(parent), page_(std::move(page)) {}

void InfoPage::FormCreate(PageBrowser* browser)
{
    app::guard([&] { browser->navigate(data::programFolder() + QStringLiteral("html/") + page_); },
               this);
}

} // namespace menu
