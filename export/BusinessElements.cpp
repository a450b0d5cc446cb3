#include "export/BusinessElements.h"

#include <cstdio>
#include <string>

#include "computation/Summary.h"
#include "export/XmlWriter.h"
#include "model/DayDate.h"
#include "model/Declaration.h"

namespace {

// The form's activity codes are "01" to "09"; the record holds the second digit.
std::string activityCode(const xmlNode* activity, const std::string& kind)
{
    if (kind.size() != 1 || kind[0] < '1' || kind[0] > '9')
        throw FieldRefusal(activity, "ВидДеят",
                           "Вид деятельности «" + kind + "» в {field} должен быть цифрой от 1 до 9.");
    return "0" + kind;
}

void setExpense(xmlNode* activity, const char* name, Currency amount)
{
    if (amount != Currency())
        SetMoneyAttribute(activity, name, amount);
}

void addActivity(xmlNode* business, const mTBusinessNew& record)
{
    xmlNode* activity = AddXmlElement(business, "РасчВидДеят");
    SetXmlAttribute(activity, "ВидДеят", activityCode(activity, record.ActivityKind));
    SetMoneyAttribute(activity, "Доход", record.IncomeSum);
    if (record.ExpensesConfirmed == 0)
        return;
    setExpense(activity, "РасхФакт", record.ExpenseSum);
    setExpense(activity, "РасхФМат", record.MaterialExpenses);
    setExpense(activity, "РасхФАмНач", record.Depreciation);
    setExpense(activity, "РасхФОплТруд", record.LabourExpenses);
    setExpense(activity, "РасхФПроч", record.OtherExpenses);
}

void addFarm(xmlNode* business, const mTDeclaration& decl)
{
    xmlNode* farm = AddXmlElement(business, "СведКФХ");
    const CalendarDate start = decodeDate(decl.FarmStartDate);
    char year[5] = "";
    if (start.year != 0)
        std::snprintf(year, sizeof year, "%04d", start.year);
    SetXmlAttribute(farm, "ГодРегКФХ", year);
}

void addCorrectedBase(xmlNode* business, const mTDeclaration& decl)
{
    xmlNode* corrected = AddXmlElement(business, "НБКор105.3");
    SetMoneyAttribute(corrected, "НБКорСам", decl.CorrectedBase);
    SetWholeAttribute(corrected, "НалКорСам", decl.CorrectedTax);
}


// Source "1": incomes from payers in Russia, "2": incomes in foreign currency.
void addProfessionalDeductions(xmlNode* business, const char* source, const ProfessionalDeductions& deductions)
{
    if (deductions.ОбщРасхВыч <= Currency())
        return;
    xmlNode* element = AddXmlElement(business, "ПрофНалВыч");
    SetXmlAttribute(element, "ИстДоход", source);
    SetPositiveMoneyAttribute(element, "РасхФактДогГПХ", deductions.РасхФактДогГПХ);
    SetPositiveMoneyAttribute(element, "РасхФактАвтВозн", deductions.РасхФактАвтВозн);
    SetPositiveMoneyAttribute(element, "РасхНормАвтВозн", deductions.РасхНормАвтВозн);
    SetMoneyAttribute(element, "ОбщРасхВыч", deductions.ОбщРасхВыч);
}

Currency sumOf(const AdvancePeriods& periods)
{
    return periods.ЗаКв + periods.ЗаПг + periods.За9м;
}

void addPeriods(xmlNode* advances, const char* name, const AdvancePeriods& periods)
{
    xmlNode* element = AddXmlElement(advances, name);
    SetWholeAttribute(element, "ЗаКв", periods.ЗаКв);
    SetWholeAttribute(element, "ЗаПг", periods.ЗаПг);
    SetWholeAttribute(element, "За9м", periods.За9м);
}

void addAdvancePayments(xmlNode* business, const kTSvodSumPrilV1Dop& sheet)
{
    if (sumOf(sheet.СумПолДох) + sumOf(sheet.СумПрофВыч) <= Currency())
        return;
    xmlNode* advances = AddXmlElement(business, "РасчАвансПлат");
    addPeriods(advances, "СумПолДох", sheet.СумПолДох);
    if (sumOf(sheet.СумПрофВыч) > Currency())
        addPeriods(advances, "СумПрофВыч", sheet.СумПрофВыч);
    if (sumOf(sheet.СумСтандВыч) > Currency())
        addPeriods(advances, "СумСтандВыч", sheet.СумСтандВыч);
    addPeriods(advances, "НалБазаИсч", sheet.НалБазаИсч);
    addPeriods(advances, "СумИсчАванс", sheet.СумИсчАванс);
}

void addBusinessIncome(xmlNode* business, const mTDeclaration& decl, const kTSvodSum& svod)
{
    const kTSvodSumPrilV1& sheet = svod.PrilV1;
    SetMoneyAttribute(business, "ДоходИт", sheet.ДоходИт);
    SetMoneyAttribute(business, "ВычПрофИт", sheet.ВычПрофИт);
    if (sheet.УплФактАвИт > Currency())
        SetWholeAttribute(business, "УплФактАвИт", sheet.УплФактАвИт);
    for (const auto& record : decl.BusinessIncomes)
        addActivity(business, *record);
    if (decl.IsPeasantFarm != 0)
        addFarm(business, decl);
    if (decl.CorrectedBase > Currency() || decl.CorrectedTax > Currency())
        addCorrectedBase(business, decl);
    addProfessionalDeductions(business, "1", svod.Pril3);
    addProfessionalDeductions(business, "2", svod.Pril3_In);
    addAdvancePayments(business, svod.PrilV1Dop);
}

// The form requires one activity even where there is none.
void addEmptyActivity(xmlNode* business, const kTSvodSum& svod)
{
    SetXmlAttribute(business, "ДоходИт", "0.00");
    SetXmlAttribute(business, "ВычПрофИт", "0.00");
    xmlNode* activity = AddXmlElement(business, "РасчВидДеят");
    SetXmlAttribute(activity, "ВидДеят", "09");
    SetXmlAttribute(activity, "Доход", "0.00");
    addProfessionalDeductions(business, "1", svod.Pril3);
    addProfessionalDeductions(business, "2", svod.Pril3_In);
}

} // namespace

void AddBusinessIncomeElements(xmlNode* ndfl3, const ExportContext& context)
{
    const mTDeclaration& decl = context.Decl;
    const kTSvodSum& svod = context.Svod;
    const bool hasRecords = decl.BusinessCount() > 0;
    if (!hasRecords && svod.Pril3.ОбщРасхВыч <= Currency() && svod.Pril3_In.ОбщРасхВыч <= Currency())
        return;

    xmlNode* business = AddXmlElement(ndfl3, "ДоходПредпр");
    if (hasRecords && decl.HasIncomeKind(IncomeKindBusiness))
        addBusinessIncome(business, decl, svod);
    else
        addEmptyActivity(business, svod);
}
