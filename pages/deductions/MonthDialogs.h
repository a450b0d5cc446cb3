#pragma once

#include <array>
#include <cstdint>

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class mTStandartDeduct;

// A choice from a fixed list for each month of the year: one drop-down list per month, January
// to June on the left and July to December on the right. "Да" confirms (result 1); "Нет", Esc
// and the close box cancel (result 2). Enter does not answer the dialog.
class TMonthChoiceDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int Confirmed = 1;
    static constexpr int Cancelled = 2;

    // The index chosen for a month 1-12; -1 when the month's list shows no item.
    int choice(int month) const;
    // An index outside the list leaves the month's list without a chosen item.
    void setChoice(int month, int index);

    void reject() override;

    std::array<QLabel*, 12> monthLabels;     // lbJan ... lbDec
    std::array<QComboBox*, 12> monthChoices; // CB1 (January) ... CB12 (December)
    QPushButton* bnOk;
    QPushButton* bnCancel;

protected:
    // A non-empty `heading` stands above the months, word-wrapped, as `headingLabel`.
    TMonthChoiceDialog(QWidget* owner, const QStringList& items, const QSize& clientSize,
                       const QString& heading = QString());

    void keyPressEvent(QKeyEvent* event) override;

    QLabel* headingLabel = nullptr;
};

// The taxpayer's own deduction code month by month: "----" (none), "104", "105".
class TfmDif : public TMonthChoiceDialog {
    Q_OBJECT

public:
    explicit TfmDif(QWidget* owner);
};

// Whether the taxpayer was a single parent (or guardian) month by month: "да", "нет".
class TfmDif2 : public TMonthChoiceDialog {
    Q_OBJECT

public:
    explicit TfmDif2(QWidget* owner);

    QLabel* Label1;
};

// Shows the month-by-month dialog over the model's monthly values and, when the user confirms
// it, stores the chosen indexes and sets the month-by-month flag at once. True when confirmed;
// otherwise the model is left as it was.
bool editMonthPersonalCodes(QWidget* owner, mTStandartDeduct& deduct);
bool editMonthSingleParent(QWidget* owner, mTStandartDeduct& deduct);
