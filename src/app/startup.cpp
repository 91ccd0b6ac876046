#include "startup.h"

#include "shared.h"

#include "core/search.h"
#include "data/dataset.h"
#include "data/programfolder.h"
#include "data/tado.h"
#include "exam/txtxx.h"
#include "menu/tdtjq.h"
#include "menu/tjtbz.h"
#include "menu/tjxjs.h"
#include "menu/tmain.h"
#include "menu/txccx.h"
#include "platform/application.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QPointer>
#include <memory>

namespace app {
namespace {

std::unique_ptr<core::SearchIndexRefresher> searchIndex;

} // namespace

void startUp()
{
    main = new Tmain;
    jtbz = new Tjtbz;
    jxjs = new Tjxjs;
    xccx = new Txccx;
    ado = new data::Tado(ConnString);
    guard([] { ado->DataModuleCreate(); });
    // A bank changed by an older tool, or from before search, is indexed again meanwhile.
    guard([] {
        searchIndex = std::make_unique<core::SearchIndexRefresher>(data::databasePath(ConnString));
    });
    dtjq = new Tdtjq;
    xtxx = new Txtxx;
}

void shutDown()
{
    // Every window, whether it lives for the whole run or was opened on demand. Deleting one may
    // delete others it owns, so each is looked at through a guard.
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<Form*>(w))
            windows << w;
    }
    for (const QPointer<QWidget>& w : windows)
        delete w.data();
    delete ado;
    ado = nullptr;
    searchIndex.reset();
}

int run(int argc, char** argv)
{
    Application application(argc, argv);
    guard([] { data::useOwnFolderIfShared(); });
    startUp();
    main->show();
    const int rc = Application::exec();
    shutDown();
    return rc;
}

} // namespace app
