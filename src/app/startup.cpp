#include "startup.h"

#include "shared.h"

#include "core/history.h"
#include "core/search.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/programfolder.h"
#include "data/tado.h"
#include "exam/txtxx.h"
#include "menu/pagebrowser.h"
#include "menu/tdtjq.h"
#include "menu/tjtbz.h"
#include "menu/tjxjs.h"
#include "menu/tmain.h"
#include "menu/txccx.h"
#include "platform/application.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <thread>

namespace app {
namespace {

std::unique_ptr<core::SearchIndexRefresher> searchIndex;

// For the start-up benchmark (bench/startup.sh): quits once the window has been painted for the
// first time and the work queued by then is done.
class QuitWhenIdle final : public QObject
{
public:
    explicit QuitWhenIdle(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued twice: the paint comes first, then what was queued during it.
            QTimer::singleShot(0, qApp,
                               [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
        }
        return false;
    }
};

} // namespace

void startUp()
{
    // The information pages are read when their windows are first shown.
    const menu::PageBrowser::Deferral pagesLater;
    main = new Tmain;
    // The data module before the other windows: while it opens the tables, the font list is read
    // on another thread (see run), which the information pages' browsers need first.
    ado = new data::Tado(ConnString);
    guard([] { ado->DataModuleCreate(); });
    // A database from before the exam history gains its tables here; one that did not open has
    // been reported already. A connection of its own, so that the questions are still read only
    // when first shown. Before the search index is refreshed: a rebuild holds the database's
    // write lock until it is done.
    if (ado->subject.active()) {
        guard([] {
            data::Connection db(data::databasePath(ConnString));
            core::ensureHistoryTables(db);
        });
    }
    // A bank changed by an older tool, or from before search, is indexed again meanwhile.
    guard([] {
        searchIndex = std::make_unique<core::SearchIndexRefresher>(data::databasePath(ConnString));
    });
    jtbz = new Tjtbz;
    jxjs = new Tjxjs;
    xccx = new Txccx;
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
    // Reading the system's font list is the longest single step of start-up; a second thread does
    // it while the first makes the main menu and the data module. Qt's font database is
    // thread-safe: the first text laid out waits for the list if it is not complete yet.
    const std::jthread fontList([] { QFontDatabase::families(); });
    guard([] { data::useOwnFolderIfShared(); });
    startUp();
    if (qEnvironmentVariableIsSet("VELMOOR_QUIT_WHEN_IDLE"))
        new QuitWhenIdle(main);
    main->show();
    const int rc = Application::exec();
    shutDown();
    return rc;
}

} // namespace app
