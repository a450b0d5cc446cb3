#pragma once

#include "controls/ThinkingFrame.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QRadioButton;
class TBusinessMonthGrid;
class TChildrenGrid;

// The page of standard deductions: whether they are claimed at all, the taxpayer's own code,
// the parent status, the children month by month with the guardian mark, and the
// entrepreneur's income and expense month by month. The page has no checks of its own.
//
// Ticking the granting box makes the page editable; unticking it empties the children grid and
// leaves everything but the granting mark in the model as it was. The month-by-month codes and
// statuses are stored by their dialogs as soon as the user confirms them.
class TfrFrameStandartDeduct : public TThinkingFrame {
    Q_OBJECT

public:
    TfrFrameStandartDeduct(QWidget* owner, DeclarationSlot& declaration);

    void SaveData() override;
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t) override {}

    QGroupBox* gbStandartDeduct;
    QFrame* Panel2;
    QCheckBox* chbGrantingStanDeduct;
    QLabel* Image1;
    QLabel* Label1; // the help link lying over the picture
    QFrame* pnlChildrensDeduct;
    QFrame* pnlSimplyDeduct;
    QRadioButton* rb104;
    QRadioButton* rb105;
    QRadioButton* rb103;
    QRadioButton* rbQ;
    QFrame* Panel4;
    QRadioButton* rbTowParents;
    QRadioButton* rbOneParent;
    QRadioButton* rbQ2;
    TChildrenGrid* children;
    TBusinessMonthGrid* Panel1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void loadFromModel();
    void SetPageEnabled(bool value);
    void chbGrantingStanDeductClick();
    void rbQClick();
    void rbQ2Click();
    void Label1Click();

    bool FBusinessIncome = false;
};
