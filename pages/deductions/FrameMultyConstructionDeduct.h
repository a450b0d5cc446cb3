#pragma once

#include <cstdint>

#include "controls/ThinkingFrame.h"
#include "model/ConstructionDeduct.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QTreeWidget;
class TFlashButton;
class TMaskedEdit;
class TfmInputConstruction;

// The property deduction on buying or building housing: the list of property objects, each
// entered in the object dialog and written into the declaration at once, the deduction received
// in earlier years and through an employer, and the two totals within the statutory limits.
// The four sums reach the declaration by SaveData.
class TfrMultyConstructionDeduct : public TThinkingFrame {
    Q_OBJECT

public:
    TfrMultyConstructionDeduct(QWidget* owner, DeclarationSlot& declaration);

    void SaveData() override;
    // The page has no rules of its own: the object dialog checks each object.
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t) override {}

    QCheckBox* chbGrantingDeduct;
    QGroupBox* gbObjectDAta;
    QTreeWidget* lvObjInfo;
    TFlashButton* fbAddObj;
    TFlashButton* fbDeleteObj;
    TFlashButton* fbEditObj;
    QGroupBox* gbSum;
    QGroupBox* gbChargeSum;
    QLabel* lbVychUpr;
    TMaskedEdit* meVychUpr;
    QLabel* lbPostYears;
    TMaskedEdit* mePostYears;
    QLabel* lbObsch;
    QLabel* pnlObsch;
    QGroupBox* gbCreditSum;
    QLabel* lbVychIpUpr;
    TMaskedEdit* meVychIpUpr;
    QLabel* lbPostYearsIp;
    TMaskedEdit* mePostYearsIp;
    QLabel* lbobschip;
    QLabel* pnlObschip;

private:
    mTConstructionDeduct& deduction() const;
    void createControls();
    void layOutControls();
    void connectHandlers();
    void showDeduction();

    void SetSumsEnabled(bool value);
    void SetPrevYearsEnabled();
    void UpdateTotals();
    // After every change of the list: the totals, the add button and the earlier years.
    void listChanged();

    void chbGrantingDeductClick(bool checked);
    void fbAddObjClick();
    void EditObjInfo();
    void fbDeleteObjClick();
    // Copies a confirmed dialog into the object and sets the pensioner sign of every object.
    void storeObject(TfmInputConstruction& dialog, mTConstructionDeductObj& object);
};
