#include "export/FieldCheck.h"

#include <algorithm>
#include <cstddef>

#include "model/DayDate.h"
#include "model/TaxpayerNumbers.h"

namespace {

using FieldForms::allDigits;

std::size_t characterCount(std::string_view text)
{
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80; // not a continuation byte
    }));
}

std::string number(int n)
{
    return std::to_string(n);
}

std::string textFailure(const FieldFacet& field, std::string_view value)
{
    const std::size_t length = characterCount(value);
    if (field.minLength == field.maxLength && length != static_cast<std::size_t>(field.maxLength))
        return "должно состоять из " + number(field.maxLength) + " символов";
    if (length > static_cast<std::size_t>(field.maxLength))
        return "длиннее допустимого: не более " + number(field.maxLength) + " символов";
    if (length < static_cast<std::size_t>(field.minLength))
        return "короче допустимого: не менее " + number(field.minLength) + " символов";
    return {};
}

std::string innFailure(const FieldFacet& field, std::string_view value)
{
    const bool person = field.maxLength == 12;
    if (value.size() != static_cast<std::size_t>(field.maxLength) || !allDigits(value))
        return "не является ИНН: ИНН " + std::string(person ? "физического лица" : "организации")
             + " состоит из " + number(field.maxLength) + " цифр";
    if (value.starts_with("00"))
        return "не является ИНН: ИНН не начинается с 00";
    if (CheckInn(value, person ? InnPerson : InnOrganisation) != InnValid)
        return "не является ИНН: не сходятся контрольные цифры, номер введен неверно";
    return {};
}

// 1 to 999999, without leading zeros.
bool isShareNumber(std::string_view text)
{
    return allDigits(text) && text.size() <= 6 && text.front() != '0';
}

bool isShare(std::string_view value)
{
    const std::size_t slash = value.find('/');
    return slash != std::string_view::npos && isShareNumber(value.substr(0, slash))
        && isShareNumber(value.substr(slash + 1));
}

bool isDate(std::string_view value)
{
    if (value.size() != 10 || value[2] != '.' || value[5] != '.')
        return false;
    const std::string_view day = value.substr(0, 2), month = value.substr(3, 2), year = value.substr(6);
    if (!allDigits(day) || !allDigits(month) || !allDigits(year))
        return false;
    const auto toInt = [](std::string_view digits) {
        int n = 0;
        for (const char c : digits)
            n = n * 10 + (c - '0');
        return n;
    };
    const int y = toInt(year);
    return y >= 1900 && y <= 2099 && encodeDate(y, toInt(month), toInt(day)).has_value();
}

// Counts into `total` the digits of a decimal that count towards its total: without leading
// zeros of the whole part and trailing zeros of the fraction. False when the text is no decimal
// with at most `fractionDigits` digits after the point.
bool decimalDigits(std::string_view value, int fractionDigits, int& total)
{
    if (value.starts_with('-'))
        value.remove_prefix(1);
    const std::size_t point = value.find('.');
    std::string_view whole = value.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : value.substr(point + 1);
    if (!allDigits(whole) || (point != std::string_view::npos && !allDigits(fraction))
        || fraction.size() > static_cast<std::size_t>(fractionDigits))
        return false;
    while (whole.size() > 1 && whole.front() == '0')
        whole.remove_prefix(1);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    total = static_cast<int>((whole == "0" ? 0 : whole.size()) + fraction.size());
    return true;
}

std::string amountFailure(const FieldFacet& field, std::string_view value)
{
    int total = 0;
    const int fraction = field.form == FieldForm::Whole ? 0 : field.fractionDigits;
    if (decimalDigits(value, fraction, total) && total <= field.totalDigits)
        return {};
    if (field.form == FieldForm::Whole)
        return "не является целым числом не более чем из " + number(field.totalDigits) + " цифр";
    return "не является числом не более чем из " + number(field.totalDigits) + " цифр, из них не более "
         + number(fraction) + " после точки";
}

std::string codeFailure(const FieldFacet& field, std::string_view value)
{
    std::string_view codes = field.codes;
    while (!codes.empty()) {
        const std::size_t bar = codes.find('|');
        if (codes.substr(0, bar) == value)
            return {};
        codes = bar == std::string_view::npos ? std::string_view() : codes.substr(bar + 1);
    }
    std::string listed;
    for (const char c : field.codes) {
        if (c == '|')
            listed += ", ";
        else
            listed += c;
    }
    return "не входит в допустимые значения: " + listed;
}

} // namespace

std::string FieldValueFailure(const FieldFacet& field, std::string_view value)
{
    switch (field.form) {
    case FieldForm::Text:
        return textFailure(field, value);
    case FieldForm::Digits:
        if (value.size() == static_cast<std::size_t>(field.maxLength) && allDigits(value))
            return {};
        return "должно состоять из " + number(field.maxLength) + " цифр";
    case FieldForm::Oktmo:
        if (IsOktmo(value))
            return {};
        return "не является кодом ОКТМО: он состоит из 8 или 11 цифр";
    case FieldForm::Inn:
        return innFailure(field, value);
    case FieldForm::Kpp:
        if (IsKpp(value))
            return {};
        return "не является КПП: девять знаков, из них первые четыре и последние три цифры, первые две не 00";
    case FieldForm::Share:
        if (isShare(value))
            return {};
        return "не является долей: простая дробь, числитель и знаменатель от 1 до 999999";
    case FieldForm::Date:
        if (isDate(value))
            return {};
        return "не является датой с 01.01.1900 по 31.12.2099 в виде ДД.ММ.ГГГГ";
    case FieldForm::Year:
        if (value.size() == 4 && allDigits(value))
            return {};
        return "не является годом из четырех цифр";
    case FieldForm::Amount:
    case FieldForm::Whole:
        return amountFailure(field, value);
    case FieldForm::Code:
        return codeFailure(field, value);
    }
    return "не подходит для поля";
}
