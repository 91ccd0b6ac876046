#pragma once

#include "platform/form.h"

#include <QSize>
#include <array>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;

namespace data {
class Table;
}

namespace Ui {
class QuestionViewer;
}

// One question at a time from a list, with its key marked, its analysis and its picture; the
// browse, error-prone and wrong-answer windows are this pattern with the few differences below.
class QuestionViewer : public app::Form
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(QuestionViewer)

public:
    ~QuestionViewer() override;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    virtual void Button5Click();

protected:
    struct TitleLine
    {
        const char* name;
        QPoint pos;
        int pointSize;
    };
    // Where the three windows differ in their look.
    struct Layout
    {
        QSize client;
        int bodyShift = 0; // how many pixels the question body sits higher
        int buttonTop = 544;
        std::array<int, 5> buttonLefts{152, 254, 356, 458, 560};
        std::array<int, 5> buttonWidths{80, 80, 80, 80, 80};
        int infoPointSize = 10;
        std::optional<TitleLine> title;
    };
    // The question list row that ShowCurrent positioned; the question itself is then the current
    // row of the shared subject table.
    struct Current
    {
        qint64 subId = 0;
        int number = 0;               // shown in the header
        std::optional<qint64> choice; // the learner's option, for the review marks
    };

    QuestionViewer(const Layout& layout, QWidget* parent);

    // The position in the list, one variable per window class.
    virtual int& currentNo() = 0;
    // Rows in the list under its filter; the shared subject table unless overridden.
    virtual int listCount() const;
    // Moves the list to currentNo() and the shared subject table to that question.
    virtual Current moveToCurrent();

    void ShowCurrent();
    QLabel* titleLine() const;
    // Filtering off, the new text, filtering on: the view goes to its first row.
    static void filterTo(data::Table& table, const QString& filter);

    std::unique_ptr<Ui::QuestionViewer> ui;

private:
    void UpdateButtons();
    void showEmpty();
    std::array<QLabel*, 4> optionLabels() const;
    std::array<QPushButton*, 4> navigationButtons() const;
};
