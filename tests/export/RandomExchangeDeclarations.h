#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ExportTestSupport.h"
#include "model/DayDate.h"
#include "model/Declaration.h"

// Random declarations for the exchange file, drawn from a seed: each as the pages let the user
// make it (every text in the form and length its field takes, every tax in whole roubles), over
// every income kind, deduction, application and securities operation the file carries. Draws
// use the generator's raw output (fully specified by the standard), not the distributions,
// whose results differ between standard libraries.
class ExchangeDeclarationGenerator {
public:
    explicit ExchangeDeclarationGenerator(std::uint32_t seed) : rng_(seed) {}

    std::unique_ptr<mTDeclaration> declaration()
    {
        auto decl = validDeclaration();
        mTDeclaration& d = *decl;
        d.DeclarationType = pick<std::uint8_t>({DeclarationOrdinary, DeclarationOrdinary, DeclarationOrdinary,
                                                DeclarationNonResident, DeclarationClosingBusiness});
        d.TaxOfficeCode = pick({"7701", "5001", "7727"});
        d.CorrectionNumber = chance(20) ? between(1, 3) : 0;
        d.TaxpayerCategory = pick<std::uint8_t>({0, 1, 2, 3, 5, 5, 5, 6});
        fillPerson(d);
        if (chance(25)) {
            d.Signer = 1;
            d.RepresentativeName = pick({"Петров Петр Петрович", "Сидорова Анна", "Ли"});
            d.RepresentativeDocument = "Доверенность № " + std::to_string(between(1, 999)) + " от 01.02.2022";
        }
        log_ << "type " << int(d.DeclarationType) << ", signer " << int(d.Signer) << "\n";

        const bool closing = d.DeclarationType == DeclarationClosingBusiness;
        if (!closing || chance(30))
            for (int i = between(1, 3); i > 0; --i)
                addPayer(d);
        if (!closing && chance(40))
            for (int i = between(1, 3); i > 0; --i)
                addForeignIncome(d);
        if (closing || chance(30))
            addBusiness(d);
        if (d.DeclarationType != DeclarationNonResident)
            addDeductions(d);
        if (chance(45))
            for (int i = between(1, 3); i > 0; --i)
                addApplication(d);
        return decl;
    }

    // What was drawn, for the failure message of a declaration.
    std::string log() const { return log_.str(); }

    int between(int low, int high) { return low + int(rng_() % std::uint32_t(high - low + 1)); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T>
    T pick(std::initializer_list<T> values)
    {
        return values.begin()[between(0, int(values.size()) - 1)];
    }
    std::string pick(std::initializer_list<const char*> values) { return pick<const char*>(values); }

    // Whole roubles from low to high.
    Currency roubles(long long low, long long high)
    {
        const long long span = high - low + 1;
        const auto draw = (static_cast<unsigned long long>(rng_()) << 32) | rng_();
        return Currency::fromWholeRoubles(low + static_cast<long long>(draw % static_cast<unsigned long long>(span)));
    }
    // Roubles and, now and then, kopecks.
    Currency money(long long low, long long high)
    {
        return roubles(low, high) + (chance(30) ? Currency::fromUnits(between(1, 99) * 100) : Currency());
    }
    // Tax in whole roubles near `percent` of `base`.
    Currency taxOn(Currency base, int percent)
    {
        const long long tax = static_cast<long long>(base.roubles() * percent / 100);
        switch (between(0, 3)) {
        case 0:
            return Currency();
        case 1:
            return Currency::fromWholeRoubles(tax / 2);
        case 2:
            return Currency::fromWholeRoubles(tax);
        default:
            return Currency::fromWholeRoubles(tax + tax / 3);
        }
    }
    double date(int firstYear, int lastYear)
    {
        return *encodeDate(between(firstYear, lastYear), between(1, 12), between(1, 28));
    }

    // Numbers whose check digits are right.
    std::string organisationInn() { return pick({"7707083893", "3664069397", "5001007390", "7702070139", "7701000001"}); }
    std::string personInn() { return pick({"500100732259", "771234567859", "500100732403"}); }
    std::string kpp() { return pick({"770101001", "770701001", "7707AB001", "500101001"}); }
    std::string oktmo() { return pick({"45382000", "45383000", "46000000", "45382000001"}); }

private:
    void fillPerson(mTDeclaration& d)
    {
        mTPersonInformation& p = d.Person;
        p.Name.SurName = pick({"Иванов", "щукина-ёлкина", "Смирнова", "O'Connor", "Ли"});
        p.Name.FirstName = pick({"Иван", "Анна", "Пётр", "Mary"});
        p.Name.Patronymic = pick({"Иванович", "", "Сергеевна", "  "});
        p.Document.BirthDate = date(1940, 2003);
        p.Document.DocKind = 0;
        if (chance(30)) {
            p.Name.INN.clear();
            p.Document.DocKind = pick<std::uint16_t>({21, 10, 3, 12});
            p.Document.DocSeriesNumber = pick({"45 01 123456", "I-МЮ 123456", "AB1234567"});
        } else {
            p.Name.INN = personInn();
            if (chance(30)) {
                p.Document.DocKind = 21;
                p.Document.DocSeriesNumber = "45 01 123456";
            }
        }
        p.Foreigner.CountryCode = pick({"", "", "643", "398", "51", "4"});
        p.HomePhone.Number = pick({"", "", "89001234567", "+7 (495) 123-45-67", "   "});
        p.Address.OKTMO = oktmo();
    }

    struct Line {
        std::int32_t code;
        std::int32_t deductionCode;
        int deductionPercent; // of the amount
    };

    // Income lines of a payer, with the deductions that go with them.
    Line line()
    {
        static const Line lines[] = {
            {2000, 0, 0},    {2000, 0, 0},    {2000, 0, 0},     {2010, 403, 20},  {2201, 404, 30},  {2202, 405, 20},
            {1010, 0, 0},    {1011, 0, 0},    {3023, 0, 0},     {1400, 0, 0},     {1200, 0, 0},     {2300, 0, 0},
            {4800, 0, 0},    {2610, 0, 0},    {1110, 0, 0},     {6009, 0, 0},     {6011, 0, 0},     {6012, 0, 0},
            {6013, 0, 0},    {6014, 0, 0},    {6024, 0, 0},     {3010, 0, 0},     {1300, 0, 0},
            {2720, 501, 100}, {2730, 502, 100}, {2760, 503, 100}, {2770, 504, 100}, {2761, 506, 100}, {2762, 508, 100},
            {2763, 512, 100}, {2790, 507, 100}, {1211, 510, 100}, {3011, 511, 100}, {2799, 599, 50},  {3010, 280, 100},
            {1510, 901, 0},   {1511, 904, 50},  {1510, 903, 80},  {1511, 903, 80},  {1512, 902, 50},  {1512, 903, 80},
            {1520, 906, 50},  {1520, 903, 90},  {4900, 908, 50},  {4910, 910, 50},  {4920, 912, 50},  {1540, 315, 60},
            {1540, 905, 60},  {1560, 317, 60},  {1570, 318, 60},  {1550, 314, 60},
            {1530, 201, 70},  {1530, 201, 120}, {1536, 201, 50},  {1531, 201, 40},  {1532, 201, 110}, {1535, 201, 50},
            {1533, 201, 90},  {1537, 201, 60},  {1538, 201, 150}, {9537, 0, 0},     {1544, 225, 60},  {1549, 225, 130},
            {1545, 225, 50},  {1546, 225, 80},  {1551, 225, 50},  {1552, 225, 140}, {9551, 0, 0},     {5001, 0, 0},
        };
        return lines[between(0, int(std::size(lines)) - 1)];
    }

    std::unique_ptr<mTIncome> incomeLine(const Line& l)
    {
        auto line = std::make_unique<mTIncome>();
        line->IncomeCode = l.code;
        line->Amount = l.code >= 2720 && l.code <= 2790 ? money(1'000, 12'000) : money(1'000, 900'000);
        line->Month = std::uint16_t(between(1, 12));
        if (l.deductionCode != 0) {
            line->DeductionCode = l.deductionCode;
            line->Deduction = l.deductionCode == 901
                                ? line->Amount
                                : Currency::fromWholeRoubles(std::int64_t(line->Amount.roubles()) * l.deductionPercent / 100);
        }
        if (l.code >= 1510 && l.code <= 1512 && chance(50)) {
            line->PropertyFlag = 1;
            line->CadastralNumber = "77:01:000" + std::to_string(between(1000, 9999)) + ":" + std::to_string(between(1, 99));
            line->CadastralValue = roubles(1'000'000, 9'000'000);
            line->ContractPrice = line->Amount;
        }
        log_ << "  line " << l.code << "/" << l.deductionCode << " " << double(line->Amount.roubles()) << "\n";
        return line;
    }

    void addPayer(mTDeclaration& d)
    {
        mbTSourse& payer = *d.GetSource(d.AddSource());
        const bool organisation = chance(75);
        payer.Name = organisation ? pick({"ООО \"Ромашка\"", "АО Брокер", "ПАО «Завод»"}) : "Петров Пётр Петрович";
        payer.Inn = organisation ? organisationInn() : (chance(70) ? personInn() : std::string());
        payer.Kpp = organisation ? kpp() : std::string();
        payer.Oktmo = oktmo();
        payer.StandardDeductionsHere = std::uint8_t(chance(50));
        payer.IsInvestmentPartnership = std::uint8_t(chance(10));
        log_ << "payer " << payer.Inn << "\n";

        Currency total13;
        for (int i = between(1, 4); i > 0; --i) {
            auto income = incomeLine(line());
            total13 += income->Amount;
            payer.AddIncome13(std::move(income));
        }
        payer.WithheldTax13 = taxOn(total13, 13);
        if (chance(20)) {
            Currency total15;
            for (int i = between(1, 2); i > 0; --i) {
                auto income = incomeLine(pick<Line>({{2000, 0, 0}, {1010, 0, 0}, {1530, 201, 50}, {6015, 0, 0}}));
                total15 += income->Amount;
                payer.AddIncome15(std::move(income));
            }
            payer.WithheldTax15 = taxOn(total15, 15);
        }
        if (chance(30) || d.DeclarationType == DeclarationNonResident) {
            for (int i = between(1, 2); i > 0; --i) {
                auto income = incomeLine(pick<Line>({{2000, 0, 0}, {2740, 0, 0}, {2740, 505, 100}, {2610, 0, 0},
                                                     {1005, 0, 0}, {1010, 0, 0}, {2620, 0, 0}, {6015, 915, 100}}));
                income->WithheldTax = taxOn(income->Amount, 30);
                payer.AddIncome99(std::move(income));
            }
            payer.WithheldTax99 = taxOn(payer.Total99(), 30);
        }
        if (chance(15))
            payer.OrgProfitTax13 = roubles(0, 5'000);
        if (chance(40)) {
            auto deduct = std::make_unique<mbTSSCDeduct>();
            deduct->Code = pick<std::int32_t>({104, 105, 126, 127, 129, 134, 140, 320, 321, 323, 324, 325, 326, 327, 328});
            deduct->Sum = roubles(500, 60'000);
            payer.AddSSCDeduct(std::move(deduct));
        }
    }

    void addForeignIncome(mTDeclaration& d)
    {
        static const Line incomes[] = {{1010, 0, 0},   {2000, 0, 0},   {1530, 201, 60}, {1400, 0, 0},
                                       {1000, 0, 0},   {1012, 0, 0},   {1001, 0, 0},    {1002, 0, 0},
                                       {2010, 403, 30}, {2201, 404, 30}, {1520, 906, 50}, {2799, 0, 0},
                                       {3010, 0, 0},   {1510, 901, 0}};
        const Line l = incomes[between(0, int(std::size(incomes)) - 1)];
        mTCurrencyIncome& income = *d.GetCurrencyIncome(d.AddCurrencyIncome());
        income.RatePercent = 13;
        income.IncomeCode = l.code;
        income.SourceName = pick({"Apple Inc", "Holding Ltd", "Банк Казахстана"});
        income.SourceCountry = pick({"840", "196", "398"});
        income.CreditCountry = income.SourceCountry;
        income.CurrencyCode = pick({"840", "978", "398", "643"});
        income.IncomeDate = date(2021, 2021);
        income.IncomeDateUnits = income.CurrencyCode == "398" ? 100 : 1;
        income.IncomeDateRate = income.CurrencyCode == "643" ? Currency::fromWholeRoubles(1)
                                                              : Currency::fromUnits(between(600'000, 900'000));
        income.SetIncomeAmount(money(100, 60'000));
        if (l.deductionCode != 0) {
            income.DeductionCode = l.deductionCode;
            income.DeductionSum = Currency::fromWholeRoubles(std::int64_t(income.IncomeRoubles.roubles())
                                                             * (l.deductionPercent ? l.deductionPercent : 100) / 100);
        }
        if (l.code == 1000 || l.code == 1012) {
            income.CompanyNumber = pick({"01 12345", "02 54321"});
            income.ProfitMethod = std::uint8_t(between(1, 2));
            if (l.code == 1000 && chance(50))
                income.Line150Sum = roubles(0, 5'000);
        }
        if (chance(60)) {
            income.TaxPaymentDate = income.IncomeDate;
            income.TaxDateRate = income.IncomeDateRate;
            income.TaxDateUnits = income.IncomeDateUnits;
            income.SetTaxAmount(Currency::fromUnits(income.IncomeAmount.units() / 100 * between(0, 30)));
        }
        log_ << "foreign " << l.code << " " << double(income.IncomeRoubles.roubles()) << "\n";
    }

    void addBusiness(mTDeclaration& d)
    {
        for (int i = between(1, 2); i > 0; --i) {
            mTBusinessNew& activity = *d.GetBusiness(d.AddBusiness());
            activity.ActivityKind = std::to_string(between(1, 9));
            activity.ActivityCode = "62.01";
            activity.ExpensesConfirmed = std::uint8_t(chance(70));
            for (std::size_t q = 0; q < 4; ++q) {
                activity.QuarterIncome[q] = money(0, 600'000);
                activity.QuarterExpense[q] = roubles(0, std::int64_t(activity.QuarterIncome[q].roubles()));
                activity.IncomeSum += activity.QuarterIncome[q];
                activity.ExpenseSum += activity.QuarterExpense[q];
            }
            if (activity.ExpensesConfirmed) {
                const long long expense = static_cast<long long>(activity.ExpenseSum.roubles());
                activity.MaterialExpenses = roubles(0, expense / 3);
                activity.LabourExpenses = roubles(0, expense / 3);
                activity.Depreciation = chance(50) ? roubles(0, expense / 4) : Currency();
                activity.OtherExpenses = chance(50) ? roubles(0, expense / 4) : Currency();
            }
            log_ << "business " << activity.ActivityKind << " " << double(activity.IncomeSum.roubles()) << "\n";
        }
        d.ActualAdvancePayments = chance(40) ? roubles(0, 100'000) : Currency();
        d.PatentPayments = chance(20) ? roubles(0, 50'000) : Currency();
        d.TradeLevy = chance(20) ? roubles(0, 30'000) : Currency();
        if (chance(30)) {
            d.IsPeasantFarm = 1;
            d.FarmStartDate = *encodeDate(between(2010, 2021), 1, 1);
        }
        if (chance(20)) {
            d.CorrectedBase = money(1'000, 100'000);
            d.CorrectedTax = roubles(100, 13'000);
        }
        if (chance(40)) {
            d.OKTMOChanged = 1;
            d.OKTMO1 = oktmo();
            d.OKTMO2 = oktmo();
            d.OKTMO3 = oktmo();
        }
    }

    void addDeductions(mTDeclaration& d)
    {
        if (chance(35)) {
            mTStandartDeduct& standard = d.StandardDeduct;
            standard.Granted = 1;
            standard.PersonalCode = pick<std::int32_t>({103, 104, 105});
            standard.ParentStatus = pick<std::int32_t>({101, 102});
            standard.SetChildCountConst(between(0, 3));
            if (chance(30))
                standard.SetDisabledChildCountConst(1);
            // An entrepreneur's months of income decide when the deductions are due.
            if (d.BusinessCount() > 0 && chance(60)) {
                standard.HasBusinessMonths = 1;
                for (std::uint8_t month = 1; month <= 12; ++month) {
                    standard.SetBusinessMonth(std::uint8_t(month - 1), std::uint8_t(chance(80)));
                    standard.SetMonthIncome(month, roubles(0, 200'000));
                    standard.SetMonthExpense(month, roubles(0, 50'000));
                }
            }
        }
        if (chance(40)) {
            mTSocialDeduct& social = d.SocialDeduct;
            social.Granted = 1;
            for (Currency* sum : {&social.CharitySum, &social.CharitySum30, &social.SelfEducationSum,
                                  &social.MedicalSum, &social.MedicamentSum, &social.ExpensiveMedicalSum,
                                  &social.InsuranceSum, &social.QualificationSum})
                if (chance(35))
                    *sum = money(1'000, 150'000);
            if (chance(30))
                social.AddChildEduSum(money(1'000, 60'000));
            for (int i = chance(40) ? between(1, 3) : 0; i > 0; --i) {
                mTPens& contract = *social.GetPens(social.AddPens());
                contract.ContractKind = between(1, 4);
                contract.OrgName = pick({"НПФ «Будущее»", "СК Жизнь"});
                contract.OrgINN = organisationInn();
                contract.OrgKPP = kpp();
                contract.ContractNumber = "Д-" + std::to_string(between(1, 9999));
                contract.ContractDate = date(2005, 2021);
                contract.Sum = money(1'000, 80'000);
            }
        }
        if (chance(35)) {
            mTConstructionDeduct& property = d.ConstructionDeduct;
            property.Granted = 1;
            for (int i = between(1, 2); i > 0; --i)
                addPropertyObject(property);
            if (chance(25))
                property.PrevYearsDeduction = roubles(0, 500'000);
            if (chance(15))
                property.PrevYearsInterestDeduction = roubles(0, 100'000);
            if (chance(20))
                property.SimplifiedDeduction = roubles(0, 200'000);
            if (chance(10))
                property.SimplifiedInterestDeduction = roubles(0, 50'000);
        }
        if (chance(30)) {
            mTCBDeduct& losses = d.CBDeduct;
            losses.Granted = 1;
            for (Currency* loss : {&losses.LossSecurities, &losses.LossSecuritiesIIS, &losses.LossDerivatives,
                                   &losses.LossDerivativesIIS, &losses.LossPartnership, &losses.LossPartnershipIIS})
                if (chance(50))
                    *loss = roubles(0, 200'000);
        }
        if (chance(35)) {
            mTInvDeduct& investment = d.InvDeduct;
            investment.Granted = 1;
            investment.SecuritiesDeduction = chance(40) ? roubles(0, 300'000) : Currency();
            investment.PartnershipDeduction = chance(20) ? roubles(0, 100'000) : Currency();
            investment.IISDeductionToReturn = chance(15) ? roubles(0, 50'000) : Currency();
            investment.ApplyIncomeDeduction = std::uint8_t(chance(30));
            for (int i = chance(60) ? between(1, 2) : 0; i > 0; --i) {
                bmTInfoIIS& account = *investment.GetInfoIIS(investment.AddInfoIIS());
                account.ParticipantINN = organisationInn();
                account.ParticipantKPP = kpp();
                account.ParticipantName = "АО Брокер";
                account.ContractDate = date(2015, 2021);
                account.ContractNumber = "ИИС-" + std::to_string(between(1, 999));
                account.OpenDate = account.ContractDate;
                account.PaidIn = roubles(1'000, 400'000);
                account.SimplifiedSign = std::uint8_t(chance(30));
            }
        }
    }

    void addPropertyObject(mTConstructionDeduct& property)
    {
        auto object = std::make_unique<mTConstructionDeductObj>();
        object->ObjectCode = between(1, 8);
        object->OwnerSign = between(1, 5);
        object->Pensioner = std::uint8_t(chance(20));
        object->ByInvestment = std::uint8_t(object->ObjectCode <= 4 && chance(30));
        const double registered = date(2005, 2021);
        (object->ByInvestment ? object->ActDate : object->DwellingRegDate) = registered;
        if (object->ObjectCode > 4)
            object->LandRegDate = registered;
        if (object->ObjectCode == 1 || object->ObjectCode == 7)
            object->AcquisitionMethod = between(1, 2);
        object->ShareNumerator = 1;
        object->ShareDenominator = between(1, 3);
        object->ObjectNumberKind = between(1, 2);
        if (object->ObjectNumberKind == 1)
            object->ObjectNumber = "77:01:0004042:" + std::to_string(between(1, 9999));
        object->ObjectLocation = chance(70) || object->ObjectNumberKind == 2 ? "г. Москва, ул. Тверская, д. 1" : "";
        object->Cost = roubles(300'000, 5'000'000);
        object->InterestPaid = chance(40) ? roubles(0, 800'000) : Currency();
        log_ << "object " << object->ObjectCode << " " << double(object->Cost.roubles()) << "\n";
        property.AddObject(std::move(object));
    }

    void addApplication(mTDeclaration& d)
    {
        mTTrata& entry = *d.GetTrata(d.AddTrata());
        entry.IsRefund = std::uint8_t(chance(60));
        entry.AllIn = std::uint8_t(entry.IsRefund && chance(30));
        entry.RefundSum = roubles(100, 60'000);
        entry.BankName = pick({"ПАО Сбербанк", "АО «Тинькофф Банк»"});
        entry.BankBik = pick({"044525225", "044525974"});
        entry.AccountKind = between(1, 2);
        entry.AccountNumber = "408178100000000" + std::to_string(between(10000, 99999));
        entry.OffsetSum = roubles(100, 60'000);
        entry.TaxOfficeCode = pick({"7701", "5001"});
        entry.Kbk = pick({"18210102010011000110", "18210601020041000110"});
        entry.OffsetPurpose = between(1, 2);
        entry.Oktmo = oktmo();
        log_ << "application " << (entry.IsRefund ? "refund" : "offset") << "\n";
    }

    std::mt19937 rng_;
    std::ostringstream log_;
};
