#include "export/BusinessElements.h"

#include <gtest/gtest.h>

#include "DeclarationBuilders.h"
#include "ElementTestSupport.h"

namespace {

// A civil-law contract of 50 000 with expenses of 60 000 claimed: 50 000 are deductible.
void addCivilContract(mTDeclaration& decl)
{
    addPayer(decl).AddIncome13(incomeLine(2010, rub(50'000), 403, rub(60'000)));
}

const std::vector<FamilyCase> cases = {
    {"no business and no professional deductions",
     [](mTDeclaration& decl) { addPayer(decl).AddIncome13(incomeLine(2000, rub(100'000))); }, ""},
    {"professional deductions without a business record keep the empty activity",
     addCivilContract,
     R"(<ДоходПредпр ДоходИт="0.00" ВычПрофИт="0.00"><РасчВидДеят ВидДеят="09" Доход="0.00"/>)"
     R"(<ПрофНалВыч ИстДоход="1" РасхФактДогГПХ="50000.00" ОбщРасхВыч="50000.00"/></ДоходПредпр>)"},
    {"author's fees from payers in Russia and abroad",
     [](mTDeclaration& decl) {
         mbTSourse& payer = addPayer(decl);
         payer.AddIncome13(incomeLine(2201, rub(100'000), 404, rub(20'000)));
         payer.AddIncome13(incomeLine(2202, rub(30'000.5), 405, rub(9'000.25)));
         decl.SetIncomeKinds(decl.IncomeKinds() | IncomeKindForeign);
         mTCurrencyIncome& fee = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
         fee.IncomeCode = 2203;
         fee.IncomeDateRate = rub(75);
         fee.IncomeDateUnits = 1;
         fee.SetIncomeAmount(rub(1'000)); // 75 000 roubles
         fee.DeductionCode = 405;
         fee.DeductionSum = rub(15'000);
     },
     R"(<ДоходПредпр ДоходИт="0.00" ВычПрофИт="0.00"><РасчВидДеят ВидДеят="09" Доход="0.00"/>)"
     R"(<ПрофНалВыч ИстДоход="1" РасхФактАвтВозн="20000.00" РасхНормАвтВозн="9000.25" ОбщРасхВыч="29000.25"/>)"
     R"(<ПрофНалВыч ИстДоход="2" РасхНормАвтВозн="15000.00" ОбщРасхВыч="15000.00"/></ДоходПредпр>)"},
    // Bases 150 000, 300 000 and 450 000 at 13 %.
    {"entrepreneur with advance payments",
     [](mTDeclaration& decl) {
         mTBusinessNew& record = addBusiness(decl, {"1", 1'000'000, 400'000});
         record.MaterialExpenses = rub(100'000);
         record.LabourExpenses = rub(300'000);
         setQuarters(record, {250'000, 250'000, 250'000, 250'000}, {100'000, 100'000, 100'000, 100'000});
         decl.ActualAdvancePayments = rub(50'000);
     },
     R"(<ДоходПредпр ДоходИт="1000000.00" ВычПрофИт="400000.00" УплФактАвИт="50000">)"
     R"(<РасчВидДеят ВидДеят="01" Доход="1000000.00" РасхФакт="400000.00" РасхФМат="100000.00" РасхФОплТруд="300000.00"/>)"
     R"(<РасчАвансПлат><СумПолДох ЗаКв="250000" ЗаПг="500000" За9м="750000"/>)"
     R"(<СумПрофВыч ЗаКв="100000" ЗаПг="200000" За9м="300000"/>)"
     R"(<НалБазаИсч ЗаКв="150000" ЗаПг="300000" За9м="450000"/>)"
     R"(<СумИсчАванс ЗаКв="19500" ЗаПг="39000" За9м="58500"/></РасчАвансПлат></ДоходПредпр>)"},
    {"unconfirmed expenses, a farm, a corrected base and professional deductions",
     [](mTDeclaration& decl) {
         mTBusinessNew& unconfirmed = addBusiness(decl, {"2", 10'000, 2'000, 0});
         unconfirmed.MaterialExpenses = rub(2'000);
         addBusiness(decl, {"9", 5'000.5, 1'000}).OtherExpenses = rub(1'000);
         decl.IsPeasantFarm = 1;
         decl.FarmStartDate = *encodeDate(2015, 3, 1);
         decl.CorrectedBase = rub(1'000.5);
         decl.CorrectedTax = rub(130);
         addCivilContract(decl);
     },
     R"(<ДоходПредпр ДоходИт="15000.50" ВычПрофИт="3000.00"><РасчВидДеят ВидДеят="02" Доход="10000.00"/>)"
     R"(<РасчВидДеят ВидДеят="09" Доход="5000.50" РасхФакт="1000.00" РасхФПроч="1000.00"/>)"
     R"(<СведКФХ ГодРегКФХ="2015"/><НБКор105.3 НБКорСам="1000.50" НалКорСам="130"/>)"
     R"(<ПрофНалВыч ИстДоход="1" РасхФактДогГПХ="50000.00" ОбщРасхВыч="50000.00"/></ДоходПредпр>)"},
    // Without documented expenses the deduction of the year and of each period is the norm of
    // 20 % of the income; quarter income is taken in whole roubles; the taxpayer ending the
    // business is a resident, so the advance payment is 13 % of 80 000.
    {"closing declaration without documented expenses",
     [](mTDeclaration& decl) {
         decl.DeclarationType = DeclarationClosingBusiness;
         setQuarters(addBusiness(decl, {"1", 100'000.75, 0, 0}), {100'000.75, 0, 0, 0}, {0, 0, 0, 0});
     },
     R"(<ДоходПредпр ДоходИт="100000.75" ВычПрофИт="20000.15"><РасчВидДеят ВидДеят="01" Доход="100000.75"/>)"
     R"(<РасчАвансПлат><СумПолДох ЗаКв="100000" ЗаПг="100000" За9м="100000"/>)"
     R"(<СумПрофВыч ЗаКв="20000" ЗаПг="20000" За9м="20000"/>)"
     R"(<НалБазаИсч ЗаКв="80000" ЗаПг="80000" За9м="80000"/>)"
     R"(<СумИсчАванс ЗаКв="10400" ЗаПг="10400" За9м="10400"/></РасчАвансПлат></ДоходПредпр>)"},
};

TEST(BusinessElements, SubtreeOfEachDeclaration)
{
    expectSubtrees(AddBusinessIncomeElements, cases);
}

TEST(BusinessElements, ValuesTheFormCannotHoldFailNamingTheField)
{
    const struct {
        const char* name;
        BusinessRecord record;
        const char* field;
    } failures[] = {
        {"activity kind missing", {"", 1'000, 0}, "НДФЛ3/ДоходПредпр/РасчВидДеят/@ВидДеят"},
        {"activity kind of two digits", {"10", 1'000, 0}, "НДФЛ3/ДоходПредпр/РасчВидДеят/@ВидДеят"},
        {"income beyond fourteen digits", {"1", 1'000'000'000'000, 0}, "НДФЛ3/ДоходПредпр/@ДоходИт"},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.name);
        expectFailure(AddBusinessIncomeElements, [&](mTDeclaration& decl) { addBusiness(decl, f.record); }, f.field);
    }
}

} // namespace
