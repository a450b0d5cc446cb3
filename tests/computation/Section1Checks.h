#pragma once

#include <ostream>

#include "CurrencyPrinting.h"
#include "computation/Section1.h"
#include "computation/Summary.h"

// Budget classification codes of section 1, named by the digits that tell them apart.
constexpr const char* Kbk010 = "18210102010011000110"; // tax withheld by agents
constexpr const char* Kbk030 = "18210102030011000110"; // declared income: 13 % within 650 000, fixed rates
constexpr const char* Kbk050 = "18210102050011000110";
constexpr const char* Kbk060 = "18210102060011000110";
constexpr const char* Kbk070 = "18210102070011000110";
constexpr const char* Kbk080 = "18210102080011000110"; // beyond 650 000, or withheld at 15 %
constexpr const char* Kbk090 = "18210102090011000110";
constexpr const char* Kbk100 = "18210102100011000110";
constexpr const char* Kbk110 = "18210102110011000110";
constexpr const char* Kbk120 = "18210102120011000110"; // the lift of 13 % withheld to 15 %

// The taxpayer's own territory code in the tests' declarations.
constexpr const char* TaxpayerOktmo = "45000000";

inline void PrintTo(const bmTList1& row, std::ostream* out)
{
    *out << "{" << row.КБК << ", " << row.ОКТМО << ", pay ";
    PrintTo(row.ПодлУпл, out);
    *out << ", refund ";
    PrintTo(row.ПодлВозв, out);
    *out << "}";
}

// What the section-2 sheets leave to pay less what they leave to refund. Business income
// ("07") is left out: its tax is settled through the advance payments.
inline Currency netOfSheets(const kTSvodSum& svod)
{
    Currency net;
    for (int kind = 1; kind <= 25; ++kind)
        if (kind != 7)
            net += svod.Razd2Sheet(kind).ПодлУпл - svod.Razd2Sheet(kind).ПодлВозв;
    return net;
}

inline Currency netOfRows(const kTSvodSumR1& section1)
{
    Currency net;
    for (const bmTList1& row : section1.Rows)
        net += row.ПодлУпл - row.ПодлВозв;
    return net;
}

inline Currency refundOfRows(const kTSvodSumR1& section1)
{
    Currency refund;
    for (const bmTList1& row : section1.Rows)
        refund += row.ПодлВозв;
    return refund;
}
