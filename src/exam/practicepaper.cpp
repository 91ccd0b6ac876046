#include "practicepaper.h"

#include "core/paper.h"
#include "core/practice.h"
#include "core/schedule.h"
#include "data/connection.h"
#include "data/dataset.h"
#include "platform/dialogs.h"
#include "platform/navigation.h"

#include <QDateTime>

namespace exam {

bool openPractice(QWidget* owner, const std::vector<qint64>& subids, const QString& caption,
                  const QString& nothingText)
{
    data::Table note{QStringLiteral("note")};
    note.setConnectionString(nav::connString());
    note.open();
    note.setSort(QStringLiteral("noteId"));
    if (core::writeQuestionPaper(note, subids) == 0) {
        app::messageBox(owner, nothingText);
        return false;
    }
    note.close();

    nav::openExam(kPracticeMode, caption);
    return true;
}

bool startDrill(QWidget* owner)
{
    std::vector<qint64> due;
    {
        data::Connection db(data::databasePath(nav::connString()));
        core::createScheduleTables(db);
        due = core::dueQuestions(db, QDateTime::currentSecsSinceEpoch(), core::kPracticeSize);
    }
    return openPractice(owner, due, kDrillCaption,
                        QStringLiteral("目前没有到期要复习的错题。模拟考试或试题学习中答错的题，"
                                       "会按时排入错题练习。"));
}

int dueToday()
{
    data::Connection db(data::databasePath(nav::connString()));
    core::createScheduleTables(db);
    return core::dueCount(db, core::endOfDay(QDateTime::currentSecsSinceEpoch()));
}

} // namespace exam
