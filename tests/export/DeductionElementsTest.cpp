#include "export/DeductionElements.h"

#include <gtest/gtest.h>

#include <string>

#include "DeclarationBuilders.h"
#include "ElementTestSupport.h"
#include "computation/DeductionSheetTestSupport.h"

namespace {

TEST(DeductionElements, StandardSocialAndInvestment)
{
    expectSubtrees(
        AddStandardSocialDeductionElements,
        {
            {"no deductions", [](mTDeclaration& decl) { addMonthlyWages(decl, rub(50'000)); }, ""},
            // The agent's children's deduction leaves nothing to grant in the declaration; the
            // account's deduction is not part of a closing declaration.
            {"closing declaration with standard deductions of the agent",
             [](mTDeclaration& decl) {
                 decl.DeclarationType = DeclarationClosingBusiness;
                 addAgentDeduction(addPayer(decl), 126, rub(16'800));
                 addInvestmentAccount(decl, 100'000, 0);
             },
             R"(<ВычСтандСоц ВычСтандСоц="0.00"><РасчВычСтанд ВычСтРеб="16800.00" ОбщВычСтандПер="16800.00")"
             R"( ОбщВычСтандДекл="0.00"/></ВычСтандСоц>)"},
            // Children's education 50 000 (capped) + 30 000, treatment 200 000; own education
            // and medical services 150 000 within the limit of 120 000, of which the agent gave
            // 10 000: 280 000 + 120 000 - 10 000 = 390 000.
            {"social deductions of both kinds and investment accounts",
             [](mTDeclaration& decl) {
                 addAgentDeduction(addPayer(decl), 324, rub(10'000));
                 mTSocialDeduct& social = decl.SocialDeduct;
                 social.Granted = 1;
                 social.SelfEducationSum = rub(100'000);
                 social.MedicalSum = rub(50'000);
                 social.AddChildEduSum(rub(70'000));
                 social.AddChildEduSum(rub(30'000));
                 social.ExpensiveMedicalSum = rub(200'000);
                 addInvestmentAccount(decl, 400'000, 1);
                 decl.InvDeduct.IISDeductionToReturn = rub(5'000);
             },
             R"(<ВычСтандСоц ВычСтандСоц="390000.00"><РасчВычСтанд ОбщВычСтандДекл="0.00"/>)"
             R"(<РасчВычСоцБез219.2 СумОбуч="80000.00" СумЛечен="200000.00" ИтогВычСоциал="280000.00"/>)"
             R"(<РасчВычСоц219.2 СумОбуч="100000.00" СумМедУсл="50000.00" ОбщСумРасх="120000.00")"
             R"( ОбщСНВОтчПерНА="10000.00" ОбщВычСоциал="390000.00"/>)"
             R"(<РасчИнвВыч СумИнвВыч219="0.00" ИнвВычПредВосст="5000.00" ИнвВычУпр="400000.00"/></ВычСтандСоц>)"},
            {"a non-resident has none",
             [](mTDeclaration& decl) {
                 decl.DeclarationType = DeclarationNonResident;
                 addAgentDeduction(addPayer(decl), 126, rub(16'800));
             },
             ""},
        });
}

// 1 000 000 of the two sales within the common limit, 250 000 of 300 000 for other real
// estate, costs of other property 50 000, and two expense deductions: 1 321 000.
TEST(DeductionElements, PropertySale)
{
    expectSubtrees(
        AddPropertySaleDeductionElements,
        {
            {"no sales", [](mTDeclaration& decl) { addMonthlyWages(decl, rub(50'000)); }, ""},
            {"each group only with its amounts",
             [](mTDeclaration& decl) {
                 mbTSourse& payer = addPayer(decl);
                 payer.AddIncome13(incomeLine(1510, rub(700'000), 901));
                 payer.AddIncome13(incomeLine(1510, rub(700'000), 901));
                 payer.AddIncome13(incomeLine(1512, rub(300'000), 902, rub(300'000)));
                 payer.AddIncome13(incomeLine(1520, rub(80'000), 903, rub(50'000)));
                 payer.AddIncome13(incomeLine(4900, rub(30'000), 908, rub(20'000)));
                 payer.AddIncome13(incomeLine(1550, rub(5'000), 314, rub(1'000)));
             },
             R"(<ИмущНалВычПр ОбщИмущВыч="1321000.00"><ВычДохНедвЖил ВычПродИмущ="1000000.00"/>)"
             R"(<ВычПродНедвИн ВычДохПродИмущ="250000.00"/><ВычПродИмущИн РасхПриобрИмущ="50000.00"/>)"
             R"(<ВычИзъятИмущГМН ВычДохИзъятИмущ="20000.00"/><РасхВычУстПрав ВычПдтвРасхУстПрав="1000.00"/>)"
             R"(</ИмущНалВычПр>)"},
        });
}

const char* const purchaseCarriedOver = R"(ВычНовЗачПред="0.00" ВычПроцЗачПред="0.00" ВычНАУвед="0.00" ВычНАУпр="0.00")"
                                        R"( ПроцНАУвед="0.00" ПроцНАУпр="0.00")";

TEST(DeductionElements, PropertyPurchase)
{
    expectSubtrees(
        AddPropertyPurchaseDeductionElements,
        {
            {"not claimed", [](mTDeclaration& decl) { addMonthlyWages(decl, rub(50'000)); }, ""},
            // Two objects with costs: the limit is 2 000 000 for both, given to them in order;
            // the base of 1 200 000 takes the cost first, the interest waits.
            {"two objects, one bought by investment",
             [](mTDeclaration& decl) {
                 addMonthlyWages(decl, rub(100'000));
                 addTwoPropertyObjects(decl);
             },
             std::string(R"(<ИмущНалВычНов><РасчИмущВыч )") + purchaseCarriedOver
                 + R"( НалБаз13БезВыч="1200000.00" РасхНовВычНД="1200000.00" ПроцВычНД="0.00")"
                   R"( ОстИВБезПроц="800000.00" ОстИВУплПроц="100000.00">)"
                   R"(<СвОбъектРасх КодНаимОб="1" ПризнакНП="01" ДатаРегЖил="10.06.2019" СумРасхФакт="1500000.00")"
                   R"( СумФактУплПроц="100000.00"><СведОбъект СпособПриобр="1" КодНомерОб="1" НомерОб="77:01:0004042:1234")"
                   R"( СведМНОб="Г. МОСКВА, УЛ. ТВЕРСКАЯ, Д. 1"/></СвОбъектРасх>)"
                   R"(<СвОбъектРасх КодНаимОб="4" ПризнакНП="04" ДатаАкт="20.08.2020" СумРасхФакт="500000.00")"
                   R"( СумФактУплПроц="0.00"><СведОбъект КодНомерОб="2" СведМНОб="МОСКОВСКАЯ ОБЛ., Д. ГОРКИ"/>)"
                   R"(</СвОбъектРасх></РасчИмущВыч></ИмущНалВычНов>)"},
            // A half share of a house of 2012: the limit is 1 000 000 and the share is shown.
            {"one object of a year before 2014 in shared ownership",
             [](mTDeclaration& decl) {
                 addMonthlyWages(decl, rub(50'000));
                 mTConstructionDeductObj& house = addPropertyObject(
                     decl, {5, 2, 0, 0, *encodeDate(2012, 4, 15), 3'000'000, 0, 1, "50:20:0010101:55", "   "});
                 house.ShareDenominator = 2;
                 house.LandRegDate = *encodeDate(2012, 3, 1);
                 house.AcquisitionMethod = 3;
             },
             std::string(R"(<ИмущНалВычНов><РасчИмущВыч )") + purchaseCarriedOver
                 + R"( НалБаз13БезВыч="600000.00" РасхНовВычНД="600000.00" ПроцВычНД="0.00")"
                   R"( ОстИВБезПроц="400000.00" ОстИВУплПроц="0.00">)"
                   R"(<СвОбъектРасх КодНаимОб="5" ПризнакНП="02" ДатаРегЖил="15.04.2012" ДатаРегЗем="01.03.2012")"
                   R"( ДолСобств="1/2" СумРасхФакт="1000000.00" СумФактУплПроц="0.00">)"
                   R"(<СведОбъект КодНомерОб="1" НомерОб="50:20:0010101:55"/></СвОбъектРасх></РасчИмущВыч></ИмущНалВычНов>)"},
            // No share entered: the computation takes the whole object, and so does the file.
            {"an object of a year before 2014 without a share",
             [](mTDeclaration& decl) {
                 addMonthlyWages(decl, rub(50'000));
                 mTConstructionDeductObj& flat = addPropertyObject(
                     decl, {2, 1, 0, 0, *encodeDate(2010, 2, 1), 800'000, 0, 1, "77:01:0001:1", ""});
                 flat.ShareNumerator = 0;
                 flat.ShareDenominator = 0;
             },
             std::string(R"(<ИмущНалВычНов><РасчИмущВыч )") + purchaseCarriedOver
                 + R"( НалБаз13БезВыч="600000.00" РасхНовВычНД="600000.00" ПроцВычНД="0.00")"
                   R"( ОстИВБезПроц="200000.00" ОстИВУплПроц="0.00">)"
                   R"(<СвОбъектРасх КодНаимОб="2" ПризнакНП="01" ДатаРегЖил="01.02.2010")"
                   R"( ДолСобств="1/1" СумРасхФакт="800000.00" СумФактУплПроц="0.00">)"
                   R"(<СведОбъект КодНомерОб="1" НомерОб="77:01:0001:1"/></СвОбъектРасх></РасчИмущВыч></ИмущНалВычНов>)"},
            {"a non-resident has none",
             [](mTDeclaration& decl) {
                 decl.DeclarationType = DeclarationNonResident;
                 addMonthlyWages(decl, rub(50'000));
                 addPropertyObject(decl, {1, 1, 0, 0, *encodeDate(2019, 6, 10), 1'500'000, 0, 1, "1", ""});
             },
             ""},
        });
}

TEST(DeductionElements, PropertyObjectWithoutAKnownOwnerSignFailsNamingIt)
{
    expectFailure(
        AddPropertyPurchaseDeductionElements,
        [](mTDeclaration& decl) {
            addMonthlyWages(decl, rub(50'000));
            addPropertyObject(decl, {1, 0, 0, 0, *encodeDate(2019, 6, 10), 1'500'000, 0, 1, "1", ""});
        },
        "НДФЛ3/ИмущНалВычНов/РасчИмущВыч/СвОбъектРасх/@ПризнакНП");
}

// The format knows two kinds of object number: 1, a cadastral number, and 2, none (the object's
// location instead).
TEST(DeductionElements, PropertyObjectDetailsTheFormatForbidsFailNamingTheField)
{
    const struct {
        const char* name;
        std::int32_t numberKind;
        const char* number;
        const char* location;
        std::int32_t shareNumerator;
        const char* field;
    } cases[] = {
        {"number kind 4", 4, "", "Москва", 1, "СведОбъект/@КодНомерОб"},
        {"number kind 0", 0, "77:01:1", "", 1, "СведОбъект/@КодНомерОб"},
        {"no number, and a location of blanks", 2, "", "   ", 1, "СведОбъект/@СведМНОб"},
        {"a cadastral number without the number", 1, " ", "Москва", 1, "СведОбъект/@НомерОб"},
        {"a number of 101 characters", 1,
         "1111111111111111111111111111111111111111111111111111111111111111111111"
         "1111111111111111111111111111111", "", 1, "СведОбъект/@НомерОб"},
        {"a share of nothing", 1, "77:01:1", "", 0, "СвОбъектРасх/@ДолСобств"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        expectFailure(
            AddPropertyPurchaseDeductionElements,
            [&c](mTDeclaration& decl) {
                addMonthlyWages(decl, rub(50'000));
                mTConstructionDeductObj& flat = addPropertyObject(
                    decl, {2, 1, 0, 0, *encodeDate(2010, 2, 1), 800'000, 0, c.numberKind, c.number, c.location});
                flat.ShareNumerator = c.shareNumerator;
                flat.ShareDenominator = 2;
            },
            c.field);
    }
}

TEST(DeductionElements, PensionContributionsAndInvestmentAccounts)
{
    const char* const contract = R"(<СведДогНПО ВидДоговор="1" ДатаДогНПО="15.01.2020" НомДогНПО="Д-1">)"
                                 R"(<СведИст Наим="НПФ БЛАГОСОСТОЯНИЕ" ИННЮЛ="7707083893" КПП="770701001"/>)"
                                 R"(</СведДогНПО>)";
    expectSubtrees(
        AddPensionInvestmentDeductionElements,
        {
            {"none", [](mTDeclaration& decl) { addMonthlyWages(decl, rub(50'000)); }, ""},
            // The additional contributions come first and take 10 000 of the common 120 000.
            {"contracts under the common limit",
             [](mTDeclaration& decl) {
                 addMonthlyWages(decl, rub(50'000));
                 addPensionContract(decl, 4, 10'000, "НПФ Будущее");
                 addPensionContract(decl, 1, 100'000, "НПФ Благосостояние");
                 addPensionContract(decl, 2, 50'000, "СК Жизнь").ContractNumber = "П-2";
             },
             std::string(R"(<ВычСоцИнв219><РасчПенсВзнос ОбщВзносВыч="120000.00">)")
                 + R"(<РасчПСВВыч СумВзносУпл="100000.00">)" + contract + R"(</РасчПСВВыч>)"
                 + R"(<РасчПСВВыч СумВзносУпл="10000.00"><СведДогНПО ВидДоговор="2" ДатаДогНПО="15.01.2020")"
                   R"( НомДогНПО="П-2"><СведИст Наим="СК ЖИЗНЬ" ИННЮЛ="7707083893" КПП="770701001"/></СведДогНПО>)"
                   R"(</РасчПСВВыч>)"
                   R"(<РасчДопСВВыч СумВзносУпл="10000.00"/></РасчПенсВзнос></ВычСоцИнв219>)"},
            {"investment accounts without pension contracts",
             [](mTDeclaration& decl) {
                 addMonthlyWages(decl, rub(50'000));
                 addInvestmentAccount(decl, 400'000, 0);
                 addInvestmentAccount(decl, 100'000, 1).ContractNumber = "ИИС-2";
             },
             R"(<ВычСоцИнв219><РасчПенсВзнос ОбщВзносВыч="0.00">)"
             R"(<РасчСумИнвВыч ИННЮЛ="7702070139" КПП="770201001" НаимУч="АО БРОКЕР" ДатаДог="01.03.2019")"
             R"( НомДог="ИИС-1" ДатаОткр="05.03.2019" ОбщСумВыч="400000.00" ПрВыч="0"/>)"
             R"(<РасчСумИнвВыч ИННЮЛ="7702070139" КПП="770201001" НаимУч="АО БРОКЕР" ДатаДог="01.03.2019")"
             R"( НомДог="ИИС-2" ДатаОткр="05.03.2019" ОбщСумВыч="100000.00" ПрВыч="1"/></РасчПенсВзнос></ВычСоцИнв219>)"},
        });
}

TEST(DeductionElements, PensionContractWithoutKppFailsNamingIt)
{
    expectFailure(
        AddPensionInvestmentDeductionElements,
        [](mTDeclaration& decl) {
            addMonthlyWages(decl, rub(50'000));
            addPensionContract(decl, 1, 10'000, "НПФ").OrgKPP.clear();
        },
        "НДФЛ3/ВычСоцИнв219/РасчПенсВзнос/РасчПСВВыч/СведДогНПО/СведИст/@КПП");
}

// A contract or an account whose date was never entered holds day 0, 30.12.1899, which the
// format does not take.
TEST(DeductionElements, DatesNeverEnteredFailNamingTheField)
{
    expectFailure(
        AddPensionInvestmentDeductionElements,
        [](mTDeclaration& decl) {
            addMonthlyWages(decl, rub(50'000));
            addPensionContract(decl, 1, 10'000, "НПФ").ContractDate = 0;
        },
        "НДФЛ3/ВычСоцИнв219/РасчПенсВзнос/РасчПСВВыч/СведДогНПО/@ДатаДогНПО");
    expectFailure(
        AddPensionInvestmentDeductionElements,
        [](mTDeclaration& decl) {
            addMonthlyWages(decl, rub(50'000));
            addInvestmentAccount(decl, 400'000, 0).OpenDate = 0;
        },
        "НДФЛ3/ВычСоцИнв219/РасчПенсВзнос/РасчСумИнвВыч/@ДатаОткр");
}

} // namespace
