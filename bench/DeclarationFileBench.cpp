// Saving and loading a large declaration: 100 payment sources with 50 income lines at each
// rate, 200 foreign incomes, every deduction granted with entries.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "model/Declaration.h"
#include "model/DocumentStorage.h"

namespace {

Currency money(std::int64_t units) { return Currency::fromUnits(units); }

std::unique_ptr<mTIncome> incomeLine(int number)
{
    auto line = std::make_unique<mTIncome>();
    line->IncomeCode = 2000;
    line->Amount = money(1234567890 + number);
    line->DeductionCode = 403;
    line->Deduction = money(100000 * number);
    line->Month = std::uint16_t(1 + number % 12);
    line->WithheldTax = money(160493826);
    return line;
}

void addSources(mTDeclaration& d)
{
    for (int s = 0; s < 100; ++s) {
        mbTSourse& source = *d.GetSource(d.AddSource());
        source.Name = "Общество с ограниченной ответственностью \"Источник " + std::to_string(s) + "\"";
        source.Inn = "7701" + std::to_string(100000 + s);
        source.Kpp = "770101001";
        source.Oktmo = "45382000";
        source.WithheldTax13 = money(1300000000);
        for (int i = 0; i < 50; ++i) {
            source.AddIncome13(incomeLine(i));
            source.AddIncome15(incomeLine(i));
            source.AddIncome99(incomeLine(i));
        }
        source.AddSSCDeduct(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{126, money(14000000)}));
    }
}

void addForeignIncomes(mTDeclaration& d)
{
    for (int i = 0; i < 200; ++i) {
        mTCurrencyIncome& income = *d.GetCurrencyIncome(d.AddCurrencyIncome());
        income.RatePercent = 13;
        income.IncomeCode = 1010;
        income.IncomeCodeName = "Дивиденды";
        income.SourceName = "Foreign Payer " + std::to_string(i);
        income.SourceCountry = "840";
        income.IncomeDate = 44300 + i;
        income.TaxPaymentDate = 44300 + i;
        income.CurrencyCode = "840";
        income.IncomeDateRate = money(735123);
        income.IncomeDateUnits = 1;
        income.TaxDateRate = money(735123);
        income.TaxDateUnits = 1;
        income.CurrencyName = "Доллар США";
        income.SetIncomeAmount(money(1000000 + i));
        income.SetTaxAmount(money(100000));
    }
}

void grantDeductions(mTDeclaration& d)
{
    d.StandardDeduct.Granted = 1;
    for (std::uint8_t m = 0; m < 12; ++m)
        d.StandardDeduct.SetChildCount(m, 2);
    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.MedicalSum = money(1200000000);
    for (int i = 0; i < 3; ++i) {
        d.SocialDeduct.AddChildEduSum(money(500000000));
        d.SocialDeduct.GetPens(d.SocialDeduct.AddPens())->OrgName = "НПФ";
    }
    d.ConstructionDeduct.Granted = 1;
    for (int i = 0; i < 3; ++i) {
        auto object = std::make_unique<mTConstructionDeductObj>();
        object->ObjectLocation = "г. Москва";
        object->Cost = money(20000000000);
        d.ConstructionDeduct.AddObject(std::move(object));
    }
    d.CBDeduct.Granted = 1;
    d.CBDeduct.LossSecurities = money(100000000);
    d.InvDeduct.Granted = 1;
    for (int i = 0; i < 3; ++i)
        d.InvDeduct.GetInfoIIS(d.InvDeduct.AddInfoIIS())->PaidIn = money(4000000000);
}

const mTDeclaration& largeDeclaration()
{
    static const mTDeclaration declaration = [] {
        mTDeclaration d;
        d.TaxOfficeCode = "7701";
        d.Person.Name = {"Иванов", "Иван", "Иванович", "770100000001", "", "0"};
        d.SetIncomeKinds(IncomeKindSources | IncomeKindForeign);
        addSources(d);
        addForeignIncomes(d);
        grantDeductions(d);
        return d;
    }();
    return declaration;
}

std::string benchFile()
{
    return (std::filesystem::temp_directory_path() / "declaration-file-bench.fv1").string();
}

// The whole save: the size pass, the writing pass, and the temporary file synced and renamed.
void BM_SaveToFile(benchmark::State& state)
{
    const mTDeclaration& declaration = largeDeclaration();
    const std::string path = benchFile();
    for (auto _ : state)
        declaration.SaveToFile(path);
    state.counters["file_bytes"] = double(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveToFile)->Unit(benchmark::kMillisecond);

// The two passes of a save over the data, without the disk.
void BM_SizeAndWritePasses(benchmark::State& state)
{
    const mTDeclaration& declaration = largeDeclaration();
    std::string bytes;
    for (auto _ : state) {
        bytes.clear();
        bytes.reserve(declaration.StorageSize());
        mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
        declaration.WriteToStorage(storage);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["file_bytes"] = double(bytes.size());
}
BENCHMARK(BM_SizeAndWritePasses)->Unit(benchmark::kMillisecond);

void BM_LoadFromFile(benchmark::State& state)
{
    const std::string path = benchFile();
    largeDeclaration().SaveToFile(path);
    for (auto _ : state) {
        mTDeclaration loaded;
        loaded.LoadFromFile(path);
        benchmark::DoNotOptimize(loaded.SourceCount());
    }
    state.counters["file_bytes"] = double(std::filesystem::file_size(path));
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadFromFile)->Unit(benchmark::kMillisecond);

} // namespace
