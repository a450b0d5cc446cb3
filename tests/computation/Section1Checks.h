#pragma once

#include <ostream>

#include "CurrencyPrinting.h"
#include "computation/Section1.h"
#include "computation/Summary.h"

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
