#pragma once

#include <array>
#include <functional>

#include <QFrame>

class QCheckBox;
class QLabel;
class TMaskedEdit;
class mTStandartDeduct;

// The entrepreneur's income and expense month by month on the standard deductions page, with a
// tick for each month that counts: January to June on the left, July to December on the right.
// Any amount typed into a month ticks it; unticking a month empties its amounts.
class TBusinessMonthGrid : public QFrame {
    Q_OBJECT

public:
    // `modified` reports a user's edit to the main window.
    TBusinessMonthGrid(QWidget* parent, std::function<void()> modified);

    // Ticks first, then incomes and expenses; an amount of 0 shows an empty box.
    void load(const mTStandartDeduct& deduct);
    // Empty boxes store 0; the month-table flag follows the ticks.
    void store(mTStandartDeduct& deduct) const;

    // The title and the column heads.
    void setLabelsEnabled(bool enabled);
    // The month ticks and the amount boxes.
    void setEntriesEnabled(bool enabled);

    QLabel* Label3; // the title
    QLabel* lbD1;
    QLabel* lbR1;
    QLabel* lbD2;
    QLabel* lbR2;
    std::array<QCheckBox*, 12> monthBoxes;    // cbJan ... cbDec
    std::array<TMaskedEdit*, 12> incomeBoxes;  // me1 ... me12
    std::array<TMaskedEdit*, 12> expenseBoxes; // meR1 ... meR12

private:
    void monthClicked(int monthIndex);

    std::function<void()> modified_;
};
