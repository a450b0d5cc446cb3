#include "export/Section1Elements.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ExportTestSupport.h"
#include "computation/ComputationTestSupport.h"

namespace {

const char* const FirstKbk = "18210102020011000110";
const char* const SecondKbk = "18210102080011000110";

// A declaration with one business record, and the territory codes its advance payments carry.
struct BusinessDeclaration {
    std::unique_ptr<mTDeclaration> decl = validDeclaration();
    std::unique_ptr<kTSvodSum> svod = summaryWithIncome();

    BusinessDeclaration()
    {
        decl->SetIncomeKinds(IncomeKindBusiness);
        decl->GetBusiness(decl->AddBusiness())->ActivityKind = "1";
        kTSvodSumR1_punkt2& advances = svod->R1_punkt2;
        advances.КБК1 = FirstKbk;
        advances.КБК2 = SecondKbk;
        advances.ОКТМО_Кв = "11111111";
        advances.ОКТМО_Пг = "22222222";
        advances.ОКТМО_9м = "33333333";
        advances.ОКТМО_Пер = "45382000";
    }
};

TEST(Section1Elements, SectionOneIsWrittenEvenWithoutRows)
{
    auto decl = validDeclaration();
    EXPECT_EQ(elementsText(builtText(*decl, *summaryWithIncome()), "СумНалПу"), "<СумНалПу/>");
}

TEST(Section1Elements, EachRowGivesItsSumsByCode)
{
    auto decl = validDeclaration();
    auto svod = summaryWithIncome();
    svod->R1.Rows = {{"18210102010011000110", "45382000", rub(0), rub(1'234)},
                     {"18210102030011000110", "45383000", rub(5'678), rub(0)}};
    svod->R1.RowCount = 2;
    EXPECT_EQ(elementsText(builtText(*decl, *svod), "СумНалПу"),
              R"(<СумНалПу>)"
              R"(<СумНалПуИскл227 КБК="18210102010011000110" ОКТМО="45382000" ПодлУпл="0" ПодлВозв="1234"/>)"
              R"(<СумНалПуИскл227 КБК="18210102030011000110" ОКТМО="45383000" ПодлУпл="5678" ПодлВозв="0"/>)"
              R"(</СумНалПу>)");
}

TEST(Section1Elements, ARowWithoutTerritoryCodeFailsTheExport)
{
    auto decl = validDeclaration();
    auto svod = summaryWithIncome();
    svod->R1.Rows = {{"18210102030011000110", "", rub(0), rub(0)}};
    svod->R1.RowCount = 1;
    const std::string message = builderRefusal(*decl, *svod);
    EXPECT_NE(message.find("СумНалПуИскл227/@ОКТМО"), std::string::npos) << message;
}

struct AdvancesCase {
    const char* name;
    std::function<void(kTSvodSumR1_punkt2&)> fill;
    const char* expected; // the "СумНалПу227" elements
};

TEST(Section1Elements, AdvancePaymentsOfBusinessIncomeByCode)
{
    const AdvancesCase cases[] = {
        {"nothing paid", [](kTSvodSumR1_punkt2&) {},
         R"(<СумНалПу227 КБК="18210102020011000110" ОКТМО_Пер="45382000" НалПУУменПер="0"/>)"},
        {"half-year reduction", [](kTSvodSumR1_punkt2& a) { a.FirstCodeAdvances.HalfYearReduction = rub(1'500); },
         R"(<СумНалПу227 КБК="18210102020011000110" ОКТМО_Пг="22222222" АвПУУменПг="-1500" ОКТМО_Пер="45382000")"
         R"( НалПУУменПер="0"/>)"},
        {"every period", [](kTSvodSumR1_punkt2& a) {
             a.FirstCodeAdvances = {rub(500'000), rub(150'000), rub(0), rub(0), rub(100'000), rub(7), rub(0)};
         },
         R"(<СумНалПу227 КБК="18210102020011000110" АвПУКв="500000" ОКТМО_Кв="11111111" ОКТМО_Пг="22222222")"
         R"( АвПУУменПг="150000" ОКТМО_9м="33333333" АвПУУмен9м="-100000" ОКТМО_Пер="45382000" НалПУУменПер="7"/>)"},
        {"payable before the reduction in a period, the reduction first for the year",
         [](kTSvodSumR1_punkt2& a) {
             a.FirstCodeAdvances = {rub(0), rub(10), rub(20), rub(30), rub(40), rub(50), rub(60)};
         },
         R"(<СумНалПу227 КБК="18210102020011000110" ОКТМО_Пг="22222222" АвПУУменПг="10" ОКТМО_9м="33333333")"
         R"( АвПУУмен9м="30" ОКТМО_Пер="45382000" НалПУУменПер="-60"/>)"},
        {"periods without territory codes", [](kTSvodSumR1_punkt2& a) {
             a.ОКТМО_Кв.clear();
             a.ОКТМО_Пг.clear();
             a.ОКТМО_9м.clear();
             a.FirstCodeAdvances = {rub(100), rub(200), rub(0), rub(300), rub(0), rub(0), rub(0)};
         },
         R"(<СумНалПу227 КБК="18210102020011000110" АвПУКв="100" АвПУУменПг="200" АвПУУмен9м="300")"
         R"( ОКТМО_Пер="45382000" НалПУУменПер="0"/>)"},
        {"second code", [](kTSvodSumR1_punkt2& a) {
             a.FirstCodeAdvances.АвПУКв = rub(650'000);
             a.SecondCodeAdvances.АвПУКв = rub(1'000);
             a.SecondCodeAdvances.YearPayable = rub(2'000);
             a.HasSecondCode = 1;
         },
         R"(<СумНалПу227 КБК="18210102020011000110" АвПУКв="650000" ОКТМО_Кв="11111111" ОКТМО_Пер="45382000")"
         R"( НалПУУменПер="0"/>)"
         R"(<СумНалПу227 КБК="18210102080011000110" АвПУКв="1000" ОКТМО_Кв="11111111" ОКТМО_Пер="45382000")"
         R"( НалПУУменПер="2000"/>)"},
        {"second code's amounts without its flag", [](kTSvodSumR1_punkt2& a) {
             a.SecondCodeAdvances.АвПУКв = rub(1'000);
         },
         R"(<СумНалПу227 КБК="18210102020011000110" ОКТМО_Пер="45382000" НалПУУменПер="0"/>)"},
    };
    for (const AdvancesCase& c : cases) {
        BusinessDeclaration business;
        c.fill(business.svod->R1_punkt2);
        EXPECT_EQ(elementsText(builtText(*business.decl, *business.svod), "СумНалПу227"), c.expected) << c.name;
    }
}

TEST(Section1Elements, AdvancePaymentsNeedABusinessRecord)
{
    BusinessDeclaration business;
    business.svod->R1_punkt2.FirstCodeAdvances.АвПУКв = rub(100);
    business.decl->DeleteBusiness(0);
    EXPECT_EQ(elementsText(builtText(*business.decl, *business.svod), "СумНалПу"), "<СумНалПу/>");
}

TEST(Section1Elements, AdvancePaymentsWithoutTheYearsTerritoryCodeFailTheExport)
{
    BusinessDeclaration business;
    business.svod->R1_punkt2.ОКТМО_Пер.clear();
    const std::string message = builderRefusal(*business.decl, *business.svod);
    EXPECT_NE(message.find("СумНалПу227/@ОКТМО_Пер"), std::string::npos) << message;
}

TEST(Section1Elements, ComputedDeclarationsGiveTheirRows)
{
    // Tax withheld in full: nothing to pay or refund, and section 1 holds its one placeholder row.
    auto withheld = validDeclaration();
    mbTSourse& payer = addPayer(*withheld);
    payer.AddIncome13(incomeLine(2000, rub(100'000)));
    payer.WithheldTax13 = rub(13'000);
    ExportResult result = exportText(*withheld);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(elementsText(result.text, "СумНалПу"),
              R"(<СумНалПу><СумНалПуИскл227 КБК="18210102030011000110" ОКТМО="45382000" ПодлУпл="0" ПодлВозв="0"/>)"
              R"(</СумНалПу>)");

    // A business record without advance payments, its income of 1 000 spent on expenses.
    auto business = validDeclaration();
    business->SetIncomeKinds(IncomeKindBusiness);
    mTBusinessNew& record = *business->GetBusiness(business->AddBusiness());
    record.ActivityKind = "1";
    record.ExpensesConfirmed = 1;
    record.IncomeSum = record.ExpenseSum = rub(1'000);
    result = exportText(*business);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(elementsText(result.text, "СумНалПу227"),
              R"(<СумНалПу227 КБК="18210102020011000110" ОКТМО_Пер="45382000" НалПУУменПер="0"/>)");
}

TEST(Section1Elements, ApplicationsGiveOffsetsThenRefunds)
{
    auto decl = validDeclaration();
    auto svod = summaryWithIncome();
    kTSvodKudaTratit& application = svod->KudaTratit;
    application.Refunds = {{"3", rub(1'234.5), "18210102010011000110", "45382000", "ГД.00.2021", "ПАО Сбербанк",
                            "044525225", "02", "40817810000000000001", "Иванов", "Иван", "  "}};
    application.Offsets = {{"1", "18210102010011000110", "45382000", "ГД.00.2021", 2,
                            {{"1", rub(3'000), "пени", "18210606041031000110", "45383000", "7702"},
                             {"2", rub(7'000.25), "", "18210601020041000110", "45384000", "7703"}}}};
    application.RefundCount = 1;
    application.OffsetCount = 1;
    EXPECT_EQ(elementsText(builtText(*decl, *svod), "ЗаявЗачВозвр"),
              R"(<ЗаявЗачВозвр>)"
              R"(<ЗаявЗач НомерЗаяв="1" КБК="18210102010011000110" ОКТМО="45382000">)"
              R"(<СвНОПрПост ПрЗач="1" Сумма="3000.00" КБК="18210606041031000110" ОКТМО="45383000" КодНОПрПост="7702"/>)"
              R"(<СвНОПрПост ПрЗач="2" Сумма="7000.25" КБК="18210601020041000110" ОКТМО="45384000" КодНОПрПост="7703"/>)"
              R"(</ЗаявЗач>)"
              R"(<ЗаявВозвр НомерЗаяв="3" Сумма="1234.50" КБК="18210102010011000110" ОКТМО="45382000">)"
              R"(<СвСчБанк НаимБанк="ПАО СБЕРБАНК" БИК="044525225" ВидСч="02" НомСч="40817810000000000001">)"
              R"(<ФИО Фамилия="ИВАНОВ" Имя="ИВАН"/></СвСчБанк></ЗаявВозвр>)"
              R"(</ЗаявЗачВозвр>)");
}

TEST(Section1Elements, ARefundWithoutBankAccountFailsTheExport)
{
    auto decl = validDeclaration();
    auto svod = summaryWithIncome();
    svod->KudaTratit.Refunds = {{"1", rub(100), "18210102010011000110", "45382000", "ГД.00.2021", "Банк", "044525225",
                                 "02", "", "Иванов", "Иван", "Иванович"}};
    svod->KudaTratit.RefundCount = 1;
    const std::string message = builderRefusal(*decl, *svod);
    EXPECT_NE(message.find("ЗаявВозвр/СвСчБанк/@НомСч"), std::string::npos) << message;
}

TEST(Section1Elements, AComputedRefundGivesItsApplication)
{
    // 13 % of 100 000 is 13 000; 20 000 withheld leaves 7 000 to refund to the account.
    auto decl = validDeclaration();
    mbTSourse& payer = addPayer(*decl);
    payer.AddIncome13(incomeLine(2000, rub(100'000)));
    payer.WithheldTax13 = rub(20'000);
    decl->SetIncomeKinds(decl->IncomeKinds() | IncomeKindTrata);
    mTTrata& entry = *decl->GetTrata(decl->AddTrata());
    entry.IsRefund = 1;
    entry.RefundSum = rub(7'000);
    entry.BankName = "ПАО Сбербанк";
    entry.BankBik = "044525225";
    entry.AccountKind = 1;
    entry.AccountNumber = "40817810000000000001";

    const ExportResult result = exportText(*decl);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(elementsText(result.text, "СумНалПу"),
              R"(<СумНалПу><СумНалПуИскл227 КБК="18210102010011000110" ОКТМО="45382000" ПодлУпл="0" ПодлВозв="7000"/>)"
              R"(</СумНалПу>)");
    EXPECT_EQ(elementsText(result.text, "ЗаявЗачВозвр"),
              R"(<ЗаявЗачВозвр>)"
              R"(<ЗаявВозвр НомерЗаяв="1" Сумма="7000.00" КБК="18210102010011000110" ОКТМО="45382000">)"
              R"(<СвСчБанк НаимБанк="ПАО СБЕРБАНК" БИК="044525225" ВидСч="02" НомСч="40817810000000000001">)"
              R"(<ФИО Фамилия="ИВАНОВ" Имя="ИВАН" Отчество="ИВАНОВИЧ"/></СвСчБанк></ЗаявВозвр>)"
              R"(</ЗаявЗачВозвр>)");
}

TEST(Section1Elements, NoApplicationWithoutApplicationRows)
{
    auto decl = validDeclaration();
    EXPECT_EQ(elementsText(builtText(*decl, *summaryWithIncome()), "ЗаявЗачВозвр"), "");
}

} // namespace
