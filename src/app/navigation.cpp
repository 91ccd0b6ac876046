#include "platform/navigation.h"

#include "shared.h"

#include "base/error.h"
#include "data/tado.h"
#include "exam/practicepaper.h"
#include "exam/tflxl.h"
#include "exam/tksqr.h"
#include "exam/tksxz.h"
#include "exam/tmnks.h"
#include "exam/txtxx.h"
#include "exam/txxts.h"
#include "menu/tdtjq.h"
#include "menu/tjtbz.h"
#include "menu/tjxjs.h"
#include "menu/tmain.h"
#include "menu/txccx.h"
#include "review/tckct.h"
#include "review/tksjl.h"
#include "review/tllst.h"
#include "review/tlxxc.h"
#include "review/tsstm.h"
#include "review/tycst.h"

#include <QLabel>

namespace nav {
namespace {

// Shows a window that lives for the whole run and brings it to the front.
void bringUp(QWidget* window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

data::Tado& dataModule()
{
    if (!app::ado)
        throw base::Error(QStringLiteral("题库没有打开。"));
    return *app::ado;
}

QString connString()
{
    return app::ConnString;
}

int passMark()
{
    return app::PassMark;
}

void setPassMark(int mark)
{
    app::PassMark = mark;
}

std::optional<int> vehicleClass()
{
    if (!app::xccx)
        return std::nullopt;
    return app::xccx->vehicleClass();
}

std::optional<QString> vehicleClassText()
{
    if (!app::xccx)
        return std::nullopt;
    return app::xccx->vehicleClassText();
}

std::optional<int> menuTag()
{
    if (!app::main)
        return std::nullopt;
    return app::main->Tag();
}

void showStudySets()
{
    if (app::xtxx) {
        app::xtxx->setTag(1);
        bringUp(app::xtxx);
    }
}

void showVehicleClassDialog()
{
    if (!app::xccx)
        return;
    app::xccx->setTag(2);
    bringUp(app::xccx);
}

void openErrorProne()
{
    app::ycst = new Tycst;
    app::ycst->show();
}

void openBrowseChooser()
{
    app::lxxc = new Tlxxc;
    app::lxxc->show();
}

void openRecord()
{
    app::ksjl = new Tksjl;
    app::ksjl->show();
}

void showPage(Page page)
{
    switch (page) {
    case Page::Signs:
        bringUp(app::jtbz);
        break;
    case Page::School:
        bringUp(app::jxjs);
        break;
    case Page::Skills:
        bringUp(app::dtjq);
        break;
    }
}

void openInstructions(int mode)
{
    app::ksxz = new Tksxz;
    app::ksxz->setTag(mode);
    app::ksxz->show();
}

void openExam(int mode, const QString& caption, int studySet)
{
    app::mnks = new Tmnks;
    if (!caption.isEmpty())
        app::mnks->lb_kscx()->setText(caption);
    app::mnks->setTag(mode);
    app::mnks->setStudySet(studySet);
    app::mnks->show();
}

void openHandIn(Tmnks* exam)
{
    app::ksqr = new Tksqr(exam);
    app::ksqr->show();
}

void openResult(Tmnks* exam)
{
    app::xxts = new Txxts(exam);
    app::xxts->show();
}

void endExam(Tmnks* exam)
{
    if (exam) {
        if (app::mnks == exam)
            app::mnks = nullptr;
        exam->deleteLater();
    }
    if (app::ksxz) {
        app::ksxz->deleteLater();
        app::ksxz = nullptr;
    }
    if (app::ado)
        app::ado->releaseCaches();
}

void activateMainMenu()
{
    if (app::main)
        app::main->activateWindow();
}

void openWrongAnswerReview()
{
    app::ckct = new Tckct;
    app::ckct->show();
}

void openBrowseViewer(int sortId, const QString& category)
{
    app::llst = new Tllst(sortId, category);
    app::llst->show();
}

void startDrill(QWidget* owner)
{
    exam::startDrill(owner);
}

void openCategoryPractice()
{
    (new Tflxl)->show();
}

void openSearch()
{
    (new Tsstm)->show();
}

int dueToday()
{
    // Before the data module there is no bank to count in.
    return app::ado ? exam::dueToday() : 0;
}

} // namespace nav
