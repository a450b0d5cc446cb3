#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "computation/TaxYearFigures.h"
#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// One obligation that an offset goes to.
struct bmTRecord1_PlNalog {
    std::string ПрЗач; // the kind of obligation: "1" arrears, penalties and fines, "2" future payments
    Currency Сумма;
    std::string TargetNote; // the entry's note; not written to the exchange file
    std::string КБК;
    std::string ОКТМО;
    std::string КодНОПрПост; // the tax office that receives the payment

    friend bool operator==(const bmTRecord1_PlNalog&, const bmTRecord1_PlNalog&) = default;
};

// One application for the offset of the refund of one section-1 row.
struct bmTRecord1_ZachNalog {
    std::string НомерЗаяв;
    std::string КБК;   // of the section-1 row
    std::string ОКТМО; // of the section-1 row
    std::string PeriodCode; // not written to the exchange file
    std::int32_t PaymentCount = 0;
    std::vector<bmTRecord1_PlNalog> Payments;

    friend bool operator==(const bmTRecord1_ZachNalog&, const bmTRecord1_ZachNalog&) = default;
};

// One application for the refund of (part of) one section-1 row to a bank account.
struct bmTRecord1_Bank {
    std::string НомерЗаяв;
    Currency Сумма;
    std::string КБК;   // of the section-1 row
    std::string ОКТМО; // of the section-1 row
    std::string PeriodCode; // not written to the exchange file
    std::string НаимБанк;
    std::string БИК;
    std::string ВидСч; // "02" current account, "07" deposit account
    std::string НомСч;
    std::string Фамилия;
    std::string Имя;
    std::string Отчество;

    friend bool operator==(const bmTRecord1_Bank&, const bmTRecord1_Bank&) = default;
};

// The application for offset and refund of the overpaid tax of section 1: the taxpayer's
// entries, in their order, take the refund rows of section 1 in theirs. Each application
// covers one row; an offset application collects the payment lines of consecutive offset
// entries. What the entries leave of the rows stays without application, and entries left
// over when the rows are used up are ignored.
class kTSvodKudaTratit {
public:
    // The period the applications name: the whole tax year.
    static inline const std::string PeriodOfYear = "ГД.00." + std::to_string(TaxYear);

    std::int32_t OffsetCount = 0;
    std::int32_t RefundCount = 0;
    std::vector<bmTRecord1_ZachNalog> Offsets; // in the order in which they are made
    std::vector<bmTRecord1_Bank> Refunds;

    void Clear();
    // Needs section 1 computed. Always True.
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};
