#include "computation/Section2.h"

#include <algorithm>

#include "computation/Summary.h"
#include "model/Money.h"

void kTSvodSumRazd2::Clear()
{
    *this = kTSvodSumRazd2();
}

void kTSvodSumRazd2::start(const kTSvodSum& Svod, int kind)
{
    Clear();
    kind_ = kind;
    ВидДоход = TwoDigitText(kind);
    СумДох = Svod.Pril1.IncomeOfKind(kind) + Svod.Pril2.IncomeOfKind(kind);
    Удерж = Svod.Pril1.WithheldOfKind(kind);
}

void kTSvodSumRazd2::setTaxableIncome()
{
    СумДохНал = NotBelowZero(СумДох - СумДохНеНал);
}

void kTSvodSumRazd2::drawDeclaredPool(kTSvodSum& Svod, Currency asked)
{
    СумНалВыч = DirectDeductions + Svod.TakeFromDeclaredDeductions(asked - DirectDeductions);
}

void kTSvodSumRazd2::drawAllPools(kTSvodSum& Svod)
{
    СумНалВыч = DirectDeductions + Svod.TakeFromAgentDeductions(PoolBase - DirectDeductions);
    // The simplified procedure gave deductions only against income on which agents withheld
    // tax: at most the income that the withheld tax stands for.
    const Currency withheldAt15 = Svod.Pril1.WithheldAt15OfKind(kind_);
    const Currency limit = BaseOfTax(Удерж - withheldAt15, Rate13) + BaseOfTax(withheldAt15, Rate15);
    SimplifiedDrawn = Svod.TakeFromSimplifiedDeductions(PoolBase - СумНалВыч, limit);
    SimplifiedTax = TaxAtRate(SimplifiedDrawn, Rate13);
    СумНалВыч += SimplifiedDrawn;
    СумНалВыч += Svod.TakeFromDeclaredDeductions(PoolBase - СумНалВыч);
}

void kTSvodSumRazd2::setBase()
{
    НалБаза = NotBelowZero(СумДохНал - СумНалВыч - СумРасх);
}

void kTSvodSumRazd2::taxInBand(kTSvodSum& Svod)
{
    Currency& bandRest = Svod.RateBandRestOf(TaxBaseOfKind(kind_));
    НалБаза2_1_224 = std::min(НалБаза, NotBelowZero(bandRest));
    bandRest -= НалБаза2_1_224;
    НалБаза3_1_224 = НалБаза - НалБаза2_1_224;
    СумИное = Currency();
    Исчисл = TaxAtRates(НалБаза2_1_224, Rate13, НалБаза3_1_224, Rate15);
}

void kTSvodSumRazd2::taxAtRate(TaxRate rate)
{
    НалБаза2_1_224 = НалБаза3_1_224 = Currency();
    СумИное = НалБаза;
    Исчисл = TaxAtRate(СумИное, rate);
}

void kTSvodSumRazd2::creditForeignTax(const kTSvodSum& Svod)
{
    УплИнПодлЗач = Svod.Pril2.CreditOfKind(kind_);
}

void kTSvodSumRazd2::setExtra213()
{
    // Agents withheld 13 % on income that lies beyond the band: what they withheld above the
    // 13 % part's tax, up to 13 % of the 15 % part, is raised by 2/13 to reach 15 %. Worked in
    // units of 1/100 000 000 rouble (money units times hundredths of a percent) to stay exact.
    const __int128 withheldBeyond13Part = __int128((Удерж - СумУдержИст224).units()) * 10000
        - __int128(НалБаза2_1_224.units()) * Rate13.hundredthsOfPercent;
    const __int128 thirteenPercentOf15Part = __int128(НалБаза3_1_224.units()) * Rate13.hundredthsOfPercent;
    const __int128 lifted = std::min(withheldBeyond13Part, thirteenPercentOf15Part);
    Extra213 = lifted > 0 ? RoundedRoublesOfRatio(lifted * 2, __int128(13) * Currency::UnitsPerRouble * 10000)
                          : Currency();
}

void kTSvodSumRazd2::settle()
{
    const Currency due = Исчисл + SimplifiedTax - Удерж - СумУдержМат - ТСУплПерЗач - СумФиксАван - УплИнПодлЗач
        - УплПатентЗач;
    ПодлУпл = NotBelowZero(std::max(due, Extra213));
}

void kTSvodSumRazd2::settleWithheldInBand(const kTSvodSum& Svod)
{
    СумУдержИст224 = Svod.Pril1.WithheldAt15OfKind(kind_);
    creditForeignTax(Svod);
    setExtra213();
    settle();
}

void kTSvodSumRazd2::settleAtRate(const kTSvodSum& Svod, TaxRate rate)
{
    setTaxableIncome();
    setBase();
    taxAtRate(rate);
    creditForeignTax(Svod);
    settle();
}

void kTSvodSumRazd2::refundWithheld()
{
    ПодлВозв = NotBelowZero(Удерж - Исчисл + Extra213);
}

void kTSvodSumRazd2::refundWithheldAndCredit()
{
    // The foreign tax credit lowers the tax to pay but is never refunded itself.
    const Currency refundable = Удерж - SimplifiedTax + Extra213;
    ПодлВозв = NotBelowZero(std::min(Удерж + УплИнПодлЗач - Исчисл - SimplifiedTax + Extra213, refundable));
}
