#include "export/Section1Elements.h"

#include "computation/Summary.h"
#include "export/XmlWriter.h"
#include "model/Declaration.h"
#include "model/Trimmed.h"

namespace {

void addSumsByCode(xmlNode* sums, const kTSvodSumR1& section1)
{
    for (const bmTList1& row : section1.Rows) {
        xmlNode* element = AddXmlElement(sums, "СумНалПуИскл227");
        SetXmlAttribute(element, "КБК", row.КБК);
        SetXmlAttribute(element, "ОКТМО", Trimmed(row.ОКТМО)); // typed with blanks around it, as the check takes it
        SetWholeAttribute(element, "ПодлУпл", row.ПодлУпл);
        SetWholeAttribute(element, "ПодлВозв", row.ПодлВозв);
    }
}

// A period's advance payment, or its reduction written with a minus sign.
void setPeriodAmount(xmlNode* element, const char* attribute, Currency payable, Currency reduction)
{
    if (payable > Currency())
        SetWholeAttribute(element, attribute, payable);
    else if (reduction > Currency())
        SetReductionAttribute(element, attribute, reduction);
}

void addAdvancePayments(xmlNode* sums, const kTSvodSumR1_punkt2& advances, const std::string& kbk,
                        const AdvancePaymentsOfCode& code)
{
    const Currency zero;
    xmlNode* element = AddXmlElement(sums, "СумНалПу227");
    SetXmlAttribute(element, "КБК", kbk);
    if (code.АвПУКв > zero) {
        SetWholeAttribute(element, "АвПУКв", code.АвПУКв);
        if (!advances.ОКТМО_Кв.empty())
            SetXmlAttribute(element, "ОКТМО_Кв", advances.ОКТМО_Кв);
    }
    if (!advances.ОКТМО_Пг.empty() && (code.HalfYearPayable > zero || code.HalfYearReduction > zero))
        SetXmlAttribute(element, "ОКТМО_Пг", advances.ОКТМО_Пг);
    setPeriodAmount(element, "АвПУУменПг", code.HalfYearPayable, code.HalfYearReduction);
    if (!advances.ОКТМО_9м.empty() && (code.NineMonthsPayable > zero || code.NineMonthsReduction > zero))
        SetXmlAttribute(element, "ОКТМО_9м", advances.ОКТМО_9м);
    setPeriodAmount(element, "АвПУУмен9м", code.NineMonthsPayable, code.NineMonthsReduction);
    SetXmlAttribute(element, "ОКТМО_Пер", Trimmed(advances.ОКТМО_Пер));
    // For the year the reduction comes first, and a year without either is written as 0.
    if (code.YearReduction > zero)
        SetReductionAttribute(element, "НалПУУменПер", code.YearReduction);
    else
        SetWholeAttribute(element, "НалПУУменПер", code.YearPayable);
}

void addOffset(xmlNode* applications, const bmTRecord1_ZachNalog& offset)
{
    xmlNode* element = AddXmlElement(applications, "ЗаявЗач");
    SetXmlAttribute(element, "НомерЗаяв", offset.НомерЗаяв);
    SetXmlAttribute(element, "КБК", offset.КБК);
    SetXmlAttribute(element, "ОКТМО", offset.ОКТМО);
    for (const bmTRecord1_PlNalog& payment : offset.Payments) {
        xmlNode* line = AddXmlElement(element, "СвНОПрПост");
        if (payment.ПрЗач != "1" && payment.ПрЗач != "2")
            throw FieldRefusal(line, "ПрЗач",
                               "В заявлении о зачете не выбрано, в счет чего зачесть налог: погашения недоимки "
                               "или предстоящих платежей ({field}).");
        SetXmlAttribute(line, "ПрЗач", payment.ПрЗач);
        SetMoneyAttribute(line, "Сумма", payment.Сумма);
        SetXmlAttribute(line, "КБК", payment.КБК);
        SetXmlAttribute(line, "ОКТМО", payment.ОКТМО);
        SetXmlAttribute(line, "КодНОПрПост", payment.КодНОПрПост);
    }
}

void addRefund(xmlNode* applications, const bmTRecord1_Bank& refund)
{
    xmlNode* element = AddXmlElement(applications, "ЗаявВозвр");
    SetXmlAttribute(element, "НомерЗаяв", refund.НомерЗаяв);
    SetMoneyAttribute(element, "Сумма", refund.Сумма);
    SetXmlAttribute(element, "КБК", refund.КБК);
    SetXmlAttribute(element, "ОКТМО", refund.ОКТМО);

    xmlNode* account = AddXmlElement(element, "СвСчБанк");
    SetXmlAttribute(account, "НаимБанк", refund.НаимБанк);
    SetXmlAttribute(account, "БИК", refund.БИК);
    SetXmlAttribute(account, "ВидСч", refund.ВидСч);
    SetXmlAttribute(account, "НомСч", refund.НомСч);

    xmlNode* holder = AddXmlElement(account, "ФИО");
    SetXmlAttribute(holder, "Фамилия", refund.Фамилия);
    SetXmlAttribute(holder, "Имя", refund.Имя);
    if (!Trimmed(refund.Отчество).empty())
        SetXmlAttribute(holder, "Отчество", refund.Отчество);
}

// Offset applications first, then refund applications, each in the order made.
void addApplications(xmlNode* ndfl3, const kTSvodKudaTratit& application)
{
    if (application.Offsets.empty() && application.Refunds.empty())
        return;
    xmlNode* applications = AddXmlElement(ndfl3, "ЗаявЗачВозвр");
    for (const bmTRecord1_ZachNalog& offset : application.Offsets)
        addOffset(applications, offset);
    for (const bmTRecord1_Bank& refund : application.Refunds)
        addRefund(applications, refund);
}

} // namespace

void AddSection1Elements(xmlNode* ndfl3, const ExportContext& context)
{
    const kTSvodSum& svod = context.Svod;
    xmlNode* sums = AddXmlElement(ndfl3, "СумНалПу");
    addSumsByCode(sums, svod.R1);
    if (context.Decl.BusinessCount() > 0) {
        const kTSvodSumR1_punkt2& advances = svod.R1_punkt2;
        addAdvancePayments(sums, advances, advances.КБК1, advances.FirstCodeAdvances);
        if (advances.HasSecondCode)
            addAdvancePayments(sums, advances, advances.КБК2, advances.SecondCodeAdvances);
    }
    addApplications(ndfl3, svod.KudaTratit);
}
