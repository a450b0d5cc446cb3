#include "controls/MaskedEdit.h"

#include <algorithm>

#include <QKeyEvent>
#include <QValidator>

#include "controls/DeclModified.h"
#include "controls/DisplayFormat.h"
#include "controls/StorableText.h"

namespace {

constexpr QChar DecimalComma = u',';

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

// Judges every edit of the user's before it is taken: an edit that leaves a refused text is
// undone by the line edit.
class TMaskedEdit::Rules : public QValidator {
public:
    explicit Rules(TMaskedEdit& edit) : QValidator(&edit), edit_(edit) {}

    State validate(QString& input, int&) const override
    {
        if (edit_.editType_ == edtCurrency)
            input.replace(u'.', DecimalComma);
        if (edit_.isAllowedText(input))
            return Acceptable;
        // A text the program set against the rules can still be shortened by the user.
        if (!edit_.isAllowedText(edit_.lastText_) && input.size() < edit_.lastText_.size())
            return Acceptable;
        return Invalid;
    }

private:
    TMaskedEdit& edit_;
};

TMaskedEdit::TMaskedEdit(QWidget* parent) : QLineEdit(parent), rules_(new Rules(*this))
{
    setValidator(rules_);
    connect(this, &QLineEdit::textChanged, this, &TMaskedEdit::textChangedByAnyone);
}

void TMaskedEdit::setText(const QString& text)
{
    // Without the rules in place, the line edit takes the text as valid, so the user's next edit
    // is judged again rather than let through.
    setValidator(nullptr);
    QLineEdit::setText(text);
    setValidator(rules_);
}

Currency TMaskedEdit::currencyValue() const
{
    return parseCurrencyDisplayText(text()).value_or(Currency());
}

void TMaskedEdit::setCurrencyValue(Currency value)
{
    setText(moneyText(value));
}

bool TMaskedEdit::isAllowedText(const QString& text) const
{
    const bool withinLength = wholeLength_ == 0 || text.size() <= wholeLength_;
    switch (editType_) {
    case edtCurrency:
        return isAllowedMoney(text);
    case edtDigital:
        return withinLength && std::all_of(text.begin(), text.end(), isDigit);
    case edtChar:
        return withinLength && std::none_of(text.begin(), text.end(), isDigit) && isStorableText(text);
    case edtNone:
        return withinLength && isStorableText(text);
    }
    return false;
}

bool TMaskedEdit::isAllowedMoney(const QString& text) const
{
    if (text.isEmpty())
        return true;
    if (!std::all_of(text.begin(), text.end(), [](QChar c) { return isDigit(c) || c == DecimalComma; }))
        return false;
    const qsizetype comma = text.indexOf(DecimalComma);
    const qsizetype wholeDigits = comma < 0 ? text.size() : comma;
    if (wholeLength_ != 0 && wholeDigits > wholeLength_)
        return false;
    if (fractionalLength_ != 0 && comma >= 0 && text.size() - comma - 1 > fractionalLength_)
        return false;
    // One comma at most, at least one digit, and an amount that fits.
    return parseCurrencyDisplayText(text).has_value();
}

void TMaskedEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TMaskedEdit::textChangedByAnyone(const QString& text)
{
    if (text == lastText_)
        return;
    lastText_ = text;
    sendDeclModified();
}
