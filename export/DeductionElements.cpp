#include "export/DeductionElements.h"

#include <cstdint>
#include <initializer_list>
#include <string>

#include "computation/Residency.h"
#include "computation/Summary.h"
#include "export/XmlWriter.h"
#include "model/Declaration.h"
#include "model/Trimmed.h"

namespace {

// The kind of object that the form has no code of its own for and counts as kind 4.
constexpr std::int32_t ObjectCodeWrittenAs4 = 8;
// The kind of object number under which the object has no number, only its location
// ("Номер отсутствует"); the other kind the format knows is 1, the cadastral number.
constexpr std::int32_t NumberKindLocationOnly = 2;

struct Amount {
    const char* name;
    Currency value;
};


// An element whose attributes are all written only when positive, itself only when they add
// up to more than 0.
void addPositiveAmounts(xmlNode* parent, const char* name, std::initializer_list<Amount> amounts)
{
    Currency total;
    for (const Amount& amount : amounts)
        total += amount.value;
    if (total <= Currency())
        return;
    xmlNode* element = AddXmlElement(parent, name);
    for (const Amount& amount : amounts)
        SetPositiveMoneyAttribute(element, amount.name, amount.value);
}

void addStandard(xmlNode* deductions, const kTSvodSumPril5& sheet)
{
    xmlNode* standard = AddXmlElement(deductions, "РасчВычСтанд");
    SetPositiveMoneyAttribute(standard, "ВычСт218.1.1", sheet.ВычСт218_1_1);
    SetPositiveMoneyAttribute(standard, "ВычСт218.1.2", sheet.ВычСт218_1_2);
    SetPositiveMoneyAttribute(standard, "ВычСтРеб", sheet.ВычСтРеб);
    SetPositiveMoneyAttribute(standard, "ВычСтРебЕд", sheet.ВычСтРебЕд);
    SetPositiveMoneyAttribute(standard, "ВычСтРебИнв", sheet.ВычСтРебИнв);
    SetPositiveMoneyAttribute(standard, "ВычСтРебИнвЕд", sheet.ВычСтРебИнвЕд);
    SetPositiveMoneyAttribute(standard, "ОбщВычСтандПер", sheet.ОбщВычСтандПер);
    SetMoneyAttribute(standard, "ОбщВычСтандДекл", sheet.ОбщВычСтандДекл);
}

// Donations, children's education and expensive treatment: no common limit.
void addSocialWithoutLimit(xmlNode* deductions, const kTSvodSumPril5& sheet)
{
    if (sheet.ИтогВычСоциал <= Currency())
        return;
    xmlNode* social = AddXmlElement(deductions, "РасчВычСоцБез219.2");
    SetPositiveMoneyAttribute(social, "СумБлагЦел", sheet.СумБлагЦел);
    SetPositiveMoneyAttribute(social, "СумОбуч", sheet.ChildEduSum);
    SetPositiveMoneyAttribute(social, "СумЛечен", sheet.СумЛечен);
    SetMoneyAttribute(social, "ИтогВычСоциал", sheet.ИтогВычСоциал);
}

// The expenses under the common limit of 120 000 roubles.
void addSocialWithinLimit(xmlNode* deductions, const kTSvodSumPril5& sheet)
{
    if (sheet.ОбщСНВОтчПерНА + sheet.ОбщВычСоциал <= Currency())
        return;
    xmlNode* social = AddXmlElement(deductions, "РасчВычСоц219.2");
    SetPositiveMoneyAttribute(social, "СумОбуч", sheet.SelfEduSum);
    SetPositiveMoneyAttribute(social, "СумМедУсл", sheet.СумМедУсл);
    SetPositiveMoneyAttribute(social, "СумЛекПреп", sheet.СумЛекПреп);
    SetPositiveMoneyAttribute(social, "СумЛичСтрах", sheet.СумЛичСтрах);
    SetPositiveMoneyAttribute(social, "СумПенсСтрах", sheet.СумПенсСтрах);
    SetPositiveMoneyAttribute(social, "СумОценКвалиф", sheet.СумОценКвалиф);
    SetPositiveMoneyAttribute(social, "ОбщСумРасх", sheet.ОбщСумРасх);
    SetPositiveMoneyAttribute(social, "ОбщСНВОтчПерНА", sheet.ОбщСНВОтчПерНА);
    SetMoneyAttribute(social, "ОбщВычСоциал", sheet.ОбщВычСоциал);
}

void addInvestment(xmlNode* deductions, const kTSvodSumPril5& sheet)
{
    xmlNode* investment = AddXmlElement(deductions, "РасчИнвВыч");
    SetMoneyAttribute(investment, "СумИнвВыч219", sheet.СумИнвВыч219);
    SetMoneyAttribute(investment, "ИнвВычПредВосст", sheet.ИнвВычПредВосст);
    SetMoneyAttribute(investment, "ИнвВычУпр", sheet.ИнвВычУпр);
}

// The taxpayer's sign of a property object by its owner sign (1 to 5), without and with the
// pensioner's flag.
std::string taxpayerSign(const xmlNode* object, const mTConstructionDeductObj& source)
{
    static constexpr const char* signs[5][2] = {
        {"01", "11"}, {"02", "12"}, {"03", "04"}, {"13", "14"}, {"23", "24"},
    };
    if (source.OwnerSign < 1 || source.OwnerSign > 5)
        throw FieldRefusal(object, "ПризнакНП",
                           "Признак налогоплательщика " + std::to_string(source.OwnerSign)
                               + " в {field} должен быть от 1 до 5.");
    return signs[source.OwnerSign - 1][source.Pensioner != 0 ? 1 : 0];
}

// A share without a denominator is the whole object, as the computation takes it; "0/0" is no
// share the format knows.
std::string ownershipShare(const mTConstructionDeductObj& source)
{
    if (source.ShareDenominator == 0)
        return "1/1";
    return std::to_string(source.ShareNumerator) + "/" + std::to_string(source.ShareDenominator);
}

void addObjectDetails(xmlNode* object, const mTConstructionDeductObj& source)
{
    xmlNode* details = AddXmlElement(object, "СведОбъект");
    if ((source.ObjectCode == 1 || source.ObjectCode == 7) && source.AcquisitionMethod > 0)
        SetXmlAttribute(details, "СпособПриобр", std::to_string(source.AcquisitionMethod));
    SetXmlAttribute(details, "КодНомерОб", std::to_string(source.ObjectNumberKind));
    // The one text that identifies the object must say something.
    const auto requireText = [details](const char* name, const std::string& value) {
        if (Trimmed(value).empty())
            throw FieldRefusal(details, name, "Не заполнено {field}.");
        SetXmlAttribute(details, name, value);
    };
    if (source.ObjectNumberKind == NumberKindLocationOnly) {
        requireText("СведМНОб", source.ObjectLocation);
        return;
    }
    requireText("НомерОб", source.ObjectNumber);
    if (!Trimmed(source.ObjectLocation).empty())
        SetXmlAttribute(details, "СведМНОб", source.ObjectLocation);
}

void addPropertyObject(xmlNode* calculation, const mTConstructionDeductObj& source)
{
    xmlNode* object = AddXmlElement(calculation, "СвОбъектРасх");
    const std::int32_t code = source.ObjectCode == ObjectCodeWrittenAs4 ? 4 : source.ObjectCode;
    SetXmlAttribute(object, "КодНаимОб", std::to_string(code));
    SetXmlAttribute(object, "ПризнакНП", taxpayerSign(object, source));
    if (source.ByInvestment != 0) {
        SetDateAttribute(object, "ДатаАкт", source.ActDate);
    } else {
        SetDateAttribute(object, "ДатаРегЖил", source.DwellingRegDate);
        if (source.ObjectCode > 4)
            SetDateAttribute(object, "ДатаРегЗем", source.LandRegDate);
    }
    if (source.PreShareMarker != 0)
        SetXmlAttribute(object, "ДолСобств", ownershipShare(source));
    SetMoneyAttribute(object, "СумРасхФакт", source.ActualExpense);
    SetMoneyAttribute(object, "СумФактУплПроц", source.InterestPaid);
    addObjectDetails(object, source);
}

void addPensionContract(xmlNode* contributions, const mbTPens& row)
{
    xmlNode* contract = AddXmlElement(contributions, "РасчПСВВыч");
    SetMoneyAttribute(contract, "СумВзносУпл", row.СумВзносУпл);
    xmlNode* details = AddXmlElement(contract, "СведДогНПО");
    SetXmlAttribute(details, "ВидДоговор", std::to_string(row.ВидДоговор));
    SetDateAttribute(details, "ДатаДогНПО", row.ДатаДогНПО);
    SetXmlAttribute(details, "НомДогНПО", row.НомДогНПО);
    xmlNode* organisation = AddXmlElement(details, "СведИст");
    SetXmlAttribute(organisation, "Наим", row.Наим);
    SetXmlAttribute(organisation, "ИННЮЛ", row.ИННЮЛ);
    SetXmlAttribute(organisation, "КПП", row.КПП);
}

void addInvestmentAccount(xmlNode* contributions, const bmTInfoIIS& account)
{
    xmlNode* element = AddXmlElement(contributions, "РасчСумИнвВыч");
    SetXmlAttribute(element, "ИННЮЛ", account.ParticipantINN);
    SetXmlAttribute(element, "КПП", account.ParticipantKPP);
    SetXmlAttribute(element, "НаимУч", account.ParticipantName);
    SetDateAttribute(element, "ДатаДог", account.ContractDate);
    SetXmlAttribute(element, "НомДог", account.ContractNumber);
    SetDateAttribute(element, "ДатаОткр", account.OpenDate);
    SetMoneyAttribute(element, "ОбщСумВыч", account.PaidIn);
    SetXmlAttribute(element, "ПрВыч", std::to_string(account.SimplifiedSign));
}

} // namespace

void AddStandardSocialDeductionElements(xmlNode* ndfl3, const ExportContext& context)
{
    if (!IsResidentDeclaration(context.Decl))
        return;
    const kTSvodSumPril5& sheet = context.Svod.Pril5;
    const Currency investment = sheet.СумИнвВыч219 + sheet.ИнвВычПредВосст + sheet.ИнвВычУпр;
    if (sheet.ОбщВычСтандПер + sheet.ОбщСНВОтчПерНА + sheet.ВычСтандСоц + investment <= Currency())
        return;

    xmlNode* deductions = AddXmlElement(ndfl3, "ВычСтандСоц");
    SetMoneyAttribute(deductions, "ВычСтандСоц", sheet.ВычСтандСоц);
    addStandard(deductions, sheet);
    addSocialWithoutLimit(deductions, sheet);
    addSocialWithinLimit(deductions, sheet);
    if (investment > Currency() && IsOrdinaryDeclaration(context.Decl))
        addInvestment(deductions, sheet);
}

void AddPropertySaleDeductionElements(xmlNode* ndfl3, const ExportContext& context)
{
    const kTSvodSumPril6& sheet = context.Svod.Pril6;
    if (sheet.ОбщИмущВыч <= Currency())
        return;
    xmlNode* deductions = AddXmlElement(ndfl3, "ИмущНалВычПр");
    SetMoneyAttribute(deductions, "ОбщИмущВыч", sheet.ОбщИмущВыч);
    addPositiveAmounts(deductions, "ВычДохНедвЖил",
                       {{"ВычПродИмущ", sheet.ВычПродИмущ},
                        {"РасхПриобИмущ", sheet.РасхПриобИмущ},
                        {"ВычПродИмущДол", sheet.ВычПродИмущДол},
                        {"РасхПриобИмущДол", sheet.РасхПриобИмущДол}});
    addPositiveAmounts(deductions, "ВычПродНедвИн",
                       {{"ВычДохПродИмущ", sheet.OtherRealtySaleDeduction},
                        {"РасхПриобрИмущ", sheet.OtherRealtyCost}});
    addPositiveAmounts(deductions, "ВычПродИмущИн",
                       {{"ВычДохПродИмущ", sheet.OtherPropertySaleDeduction},
                        {"РасхПриобрИмущ", sheet.OtherPropertyCost}});
    addPositiveAmounts(deductions, "ВычИзъятИмущГМН", {{"ВычДохИзъятИмущ", sheet.ВычДохИзъятИмущ}});
    addPositiveAmounts(deductions, "ВычЛиквИОиКИК",
                       {{"ВычДохЛиквИО", sheet.ВычДохЛиквИО},
                        {"ВычДохПравКИК", sheet.ВычДохПравКИК}});
    addPositiveAmounts(deductions, "РасхВычПродУК", {{"ВычПдтвРасхПродУК", sheet.ВычПдтвРасхПродУК}});
    addPositiveAmounts(deductions, "РасхВычПрдСр", {{"ВычПдтвРасхПрдСр", sheet.ВычПдтвРасхПрдСр}});
    addPositiveAmounts(deductions, "РасхВычУмСтУК", {{"ВычПдтвРасхУмСтУК", sheet.ВычПдтвРасхУмСтУК}});
    addPositiveAmounts(deductions, "РасхВычУстПрав", {{"ВычПдтвРасхУстПрав", sheet.ВычПдтвРасхУстПрав}});
}

void AddPropertyPurchaseDeductionElements(xmlNode* ndfl3, const ExportContext& context)
{
    const mTDeclaration& decl = context.Decl;
    const mTConstructionDeduct& deduction = decl.ConstructionDeduct;
    if (deduction.Granted == 0 || !IsOrdinaryDeclaration(decl) || deduction.ObjectCount() == 0
        || decl.IncomeKinds() == 0)
        return;

    const kTSvodSumPril7& sheet = context.Svod.Pril7;
    xmlNode* purchase = AddXmlElement(ndfl3, "ИмущНалВычНов");
    xmlNode* calculation = AddXmlElement(purchase, "РасчИмущВыч");
    for (const Amount& amount : {Amount{"ВычНовЗачПред", sheet.ВычНовЗачПред},
                                 Amount{"ВычПроцЗачПред", sheet.ВычПроцЗачПред},
                                 Amount{"ВычНАУвед", sheet.ВычНАУвед},
                                 Amount{"ВычНАУпр", sheet.ВычНАУпр},
                                 Amount{"ПроцНАУвед", sheet.ПроцНАУвед},
                                 Amount{"ПроцНАУпр", sheet.ПроцНАУпр},
                                 Amount{"НалБаз13БезВыч", sheet.НалБаз13БезВыч},
                                 Amount{"РасхНовВычНД", sheet.РасхНовВычНД},
                                 Amount{"ПроцВычНД", sheet.ПроцВычНД},
                                 Amount{"ОстИВБезПроц", sheet.ОстИВБезПроц},
                                 Amount{"ОстИВУплПроц", sheet.ОстИВУплПроц}})
        SetMoneyAttribute(calculation, amount.name, amount.value);
    for (const auto& object : deduction.ObjectList)
        addPropertyObject(calculation, *object);
}

void AddPensionInvestmentDeductionElements(xmlNode* ndfl3, const ExportContext& context)
{
    const kTSvodSumPril5Dop& sheet = context.Svod.Pril5Dop;
    if (sheet.Rows.empty() && sheet.ОбщВзносВыч <= Currency() && !sheet.ListInvestmentAccounts)
        return;

    xmlNode* deductions = AddXmlElement(ndfl3, "ВычСоцИнв219");
    xmlNode* contributions = AddXmlElement(deductions, "РасчПенсВзнос");
    SetMoneyAttribute(contributions, "ОбщВзносВыч", sheet.ОбщВзносВыч);
    for (const mbTPens& row : sheet.Rows)
        addPensionContract(contributions, row);
    if (sheet.СумВзносУпл > Currency())
        SetMoneyAttribute(AddXmlElement(contributions, "РасчДопСВВыч"), "СумВзносУпл", sheet.СумВзносУпл);
    if (sheet.ListInvestmentAccounts)
        for (const auto& account : context.Decl.InvDeduct.IISList)
            addInvestmentAccount(contributions, *account);
}
