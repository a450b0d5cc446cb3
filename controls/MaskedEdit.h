#pragma once

#include <QLineEdit>
#include <QString>

#include "model/Currency.h"

// What a TMaskedEdit holds.
enum TEditTypeControlEnum {
    edtCurrency, // money: digits with at most one decimal comma
    edtDigital,  // digits only
    edtChar,     // any text without digits that windows-1251 can hold
    edtNone,     // any text that windows-1251 can hold
};

// The one-line edit of nearly every text, number and money field. What the user types, pastes,
// cuts or deletes must leave a text of the edit's kind and lengths, or it is refused and the
// text stays as it was; a point typed into money becomes the decimal comma whatever the locale.
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
    // Money: most digits after the decimal comma. 0: no limit.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class Rules;
    friend class Rules;

    bool isAllowedMoney(const QString& text) const;
    void textChangedByAnyone(const QString& text);

    TEditTypeControlEnum editType_ = edtCurrency;
    int wholeLength_ = 0;
    int fractionalLength_ = 0;
    Rules* rules_;
    // The text as it stood after its last change; no change of the user's leaves another.
    QString lastText_;
};
