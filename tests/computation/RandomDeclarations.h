#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "ComputationTestSupport.h"
#include "Section1Checks.h"
#include "model/DayDate.h"
#include "model/Declaration.h"

// Builds one random declaration from a seed and writes down what it put in. Draws use the
// generator's raw output (fully specified by the standard), not the distributions, whose
// results differ between standard libraries.
class DeclarationGenerator {
public:
    explicit DeclarationGenerator(std::uint32_t seed) : rng_(seed) {}

    void fill(mTDeclaration& decl)
    {
        decl.Person.Address.OKTMO = TaxpayerOktmo;
        decl.DeclarationType = pick<std::uint8_t>({DeclarationOrdinary, DeclarationOrdinary, DeclarationOrdinary,
                                                   DeclarationOrdinary, DeclarationNonResident,
                                                   DeclarationClosingBusiness});
        std::uint8_t kinds = 0;
        if (chance(90))
            kinds |= IncomeKindSources;
        if (chance(30))
            kinds |= IncomeKindForeign;
        if (chance(25) || decl.DeclarationType == DeclarationClosingBusiness)
            kinds |= IncomeKindBusiness;
        if (chance(40))
            kinds |= IncomeKindTrata;
        decl.SetIncomeKinds(kinds);
        decl.CorrectionNumber = chance(20) ? between(1, 3) : 0;
        log_ << "type " << int(decl.DeclarationType) << ", kinds " << int(kinds) << "\n";

        if (decl.HasIncomeKind(IncomeKindSources))
            for (int i = between(1, 3); i > 0; --i)
                addPayer(decl);
        if (decl.HasIncomeKind(IncomeKindForeign))
            for (int i = between(1, 2); i > 0; --i)
                addForeignIncome(decl);
        if (decl.HasIncomeKind(IncomeKindBusiness))
            addBusiness(decl);
        addDeductions(decl);
        if (decl.HasIncomeKind(IncomeKindTrata))
            for (int i = between(1, 3); i > 0; --i)
                addApplicationEntry(decl);
    }

    // Now and then a record of a kind that is off, added as a caller that forgets the kind adds
    // it: its add operation alone, which switches the kind on.
    void addRecordsOfKindsThatAreOff(mTDeclaration& decl)
    {
        if (!decl.HasIncomeKind(IncomeKindSources) && chance(50)) {
            log_ << "without kind 1: ";
            addPayer(decl);
        }
        if (!decl.HasIncomeKind(IncomeKindForeign) && chance(30)) {
            log_ << "without kind 2: ";
            addForeignIncome(decl);
        }
        if (!decl.HasIncomeKind(IncomeKindBusiness) && chance(30)) {
            log_ << "without kind 4: ";
            addBusiness(decl);
        }
        if (!decl.HasIncomeKind(IncomeKindTrata) && chance(30)) {
            log_ << "without kind 8: ";
            addApplicationEntry(decl);
        }
    }

    std::string log() const { return log_.str(); }

private:
    int between(int low, int high) { return low + int(rng_() % std::uint32_t(high - low + 1)); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T>
    T pick(std::initializer_list<T> values) { return values.begin()[between(0, int(values.size()) - 1)]; }

    // Mostly whole roubles, now and then with kopecks.
    Currency amount(long double low, long double high)
    {
        const long double roubles = low + (high - low) * (rng_() % 1'000'001) / 1'000'000.0L;
        const Currency kopecks = chance(20) ? Currency::fromUnits(between(1, 99) * 100) : Currency();
        return Currency::fromWholeRoubles(std::int64_t(roubles)) + kopecks;
    }

    // Whole roubles, as the fields of tax take them.
    Currency wholeAmount(long double low, long double high)
    {
        return Currency::fromWholeRoubles(std::int64_t(amount(low, high).roubles()));
    }

    // Income of ordinary size, now and then beyond the 5 000 000-rouble band.
    Currency income() { return chance(10) ? amount(2'000'000, 6'000'000) : amount(1'000, 1'500'000); }

    // Tax withheld on an amount: none, too little, right, too much, or far off.
    Currency withheldOn(Currency base, int percent)
    {
        const long double tax = base.roubles() * percent / 100;
        switch (between(0, 4)) {
        case 0:
            return Currency();
        case 1:
            return Currency::fromWholeRoubles(std::int64_t(tax / 2));
        case 2:
            return Currency::fromWholeRoubles(std::int64_t(tax + 0.5L));
        case 3:
            return Currency::fromWholeRoubles(std::int64_t(tax * 1.3L));
        default:
            return wholeAmount(0, 300'000);
        }
    }

    std::unique_ptr<mTIncome> line(std::initializer_list<std::int32_t> codes)
    {
        auto line = incomeLine(pick(codes), income());
        line->Month = std::uint16_t(between(1, 12));
        if (line->IncomeCode == 2010 && chance(50)) {
            line->DeductionCode = 403;
            line->Deduction = amount(0, line->Amount.roubles());
        } else if (line->IncomeCode == 1520 && chance(50)) {
            line->DeductionCode = 906; // the sale deduction of other property
            line->Deduction = amount(0, 250'000);
        }
        log_ << "  line " << line->IncomeCode << " " << double(line->Amount.roubles()) << " month " << line->Month;
        return line;
    }

    void addPayer(mTDeclaration& decl)
    {
        // Organisations' numbers with right check digits.
        mbTSourse& payer = ::addPayer(decl, pick<const char*>({"7707083893", "3664069397", "5001007390", "7702070139"}));
        payer.Oktmo = pick<const char*>({"45380000", "45381000", "46000000"});
        payer.StandardDeductionsHere = chance(50);
        log_ << "payer " << payer.Inn << " " << payer.Oktmo << "\n";
        Currency total13;
        for (int i = between(1, 4); i > 0; --i) {
            auto income = line({2000, 2000, 2000, 2300, 4800, 2010, 1010, 1011, 3023, 1530, 1400, 6009, 1200, 1510,
                                1520, 6014, 6015, 2610, 1110});
            total13 += income->Amount;
            payer.AddIncome13(std::move(income));
            log_ << "\n";
        }
        payer.WithheldTax13 = withheldOn(total13, 13);
        log_ << "  withheld at 13 % " << double(payer.WithheldTax13.roubles()) << "\n";
        if (chance(20)) {
            Currency total15;
            for (int i = between(1, 2); i > 0; --i) {
                auto income = line({2000, 1010, 1011, 1530, 6015});
                total15 += income->Amount;
                payer.AddIncome15(std::move(income));
                log_ << "\n";
            }
            payer.WithheldTax15 = withheldOn(total15, 15);
            log_ << "  withheld at 15 % " << double(payer.WithheldTax15.roubles()) << "\n";
        }
        if (chance(30)) {
            for (int i = between(1, 2); i > 0; --i) {
                auto income = line({2620, 2740, 2610, 1110, 1005, 1010});
                income->WithheldTax = withheldOn(income->Amount, 35);
                log_ << " withheld " << double(income->WithheldTax.roubles()) << "\n";
                payer.AddIncome99(std::move(income));
            }
            payer.WithheldTax99 = withheldOn(payer.Total99(), 30);
        }
        if (chance(25)) {
            auto deduct = std::make_unique<mbTSSCDeduct>();
            deduct->Code = pick<std::int32_t>({126, 127, 104, 105, 311, 312, 320, 324});
            deduct->Sum = amount(500, 200'000);
            log_ << "  agent deduction " << deduct->Code << " " << double(deduct->Sum.roubles()) << "\n";
            payer.AddSSCDeduct(std::move(deduct));
        }
    }

    void addForeignIncome(mTDeclaration& decl)
    {
        mTCurrencyIncome& income = *decl.GetCurrencyIncome(decl.AddCurrencyIncome());
        income.RatePercent = 13;
        income.IncomeCode = pick<std::int32_t>({1010, 2000, 1530, 1400});
        income.SourceCountry = income.CreditCountry = "840";
        income.CurrencyCode = "840";
        income.IncomeDateUnits = income.TaxDateUnits = 1;
        income.IncomeDateRate = income.TaxDateRate = amount(60, 80);
        income.SetIncomeAmount(amount(100, 50'000));
        income.SetTaxAmount(Currency::fromRoubles(income.IncomeAmount.roubles() * between(0, 40) / 100));
        log_ << "foreign " << income.IncomeCode << " " << double(income.IncomeRoubles.roubles()) << " tax "
             << double(income.TaxRoubles.roubles()) << "\n";
    }

    void addBusiness(mTDeclaration& decl)
    {
        mTBusinessNew& business = *decl.GetBusiness(decl.AddBusiness());
        business.ExpensesConfirmed = chance(70);
        for (int q = 0; q < 4; ++q) {
            business.QuarterIncome[q] = amount(0, 800'000);
            business.QuarterExpense[q] = amount(0, business.QuarterIncome[q].roubles());
            business.IncomeSum += business.QuarterIncome[q];
            business.ExpenseSum += business.QuarterExpense[q];
        }
        if (chance(20))
            decl.PatentPayments = wholeAmount(0, 50'000);
        if (chance(20))
            decl.TradeLevy = wholeAmount(0, 30'000);
        log_ << "business " << double(business.IncomeSum.roubles()) << " expense "
             << double(business.ExpenseSum.roubles()) << "\n";
    }

    void addDeductions(mTDeclaration& decl)
    {
        if (chance(30)) {
            decl.SocialDeduct.Granted = 1;
            decl.SocialDeduct.MedicalSum = amount(0, 150'000);
            decl.SocialDeduct.SelfEducationSum = amount(0, 100'000);
            if (chance(30))
                decl.SocialDeduct.AddChildEduSum(amount(0, 80'000));
            log_ << "social " << double(decl.SocialDeduct.MedicalSum.roubles()) << " + "
                 << double(decl.SocialDeduct.SelfEducationSum.roubles()) << "\n";
        }
        if (chance(30)) {
            decl.ConstructionDeduct.Granted = 1;
            auto flat = std::make_unique<mTConstructionDeductObj>();
            flat->Cost = amount(300'000, 4'000'000);
            flat->InterestPaid = chance(30) ? amount(0, 500'000) : Currency();
            flat->DwellingRegDate = *encodeDate(between(2001, 2021), 6, 1);
            flat->ShareNumerator = 1;
            flat->ShareDenominator = between(1, 2);
            if (chance(20))
                decl.ConstructionDeduct.PrevYearsDeduction = amount(0, 1'000'000);
            if (chance(15))
                decl.ConstructionDeduct.SimplifiedDeduction = amount(0, 500'000);
            log_ << "flat " << double(flat->Cost.roubles()) << " simplified "
                 << double(decl.ConstructionDeduct.SimplifiedDeduction.roubles()) << "\n";
            decl.ConstructionDeduct.AddObject(std::move(flat));
        }
        if (chance(30)) {
            decl.StandardDeduct.Granted = 1;
            decl.StandardDeduct.SetChildCountConst(between(1, 3));
            decl.StandardDeduct.ParentStatus = pick<std::int32_t>({101, 102});
            log_ << "children " << decl.StandardDeduct.Children.YearCount << "\n";
        }
    }

    void addApplicationEntry(mTDeclaration& decl)
    {
        mTTrata& entry = *decl.GetTrata(decl.AddTrata());
        entry.IsRefund = chance(60);
        entry.AllIn = entry.IsRefund && chance(25);
        entry.RefundSum = amount(-1'000, 100'000);
        entry.OffsetSum = amount(-1'000, 100'000);
        entry.AccountKind = between(0, 2);
        entry.OffsetPurpose = between(1, 2);
        log_ << "entry refund " << int(entry.IsRefund) << " all " << int(entry.AllIn) << " "
             << double(entry.RefundSum.roubles()) << " / " << double(entry.OffsetSum.roubles()) << "\n";
    }

    std::mt19937 rng_;
    std::ostringstream log_;
};
