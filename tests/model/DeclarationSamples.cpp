#include "DeclarationSamples.h"

#include <array>
#include <string_view>


namespace {

Currency money(std::int64_t units) { return Currency::fromUnits(units); }

// ---- The full declaration -------------------------------------------------------------

mTIncome incomeLine(std::int32_t code, std::int64_t amountUnits, std::uint16_t month)
{
    mTIncome line;
    line.IncomeCode = code;
    line.Amount = money(amountUnits);
    line.DeductionCode = code == 1510 ? 906 : 0;
    line.Deduction = money(amountUnits / 10);
    line.DeductionPercent = 20;
    line.LineReserved = -3;
    line.Month = month;
    if (code == 1510) {
        line.PropertyFlag = 1;
        line.CadastralNumber = "77:01:0004042:1234";
        line.CadastralValue = money(45000000000);
        line.ContractPrice = money(30000000000);
    }
    line.WithheldTax = money(amountUnits * 13 / 100);
    return line;
}

void fillSources(mTDeclaration& d)
{
    for (int s = 0; s < 2; ++s) {
        mbTSourse& source = *d.GetSource(d.AddSource());
        source.Name = s == 0 ? "@Source001" : "ООО \"Ромашка\" № 2";
        source.Inn = "77010000" + std::to_string(10 + s);
        source.Kpp = "770101001";
        source.Oktmo = "45382000";
        source.StandardDeductionsHere = std::uint8_t(s);
        source.SourceReserved = money(-1);
        source.IsInvestmentPartnership = std::uint8_t(1 - s);
        source.WithheldTax13 = money(130000000);
        source.WithheldTax15 = money(15000001);
        source.WithheldTax99 = money(-5);
        source.OrgProfitTax13 = money(99999);
        source.OrgProfitTax15 = money(1);
        for (std::uint16_t i = 0; i < 2; ++i) {
            source.AddIncome13(std::make_unique<mTIncome>(incomeLine(2000, 1000000000 + i, 1 + i)));
            source.AddIncome15(std::make_unique<mTIncome>(incomeLine(1010, 55555 * (i + 1), 12)));
            source.AddIncome99(std::make_unique<mTIncome>(incomeLine(1510, 123456789, 6)));
            source.AddSSCDeduct(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{126 + i, money(14000000)}));
        }
    }
}

void fillPayer(mTSourseIncomeInfo& record, int number)
{
    record.PayerText1 = "Плательщик " + std::to_string(number);
    record.PayerText2 = "7702000000";
    record.PayerText3 = "";
    record.PayerText4 = "@SSCDeducts000000";
    record.OtherSum = money(-10000 * number);
}

void fillOldLists(mTDeclaration& d)
{
    for (bool nonResident : {false, true}) {
        for (int r = 0; r < (nonResident ? 1 : 2); ++r) {
            auto& list = nonResident ? d.OldThirteenPercentNR : d.OldThirteenPercent;
            mTThirteenPercent& record = list[nonResident ? d.AddThirteenPercentNR() : d.AddThirteenPercent()];
            fillPayer(record, r + (nonResident ? 10 : 0));
            record.RecordFlag = 1;
            record.ExtraSum1 = money(1);
            record.ExtraSum2 = money(22);
            record.ExtraSum3 = money(-333);
            record.ClosingFlag = 1;
            record.SetMonthDeduction(0, money(4000000));
            record.SetMonthDeduction(2, Currency());
            record.SetMonthDeduction(11, money(-7));
            for (int i = 0; i < 2; ++i) {
                mTSourseIncome line;
                line.IncomeCode = 2000 + i;
                line.LineText1 = "строка";
                line.Amount = money(250000000 + i);
                line.DeductionCode = 601;
                line.Deduction = money(100);
                line.LineInteger = -1;
                line.Month = std::uint16_t(3 + i);
                line.LineByte = 255;
                line.LineText2 = "@SourseIncome000000";
                line.LineSum1 = money(5);
                line.LineSum2 = money(-5);
                record.SourceIncomes.add(std::make_unique<mTSourseIncome>(line));
            }
            record.SSCDeducts.add(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{103 + r, money(4000000)}));
        }
    }

    mTThirtyFivePercent& thirtyFive = d.OldThirtyFivePercent[d.AddThirtyFivePercent()];
    fillPayer(thirtyFive, 35);
    thirtyFive.IncomeTotal = money(35000000);
    thirtyFive.Code1 = 2740;
    thirtyFive.Code2 = -1;
    thirtyFive.Sum = money(12345);

    mTThirtyPercent& thirty = d.OldThirtyPercent[d.AddThirtyPercent()];
    fillPayer(thirty, 30);
    thirty.IncomeTotal = money(30000000);
    thirty.Code1 = 1010;
    thirty.Sum1 = money(1);
    thirty.Sum2 = money(2);

    mTThirtyPercent& nine = d.OldNinePercent[d.AddNinePercent()];
    fillPayer(nine, 9);
    nine.IncomeTotal = money(9000000);
    nine.Code1 = 1011;
    nine.Sum1 = money(-9);
    nine.Sum2 = money(99);
}

void fillCurrencyIncomes(mTDeclaration& d)
{
    for (int i = 0; i < 2; ++i) {
        mTCurrencyIncome& income = *d.GetCurrencyIncome(d.AddCurrencyIncome());
        income.RatePercent = 13;
        income.IncomeCode = i == 0 ? 1010 : 1530;
        income.IncomeCodeName = "Дивиденды";
        income.SourceName = "Apple Inc.";
        income.SourceCountry = "840";
        income.CreditCountry = i == 0 ? "840" : "";
        income.IncomeDate = 44300 + i;
        income.TaxPaymentDate = 44300.5;
        income.CurrencyCode = "840";
        income.IncomeDateRate = money(735123);
        income.IncomeDateUnits = 1;
        income.TaxDateRate = money(7351230);
        income.TaxDateUnits = 10;
        income.CurrencyName = "Доллар США";
        income.AutoRate = 1;
        income.SetIncomeAmount(money(1000100));
        income.SetTaxAmount(money(100010));
        income.DeductionCode = 201;
        income.DeductionSum = money(500);
        income.DeductionPercent = 30;
        income.Reserved = 7;
        income.ProfitMethod = 2;
        income.CompanyNumber = "КИК-" + std::to_string(i);
        income.Line150Sum = money(-1);
    }
    d.SetKIKItemNumber(2);
}

void fillBusiness(mTDeclaration& d)
{
    for (int i = 0; i < 2; ++i) {
        mTBusinessNew& business = *d.GetBusiness(d.AddBusiness());
        business.ActivityKind = std::to_string(i + 1);
        business.ActivityCode = "62.01";
        business.ExpensesConfirmed = std::uint8_t(1 - i);
        business.IncomeSum = money(10000000000);
        business.ExpenseSum = money(4000000000);
        if (business.ExpensesConfirmed) {
            business.MaterialExpenses = money(1);
            business.Depreciation = money(2);
            business.LabourExpenses = money(3);
            business.OtherExpenses = money(-4);
        }
        for (int q = 0; q < mTBusinessNew::QuarterCount; ++q) {
            business.QuarterIncome[std::size_t(q)] = money(2500000000 + q);
            business.QuarterExpense[std::size_t(q)] = money(1000000000 - q);
        }
    }
    d.ActualAdvancePayments = money(12345678);
    d.BusinessSumA = money(-1);
    d.BusinessSumB = money(999999999999);
    d.IsPeasantFarm = 1;
    d.FarmStartDate = 40179;
    d.CorrectedBase = money(1000);
    d.CorrectedTax = money(130);
    d.PatentPayments = money(200000000);
    d.TradeLevy = money(30000000);
    d.OKTMOChanged = 1;
    d.OKTMO1 = "45382000";
    d.OKTMO2 = "45383000";
    d.OKTMO3 = "";
    d.BusinessText = "@InvDeduct";
}

void fillTratas(mTDeclaration& d)
{
    for (int i = 0; i < 2; ++i) {
        mTTrata& trata = *d.GetTrata(d.AddTrata());
        trata.RefundSum = money(52000000 + i);
        trata.ApplicationNumber = std::to_string(i + 1);
        trata.AllIn = std::uint8_t(i);
        trata.IsRefund = std::uint8_t(1 - i);
        trata.BankName = "ПАО Сбербанк";
        trata.BankBik = "044525225";
        trata.AccountKind = 1 + i;
        trata.AccountNumber = "40817810099910004312";
        trata.OffsetSum = money(7);
        trata.TaxOfficeCode = "7701";
        trata.Kbk = "18210102010011000110";
        trata.OffsetPurpose = 2;
        trata.Oktmo = "45382000";
        trata.Note = "@StandartDeduct";
    }
}

void fillPerson(mTPersonInformation& person)
{
    person.Name = {"Иванов", "Иван", "Иванович", "770100000001", "@DeclInquiry", "1"};
    person.Document = {21, "Паспорт гражданина РФ", "45 00 123456", 38000, 29000.5, "выдан ОВД", "код 770-001"};
    person.Foreigner = {"примечание", "КАЗАХСТАН", "второе", "398"};
    person.Address.AddressKind = 2;
    person.Address.AddressText = "г. Москва, ул. Тверская, д. 1, кв. 2";
    person.Address.AddressCode = 77;
    person.Address.AddressPart1 = "125009";
    person.Address.AddressPart8 = "2";
    person.Address.OKTMO = "45382000";
    person.HomePhone = {"495", "1234567"};
    person.WorkPhone = {"499", ""};
    person.ForeignerHomePhone = {"", "+7 700 000"};
    person.ForeignerWorkPhone = {"1", "2"};
    person.PersonFlag = 1;
}

void fillDeductions(mTDeclaration& d)
{
    mTStandartDeduct& standard = d.StandardDeduct;
    standard.Granted = 1;
    standard.PersonalCode = 110;
    standard.ParentStatus = 103;
    for (std::uint8_t m = 0; m < 12; ++m) {
        standard.SetChildCount(m, m % 3);
        standard.SetThirdChildCount(m, 1);
        standard.SetBusinessMonth(m, std::uint8_t(m % 2));
        standard.SetMonthIncome(std::uint8_t(m + 1), money(100000000 + m));
        standard.SetMonthExpense(std::uint8_t(m + 1), money(-m));
        standard.SetMonthPersonalCode(std::uint8_t(m + 1), m < 6 ? 2 : 1);
        standard.SetMonthSingleParent(std::uint8_t(m + 1), 102);
    }
    standard.SetDisabledChildCountConst(2);
    standard.HasBusinessMonths = 1;
    standard.HasMonthPersonalCodes = 1;
    standard.HasMonthParentStatus = 1;
    standard.Guardian = 1;

    mTSocialDeduct& social = d.SocialDeduct;
    social.Granted = 1;
    social.CharitySum = money(1);
    social.CharitySum30 = money(2);
    social.SelfEducationSum = money(1200000000);
    social.AddChildEduSum(money(500000000));
    social.AddChildEduSum(money(0));
    social.AddChildEduSum(money(-1));
    social.MedicalSum = money(3);
    social.MedicamentSum = money(4);
    social.ExpensiveMedicalSum = money(5);
    social.InsuranceSum = money(6);
    social.ExtraSum1 = money(7);
    social.ExtraSum2 = money(8);
    social.QualificationSum = money(9);
    for (int i = 0; i < 2; ++i) {
        mTPens& pens = *social.GetPens(social.AddPens());
        pens.ContractKind = 1 + i;
        pens.OrgName = "НПФ «Будущее»";
        pens.OrgINN = "7701000000";
        pens.OrgKPP = "770101001";
        pens.ContractNumber = "Д-" + std::to_string(i);
        pens.ContractDate = 43000 + i;
        pens.Sum = money(60000000);
    }

    mTConstructionDeduct& construction = d.ConstructionDeduct;
    construction.Granted = 1;
    construction.ExtraSum1 = money(1);
    construction.ExtraSum2 = money(2);
    construction.PrevYearsDeduction = money(3);
    construction.PrevYearsInterestDeduction = money(4);
    construction.SimplifiedDeduction = money(5);
    construction.SimplifiedInterestDeduction = money(6);
    for (int i = 0; i < 2; ++i) {
        auto object = std::make_unique<mTConstructionDeductObj>();
        object->ObjectCode = 2 + i;
        object->ObjectNumber = "77:01:0001001:100" + std::to_string(i);
        object->ObjectLocation = "Москва";
        object->ObjectNumberKind = 1;
        object->OwnerSign = 4;
        object->AcquisitionMethod = 1;
        object->DwellingRegDate = 43500;
        object->LandRegDate = 0;
        object->ActDate = 43400;
        object->ShareNumerator = 1;
        object->ShareDenominator = 2;
        object->Cost = money(20000000000);
        object->InterestPaid = money(3000000000);
        object->ByInvestment = 1;
        object->Pensioner = std::uint8_t(i);
        construction.AddObject(std::move(object));
    }

    mTCBDeduct& securities = d.CBDeduct;
    securities.Granted = 1;
    securities.LossSecurities = money(1);
    securities.LossSecuritiesIIS = money(2);
    securities.LossDerivatives = money(3);
    securities.LossDerivativesIIS = money(4);
    securities.LossPartnership = money(5);
    securities.LossPartnershipIIS = money(6);

    mTInvDeduct& investment = d.InvDeduct;
    investment.Granted = 1;
    investment.SecuritiesDeduction = money(1);
    investment.PartnershipDeduction = money(2);
    investment.IISContributionDeduction = money(4000000000);
    investment.IISDeductionToReturn = money(4);
    investment.ApplyIncomeDeduction = 1;
    for (int i = 0; i < 2; ++i) {
        bmTInfoIIS& account = *investment.GetInfoIIS(investment.AddInfoIIS());
        account.ParticipantINN = "7702070139";
        account.ParticipantKPP = "";
        account.ParticipantName = "Брокер";
        account.ContractDate = 43831;
        account.ContractNumber = "ИИС-" + std::to_string(i);
        account.OpenDate = 43832;
        account.PaidIn = money(4000000000);
        account.SimplifiedSign = std::uint8_t(i);
    }
}

// ---- Random declarations -------------------------------------------------------------

class Draw {
public:
    explicit Draw(std::mt19937& random) : random_(random) {}

    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance() { return between(0, 1) == 1; }
    std::uint8_t byte() { return std::uint8_t(between(0, 255)); }
    std::uint16_t word() { return std::uint16_t(between(0, 65535)); }
    std::int32_t integer()
    {
        switch (between(0, 3)) {
        case 0: return 0;
        case 1: return between(0, 9999);
        default: return std::int32_t(std::uniform_int_distribution<std::int64_t>(INT32_MIN, INT32_MAX)(random_));
        }
    }

    Currency amount()
    {
        std::int64_t units = 0;
        switch (between(0, 3)) {
        case 0: break;
        case 1: units = std::int64_t(between(0, 100000)) * 10000; break;
        case 2: units = std::int64_t(between(-1000000, 1000000)) * 100; break;
        default: units = std::uniform_int_distribution<std::int64_t>(-1'000'000'000'000'000LL, 1'000'000'000'000'000LL)(random_);
        }
        return Currency::fromUnits(units);
    }

    // Whole days, halves and quarters: values that 15 significant digits hold exactly.
    double date() { return between(0, 60000) + between(0, 3) / 4.0; }

    std::string text()
    {
        static constexpr std::array<std::string_view, 24> pieces = {
            "a", "Z", "7", " ", ".", "\"", "@", "№", "ё", "Ё", "ж", "Щ", "я",
            "А", "«", "»", "€", "—", "\t", "%", "'", ",", "Ї", "\\"};
        std::string result;
        const int length = between(0, 3) == 0 ? 0 : between(1, 14);
        for (int i = 0; i < length; ++i)
            result += pieces[std::size_t(between(0, int(pieces.size()) - 1))];
        return result;
    }

private:
    std::mt19937& random_;
};

template <typename Fill>
void repeat(Draw& draw, int most, Fill&& fill)
{
    const int times = draw.between(0, most);
    for (int i = 0; i < times; ++i)
        fill();
}

mTIncome randomIncomeLine(Draw& draw)
{
    mTIncome line;
    line.IncomeCode = draw.integer();
    line.Amount = draw.amount();
    line.DeductionCode = draw.integer();
    line.Deduction = draw.amount();
    line.DeductionPercent = draw.integer();
    line.LineReserved = draw.integer();
    line.Month = draw.word();
    line.PropertyFlag = draw.byte();
    line.CadastralNumber = draw.text();
    line.CadastralValue = draw.amount();
    line.ContractPrice = draw.amount();
    line.WithheldTax = draw.amount();
    return line;
}

void randomPayer(Draw& draw, mTSourseIncomeInfo& record)
{
    record.PayerText1 = draw.text();
    record.PayerText2 = draw.text();
    record.PayerText3 = draw.text();
    record.PayerText4 = draw.text();
    record.OtherSum = draw.amount();
}

void randomSourcesAndOldRecords(Draw& draw, mTDeclaration& d)
{
    repeat(draw, 3, [&] {
        mbTSourse& source = *d.GetSource(d.AddSource());
        source.Inn = draw.text();
        source.Kpp = draw.text();
        source.Oktmo = draw.text();
        source.Name = draw.text();
        source.StandardDeductionsHere = draw.byte();
        source.SourceReserved = draw.amount();
        source.IsInvestmentPartnership = draw.byte();
        source.WithheldTax13 = draw.amount();
        source.WithheldTax15 = draw.amount();
        source.WithheldTax99 = draw.amount();
        source.OrgProfitTax13 = draw.amount();
        source.OrgProfitTax15 = draw.amount();
        repeat(draw, 3, [&] { source.AddIncome13(std::make_unique<mTIncome>(randomIncomeLine(draw))); });
        repeat(draw, 3, [&] { source.AddIncome15(std::make_unique<mTIncome>(randomIncomeLine(draw))); });
        repeat(draw, 3, [&] { source.AddIncome99(std::make_unique<mTIncome>(randomIncomeLine(draw))); });
        repeat(draw, 2, [&] {
            source.AddSSCDeduct(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{draw.integer(), draw.amount()}));
        });
    });

    for (bool nonResident : {false, true}) {
        repeat(draw, 2, [&] {
            mTThirteenPercent& record =
                nonResident ? d.OldThirteenPercentNR[d.AddThirteenPercentNR()] : d.OldThirteenPercent[d.AddThirteenPercent()];
            randomPayer(draw, record);
            record.RecordFlag = draw.byte();
            record.ExtraSum1 = draw.amount();
            record.ExtraSum2 = draw.amount();
            record.ExtraSum3 = draw.amount();
            record.ClosingFlag = draw.byte();
            for (int month = 0; month < mTThirteenPercent::MonthCount; ++month)
                if (draw.chance())
                    record.SetMonthDeduction(month, draw.amount());
            repeat(draw, 2, [&] {
                auto line = std::make_unique<mTSourseIncome>();
                line->IncomeCode = draw.integer();
                line->LineText1 = draw.text();
                line->Amount = draw.amount();
                line->DeductionCode = draw.integer();
                line->Deduction = draw.amount();
                line->LineInteger = draw.integer();
                line->Month = draw.word();
                line->LineByte = draw.byte();
                line->LineText2 = draw.text();
                line->LineSum1 = draw.amount();
                line->LineSum2 = draw.amount();
                record.SourceIncomes.add(std::move(line));
            });
            repeat(draw, 2, [&] {
                record.SSCDeducts.add(std::make_unique<mbTSSCDeduct>(mbTSSCDeduct{draw.integer(), draw.amount()}));
            });
        });
    }
    repeat(draw, 2, [&] {
        mTThirtyFivePercent& record = d.OldThirtyFivePercent[d.AddThirtyFivePercent()];
        randomPayer(draw, record);
        record.IncomeTotal = draw.amount();
        record.Code1 = draw.integer();
        record.Code2 = draw.integer();
        record.Sum = draw.amount();
    });
    for (bool thirty : {true, false}) {
        repeat(draw, 2, [&] {
            mTThirtyPercent& record = thirty ? d.OldThirtyPercent[d.AddThirtyPercent()] : d.OldNinePercent[d.AddNinePercent()];
            randomPayer(draw, record);
            record.IncomeTotal = draw.amount();
            record.Code1 = draw.integer();
            record.Sum1 = draw.amount();
            record.Sum2 = draw.amount();
        });
    }
}

void randomCurrencyIncomes(Draw& draw, mTDeclaration& d)
{
    repeat(draw, 3, [&] {
        mTCurrencyIncome& income = *d.GetCurrencyIncome(d.AddCurrencyIncome());
        income.RatePercent = draw.integer();
        // 3020 is read back as 3030.
        do
            income.IncomeCode = draw.integer();
        while (income.IncomeCode == 3020);
        income.IncomeCodeName = draw.text();
        income.SourceName = draw.text();
        income.SourceCountry = draw.text();
        income.CreditCountry = draw.text();
        income.IncomeDate = draw.date();
        income.TaxPaymentDate = draw.date();
        income.CurrencyCode = draw.text();
        income.IncomeDateRate = draw.amount();
        income.IncomeDateUnits = draw.integer();
        income.TaxDateRate = draw.amount();
        income.TaxDateUnits = draw.integer();
        income.CurrencyName = draw.text();
        income.IncomeAmount = draw.amount();
        income.IncomeRoubles = draw.amount();
        income.TaxAmount = draw.amount();
        income.TaxRoubles = draw.amount();
        income.AutoRate = draw.byte();
        income.DeductionCode = draw.integer();
        income.DeductionSum = draw.amount();
        income.DeductionPercent = draw.integer();
        income.Reserved = draw.integer();
        income.ProfitMethod = draw.byte();
        income.CompanyNumber = draw.text();
        income.Line150Sum = draw.amount();
    });
}

void randomBusiness(Draw& draw, mTDeclaration& d)
{
    repeat(draw, 3, [&] {
        mTBusinessNew& business = *d.GetBusiness(d.AddBusiness());
        business.ActivityKind = draw.text();
        business.ActivityCode = draw.text();
        business.ExpensesConfirmed = draw.chance() ? 0 : std::uint8_t(draw.between(1, 255));
        business.IncomeSum = draw.amount();
        business.ExpenseSum = draw.amount();
        if (business.ExpensesConfirmed) {
            business.MaterialExpenses = draw.amount();
            business.Depreciation = draw.amount();
            business.LabourExpenses = draw.amount();
            business.OtherExpenses = draw.amount();
        }
        for (int q = 0; q < mTBusinessNew::QuarterCount; ++q) {
            business.QuarterIncome[std::size_t(q)] = draw.amount();
            business.QuarterExpense[std::size_t(q)] = draw.amount();
        }
    });
    d.ActualAdvancePayments = draw.amount();
    d.BusinessSumA = draw.amount();
    d.BusinessSumB = draw.amount();
    d.IsPeasantFarm = draw.byte();
    d.FarmStartDate = draw.date();
    d.CorrectedBase = draw.amount();
    d.CorrectedTax = draw.amount();
    d.PatentPayments = draw.amount();
    d.TradeLevy = draw.amount();
    d.OKTMOChanged = draw.byte();
    d.OKTMO1 = draw.text();
    d.OKTMO2 = draw.text();
    d.OKTMO3 = draw.text();
    d.BusinessText = draw.text();
}

void randomTratas(Draw& draw, mTDeclaration& d)
{
    repeat(draw, 3, [&] {
        mTTrata& trata = *d.GetTrata(d.AddTrata());
        trata.RefundSum = draw.amount();
        trata.ApplicationNumber = draw.text();
        trata.AllIn = draw.byte();
        trata.IsRefund = draw.byte();
        trata.BankName = draw.text();
        trata.BankBik = draw.text();
        trata.AccountKind = draw.integer();
        trata.AccountNumber = draw.text();
        trata.OffsetSum = draw.amount();
        trata.TaxOfficeCode = draw.text();
        trata.Kbk = draw.text();
        trata.OffsetPurpose = draw.integer();
        trata.Oktmo = draw.text();
        trata.Note = draw.text();
    });
}

void randomPerson(Draw& draw, mTPersonInformation& p)
{
    for (std::string* text : {&p.Name.SurName, &p.Name.FirstName, &p.Name.Patronymic, &p.Name.INN, &p.Name.NameNote,
                              &p.Name.NameFlag, &p.Document.DocKindName, &p.Document.DocSeriesNumber,
                              &p.Document.DocNote1, &p.Document.DocNote2, &p.Foreigner.ForeignerNote1,
                              &p.Foreigner.CountryName, &p.Foreigner.ForeignerNote2, &p.Foreigner.CountryCode,
                              &p.Address.AddressText, &p.Address.AddressPart1, &p.Address.AddressPart2,
                              &p.Address.AddressPart3, &p.Address.AddressPart4, &p.Address.AddressPart5,
                              &p.Address.AddressPart6, &p.Address.AddressPart7, &p.Address.AddressPart8,
                              &p.Address.OKTMO, &p.HomePhone.Code, &p.HomePhone.Number, &p.WorkPhone.Code,
                              &p.WorkPhone.Number, &p.ForeignerHomePhone.Code, &p.ForeignerHomePhone.Number,
                              &p.ForeignerWorkPhone.Code, &p.ForeignerWorkPhone.Number})
        *text = draw.text();
    p.Document.DocKind = draw.word();
    p.Document.DocDate = draw.date();
    p.Document.BirthDate = draw.date();
    p.Address.AddressKind = draw.byte();
    p.Address.AddressCode = draw.word();
    p.PersonFlag = draw.byte();
}

void randomChildrenRow(Draw& draw, mTChildrenRow& row)
{
    row.ConstCount = draw.chance() ? 0 : std::uint8_t(draw.between(1, 255));
    if (row.ConstCount)
        row.YearCount = draw.integer();
    else
        for (std::int32_t& count : row.MonthCount)
            count = draw.integer();
}

void randomDeductions(Draw& draw, mTDeclaration& d)
{
    if (draw.chance()) {
        mTStandartDeduct& s = d.StandardDeduct;
        s.Granted = std::uint8_t(draw.between(1, 255));
        s.PersonalCode = draw.integer();
        s.ParentStatus = draw.integer();
        randomChildrenRow(draw, s.Children);
        randomChildrenRow(draw, s.DisabledChildren);
        randomChildrenRow(draw, s.ThirdChildren);
        if ((s.HasBusinessMonths = draw.byte()) != 0) {
            for (int m = 0; m < 12; ++m) {
                s.MonthIncome[std::size_t(m)] = draw.amount();
                s.MonthExpense[std::size_t(m)] = draw.amount();
                s.BusinessMonth[std::size_t(m)] = draw.byte();
            }
        }
        if ((s.HasMonthPersonalCodes = draw.byte()) != 0)
            for (std::int32_t& code : s.MonthPersonalCode)
                code = draw.integer();
        if ((s.HasMonthParentStatus = draw.byte()) != 0)
            for (std::int32_t& status : s.MonthParentStatus)
                status = draw.integer();
        s.Guardian = draw.byte();
    }
    if (draw.chance()) {
        mTSocialDeduct& s = d.SocialDeduct;
        s.Granted = std::uint8_t(draw.between(1, 255));
        for (Currency* sum : {&s.CharitySum, &s.CharitySum30, &s.SelfEducationSum, &s.MedicalSum, &s.MedicamentSum,
                              &s.ExpensiveMedicalSum, &s.InsuranceSum, &s.ExtraSum1, &s.ExtraSum2, &s.QualificationSum})
            *sum = draw.amount();
        repeat(draw, 3, [&] { s.AddChildEduSum(draw.amount()); });
        repeat(draw, 2, [&] {
            mTPens& pens = *s.GetPens(s.AddPens());
            pens.ContractKind = draw.integer();
            pens.OrgName = draw.text();
            pens.OrgINN = draw.text();
            pens.OrgKPP = draw.text();
            pens.ContractNumber = draw.text();
            pens.ContractDate = draw.date();
            pens.Sum = draw.amount();
        });
    }
    if (draw.chance()) {
        mTConstructionDeduct& c = d.ConstructionDeduct;
        c.Granted = std::uint8_t(draw.between(1, 255));
        for (Currency* sum : {&c.ExtraSum1, &c.ExtraSum2, &c.PrevYearsDeduction, &c.PrevYearsInterestDeduction,
                              &c.SimplifiedDeduction, &c.SimplifiedInterestDeduction})
            *sum = draw.amount();
        repeat(draw, 2, [&] {
            auto object = std::make_unique<mTConstructionDeductObj>();
            object->ObjectCode = draw.integer();
            object->ObjectNumber = draw.text();
            object->ObjectLocation = draw.text();
            object->ObjectNumberKind = draw.integer();
            object->OwnerSign = draw.integer();
            object->AcquisitionMethod = draw.integer();
            object->DwellingRegDate = draw.date();
            object->LandRegDate = draw.date();
            object->ActDate = draw.date();
            object->ShareNumerator = draw.integer();
            object->ShareDenominator = draw.integer();
            object->Cost = draw.amount();
            object->InterestPaid = draw.amount();
            object->ByInvestment = draw.byte();
            object->Pensioner = draw.byte();
            c.AddObject(std::move(object));
        });
    }
    if (draw.chance()) {
        mTCBDeduct& c = d.CBDeduct;
        c.Granted = std::uint8_t(draw.between(1, 255));
        for (Currency* loss : {&c.LossSecurities, &c.LossSecuritiesIIS, &c.LossDerivatives, &c.LossDerivativesIIS,
                               &c.LossPartnership, &c.LossPartnershipIIS})
            *loss = draw.amount();
    }
    if (draw.chance()) {
        mTInvDeduct& inv = d.InvDeduct;
        inv.Granted = std::uint8_t(draw.between(1, 255));
        inv.SecuritiesDeduction = draw.amount();
        inv.PartnershipDeduction = draw.amount();
        inv.IISContributionDeduction = draw.amount();
        inv.IISDeductionToReturn = draw.amount();
        inv.ApplyIncomeDeduction = draw.byte();
        repeat(draw, 2, [&] {
            bmTInfoIIS& account = *inv.GetInfoIIS(inv.AddInfoIIS());
            account.ParticipantINN = draw.text();
            account.ParticipantKPP = draw.text();
            account.ParticipantName = draw.text();
            account.ContractDate = draw.date();
            account.ContractNumber = draw.text();
            account.OpenDate = draw.date();
            account.PaidIn = draw.amount();
            account.SimplifiedSign = draw.byte();
        });
    }
}

} // namespace

mTDeclaration fullDeclaration()
{
    mTDeclaration d;
    d.TaxOfficeCode = "7701";
    d.TaxOfficeName = "ИФНС России № 1 по г. Москве";
    d.OptionFlag = 3;
    d.CorrectionNumber = 2;
    d.DeclarationDate = 44681.5;
    d.Signer = 1;
    d.TaxpayerCategory = 0;
    d.DeclarationType = DeclarationClosingBusiness;
    d.SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
    d.OptionFlag2 = 7;
    for (std::size_t i = 0; i < d.Indicators.size(); ++i)
        d.Indicators[i] = std::int32_t(i) * 1000 - 5;
    d.RepresentativeDocument = "Доверенность № 77 АБ 1234567";
    d.RepresentativeName = "Петров Петр Петрович";
    d.ForeignerFixedPayments = money(50000000);
    d.SectionOneSum = money(42);
    fillPerson(d.Person);
    fillSources(d);
    fillOldLists(d);
    fillCurrencyIncomes(d);
    fillBusiness(d);
    fillTratas(d);
    fillDeductions(d);
    return d;
}

mTDeclaration randomDeclaration(std::mt19937& random)
{
    Draw draw(random);
    mTDeclaration d;
    d.TaxOfficeCode = draw.text();
    d.TaxOfficeName = draw.text();
    d.OptionFlag = draw.byte();
    d.CorrectionNumber = draw.integer();
    d.DeclarationDate = draw.date();
    d.Signer = std::uint8_t(draw.between(0, 1));
    d.TaxpayerCategory = draw.byte();
    d.DeclarationType = draw.chance() ? DeclarationNonResident : DeclarationClosingBusiness;
    d.SetIncomeKinds(std::uint8_t(draw.between(0, 15)));
    d.OptionFlag2 = draw.byte();
    for (std::int32_t& indicator : d.Indicators)
        indicator = draw.integer();
    d.RepresentativeDocument = draw.text();
    d.RepresentativeName = draw.text();
    d.ForeignerFixedPayments = draw.amount();
    d.SectionOneSum = draw.amount();
    randomPerson(draw, d.Person);
    if (d.HasIncomeKind(IncomeKindSources))
        randomSourcesAndOldRecords(draw, d);
    if (d.HasIncomeKind(IncomeKindForeign))
        randomCurrencyIncomes(draw, d);
    if (d.HasIncomeKind(IncomeKindBusiness))
        randomBusiness(draw, d);
    else
        d.BusinessSumA = draw.amount(); // saved with the general data, but not loaded from there
    if (d.HasIncomeKind(IncomeKindTrata))
        randomTratas(draw, d);
    if (d.IncomeKinds() != 0)
        randomDeductions(draw, d);
    return d;
}
