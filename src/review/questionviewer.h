#pragma once

#include "platform/form.h"

#include <array>
#include <optional>

class QLabel;
class QPushButton;
class QScrollArea;

namespace data {
class Table;
}

namespace app {
class PictureBox;
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
    // The question list row that ShowCurrent positioned; the question itself is then the current
    // row of the shared subject table.
    struct Current
    {
        qint64 subId = 0;
        int number = 0;               // shown in the header
        std::optional<qint64> choice; // the learner's option, for the review marks
    };

    explicit QuestionViewer(QWidget* parent);
    // Once the window's own .ui is set up: finds the viewer's controls by their names and wires
    // the buttons.
    void bindControls();

    // The position in the list, one variable per window class.
    virtual int& currentNo() = 0;
    // Rows in the list under its filter; the shared subject table unless overridden.
    virtual int listCount() const;
    // Moves the list to currentNo() and the shared subject table to that question.
    virtual Current moveToCurrent();

    void ShowCurrent();
    // Filtering off, the new text, filtering on: the view goes to its first row.
    static void filterTo(data::Table& table, const QString& filter);

private:
    void UpdateButtons();
    void showEmpty();

    QLabel* note_ = nullptr;
    QLabel* info_ = nullptr;
    QScrollArea* infoArea_ = nullptr;
    app::PictureBox* pic_ = nullptr;
    std::array<QLabel*, 4> options_{};
    std::array<QPushButton*, 5> buttons_{};
};
