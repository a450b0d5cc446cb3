#pragma once

#include "controls/ThinkingFrame.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TMaskedEdit;

// The first page of a declaration, "Задание условий": the receiving tax office, the correction
// number and the taxpayer's OKTMO, the declaration type, the taxpayer's category, the kinds of
// income the declaration has, whether an application for refund or offset is formed, and who
// signs it.
//
// The income boxes and the type switch the main window's sections on and off, and write the
// declaration at once: what a kind or type no longer allows is deleted, after the user agreed
// to it; "Нет" leaves everything as it was. The type is locked until "Сменить тип" is pressed.
class TfrInitialData : public TThinkingFrame {
    Q_OBJECT

public:
    TfrInitialData(QWidget* owner, DeclarationSlot& declaration);

    void SaveData() override;
    std::uint16_t CheckData() override;
    void FocusError(std::uint16_t code) override;

    QGroupBox* gbInspectionNumber;
    QLabel* lbInspection;
    TMaskedEdit* meInspection;
    QPushButton* bnInspection;
    QLabel* Label3;
    QSpinBox* meNumVer;
    QLabel* lbOKTMO;
    TMaskedEdit* meOKATO;

    QGroupBox* gb34;
    QFrame* Panel1;
    QRadioButton* rbSimple;
    QRadioButton* rbNeRez;
    QRadioButton* rbNextYear;
    QPushButton* Button1;

    QGroupBox* gbPersKind;
    QRadioButton* rbPredp;
    QRadioButton* rbFermer;
    QRadioButton* rbNotarius;
    QRadioButton* rbAdvokat;
    QRadioButton* rbFLProch;
    QRadioButton* rbArbitr;

    QGroupBox* gbIncome;
    QCheckBox* chbIncomeInquiry;
    QLabel* lbIncomeComment;
    QCheckBox* chbIncomeCurrency;
    QCheckBox* chbIncomeBusiness;

    QGroupBox* gbBank;
    QCheckBox* chbKudaTratit;

    QGroupBox* gbGrantigType;
    QRadioButton* rbGiveSelf;
    QRadioButton* rbGiveTrustFase;
    QLabel* lbFIO;
    TMaskedEdit* meFIO;
    QLabel* lbOsn;
    TMaskedEdit* meOsn;

private:
    void createControls();
    void layOutControls();
    void connectHandlers();
    void loadFromModel();

    void incomeBoxClicked(QCheckBox* box, std::uint8_t kind);
    void typeClicked(std::uint8_t type);
    // Enables the income boxes and categories that the declaration type allows.
    void applyType(std::uint8_t type);
    void signerChanged();
    void bnInspectionClick();
    // A code typed, or set by the chooser: the office's name follows it.
    void inspectionCodeChanged();
    void Button1Click();

    QRadioButton* typeRadio(std::uint8_t type) const;
    std::uint8_t checkedIncomeKinds() const;
    // The declaration changed its type or income kinds: the main window's sections follow.
    void kindsChanged();

    // The receiving office's name, stored with its code: the name of the office chosen, or the
    // directory's name for a code typed; empty when the directory has no such code.
    QString taxOfficeName_;
};
