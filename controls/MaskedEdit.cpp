#include "controls/MaskedEdit.h"

#include <algorithm>
#include <utility>

#include <QKeyEvent>
#include <QValidator>

#include "controls/DeclModified.h"
#include "controls/DisplayFormat.h"
#include "controls/FieldRefusal.h"
#include "controls/StorableText.h"

namespace {

constexpr QChar DecimalComma = u',';
constexpr qsizetype KopeckDigits = 2;

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isZero(QChar c)
{
    return c == u'0';
}

} // namespace

// Judges every edit of the user's before it is taken: an edit that leaves a refused text is
// undone by the line edit.
class TMaskedEdit::Rules : public QValidator {
public:
    explicit Rules(TMaskedEdit& edit) : QValidator(&edit), edit_(edit) {}

    State validate(QString& input, int&) const override
    {
        if (edit_.editType_ == edtCurrency || edit_.editType_ == edtWholeRoubles)
            input.replace(u'.', DecimalComma);
        edit_.kopecksRefused_ = false;
        if (edit_.isAllowedText(input))
            return Acceptable;
        // A text the program set against the rules can still be shortened by the user.
        if (!edit_.isAllowedText(edit_.lastText_) && input.size() < edit_.lastText_.size())
            return Acceptable;
        edit_.kopecksRefused_ = edit_.holdsKopecks(input);
        return Invalid;
    }

private:
    TMaskedEdit& edit_;
};

TMaskedEdit::TMaskedEdit(QWidget* parent) : QLineEdit(parent), rules_(new Rules(*this))
{
    setValidator(rules_);
    connect(this, &QLineEdit::textChanged, this, &TMaskedEdit::textChangedByAnyone);
    connect(this, &QLineEdit::inputRejected, this, &TMaskedEdit::explainRefusal);
}

void TMaskedEdit::setText(const QString& text)
{
    // Without the rules in place, the line edit takes the text as valid, so the user's next edit
    // is judged again rather than let through.
    setValidator(nullptr);
    QLineEdit::setText(text);
    setValidator(rules_);
    if (refusal_)
        refusal_->hideMessage();
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
    case edtWholeRoubles:
        return isAllowedWholeRoubles(text);
    }
    return false;
}

QString TMaskedEdit::shownRefusal() const
{
    return refusal_ ? refusal_->shownMessage() : QString();
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

bool TMaskedEdit::isAllowedWholeRoubles(const QString& text) const
{
    const qsizetype comma = text.indexOf(DecimalComma);
    if (comma >= 0) {
        const QStringView kopecks = QStringView(text).sliced(comma + 1);
        if (kopecks.size() > KopeckDigits || !std::all_of(kopecks.begin(), kopecks.end(), isZero))
            return false;
    }
    return isAllowedMoney(text);
}

// Whole roubles the rules would take but for kopecks other than zero.
bool TMaskedEdit::holdsKopecks(const QString& text) const
{
    if (editType_ != edtWholeRoubles)
        return false;
    const qsizetype comma = text.indexOf(DecimalComma);
    if (comma < 0)
        return false;
    const QStringView kopecks = QStringView(text).sliced(comma + 1);
    return std::all_of(kopecks.begin(), kopecks.end(), isDigit)
           && !std::all_of(kopecks.begin(), kopecks.end(), isZero)
           && isAllowedWholeRoubles(text.left(comma + 1));
}

void TMaskedEdit::explainRefusal()
{
    if (!std::exchange(kopecksRefused_, false))
        return;
    if (!refusal_)
        refusal_ = new FieldRefusal(*this);
    refusal_->showMessage(QStringLiteral("Сумма указывается в полных рублях, без копеек"));
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
