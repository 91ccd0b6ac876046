#pragma once

#include <QString>
#include <optional>

namespace data {
class Tado;
}
class Tmnks;
class QWidget;

// How one window reaches another. Declared here, under every window, and implemented in app/,
// the only layer that knows them all: a window opens the next one and reads what earlier windows
// hold only through these functions, never through another window's header.
namespace nav {

// The shared values of the run.

// The data module with the three shared tables; raises base::Error when it was never created.
data::Tado& dataModule();
QString connString();
int passMark();
void setPassMark(int mark);

// What a window reads of another, at the moment it reads it; nothing when that window is gone.

// The vehicle-class dialog's list: the position (0..4) and the entry's text.
std::optional<int> vehicleClass();
std::optional<QString> vehicleClassText();
// The main menu's Tag: 2 after the mock-examination entry, 1 after the study-set entry.
std::optional<int> menuTag();

// The main menu's entries.

void showStudySets();
void showVehicleClassDialog();
void openErrorProne();
void openBrowseChooser();
enum class Page { Signs, School, Skills };
void showPage(Page page);
// The learner's record: past papers, score trend, pass probability.
void openRecord();

// The road of an examination.

// The instructions window, which assembles a mock-examination paper.
void openInstructions(int mode);
// The examination window on the paper in table note, in mode 2 (mock examination), 1 (study) or
// 3 (practice, answered as a study set); a non-empty caption goes into its label lb_kscx; a study
// set's number (1 to 10) goes into its record.
void openExam(int mode, const QString& caption, int studySet = 0);
void openHandIn(Tmnks* exam);
void openResult(Tmnks* exam);
// Frees an examination window and the instructions window of its paper, once they are done with.
void endExam(Tmnks* exam);
void activateMainMenu();
void openWrongAnswerReview();

// Browsing: the questions of one category, its caption as the chooser shows it.
void openBrowseViewer(int sortId, const QString& category);

// Practice: the wrong-question drill (a message instead when nothing is due), the category
// chooser, search, and the number of questions due by the end of today.
void startDrill(QWidget* owner);
void openCategoryPractice();
void openSearch();
int dueToday();

} // namespace nav
