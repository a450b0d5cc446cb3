#pragma once

#include <array>
#include <cstddef>
#include <functional>

#include <QFrame>
#include <QWidget>

class QCheckBox;
class QLabel;
class QToolButton;
class TMaskedEdit;
struct mTChildrenRow;
class mTStandartDeduct;

// The arrow pair beside a count box. While it is associated with the box, each arrow steps the
// number the box shows by one within the range and writes it back into the box.
class TUpDown : public QWidget {
    Q_OBJECT

public:
    TUpDown(int minimum, int maximum, QWidget* parent);

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int position() const { return position_; }
    // Kept within the range; an associated box shows the new position.
    void setPosition(int value);

    TMaskedEdit* associate() const { return associate_; }
    // nullptr releases the box.
    void setAssociate(TMaskedEdit* edit);

    void stepBy(int steps);

    QToolButton* upButton;
    QToolButton* downButton;

private:
    int minimum_;
    int maximum_;
    int position_;
    TMaskedEdit* associate_ = nullptr;
};

// One row of children counts: either one count for the whole year (constant state) or a count
// per month. In constant state the count box and its arrows are editable and the month boxes
// copy the count; in monthly state the month boxes are editable.
struct TChildrenRow {
    QCheckBox* constBox;
    TMaskedEdit* countBox;
    TUpDown* upDown;
    QLabel* label; // "ребенка (детей)"
    std::array<TMaskedEdit*, 12> monthBoxes; // January first
};

// The lower part of the children area of the standard deductions page: the rows of all
// children, of the third and later children and of disabled children, the month grid with their
// month counts, and the guardian panel, shown only while some disabled child is counted.
class TChildrenGrid : public QWidget {
    Q_OBJECT

public:
    // `isLoading` tells whether the page is filling its controls from the model; `modified`
    // reports a user's edit to the main window.
    TChildrenGrid(QWidget* parent, std::function<bool()> isLoading, std::function<void()> modified);

    // Rows in the order all children, third and later, disabled.
    void load(const mTStandartDeduct& deduct);
    void store(mTStandartDeduct& deduct) const;

    // Enables the labels, the constant boxes and the boxes each row's state makes editable.
    void enableGrid();
    // Empties the count boxes (and through them the month boxes) and disables the grid.
    void disableGrid();

    // The rows that count a child above 0 in the state they are in.
    std::size_t rowsWithChildren() const;

    // Shows the guardian panel while a disabled-child count above 0 is shown anywhere.
    void updateGuardianPanel();

    TChildrenRow allChildren;      // chbConstChildrens, meChildrens, UpDChildrens, Label4, meJan...
    TChildrenRow thirdChildren;    // chbConstChildrens3, meChildrens3, UpDChildrens3, Label5, meJan3...
    TChildrenRow disabledChildren; // chbConstChildrens2, meChildrens2, UpDChildrens2, Label2, meJan2...
    std::array<QLabel*, 12> monthLabels; // lbJan ... lbDec
    // Over each quarter's boxes: all children, third and later, disabled.
    std::array<std::array<QLabel*, 3>, 4> columnHeadings;

    QFrame* pnlPopOp;
    QCheckBox* cbPopOp;
    std::array<QLabel*, 4> guardianLabels; // lbPopOp1 ... lbPopOp4

private:
    void createRow(TChildrenRow& row, const char* suffix, const QString& constCaption, int countDigits,
                   int maximum, const QString& monthHint);
    void constBoxClicked(TChildrenRow& row);
    void countChanged(TChildrenRow& row);
    void loadRow(TChildrenRow& row, const mTChildrenRow& model);
    void setLabelsEnabled(bool enabled);
    std::array<TChildrenRow*, 3> rows() { return {&allChildren, &thirdChildren, &disabledChildren}; }

    std::function<bool()> isLoading_;
    std::function<void()> modified_;
};
