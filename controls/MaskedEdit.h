#pragma once

#include <QLineEdit>
#include <QString>

#include "model/Currency.h"

class FieldRefusal;

// What a TMaskedEdit holds.
enum TEditTypeControlEnum {
    edtCurrency,     // money: digits with at most one decimal comma
    edtDigital,      // digits only
    edtChar,         // any text without digits that windows-1251 can hold
    edtNone,         // any text that windows-1251 can hold
    edtWholeRoubles, // money in whole roubles: digits, and after a decimal comma at most two zeros
};

// The one-line edit of nearly every text, number and money field. What the user types, pastes,
// cuts or deletes must leave a text of the edit's kind and lengths, or it is refused and the
// text stays as it was; a point typed into money becomes the decimal comma whatever the locale.
// Whole roubles take "124800,00" as 124800 and refuse kopecks other than zero, saying so under
// the field: digits are never joined across a separator the field did not take.
// Text the program sets is taken as it is. Every change of the text tells the window that keeps
// the declaration (WM_DECL_MODIFIED). Enter is left to the window the edit sits in.
class TMaskedEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TMaskedEdit(QWidget* parent = nullptr);

    TEditTypeControlEnum editType() const { return editType_; }
    void setEditType(TEditTypeControlEnum type) { editType_ = type; }
    // Money: most digits before the decimal comma; other kinds: most characters. 0: no limit.
    int wholeLength() const { return wholeLength_; }
    void setWholeLength(int length) { wholeLength_ = length; }
    // Money with kopecks: most digits after the decimal comma. 0: no limit.
    int fractionalLength() const { return fractionalLength_; }
    void setFractionalLength(int length) { fractionalLength_ = length; }

    // The program's text, taken without the rules of typing. Set texts through this edit's
    // own type, not through QLineEdit, or the rules would judge it.
    void setText(const QString& text);

    // Money as the text shows it; an empty text is 0. Typing always leaves a number; a text the
    // program set that is none reads as 0.
    Currency currencyValue() const;
    // Shows money with the decimal comma, as moneyText does: "1234,5", and empty for 0, so that
    // a field left empty reads the same when the declaration is opened again.
    void setCurrencyValue(Currency value);

    // Whether the text is one of this edit's kind within its lengths.
    bool isAllowedText(const QString& text) const;
    // Why the user's last edit was refused, while the message shows under the field; empty otherwise.
    QString shownRefusal() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Rules;
    friend class Rules;

    bool isAllowedMoney(const QString& text) const;
    bool isAllowedWholeRoubles(const QString& text) const;
    bool holdsKopecks(const QString& text) const;
    void explainRefusal();
    void textChangedByAnyone(const QString& text);

    TEditTypeControlEnum editType_ = edtCurrency;
    int wholeLength_ = 0;
    int fractionalLength_ = 0;
    Rules* rules_;
    // Made on the first refusal the user is told about.
    FieldRefusal* refusal_ = nullptr;
    // The last edit the rules refused was whole roubles with kopecks.
    bool kopecksRefused_ = false;
    // The text as it stood after its last change; no change of the user's leaves another.
    QString lastText_;
};
