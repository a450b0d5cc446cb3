#pragma once

#include <cstdint>

#include <QString>
#include <QStringList>

#include "pages/deductions/ItemDialog.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QShowEvent;
class TDtpPanel;
class TMaskedEdit;
class mTConstructionDeductObj;

// One object of the property deduction: what it is, how it was acquired, its number or location,
// the taxpayer's relation to it, its dates, the share, the cost and the credit interest. The page
// prepares the dialog, shows it and copies the values out when it is confirmed; the dialog itself
// never touches the declaration.
class TfmInputConstruction : public TItemDialog {
    Q_OBJECT

public:
    // Controls a failed check puts the focus on.
    enum Element : std::uint16_t {
        ObjectNameElement = 1,
        TaxpayerSignElement = 3,
        NumberCodeElement = 4,
        NumberElement = 6,
        LocationElement = 7,
        HouseWayElement = 9,
        RegRightDateElement = 10,
        RegLandDateElement = 11,
        TransferDateElement = 12,
    };

    explicit TfmInputConstruction(QWidget* owner);

    // Set by the page before the dialog is shown: the interest may be entered (no other object has
    // any), and only the interest may be entered (the cost is settled by an earlier object).
    bool FInterestAllowed = false;
    bool FInterestOnly = false;

    // 1 to 8, the object name's position in the list; 0 when none is chosen.
    int Kind() const;
    void SetKind(int kind);
    // Objects added to a list that has some already are dated from 2014 on.
    void SetMinDates(bool recent);
    bool Pensioner() const;
    void SetPensioner(bool pensioner);
    // 1 cadastral number, 2 no number; 0 none.
    int NumberCode() const;
    void SetNumberCode(int code);
    bool ByInvestment() const;
    // Switches the way of acquisition and the date fields that go with it; the dates stay as they are.
    void SetWay(bool byInvestment);
    // The object's name, a blank and its number: the caption of the page's row.
    QString RowText() const;

    // Shows an object after the page has set the bounds, the flags and the pensioner box. Stored
    // dates are shown as they are, even outside the bounds: the check of "Да" asks to correct them.
    void loadObject(const mTConstructionDeductObj& object);
    // Everything the dialog holds except the pensioner box, which the page gives every object.
    // The share is 1 where its edit is empty or 0.
    void storeObject(mTConstructionDeductObj& object);

    void FocusError(std::uint16_t code) override;

    // The object names in the list before a way is chosen, after "договор купли-продажи" and after
    // "инвестирование".
    static const QStringList DesignObjectNames;
    static const QStringList PurchaseObjectNames;
    static const QStringList InvestmentObjectNames;

    QGroupBox* gbObjectDAta;
    QLabel* lbObjectNaim;
    QComboBox* cbObjectNaim;
    QLabel* lbSposob;
    QRadioButton* rbInvest;
    QRadioButton* rbBay;
    QLabel* lbSposPrDom;
    QComboBox* cbSposPrDom;
    QLabel* lbPrizNal;
    QComboBox* cbPrizNal;
    QLabel* lbKodNomSob;
    QComboBox* cbKodNomSob;
    QLabel* lbNom;
    TMaskedEdit* meNom;
    QLabel* lbMesto;
    TMaskedEdit* meMesto;
    QLabel* lbRegRightDate;
    TDtpPanel* dtpRegRightDate;
    QLabel* lbRegZenDate;
    TDtpPanel* dtpRegZemDate;
    QLabel* lbBuyDate;
    TDtpPanel* dtpBuyDate;
    QLabel* lbPart;
    TMaskedEdit* meDol1;
    QLabel* lbdrob;
    TMaskedEdit* meDol2;
    QLabel* lbObsch;
    TMaskedEdit* meObsch;
    QLabel* lbobschip;
    TMaskedEdit* meobschip;
    QCheckBox* chbPensioner;

protected:
    void showEvent(QShowEvent* event) override;
    // The rules of "Да": names, sign, number or location, and dates within their bounds.
    std::uint16_t checkItem() override;

private:
    void layOut();
    void connectHandlers();

    void rbInvestClick();
    void rbBayClick();
    void cbObjectNaimChange();
    void cbKodNomSobChange();
    void chbPensionerClick();
    // Shares matter only for objects registered or handed over before 2014.
    void UpdateShareByDates();
    void SetShareEnabled(bool enabled);
    void SetHouseWayEnabled(bool enabled);
    // Puts in the names of a way of acquisition, keeping the chosen position where the list has it.
    void installObjectNames(const QStringList& names);
    // A denominator of 0 is refused as the user types it: the share is divided by it.
    void refuseZeroDenominator(const QString& text);

    QString lastDenominator_;
};
