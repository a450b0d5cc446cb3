#pragma once

#include <array>
#include <cstdint>

#include <QStringList>

#include "controls/ThinkingFrame.h"
#include "model/Currency.h"
#include "model/SocialDeduct.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QTreeWidget;
class TFlashButton;
class TMaskedEdit;

// The social deductions: the sums of the year spent on charity, education, treatment, insurance
// and qualification assessment, the sums paid for children's education and the pension and
// insurance contracts. Sums and contracts are entered in dialogs and written into the
// declaration at once; the sums of the year and the granting box by SaveData.
class TfrFramePensDeduct : public TThinkingFrame {
    Q_OBJECT

public:
    // Elements of CheckData and FocusError.
    enum Element : std::uint16_t {
        NoSocialData = 1,   // focuses the charity sum
        ChildEduSums = 3,
    };

    TfrFramePensDeduct(QWidget* owner, DeclarationSlot& declaration);

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusError(std::uint16_t code) override;

    QGroupBox* gbSocialDeduct;
    QCheckBox* chbGrantingSocDeduct;
    QGroupBox* gbSimplSocialDeduct;
    QLabel* lbCharitySum;
    TMaskedEdit* meCharitySum;
    QLabel* lbCharitySum30;
    TMaskedEdit* meCharitySum30;
    QLabel* lbSelfEducationSum;
    TMaskedEdit* meSelfEducationSum;
    QLabel* lbMedicalSum;
    TMaskedEdit* meMedicalSum;
    QLabel* lbMedicament;
    TMaskedEdit* meMedicament;
    QLabel* lbExpensiveMedicalSum;
    TMaskedEdit* meExpensiveMedicalSum;
    QLabel* lbStrahovka;
    TMaskedEdit* meStrahovka;
    QLabel* lbKval;
    TMaskedEdit* meKval;
    QGroupBox* gbChildrensEduDeduct;
    QTreeWidget* lvSumList;
    TFlashButton* fbAddSum;
    TFlashButton* fbDeleteSum;
    TFlashButton* fbEditSum;
    QTreeWidget* lvPensInfo;
    TFlashButton* fbAddPens;
    TFlashButton* fbDeletePens;
    TFlashButton* fbEditPens;

private:
    // One sum of the year: its caption, its edit and its field.
    struct YearSum {
        QLabel* label;
        TMaskedEdit* edit;
        Currency mTSocialDeduct::*field;
    };

    mTSocialDeduct& social() const;
    void createControls();
    void layOutControls();
    void connectHandlers();
    void showDeduction();
    // What unticking the granting box deletes, for the question before it.
    QStringList recordsLostWithoutDeduction() const;

    void chbGrantingSocDeductClick(bool checked);
    void fbAddSumClick();
    void EditChildEduSum();
    void fbDeleteSumClick();
    void fbAddPensClick();
    void EditPensInfo();
    void fbDeletePensClick();

    std::array<YearSum, 8> yearSums_;
};
