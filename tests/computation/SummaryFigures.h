#pragma once

#include <vector>

#include "computation/Summary.h"
#include "model/Declaration.h"

// The figures of one run of the summary that another run over the same declaration must
// repeat: section 1, the application, the pools and the main sums of every section 2 sheet.
struct SummaryFigures {
    bool result;
    std::vector<bmTList1> rows;
    Currency sectionOneSum;
    std::vector<std::vector<Currency>> sheets;
    std::vector<Currency> pools;
    std::vector<bmTRecord1_ZachNalog> offsets;
    std::vector<bmTRecord1_Bank> refunds;

    friend bool operator==(const SummaryFigures&, const SummaryFigures&) = default;
};

inline SummaryFigures figuresOf(bool result, const kTSvodSum& svod, const mTDeclaration& decl)
{
    SummaryFigures figures{result, svod.R1.Rows, decl.SectionOneSum, {}, {}, svod.KudaTratit.Offsets,
                           svod.KudaTratit.Refunds};
    for (const kTSvodSumRazd2& sheet : svod.Razd2)
        figures.sheets.push_back({sheet.СумДох, sheet.НалБаза, sheet.НалБаза2_1_224, sheet.Исчисл, sheet.Удерж,
                                  sheet.ПодлУпл, sheet.ПодлВозв, sheet.СумНалВыч});
    figures.pools = {svod.DeclaredPool, svod.AgentPool, svod.SimplifiedPool};
    figures.pools.insert(figures.pools.end(), svod.RateBandRest.begin(), svod.RateBandRest.end());
    return figures;
}
