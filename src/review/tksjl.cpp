#include "tksjl.h"
#include "ui_tksjl.h"

#include "tlsct.h"

#include "core/examsettings.h"
#include "core/passprobability.h"
#include "core/scoring.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "data/programfolder.h"
#include "platform/artwork.h"
#include "platform/connect.h"
#include "platform/keys.h"
#include "platform/navigation.h"
#include "platform/textfit.h"

#include <QHeaderView>
#include <QTableWidget>
#include <map>

namespace {

// The class list's entries as the vehicle-class dialog shows them, by position.
const char* const kClassNames[] = {"C1、C2、C3、C4", "A2、B2", "A1、A3、B1", "E1_摩托车",
                                   "F1_恢复性驾驶证"};
const char* const kClassCodes[] = {"C1", "A2", "A1", "E1", "F1"};
// The most papers the list shows; older ones stay in the database.
constexpr int kListedPapers = 500;
// The most papers the trend shows.
constexpr int kTrendPapers = 30;

} // namespace

Tksjl::Tksjl(QWidget* parent) : app::Form(parent), ui(std::make_unique<Ui::Tksjl>())
{
    ui->setupUi(this);
    app::fitWindowTexts(this);
    setFrame(Frame::None, Buttons::None, true);
    setKeyPreview(true);
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    ui->Image1->setPixmap(app::artwork(QStringLiteral(":/art/viewer_header.jpg")));

    QTableWidget* grid = ui->StringGrid1;
    grid->setColumnCount(7);
    grid->setHorizontalHeaderLabels({QStringLiteral("日期"), QStringLiteral("车型"),
                                     QStringLiteral("类型"), QStringLiteral("成绩"),
                                     QStringLiteral("结果"), QStringLiteral("用时"),
                                     QStringLiteral("错题")});
    const int widths[] = {140, 60, 100, 60, 80, 100};
    for (int c = 0; c < 6; ++c)
        grid->setColumnWidth(c, widths[c]);
    grid->verticalHeader()->setDefaultSectionSize(22);
    connect(grid, &QTableWidget::cellDoubleClicked, this,
            [this](int, int) { app::guard([this] { bt_ctClick(); }, this); });

    app::onClick(ui->bt_ct, this, &Tksjl::bt_ctClick);
    app::onClick(ui->bt_fh, this, &Tksjl::bt_fhClick);
    // Practice starts here, where the learner sees what needs it.
    app::onClick(ui->bt_ctlx, this, &Tksjl::bt_ctlxClick);
    app::onClick(ui->bt_fllx, this, &Tksjl::bt_fllxClick);
    app::onClick(ui->bt_sstm, this, &Tksjl::bt_sstmClick);
    app::guard([this] { FormCreate(); }, this);
}

Tksjl::~Tksjl() = default;

void Tksjl::FormCreate()
{
    int vehicleClass = nav::vehicleClass().value_or(0);
    if (vehicleClass < 0 || vehicleClass > 4)
        vehicleClass = 0;
    const QString code = QString::fromLatin1(kClassCodes[vehicleClass]);
    ui->noteinfo->setText(QStringLiteral("考试记录　车型：%1（在模拟考试的选择车型中更换）")
                              .arg(QString::fromUtf8(kClassNames[vehicleClass])));
    ui->Label1->setText(
        QStringLiteral("%1 模拟考试成绩走势（最近 %2 次）").arg(code).arg(kTrendPapers));

    const int passMark =
        core::readExamSettings(data::programFolder() + QStringLiteral("system.ini")).passMark;
    connString_ = nav::connString();
    data::Connection db(data::databasePath(connString_));
    core::ensureHistoryTables(db);

    std::map<qint64, QString> names;
    int fullMarks = 0;
    {
        data::Statement s(
            db, QStringLiteral("SELECT sortID, sortname, scale%1 FROM sort").arg(vehicleClass));
        while (s.step()) {
            names[s.column(0).toLongLong()] = s.column(1).toString();
            fullMarks += std::max(s.column(2).toInt(), 0);
        }
    }
    fullMarks *= core::pointsPerRight(code);

    std::vector<int> scores;
    const std::vector<core::PaperRecord> trend =
        core::recordedPapers(db, {core::kMockMode, code, kTrendPapers});
    for (auto it = trend.rbegin(); it != trend.rend(); ++it)
        scores.push_back(it->score);
    ui->qs->setScores(std::move(scores), passMark, fullMarks > 0 ? fullMarks : 100,
                      QStringLiteral("还没有 %1 的模拟考试记录").arg(code));

    const core::PassEstimate estimate = core::estimatePass(db, vehicleClass, passMark);
    ui->lb_gl->setText(
        core::passText(estimate).replace(QStringLiteral("（"), QStringLiteral("\n（")));
    QStringList lines;
    for (const core::CategoryEstimate& c : estimate.categories) {
        // A long category name is shortened visibly, never cut.
        QString name = names[c.sortId];
        if (name.size() > 12)
            name = name.left(11) + QChar(0x2026);
        lines << (c.asked == 0 ? QStringLiteral("%1　未答过").arg(name)
                               : QStringLiteral("%1　%2%（%3/%4）")
                                     .arg(name)
                                     .arg(qRound(c.mean() * 100))
                                     .arg(c.right)
                                     .arg(c.asked));
    }
    ui->lb_fl->setText(lines.isEmpty() ? QStringLiteral("本车型没有规定考试题量")
                                       : lines.join(u'\n'));

    papers_ = core::recordedPapers(db, {0, {}, kListedPapers});
    fillList();
}

void Tksjl::fillList()
{
    QTableWidget* grid = ui->StringGrid1;
    grid->setRowCount(int(papers_.size()));
    for (int r = 0; r < int(papers_.size()); ++r) {
        const core::PaperRecord& p = papers_[size_t(r)];
        const QStringList cells{p.startedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                                p.classCode, core::paperKind(p), QString::number(p.score),
                                // A practice paper has no verdict.
                                p.mode != core::kMockMode && p.mode != core::kStudyMode
                                    ? QStringLiteral("—")
                                : p.passed ? QStringLiteral("合格")
                                           : QStringLiteral("不合格"),
                                core::minutesAndSeconds(p.secondsUsed) +
                                    (p.timedOut ? QStringLiteral("（超时）") : QString()),
                                QString::number(p.questionCount - p.rightCount)};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 4)
                item->setForeground(p.passed ? QColor(0, 128, 0) : QColor(200, 0, 0));
            grid->setItem(r, c, item);
        }
    }
    if (!papers_.empty())
        grid->selectRow(0);
    ui->bt_ct->setEnabled(!papers_.empty());
    ui->bt_ctlx->setText(QStringLiteral("4 错题练习（今日%1题）").arg(nav::dueToday()));
}

int Tksjl::selectedPaper() const
{
    const QList<QTableWidgetSelectionRange> ranges = ui->StringGrid1->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

void Tksjl::moveSelection(int by)
{
    if (papers_.empty())
        return;
    const int row = std::clamp(selectedPaper() + by, 0, int(papers_.size()) - 1);
    ui->StringGrid1->selectRow(row);
    ui->StringGrid1->scrollToItem(ui->StringGrid1->item(row, 0));
}

void Tksjl::bt_ctClick()
{
    const int row = selectedPaper();
    if (row < 0)
        return;
    const core::PaperRecord& paper = papers_[size_t(row)];
    data::Connection db(data::databasePath(connString_));
    // The viewer frees itself when closed.
    (new Tlsct(paper, core::recordedAnswers(db, paper.paperId)))->show();
}

void Tksjl::bt_fhClick()
{
    close();
}

void Tksjl::bt_ctlxClick()
{
    nav::startDrill(this);
}

void Tksjl::bt_fllxClick()
{
    nav::openCategoryPractice();
}

void Tksjl::bt_sstmClick()
{
    nav::openSearch();
}

void Tksjl::FormKeyDown(int vk)
{
    // Only when this window is the one in front: the viewer it opened has keys of its own.
    if (vk == app::VK_NUMPAD8 || vk == app::VK_SUBTRACT)
        moveSelection(-1);
    if (vk == app::VK_NUMPAD2 || vk == app::VK_ADD)
        moveSelection(1);
    if (vk == app::VK_RETURN)
        ui->bt_ct->click();
    if (vk == app::VK_DECIMAL)
        ui->bt_fh->click();
    if (vk == app::VK_NUMPAD4)
        ui->bt_ctlx->click();
    if (vk == app::VK_NUMPAD5)
        ui->bt_fllx->click();
    if (vk == app::VK_NUMPAD6)
        ui->bt_sstm->click();
}
