#pragma once

#include <cstdint>

#include "controls/ThinkingFrame.h"
#include "pages/income/PersonRules.h"

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class TDtpPanel;
class TMaskedDocEdit;
class TMaskedEdit;
struct mTPersonInformation;

// The page "Сведения о декларанте": the taxpayer's name, ИНН, birth date, identity document,
// citizenship and contact telephone, all kept in the declaration's person record. The document
// kind is picked from the list of kinds, which also sets how its series and number are typed;
// the citizenship is picked from the country directory, when the program has one.
class TfrPersonNaim : public TThinkingFrame {
    Q_OBJECT

public:
    // Elements of CheckData and FocusError.
    using Element = PersonElement::Element;
    using enum PersonElement::Element;

    TfrPersonNaim(QWidget* owner, DeclarationSlot& declaration);

    void SaveData() override;
    std::uint16_t CheckData() override;
    std::uint16_t refuseWrongTypedDates() override;
    void FocusError(std::uint16_t code) override;

    QGroupBox* gbPersonName;
    QLabel* Label1;
    TMaskedEdit* meSurName;
    QLabel* Label2;
    TMaskedEdit* meName;
    QLabel* Label3;
    TMaskedEdit* mePatronymic;
    QLabel* lbINN;
    TMaskedEdit* meINN;
    QLabel* lbBirthDate;
    TDtpPanel* dtBirthDate;
    QGroupBox* gbDoc;
    QLabel* Label4;
    QLabel* pnlDocType;
    QPushButton* bnDocType;
    QLabel* lbSerial;
    TMaskedDocEdit* meSerial;
    QFrame* Panel1;
    QLabel* Image1;
    QLabel* Label5;
    QGroupBox* gbGr;
    QLabel* lbCitizenship;
    TMaskedEdit* meKodGrazhd;
    TMaskedEdit* meCitizenship;
    QPushButton* bnGrazhd;
    QGroupBox* GroupBox2;
    TMaskedEdit* meHomePhone;

private:
    mTPersonInformation& person() const;
    void createControls();
    void layOutControls();
    void connectHandlers();
    void showPerson();

    void bnDocTypeClick();
    void bnGrazhdClick();
    void dtBirthDateChange();

    // The kind of the document shown; 0 while none is known.
    std::uint16_t docCode_ = 0;
};
