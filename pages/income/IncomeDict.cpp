#include "pages/income/IncomeDict.h"

#include <QFile>

#include "controls/DisplayFormat.h"
#include "controls/ReferenceDocument.h"

namespace {

const QString ResourcePath = QStringLiteral(":/dictionaries/IncomeDict.xml");

bool isTrue(const ReferenceElement& element, QStringView name)
{
    return element.attribute(name) == u"True";
}

// A value every element of its kind carries; its absence is a damaged dictionary.
QString required(const ReferenceElement& element, QStringView name, const QString& where)
{
    for (const auto& [key, value] : element.attributes) {
        if (key == name)
            return value;
    }
    throw ReferenceFileError(QStringLiteral("Справочник видов доходов поврежден: у %1 нет атрибута %2")
                                 .arg(where, name.toString()));
}

DictionaryDeduction readDeduction(const ReferenceElement& element, const QString& incomeCode)
{
    DictionaryDeduction deduction;
    deduction.code = required(element, u"Code", QStringLiteral("вычета дохода %1").arg(incomeCode));
    const QString where = QStringLiteral("вычета %1 дохода %2").arg(deduction.code, incomeCode);
    deduction.name = required(element, u"Name", where);
    const QString percent = required(element, u"Stav", where).trimmed();
    if (!percent.isEmpty()) {
        bool ok = false;
        deduction.percent = percent.toUShort(&ok);
        if (!ok || deduction.percent > 100)
            throw ReferenceFileError(
                QStringLiteral("Справочник видов доходов поврежден: процент «%1» %2").arg(percent, where));
    }
    deduction.visible = isTrue(element, u"Visible");
    deduction.enabled = isTrue(element, u"Enabled");
    deduction.equivalent = isTrue(element, u"Equivalent");
    const QString maxSum = required(element, u"MaxSum", where);
    const std::optional<Currency> amount = parseCurrencyDisplayText(maxSum);
    if (!amount || maxSum.trimmed().isEmpty())
        throw ReferenceFileError(
            QStringLiteral("Справочник видов доходов поврежден: предельная сумма «%1» %2").arg(maxSum, where));
    deduction.maxSum = *amount;
    return deduction;
}

DictionaryIncome readIncome(const ReferenceElement& element)
{
    DictionaryIncome income;
    income.code = required(element, u"Code", QStringLiteral("дохода"));
    const QString where = QStringLiteral("дохода %1").arg(income.code);
    income.name = required(element, u"Name", where);
    income.rates = required(element, u"Stav", where);
    income.russian = isTrue(element, u"RF");
    income.foreign = isTrue(element, u"Foreign");
    income.nonResident = isTrue(element, u"NRez");
    income.nonResidentAtRate = isTrue(element, u"NRez13");
    income.notAgentIncome = isTrue(element, u"NoNA");
    income.investmentPartnership = isTrue(element, u"IT");
    income.saleDate = isTrue(element, u"SaleDate");
    for (const ReferenceElement& child : element.children) {
        if (child.name == u"Deduction")
            income.deductions.push_back(readDeduction(child, income.code));
    }
    return income;
}

} // namespace

const DictionaryDeduction* DictionaryIncome::deduction(QStringView code) const
{
    for (const DictionaryDeduction& candidate : deductions) {
        if (candidate.code == code)
            return &candidate;
    }
    return nullptr;
}

IncomeDict::IncomeDict(const ReferenceElement& root)
{
    for (const ReferenceElement& child : root.children) {
        if (child.name == u"Income")
            incomes_.push_back(readIncome(child));
    }
    if (incomes_.empty() || incomes_.front().code != u"0000")
        throw ReferenceFileError(QStringLiteral("Справочник видов доходов поврежден: первым в нем должен быть "
                                                "совокупный доход 0000"));
}

const IncomeDict& IncomeDict::builtIn()
{
    static const IncomeDict dictionary = [] {
        QFile file(ResourcePath);
        if (!file.open(QIODevice::ReadOnly))
            throw ReferenceFileError(QStringLiteral("Справочник видов доходов не найден в программе"));
        return IncomeDict(parseReferenceXml(file.readAll()));
    }();
    return dictionary;
}

const DictionaryIncome* IncomeDict::income(QStringView code) const
{
    for (const DictionaryIncome& candidate : incomes_) {
        if (candidate.code == code)
            return &candidate;
    }
    return nullptr;
}

QString unknownIncomeCodeMessage(QStringView code)
{
    return QStringLiteral("Код дохода %1 не найден в справочнике видов доходов").arg(code.toString());
}
