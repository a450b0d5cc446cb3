#include "pages/income/BusinessRules.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "pages/income/BusinessNew.h"
#include "tests/shell/PageAndWholeCheck.h"

namespace {

struct BusinessCase {
    const char* name;
    std::function<void(mTDeclaration&)> spoil;
    const char* pageMessage;  // what the page finds; nullptr: it passes
    const char* wholeMessage; // what the whole check finds; nullptr: it passes
    std::uint16_t element;    // the activity's number or the quarter's code, the same in both
};

const char* const MixedWays = "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.";
const char* const QuarterOktmo = "Код ОКТМО должен содержать 8 или 11 числовых символов";
const char* const WholeQuarterOktmo = "Код ОКТМО должен содержать 8 или 11 числовых символов. (Если выбрано, что код "
                                      "ОКТМО менялся, то нужно заполнить код ОКТМО на каждый квартал)";

void quarterCodes(mTDeclaration& d, const char* first, const char* second, const char* third)
{
    d.OKTMOChanged = 1;
    d.OKTMO1 = first;
    d.OKTMO2 = second;
    d.OKTMO3 = third;
}

const BusinessCase businessCases[] = {
    {"documented expenses", [](mTDeclaration& d) { addBusiness(d); }, nullptr, nullptr, 0},
    {"a farm head takes the norm beside an entrepreneur's documents",
     [](mTDeclaration& d) {
         addBusiness(d, "1");
         addBusiness(d, "2").ExpensesConfirmed = 0;
         addBusiness(d, "5").ExpensesConfirmed = 0;
     },
     MixedWays, MixedWays, 3},
    {"two entrepreneurs by the norm",
     [](mTDeclaration& d) {
         addBusiness(d, "1").ExpensesConfirmed = 0;
         addBusiness(d, "5").ExpensesConfirmed = 0;
     },
     nullptr, nullptr, 0},
    // The page asks for parts that add up to the total; the whole check refuses parts above it.
    {"expense parts above the total",
     [](mTDeclaration& d) { addBusiness(d).ExpenseSum = Currency::fromWholeRoubles(499'999); },
     "Общие расходы (499999) не совпадают с суммой расходов материальных, на оплату труда, прочих и амортизационных "
     "отчислений (500000)",
     "Общие расходы (499999) меньше суммы расходов материальных, на оплату труда, прочих и амортизационных "
     "отчислений (500000)",
     1},
    {"expense parts below the total",
     [](mTDeclaration& d) {
         addBusiness(d);
         addBusiness(d).ExpenseSum = Currency::fromWholeRoubles(500'001);
     },
     "Общие расходы (500001) не совпадают с суммой расходов материальных, на оплату труда, прочих и амортизационных "
     "отчислений (500000)",
     nullptr, 2},
    // A notary documents the expenses whatever the record's box says.
    {"a notary's parts above the total without the box",
     [](mTDeclaration& d) {
         mTBusinessNew& notary = addBusiness(d, "2");
         notary.ExpensesConfirmed = 0;
         notary.ExpenseSum = Currency::fromWholeRoubles(400'000);
     },
     "Общие расходы (400000) не совпадают с суммой расходов материальных, на оплату труда, прочих и амортизационных "
     "отчислений (500000)",
     "Общие расходы (400000) меньше суммы расходов материальных, на оплату труда, прочих и амортизационных "
     "отчислений (500000)",
     1},
    {"an entrepreneur's parts by the norm are not asked",
     [](mTDeclaration& d) {
         mTBusinessNew& activity = addBusiness(d, "1");
         activity.ExpensesConfirmed = 0;
         activity.ExpenseSum = Currency::fromWholeRoubles(200'000);
     },
     nullptr, nullptr, 0},
    {"the OKTMO of the second quarter too short",
     [](mTDeclaration& d) {
         addBusiness(d);
         quarterCodes(d, "45382000", "4538200", "45382000000");
     },
     QuarterOktmo, WholeQuarterOktmo, 32752},
    {"the OKTMO of the third quarter with a letter",
     [](mTDeclaration& d) {
         addBusiness(d);
         quarterCodes(d, "45382000", "45382000", "4538200A");
     },
     QuarterOktmo, WholeQuarterOktmo, 32753},
    {"quarterly codes of a year the OKTMO did not change",
     [](mTDeclaration& d) {
         addBusiness(d);
         quarterCodes(d, "", "1", "2");
         d.OKTMOChanged = 0;
     },
     nullptr, nullptr, 0},
};

TEST(BusinessRules, ThePageAndTheWholeCheckFindTheSame)
{
    for (const BusinessCase& test : businessCases) {
        SCOPED_TRACE(test.name);
        std::vector<QString> skipped;
        expectFinding(pageFinding<TfrBusinessNew>(spoiltDeclaration(test.spoil), 0, skipped), test.pageMessage,
                      test.element);
        expectFinding(wholeCheckFinding(spoiltDeclaration(test.spoil), CheckBusiness), test.wholeMessage,
                      test.element);
    }
}

} // namespace
