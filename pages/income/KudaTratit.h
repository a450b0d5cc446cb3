#pragma once

#include <cstdint>

#include "controls/ThinkingFrame.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class TFlashButton;
class TMaskedEdit;
class mTTrata;

// The applications that go with the declaration when overpaid tax is to be refunded to a bank
// account or offset against other taxes. The list holds one row per application; the selected
// one is edited in place, in the group of its kind, and stored when another is selected and by
// SaveData. Adding and deleting write into the declaration at once.
class TfrKudaTratit : public TThinkingFrame {
    Q_OBJECT

public:
    TfrKudaTratit(QWidget* owner, DeclarationSlot& declaration);
    ~TfrKudaTratit() override;

    void SaveData() override;
    // The element code is the 1-based number of the application.
    std::uint16_t CheckData() override;
    // Selects the application the code numbers; without any, points at the button that adds one.
    void focusFirst() override;
    void FocusError(std::uint16_t code) override;

    QTreeWidget* lvSourseIncomeInfo;
    TFlashButton* fbAddSourseIncome;
    TFlashButton* fbDeleteSourseIncome;

    QGroupBox* gbBank;
    QLabel* lbMaxSum;
    TMaskedEdit* meMaxSum;
    QCheckBox* chbAllIn;
    QLabel* lbBankNaim;
    TMaskedEdit* meBankNaim;
    QLabel* lbBIK;
    TMaskedEdit* meBIK;
    QLabel* lbTypeSch;
    QComboBox* cbTypeSch;
    QLabel* lbNumSch;
    TMaskedEdit* meNumSch;

    QGroupBox* gbNalog;
    QLabel* lbSum1;
    TMaskedEdit* meSum1;
    QLabel* lbKind;
    QComboBox* cbKind;
    QLabel* lbKBK;
    TMaskedEdit* meKBK;
    QLabel* lbOKTMO;
    TMaskedEdit* meOKTMO;
    QLabel* lbInspection;
    TMaskedEdit* meInspection;
    QPushButton* bnInspection;
    QLabel* lbNote;
    TMaskedEdit* meNote;

private:
    mTTrata& application(int index) const;
    int applicationCount() const;

    void createControls();
    void layOutControls();
    void connectHandlers();
    void listApplications();

    // The application being edited: its fields into the model, and the model into the fields.
    void storeApplication();
    void storeFields(mTTrata& stored) const;
    void showApplication(int index);
    void clearFields();
    void applyAllIn();
    void updateAddButton();

    void selectionChanged();
    void fbAddSourseIncomeClick();
    void fbDeleteSourseIncomeClick();
    void bnInspectionClick();

    // The application shown in the fields; -1 when none is.
    int edited_ = -1;
    // Set while a row is being removed, whose selection events are no choice of the user's.
    bool deleting_ = false;
};
