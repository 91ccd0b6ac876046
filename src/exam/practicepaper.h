#pragma once

#include <QString>
#include <vector>

class QWidget;

// Starting practice papers: the wrong-question drill and practice by category, both answered in
// the examination window in practice mode (Tag 3).
namespace exam {

inline constexpr int kPracticeMode = 3;
inline const QString kDrillCaption = QStringLiteral("试卷编号：错题练习");
inline const QString kCategoryCaption = QStringLiteral("试卷编号：分类练习");

// Writes the questions as the paper and opens the examination window on it in practice mode.
// With no question it says so in a box owned by `owner` and keeps the previous paper; returns
// whether it opened.
bool openPractice(QWidget* owner, const std::vector<qint64>& subids, const QString& caption,
                  const QString& nothingText);

// The drill: the questions due now, most overdue first.
bool startDrill(QWidget* owner);

// Questions due by the end of today, for the entry that offers the drill.
int dueToday();

} // namespace exam
