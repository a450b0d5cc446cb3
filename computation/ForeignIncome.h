#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "computation/KindTotals.h"
#include "model/Currency.h"

class mTDeclaration;

// One row of appendix 2: an income received abroad with its rouble values, the tax paid
// abroad, the tax due in Russia on it and the credit of the one against the other. The fields
// named in Cyrillic are what the exchange file carries, texts already in the field's format.
struct bmPril2Rec {
    Currency UncreditedIncome; // the part of the rouble income still taxed in Russia after the credit
    std::string ОКСМИст;       // country of the source
    std::string ОКСМЗач;       // country under which the credit is claimed
    std::string НаимИстДох;
    std::string КодВалют;
    std::string ВидДоход;      // two-digit income kind
    std::string НомерКИК;      // "NN-NNNNN"; "-" without a controlled company
    double ДатаДох = 0;
    std::string Ставка;        // always empty
    std::string КурсВалютДох;  // roubles per currency unit on the income date
    Currency IncomeRate;
    std::string ДоходИноВал;
    Currency IncomeInCurrency;
    std::string ДоходИноРуб;
    Currency IncomeInRoubles;
    std::int32_t IncomeCode = 0;
    Currency DeductionAmount;  // the income's expense, at most the income
    std::int32_t DeductionCode = 0;
    Currency ExemptAmount;
    std::string ДоходОсв;      // empty without an exemption
    // 0 none, 1 and 2 income codes 1001 and 1002, 3 dividends covered by a controlled
    // company's profit taxed before.
    std::int32_t КодВидОсв = 0;
    std::uint8_t ПорядПрибКИК = 0; // 0 not given, 1 financial statements, 2 rules for Russian organisations
    double ДатаУплНал = 0;
    std::string КурсВалютНал;  // roubles per currency unit on the tax-payment date
    Currency TaxRate;
    std::string НалУплИноВал;
    Currency TaxPaidInCurrency;
    Currency TaxPaidInRoubles;
    std::string НалУплИноРуб;
    Currency KIKTaxWithheld;   // taxes on the controlled company's income withheld in Russia
    std::string НалИсчКИК;
    Currency TaxInRussia;      // whole roubles
    std::string НалЗачРФОбщ;
    Currency TaxCredit;        // whole roubles
    std::string НалогЗачРФОбщ;
};

// A controlled foreign company whose profit was declared (income code 1000), with the part of
// that profit not yet used to exempt its dividends.
struct KIKInfo {
    std::string KIKNumber; // the НомерКИК of the company
    Currency ProfitLeft;
};

// Appendix 2: incomes from sources abroad.
class kTSvodSumPril2 {
public:
    // The kinds of IncomeByKind and CreditByKind, slot by slot.
    static constexpr std::array<int, 19> TotalKinds{1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 17, 18, 19, 21, 22, 24, 25};
    // The kinds of UncreditedByKind.
    static constexpr std::array<int, 8> UncreditedKinds{8, 9, 10, 11, 12, 13, 17, 18};

    std::array<Currency, 19> IncomeByKind{};
    Currency ExemptKind10;
    Currency ExemptKind1;
    std::array<Currency, 19> CreditByKind{};
    std::array<Currency, 8> UncreditedByKind{};
    Currency IncomeOfKinds8To18;
    Currency TotalIncome;
    Currency UncreditedTotal;
    std::vector<bmPril2Rec> Rows; // one per foreign income, in list order
    std::int32_t RowCount = 0;
    std::vector<KIKInfo> KIKRows;
    std::int32_t KIKRowCount = 0;

    // 0 for kinds without a total.
    Currency IncomeOfKind(int kind) const { return TotalOfKind(TotalKinds, IncomeByKind, kind); }
    Currency CreditOfKind(int kind) const { return TotalOfKind(TotalKinds, CreditByKind, kind); }
    Currency UncreditedOfKind(int kind) const { return TotalOfKind(UncreditedKinds, UncreditedByKind, kind); }

    void Clear();
    bool Calculate(mTDeclaration& Decl);
};
