// A declaration computed and exported, saved, loaded into a fresh declaration and computed and
// exported again gives the same figures and the same exchange file, byte for byte: what the
// computation and the exchange file see is what the declaration file keeps.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ComputationTestSupport.h"
#include "ExportableDeclaration.h"
#include "RandomDeclarations.h"
#include "SummaryFigures.h"
#include "computation/Summary.h"
#include "export/ExchangeFile.h"
#include "model/DayDate.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/TemporaryFolder.h"

namespace {

constexpr std::uint32_t DeclarationCount = 150;

// What the exchange file requires besides describeForExport: the activity's code and the
// refund applications' bank details.
void describe(mTDeclaration& decl)
{
    describeForExport(decl);
    for (auto& activity : decl.BusinessIncomes)
        activity->ActivityCode = "62.01";
    for (auto& entry : decl.Tratas) {
        entry->BankName = "ПАО Сбербанк";
        entry->BankBik = "044525225";
        entry->AccountNumber = "40817810000000000001";
        entry->TaxOfficeCode = "7701";
        entry->Kbk = "18210102010011000110";
        entry->Oktmo = "45382000";
    }
}

// One pass: the exchange file with a fixed date and UUID, and the summary's figures.
struct Pass {
    ExportResult exchange;
    SummaryFigures figures;
};

Pass computedAndExported(mTDeclaration& decl)
{
    const ExportStamp stamp{*encodeDate(2022, 3, 15), "0F1E2D3C-4B5A-4978-8695-A4B3C2D1E0F9"};
    ExportResult exchange = ExportDeclarationXml({}, decl, ExportMode::Text, stamp);
    auto svod = std::make_unique<kTSvodSum>();
    const bool result = svod->Calculate(decl);
    return Pass{std::move(exchange), figuresOf(result, *svod, decl)};
}

// Checks the round trip of `decl`; gives the pass before the save.
Pass expectSameAfterSaveAndLoad(mTDeclaration& decl, const TemporaryFolder& folder)
{
    const Pass before = computedAndExported(decl);
    const std::string path = folder.file("declaration.fv1");
    decl.SaveToFile(path);
    mTDeclaration loaded;
    loaded.LoadFromFile(path);
    const Pass after = computedAndExported(loaded);

    EXPECT_EQ(after.exchange.ok, before.exchange.ok);
    EXPECT_EQ(after.exchange.error, before.exchange.error);
    EXPECT_TRUE(after.exchange.text == before.exchange.text) << "the exchange file differs after the round trip";
    EXPECT_TRUE(after.figures == before.figures) << "the figures differ after the round trip";
    if (before.exchange.ok) {
        EXPECT_EQ(exchangeSchemaErrorsOfText(before.exchange.text), "");
    }
    return before;
}

TEST(RoundTrip, RandomDeclarationsComputeAndExportTheSameAfterSaveAndLoad)
{
    const TemporaryFolder folder;
    int exported = 0;
    int withRecordsAddedWithoutTheirKind = 0;
    for (std::uint32_t seed = 1; seed <= DeclarationCount; ++seed) {
        mTDeclaration decl;
        DeclarationGenerator generator(seed);
        generator.fill(decl);
        const std::uint8_t kindsSet = decl.IncomeKinds();
        generator.addRecordsOfKindsThatAreOff(decl);
        describe(decl);
        SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + generator.log());

        const Pass before = expectSameAfterSaveAndLoad(decl, folder);
        exported += before.exchange.ok ? 1 : 0;
        withRecordsAddedWithoutTheirKind += decl.IncomeKinds() != kindsSet ? 1 : 0;
        if (::testing::Test::HasFailure())
            return; // one declaration's report is enough
    }
    // The comparisons are worth something only if the files were made, and some declarations
    // had records added while their kind was off.
    EXPECT_GT(exported, int(DeclarationCount) * 9 / 10);
    EXPECT_GT(withRecordsAddedWithoutTheirKind, 0);
}

// Wages of 1 200 000 from an employer added while income kind 1 was off: they are computed,
// exported and saved alike.
TEST(RoundTrip, WagesAddedWithTheSourcesKindOffAreSavedAsComputed)
{
    const TemporaryFolder folder;
    mTDeclaration decl;
    describeForExport(decl);
    decl.Person.Address.OKTMO = TaxpayerOktmo;
    ASSERT_EQ(decl.IncomeKinds(), 0);
    mbTSourse& employer = *decl.GetSource(decl.AddSource());
    employer.Inn = "7701000001";
    employer.Kpp = "770101001";
    employer.Oktmo = "45380000";
    employer.Name = "ООО Работодатель";
    employer.WithheldTax13 = rub(156'000);
    for (std::uint16_t month = 1; month <= 12; ++month) {
        auto line = incomeLine(2000, rub(100'000));
        line->Month = month;
        employer.AddIncome13(std::move(line));
    }

    const Pass before = expectSameAfterSaveAndLoad(decl, folder);
    EXPECT_TRUE(before.exchange.ok) << before.exchange.error;
    EXPECT_TRUE(decl.HasIncomeKind(IncomeKindSources));
    mTDeclaration loaded;
    loaded.LoadFromFile(folder.file("declaration.fv1"));
    EXPECT_EQ(loaded.SourceCount(), 1u);
    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(loaded);
    EXPECT_EQ(svod->Razd2Sheet(10).СумДох, rub(1'200'000));
    EXPECT_EQ(svod->Razd2Sheet(10).Исчисл, rub(156'000));
}

} // namespace
