#include "computation/PropertyPurchaseDeductions.h"

#include <gtest/gtest.h>

#include <vector>

#include "DeductionSheetTestSupport.h"
#include "model/DayDate.h"

namespace {

double dayOf(int year)
{
    return *encodeDate(year, 6, 15);
}

struct PropertyObject {
    long double cost;
    int year; // of the registration, or of the act for an object acquired by investment
    std::int32_t shareNumerator = 1;
    std::int32_t shareDenominator = 1;
    bool byInvestment = false;
    long double interest = 0;
};

class PropertyPurchaseDeductions : public testing::Test {
protected:
    PropertyPurchaseDeductions() { decl.ConstructionDeduct.Granted = 1; }

    mTConstructionDeductObj& addObject(const PropertyObject& o)
    {
        mTConstructionDeduct& purchase = decl.ConstructionDeduct;
        auto object = std::make_unique<mTConstructionDeductObj>();
        object->Cost = rub(o.cost);
        object->InterestPaid = rub(o.interest);
        object->ShareNumerator = o.shareNumerator;
        object->ShareDenominator = o.shareDenominator;
        object->ByInvestment = o.byInvestment ? 1 : 0;
        // The other date is years off, so that a mix-up shows.
        (o.byInvestment ? object->ActDate : object->DwellingRegDate) = dayOf(o.year);
        (o.byInvestment ? object->DwellingRegDate : object->ActDate) = dayOf(o.year < 2014 ? 2020 : 2005);
        return *purchase.GetObject(purchase.AddObject(std::move(object)));
    }

    const kTSvodSumPril7& calculate()
    {
        EXPECT_TRUE(svod->Pril7.Calculate(decl, *svod));
        return svod->Pril7;
    }

    mTDeclaration decl;
    std::unique_ptr<kTSvodSum> svod = emptySummary();
};

struct LimitCase {
    const char* name;
    std::vector<PropertyObject> objects;
    long double costTotal;
    std::vector<long double> actualExpense;
    std::vector<std::int32_t> preShareMarker;
};

TEST_F(PropertyPurchaseDeductions, TheLimitDependsOnTheYearAndTheShare)
{
    const LimitCase cases[] = {
        {"bought in 2005: 1 000 000", {{1'500'000, 2005}}, 1'000'000, {1'000'000}, {-1}},
        {"share 1/2 bought in 2012: half of 2 000 000", {{3'000'000, 2012, 1, 2}}, 1'000'000, {1'000'000}, {-1}},
        {"share 1/2 bought in 2016: the limit is the taxpayer's", {{3'000'000, 2016, 1, 2}}, 2'000'000,
         {2'000'000}, {0}},
        {"a share without a denominator is the whole object", {{3'000'000, 2012, 0, 0}}, 2'000'000, {2'000'000},
         {-1}},
        {"share 1/3: the limit in whole kopecks", {{3'000'000, 2010, 1, 3}}, 666'666.67, {666'666.67}, {-1}},
        {"below the limit", {{1'200'000.55, 2020}}, 1'200'000.55, {1'200'000.55}, {0}},
        {"acquired by investment: the act's year decides", {{1'500'000, 2007, 1, 1, true}}, 1'000'000,
         {1'000'000}, {-1}},
        {"two objects with costs share 2 000 000", {{1'500'000, 2005}, {1'000'000, 2005}}, 2'000'000,
         {1'500'000, 500'000}, {0, 0}},
        {"two objects, only the second with a cost: it decides", {{0, 2018}, {1'500'000, 2006}}, 1'000'000,
         {0, 1'000'000}, {0, -1}},
        {"two objects, only the first with a cost: it decides", {{700'000, 2012, 1, 2}, {0, 2018}}, 700'000,
         {700'000, 0}, {-1, 0}},
        {"three objects", {{1'000'000, 2005, 1, 4}, {600'000, 2005}, {600'000, 2005}}, 2'000'000,
         {1'000'000, 600'000, 400'000}, {0, 0, 0}},
    };
    for (const LimitCase& c : cases) {
        decl.ConstructionDeduct.ObjectList.clear();
        for (const PropertyObject& object : c.objects)
            addObject(object).PreShareMarker = 7; // overwritten by the computation
        const kTSvodSumPril7& sheet = calculate();
        EXPECT_EQ(sheet.CostTotal, rub(c.costTotal)) << c.name;
        for (std::size_t i = 0; i < c.objects.size(); ++i) {
            const mTConstructionDeductObj& object = *decl.ConstructionDeduct.GetObject(i);
            EXPECT_EQ(object.ActualExpense, rub(c.actualExpense[i])) << c.name << ", object " << i;
            EXPECT_EQ(object.PreShareMarker, c.preShareMarker[i]) << c.name << ", object " << i;
        }
    }
}

// The limit of one object as the pages show it: 1 000 000 before 2008, 2 000 000 from 2008,
// times the share only before 2014.
TEST_F(PropertyPurchaseDeductions, TheLimitOfOneObject)
{
    struct Case {
        const char* name;
        PropertyObject object;
        long double limit;
    };
    const Case cases[] = {
        {"2007", {0, 2007}, 1'000'000},
        {"2008", {0, 2008}, 2'000'000},
        {"2007, half", {0, 2007, 1, 2}, 500'000},
        {"2008, half", {0, 2008, 1, 2}, 1'000'000},
        {"2013, a quarter", {0, 2013, 1, 4}, 500'000},
        {"2014, half: the share no longer bounds it", {0, 2014, 1, 2}, 2'000'000},
        {"2012 without a denominator", {0, 2012, 0, 0}, 2'000'000},
        {"by investment, act of 2007", {0, 2007, 1, 1, true}, 1'000'000},
        {"by investment, act of 2008", {0, 2008, 1, 1, true}, 2'000'000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const mTConstructionDeductObj& object = addObject(c.object);
        EXPECT_EQ(AcquisitionYear(object), c.object.year);
        EXPECT_EQ(CostLimitOf(object), rub(c.limit));
    }
    EXPECT_EQ(PurchaseLimitOfYear(2007), rub(1'000'000));
    EXPECT_EQ(PurchaseLimitOfYear(2008), rub(2'000'000));
    EXPECT_EQ(PurchaseLimitOfYear(2021), rub(2'000'000));
}

TEST_F(PropertyPurchaseDeductions, TheBaseGoesToTheCostFirstAndTheRestCarriesOver)
{
    addObject({2'000'000, 2015, 1, 1, false, 100'000});
    decl.ConstructionDeduct.PrevYearsDeduction = rub(500'000);
    svod->Pril1.IncomeOfKinds8To18 = rub(600'000);
    const kTSvodSumPril7& sheet = calculate();
    EXPECT_EQ(sheet.ВычНовЗачПред, rub(500'000));
    EXPECT_EQ(sheet.НалБаз13БезВыч, rub(600'000));
    EXPECT_EQ(sheet.РасхНовВычНД, rub(600'000));
    EXPECT_EQ(sheet.ПроцВычНД, Currency());
    EXPECT_EQ(sheet.ОстИВБезПроц, rub(900'000));
    EXPECT_EQ(sheet.ОстИВУплПроц, rub(100'000));
}

TEST_F(PropertyPurchaseDeductions, InterestTakesWhatTheCostLeavesOfTheBase)
{
    addObject({500'000, 2015, 1, 1, false, 300'000});
    svod->Pril1.IncomeOfKinds8To18 = rub(600'000);
    const kTSvodSumPril7& sheet = calculate();
    EXPECT_EQ(sheet.РасхНовВычНД, rub(500'000));
    EXPECT_EQ(sheet.ПроцВычНД, rub(100'000));
    EXPECT_EQ(sheet.ОстИВБезПроц, Currency());
    EXPECT_EQ(sheet.ОстИВУплПроц, rub(200'000));
}

// Interest of the objects from 2014 counts up to 3 000 000 together; that of older objects in
// full. The base of 10 000 000 takes all the interest that counts.
TEST_F(PropertyPurchaseDeductions, InterestOfObjectsFrom2014CountsUpTo3Million)
{
    struct Case {
        const char* name;
        std::vector<PropertyObject> objects;
        long double earlierYears; // interest deduction of earlier years
        long double interestTotal, claimed, carried;
    };
    const Case cases[] = {
        {"bought in 2021 with 5 000 000 of interest", {{1'000'000, 2021, 1, 1, false, 5'000'000}}, 0,
         3'000'000, 3'000'000, 0},
        {"interest of exactly 3 000 000", {{1'000'000, 2021, 1, 1, false, 3'000'000}}, 0, 3'000'000, 3'000'000, 0},
        {"a kopeck above 3 000 000", {{1'000'000, 2014, 1, 1, false, 3'000'000.01}}, 0, 3'000'000, 3'000'000, 0},
        {"bought in 2013: no limit", {{1'000'000, 2013, 1, 1, false, 5'000'000}}, 0, 5'000'000, 5'000'000, 0},
        {"acquired by investment: the act of 2014 decides", {{1'000'000, 2014, 1, 1, true, 4'000'000}}, 0,
         3'000'000, 3'000'000, 0},
        {"acquired by investment: the act of 2013 decides", {{1'000'000, 2013, 1, 1, true, 4'000'000}}, 0,
         4'000'000, 4'000'000, 0},
        {"two objects from 2014 share the limit",
         {{1'000'000, 2016, 1, 1, false, 2'000'000}, {0, 2018, 1, 1, false, 2'000'000}}, 0, 3'000'000, 3'000'000,
         0},
        {"an older object beside one from 2014",
         {{1'000'000, 2012, 1, 1, false, 1'000'000}, {0, 2016, 1, 1, false, 4'000'000}}, 0, 4'000'000, 4'000'000,
         0},
        {"earlier years took part of the limit", {{1'000'000, 2015, 1, 1, false, 5'000'000}}, 2'500'000, 3'000'000,
         500'000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        decl.ConstructionDeduct.ObjectList.clear();
        for (const PropertyObject& object : c.objects)
            addObject(object);
        decl.ConstructionDeduct.PrevYearsInterestDeduction = rub(c.earlierYears);
        svod->Pril1.IncomeOfKinds8To18 = rub(10'000'000);
        const kTSvodSumPril7& sheet = calculate();
        EXPECT_EQ(sheet.InterestTotal, rub(c.interestTotal));
        EXPECT_EQ(sheet.ПроцВычНД, rub(c.claimed));
        EXPECT_EQ(sheet.ОстИВУплПроц, rub(c.carried));
        for (std::size_t i = 0; i < c.objects.size(); ++i)
            EXPECT_EQ(decl.ConstructionDeduct.GetObject(i)->InterestPaid, rub(c.objects[i].interest)) << "kept";
    }
}

TEST_F(PropertyPurchaseDeductions, AgentsAndTheSimplifiedProcedureCountFirst)
{
    addObject({2'000'000, 2015, 1, 1, false, 50'000});
    mbTSourse& employer = addPayer(decl);
    addAgentDeduction(employer, 311, rub(150'000));
    addAgentDeduction(employer, 311, rub(50'000));
    addAgentDeduction(employer, 312, rub(10'000));
    decl.ConstructionDeduct.SimplifiedDeduction = rub(100'000);
    decl.ConstructionDeduct.SimplifiedInterestDeduction = rub(5'000);
    svod->Pril1.IncomeOfKinds8To18 = rub(1'000'000);
    const kTSvodSumPril7& sheet = calculate();
    EXPECT_EQ(sheet.ВычНАУвед, rub(200'000));
    EXPECT_EQ(sheet.ПроцНАУвед, rub(10'000));
    EXPECT_EQ(sheet.ВычНАУпр, rub(100'000));
    EXPECT_EQ(sheet.ПроцНАУпр, rub(5'000));
    EXPECT_EQ(sheet.НалБаз13БезВыч, rub(685'000)); // 1 000 000 less what the agents and employers gave
    EXPECT_EQ(sheet.РасхНовВычНД, rub(685'000));
    EXPECT_EQ(sheet.ПроцВычНД, Currency());
    EXPECT_EQ(sheet.ОстИВБезПроц, rub(1'015'000)); // 2 000 000 - 200 000 - 100 000 - 685 000
    EXPECT_EQ(sheet.ОстИВУплПроц, rub(35'000));
}

TEST_F(PropertyPurchaseDeductions, TheBaseIsThe13PercentIncomeLessEveryEarlierDeduction)
{
    addObject({2'000'000, 2015});
    svod->Pril1.IncomeOfKinds8To18 = rub(1'000'000);
    svod->PrilV1.ДоходИт = rub(100'000);
    svod->Pril5.ИнвВычПредВосст = rub(10'000);
    svod->PrilV1.ВычПрофИт = rub(20'000);
    svod->Pril3.ОбщРасхВыч = rub(30'000);
    svod->Pril3_In.ОбщРасхВыч = rub(40'000);
    svod->Pril4.NonTaxableKinds10_14_17 = rub(4'000);
    svod->Pril5.ОбщВычСтандПер = rub(5'000);
    svod->Pril5.ОбщСНВОтчПерНА = rub(6'000);
    svod->Pril5.ВычСтандСоц = rub(7'000);
    svod->Pril5.СумИнвВыч219 = rub(8'000);
    svod->Pril5.ИнвВычУпр = rub(9'000);
    svod->Pril6.ОбщИмущВыч = rub(11'000);
    const kTSvodSumPril7& sheet = calculate();
    EXPECT_EQ(sheet.НалБаз13БезВыч, rub(970'000));
    EXPECT_EQ(sheet.TaxBaseCapped, rub(970'000));
    EXPECT_EQ(sheet.РасхНовВычНД, rub(970'000));
}

TEST_F(PropertyPurchaseDeductions, ForeignIncomeCountsOnlyWhereNoForeignTaxWasCredited)
{
    addObject({1'000'000, 2015});
    svod->Pril1.IncomeOfKinds8To18 = rub(100'000);
    svod->Pril2.IncomeOfKinds8To18 = rub(500'000);
    svod->Pril2.UncreditedTotal = rub(200'000);
    const kTSvodSumPril7& sheet = calculate();
    EXPECT_EQ(sheet.НалБаз13БезВыч, rub(600'000));
    EXPECT_EQ(sheet.TaxBaseCapped, rub(300'000));
    EXPECT_EQ(sheet.РасхНовВычНД, rub(300'000));
    EXPECT_EQ(sheet.ОстИВБезПроц, rub(700'000));
}

TEST_F(PropertyPurchaseDeductions, WithoutABaseEverythingCarriesOver)
{
    addObject({1'000'000, 2015, 1, 1, false, 40'000});
    svod->Pril1.IncomeOfKinds8To18 = rub(100'000);
    svod->Pril6.ОбщИмущВыч = rub(250'000);
    const kTSvodSumPril7& sheet = calculate();
    EXPECT_EQ(sheet.НалБаз13БезВыч, Currency());
    EXPECT_EQ(sheet.РасхНовВычНД, Currency());
    EXPECT_EQ(sheet.ПроцВычНД, Currency());
    EXPECT_EQ(sheet.ОстИВБезПроц, rub(1'000'000));
    EXPECT_EQ(sheet.ОстИВУплПроц, rub(40'000));
}

TEST_F(PropertyPurchaseDeductions, EarlierYearsAboveTheCostLeaveNothing)
{
    addObject({1'000'000, 2015});
    decl.ConstructionDeduct.PrevYearsDeduction = rub(1'200'000);
    svod->Pril1.IncomeOfKinds8To18 = rub(500'000);
    const kTSvodSumPril7& sheet = calculate();
    EXPECT_EQ(sheet.РасхНовВычНД, Currency());
    EXPECT_EQ(sheet.ОстИВБезПроц, Currency());
}

TEST_F(PropertyPurchaseDeductions, NothingUnlessAResidentClaimsIt)
{
    const auto expectEmpty = [this](const char* name) {
        const kTSvodSumPril7& sheet = calculate();
        EXPECT_EQ(sheet.CostTotal, Currency()) << name;
        EXPECT_EQ(sheet.РасхНовВычНД, Currency()) << name;
        EXPECT_EQ(sheet.ВычНАУвед, Currency()) << name;
    };
    svod->Pril1.IncomeOfKinds8To18 = rub(500'000);
    addAgentDeduction(addPayer(decl), 311, rub(10'000));
    expectEmpty("no objects");

    addObject({1'000'000, 2015});
    decl.ConstructionDeduct.Granted = 0;
    expectEmpty("not claimed");

    decl.ConstructionDeduct.Granted = 1;
    decl.DeclarationType = DeclarationNonResident;
    expectEmpty("non-resident");
}

} // namespace
