#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "controls/ThinkingFrame.h"
#include "model/CBDeduct.h"
#include "model/Currency.h"
#include "model/InvDeduct.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QTreeWidget;
class TFlashButton;
class TMaskedEdit;

// The investment deductions (article 219.1 of the tax code) with the individual investment
// accounts, and the losses of earlier years on securities, derivatives and investment
// partnerships. Accounts are entered in a dialog and written into the declaration at once;
// amounts and boxes by SaveData.
//
// The deduction of subparagraph 3 (income of an account) excludes that of subparagraph 2
// (contributions to an account): while it is on, neither the contribution amounts nor an account
// can be entered, and an account or an amount to return switches it off.
class TfrCB : public TThinkingFrame {
    Q_OBJECT

public:
    // Elements of CheckData and FocusError.
    enum Element : std::uint16_t {
        AccountsOverLimit = 1, // focuses the account list
    };

    TfrCB(QWidget* owner, DeclarationSlot& declaration);

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusError(std::uint16_t code) override;

    QGroupBox* GroupBox2;
    QCheckBox* chbGrantingInvDeduct;
    QLabel* lbInvCB;
    TMaskedEdit* meInvCB;
    QLabel* lbInvCBTov;
    TMaskedEdit* meInvCBTov;
    QCheckBox* chbIsP3;
    QLabel* lbInvP2;
    TMaskedEdit* meInvP2;
    QLabel* lbP2Vozvr;
    TMaskedEdit* meP2Vozvr;
    QGroupBox* GroupBox3;
    QTreeWidget* lvObjInfo;
    TFlashButton* fbAddObj;
    TFlashButton* fbDeleteObj;
    TFlashButton* fbEditObj;
    QGroupBox* gbCbLastYears;
    QCheckBox* chbGrantingDeductCB;
    QGroupBox* GroupBox1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* lbCB;
    TMaskedEdit* meCB;
    TMaskedEdit* meCBIIS;
    QLabel* lbFiss;
    TMaskedEdit* meFiss;
    TMaskedEdit* meFissIIS;
    QLabel* lbInvTov;
    TMaskedEdit* meInvTov;
    TMaskedEdit* meInvTovIIS;

private:
    struct InvestmentAmount {
        TMaskedEdit* edit;
        Currency mTInvDeduct::*field;
    };
    struct Loss {
        TMaskedEdit* edit;
        Currency mTCBDeduct::*field;
    };

    mTInvDeduct& investment() const;
    mTCBDeduct& losses() const;
    void createControls();
    void layOutControls();
    void connectHandlers();
    void showDeductions();
    // What a change of a box deletes, for the question before it: unticking the investment
    // deductions, unticking the losses, ticking subparagraph 3.
    QStringList recordsLostWithoutInvestment() const;
    QStringList recordsLostWithoutLosses() const;
    QStringList recordsLostWithP3() const;

    void SetInvDeductEnabled(bool value);
    void SetLossesEnabled(bool value);
    void SetP3Mode(bool value);
    void meP2VozvrChange();
    void fbAddObjClick();
    void EditIISInfo();
    void fbDeleteObjClick();
    // Leaves subparagraph 3 to be chosen only while no account and no amount to return exclude it.
    void allowP3IfNothingExcludesIt();

    std::array<InvestmentAmount, 4> investmentAmounts_;
    std::array<Loss, 6> losses_;
    // Enables the buttons of the selected account as the list and subparagraph 3 allow.
    std::function<void()> updateAccountButtons_;
};
