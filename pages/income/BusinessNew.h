#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "controls/ThinkingFrame.h"
#include "pages/income/BusinessRules.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QToolButton;
class QTreeWidget;
class QWidget;
class TFlashButton;
class TMaskedEdit;

// Income from business and private practice. The list holds one row per activity, captioned with
// its kind; the selected activity's quarterly incomes and expenses are edited below it, with the
// breakdown of documented expenses. Entrepreneurs and farm heads may instead take 20 % of the
// income as expenses. Below them the fields of the whole declaration: advance payments, the
// corrected base and tax, patent payments, trade fee, the farm household and the quarterly OKTMO
// codes. The open activity is stored when another row is selected and by SaveData.
class TfrBusinessNew : public TThinkingFrame {
    Q_OBJECT

public:
    TfrBusinessNew(QWidget* owner, DeclarationSlot& declaration);
    ~TfrBusinessNew() override;

    void SaveData() override;
    // The element code is the 1-based number of the activity, or 32751..32753 for the OKTMO
    // code of quarter I..III.
    std::uint16_t CheckData() override;
    void focusFirst() override;
    void FocusError(std::uint16_t code) override;

    TFlashButton* fbAddSourseIncome;
    TFlashButton* fbDeleteSourseIncome;
    TFlashButton* fbEditSourseIncome;
    QTreeWidget* lvSourseIncomeInfo;

    QGroupBox* gbQuarters;
    std::array<QLabel*, 4> lbDohKv;
    std::array<TMaskedEdit*, 4> meDohKv;
    std::array<QLabel*, 4> lbRashKv;
    std::array<TMaskedEdit*, 4> meRashKv;
    QLabel* lbSumDoh;
    TMaskedEdit* meSumDoh;
    QLabel* lbSumRash;
    TMaskedEdit* meSumRash;

    QCheckBox* chbIsConfirmedExpensies;
    QLabel* lbMat;
    TMaskedEdit* meMat;
    QLabel* lbAm;
    TMaskedEdit* meAm;
    QLabel* lbTrud;
    TMaskedEdit* meTrud;
    QLabel* lbProch;
    TMaskedEdit* meProch;

    QGroupBox* gbDeclaration;
    QLabel* lbActualPrepayment;
    TMaskedEdit* meActualPrepayment;
    QLabel* lbCorIncome;
    TMaskedEdit* meCorIncome;
    QLabel* lbCorExpense;
    TMaskedEdit* meCorExpense;
    QLabel* lbPatentPayment;
    TMaskedEdit* mePatentPayment;
    QLabel* lbTradeTax;
    TMaskedEdit* meTradeTax;
    QCheckBox* cbIsFH;
    QLabel* lbYear;
    TMaskedEdit* meBeginninFH;
    QToolButton* updYearUp;
    QToolButton* updYearDown;
    QCheckBox* cbOktmo;
    std::array<QLabel*, 3> lbOKTMO;
    std::array<TMaskedEdit*, 3> meOKTMO;

private:
    mTBusinessNew& activity(int index) const;
    int activityCount() const;

    void createControls();
    void layOutControls();
    void connectHandlers();
    void showDeclarationFields();

    void SetDetailEnabled(bool enabled);
    // The open activity's fields; disabled and emptied while none is open.
    void setActivityFieldsEnabled(bool enabled);
    void SetExpensesEnabled(bool documented);
    void setFarmYearEnabled(bool enabled);
    void setOktmoEnabled(bool enabled);
    void updateListButtons();
    bool usesNorm() const;

    // The open activity: the fields into the model, the model into the fields.
    void storeActivity();
    void showActivity(int index);

    void selectionChanged();
    void fbAddSourseIncomeClick();
    void EditActivity();
    void fbDeleteSourseIncomeClick();
    void chbIsConfirmedExpensiesClick();
    void cbIsFHClick();
    void cbOktmoClick();
    void stepFarmYear(int steps);
    void quarterIncomeChange(int quarter);
    void SumIncome();
    void SumExpenses();
    void meSumDohChange();

    // The activity shown in the fields; -1 when none is.
    int FOpenIndex = -1;
    // Set while the fields are filled from the model or a row is removed: what the program
    // writes then is no edit of the user's and derives nothing.
    bool FFilling = false;
    bool FDeleting = false;
    // The rule the page's check last asked to fix, for FocusError: the activity's number and rule.
    std::optional<std::pair<std::uint16_t, BusinessRule>> FFixRule;
};
