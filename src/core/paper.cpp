#include "paper.h"

#include "data/dataset.h"
#include "data/schema.h"

#include <QStringList>
#include <algorithm>
#include <utility>

namespace core {
namespace {

// Opens the paper on a fresh snapshot, so that rows written through other handles since it was
// last open are deleted too, then empties it inside a transaction.
void startPaper(data::Table& note)
{
    note.close();
    note.open();
    note.setSort(data::col::noteId);
    note.beginTransaction();
    note.first();
    while (note.recordCount() > 0)
        note.remove();
}

// Puts the previous paper back; the error that led here is the one the learner should read.
void abandonPaper(data::Table& note) noexcept
{
    try {
        note.rollback();
    } catch (...) {
    }
}

// Runs `write` on an emptied paper; commits when it wrote rows, otherwise keeps the old paper.
template <typename Write> int replacePaper(data::Table& note, Write&& write)
{
    startPaper(note);
    try {
        const int written = std::forward<Write>(write)();
        if (written > 0)
            note.commit();
        else
            abandonPaper(note);
        return written;
    } catch (...) {
        abandonPaper(note);
        throw;
    }
}

QString typeName(int typeId)
{
    return typeId == kTrueFalse ? QStringLiteral("判断题") : QStringLiteral("选择题");
}

} // namespace

PaperDrawer::PaperDrawer(data::Table& subject, data::Table& sort, data::Table& note,
                         SeedSource seeds)
    : subject_(subject), sort_(sort), note_(note), seeds_(std::move(seeds))
{}

int PaperDrawer::DrawQuestions(int count, qint64 sortId, int typeId)
{
    // Changing the text of a filter in force applies it at once: one pass over the bank, not two.
    subject_.setFilter(
        QStringLiteral("(%1) and (%2)")
            .arg(data::equals(data::col::sortId, sortId), data::equals(data::col::typeId, typeId)));
    if (!subject_.filtered())
        subject_.setFiltered(true);
    subject_.first();
    const int n = subject_.recordCount();
    if (count <= 0 || n == 0)
        return n;
    for (int slot = 0; slot < count; ++slot) {
        int tries = 0;
        qint64 id = 0;
        // A category with fewer questions than slots ends in a duplicate after 11 draws.
        do {
            lcg_.setSeed(seeds_());
            subject_.first();
            subject_.moveBy(int(lcg_.draw(std::uint32_t(n))));
            id = subject_.asInteger(data::col::subId);
            ++tries;
        } while (note_.locate(data::col::subId, id) && tries <= 10);
        note_.append();
        note_.setValue(data::col::subId, id);
    }
    return n;
}

PaperResult PaperDrawer::assemble(int vehicleClass)
{
    const QString scale = data::col::scale(vehicleClass);
    subject_.setFiltered(false);
    sort_.setFiltered(false);

    PaperResult result;
    for (sort_.first(); !sort_.eof(); sort_.next())
        result.quota += std::max(0, int(sort_.asInteger(scale)));
    if (result.quota == 0)
        return result;

    result.length = replacePaper(note_, [&] {
        int written = 0;
        for (int type : {kTrueFalse, kMultipleChoice}) {
            for (sort_.first(); !sort_.eof(); sort_.next()) {
                const int a = int(sort_.asInteger(scale));
                if (a <= 0)
                    continue;
                const int t = trueFalseCount(a);
                const int count = type == kTrueFalse ? t : a - t;
                if (count <= 0)
                    continue;
                if (DrawQuestions(count, sort_.asInteger(data::col::sortId), type) == 0)
                    result.shortfalls.push_back({sort_.asInteger(data::col::sortId),
                                                 sort_.asString(data::col::sortName), type, count});
                else
                    written += count;
            }
        }
        return written;
    });
    return result;
}

int buildStudyPaper(data::Table& subject, data::Table& sort, data::Table& note, int set)
{
    subject.setFiltered(false);
    sort.setFiltered(false);
    return replacePaper(note, [&] {
        subject.setFiltered(false);
        subject.setFilter(u'(' + data::equals(data::col::stId, set) + u')');
        subject.setFiltered(true);
        subject.setSort(data::col::typeId);
        int written = 0;
        for (subject.first(); !subject.eof(); subject.next()) {
            note.append();
            note.setValue(data::col::subId, subject.value(data::col::subId));
            ++written;
        }
        return written;
    });
}

int writeQuestionPaper(data::Table& note, const std::vector<qint64>& subids)
{
    if (subids.empty())
        return 0;
    return replacePaper(note, [&] {
        for (const qint64 id : subids) {
            note.append();
            note.setValue(data::col::subId, id);
        }
        return int(subids.size());
    });
}

QString shortfallText(const std::vector<Shortfall>& shortfalls)
{
    QStringList lines;
    for (const Shortfall& s : shortfalls) {
        const QString name =
            s.sortName.isEmpty() ? QStringLiteral("类别%1").arg(s.sortId) : s.sortName;
        lines << QStringLiteral("%1：没有%2，少%3题").arg(name, typeName(s.typeId)).arg(s.missing);
    }
    return QStringLiteral("题库中以下类别缺少试题，试卷中已跳过：\n") + lines.join(u'\n');
}

} // namespace core
