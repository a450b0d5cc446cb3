#include "computation/Summary.h"

#include <algorithm>
#include <initializer_list>

#include "model/Declaration.h"

namespace {

using Razd2Calculation = void (kTSvodSumRazd2::*)(kTSvodSum&, mTDeclaration&);

constexpr std::array<Razd2Calculation, 25> Razd2Calculations{
    &kTSvodSumRazd2::Calculate01, &kTSvodSumRazd2::Calculate02, &kTSvodSumRazd2::Calculate03,
    &kTSvodSumRazd2::Calculate04, &kTSvodSumRazd2::Calculate05, &kTSvodSumRazd2::Calculate06,
    &kTSvodSumRazd2::Calculate07, &kTSvodSumRazd2::Calculate08, &kTSvodSumRazd2::Calculate09,
    &kTSvodSumRazd2::Calculate10, &kTSvodSumRazd2::Calculate11, &kTSvodSumRazd2::Calculate12,
    &kTSvodSumRazd2::Calculate13, &kTSvodSumRazd2::Calculate14, &kTSvodSumRazd2::Calculate15,
    &kTSvodSumRazd2::Calculate16, &kTSvodSumRazd2::Calculate17, &kTSvodSumRazd2::Calculate18,
    &kTSvodSumRazd2::Calculate19, &kTSvodSumRazd2::Calculate20, &kTSvodSumRazd2::Calculate21,
    &kTSvodSumRazd2::Calculate22, &kTSvodSumRazd2::Calculate23, &kTSvodSumRazd2::Calculate24,
    &kTSvodSumRazd2::Calculate25,
};

// The kinds after the business income, in the order in which they use up the main base's band
// and the declared pool.
constexpr std::initializer_list<int> LaterKinds{8, 9, 16, 15, 14, 13, 12, 11, 10, 18, 17, 4, 3, 2, 1,
                                                19, 20, 21, 22, 23, 24, 25};

Currency takeFromPool(Currency& pool, Currency amount)
{
    if (pool <= Currency() || amount <= Currency())
        return Currency();
    const Currency taken = std::min(pool, amount);
    pool -= taken;
    return taken;
}

} // namespace

void kTSvodSum::Clear()
{
    RateBandRest.fill(RateBand);
    DeclaredPool = AgentPool = SimplifiedPool = Currency();
    for (kTSvodSumRazd2& sheet : Razd2)
        sheet.Clear();
    R1.Clear();
    R1_punkt2.Clear();
    KudaTratit.Clear();
    Pril1.Clear();
    Pril1_Dop.Clear();
    Pril2.Clear();
    PrilV1.Clear();
    PrilV1Dop.Clear();
    Pril3.Clear();
    Pril3_In.Clear();
    Pril4.Clear();
    Pril5.Clear();
    PrilE1.Clear();
    Pril5Dop.Clear();
    Pril6.Clear();
    Pril7.Clear();
    PrilJ1.Clear();
    PrilJ2.Clear();
    PrilI.Clear();
    Pril8.Clear();
}

void kTSvodSum::CalculateRazd2(int kind, mTDeclaration& Decl)
{
    const Razd2Calculation calculation = Razd2Calculations.at(std::size_t(kind - 1));
    (Razd2Sheet(kind).*calculation)(*this, Decl);
}

bool kTSvodSum::Calculate(mTDeclaration& Decl)
{
    Clear();
    // Section 1 stores the total refund; when it does not run, no earlier run's total may stay.
    Decl.SectionOneSum = Currency();
    const auto razd2 = [&](int kind) { CalculateRazd2(kind, Decl); };
    bool result = true;
    // A sheet of a chain runs only while every sheet before it succeeded.
    const auto chain = [&result](auto&& calculate) {
        if (result)
            result = calculate();
    };

    if (Decl.DeclarationType == DeclarationClosingBusiness) {
        // Business income alone: it has the whole main band to itself, and the pools stay empty.
        result = PrilV1.Calculate(Decl);
        result = PrilE1.Calculate(Decl, *this);
        result = Pril5.Calculate(Decl, *this);
        razd2(7);
        result = PrilV1Dop.Calculate(Decl, *this);
    } else {
        result = Pril1.Calculate(Decl);
        chain([&] { return Pril1_Dop.Calculate(Decl); });
        chain([&] { return PrilV1.Calculate(Decl); });
        if (Decl.IncomeKinds() != 0) {
            chain([&] { return Pril4.Calculate(Decl); });
            chain([&] { return Pril3.Calculate(Decl); });
            chain([&] { return Pril3_In.Calculate(Decl); });
            chain([&] { return Pril6.Calculate(Decl); });
            chain([&] { return PrilI.Calculate(Decl); });
            chain([&] { return PrilJ1.CalculateA(Decl, *this); });
            chain([&] { return PrilJ2.CalculateB(Decl, *this); });
            chain([&] { return Pril8.Calculate(Decl, *this); });
            chain([&] { return Pril2.Calculate(Decl); });
            chain([&] { return PrilE1.Calculate(Decl, *this); });
            chain([&] { return Pril5Dop.Calculate(Decl, *this); });
            chain([&] { return Pril5.Calculate(Decl, *this); });
            chain([&] { return Pril7.Calculate(Decl, *this); });
        }

        razd2(5);
        razd2(6);

        DeclaredPool = Pril5.ОбщВычСоциал + Pril5.СумИнвВыч219 + Pril7.РасхНовВычНД + Pril7.ПроцВычНД;
        AgentPool = Pril5.ОбщСНВОтчПерНА + Pril5.ОбщВычСтандПер + Pril7.ВычНАУвед + Pril7.ПроцНАУвед;
        SimplifiedPool = Pril5.ИнвВычУпр + Pril7.ВычНАУпр + Pril7.ПроцНАУпр;

        razd2(7);
        chain([&] { return PrilV1Dop.Calculate(Decl, *this); });
        // The declared standard deductions left for the other incomes: business income and
        // its advance payments never see them.
        DeclaredPool += Pril5.StandardDeclOther;

        for (int kind : LaterKinds)
            razd2(kind);
    }

    chain([&] { return R1_punkt2.Calculate(Decl, *this); });
    chain([&] { return R1.Calculate(Decl, *this); });
    KudaTratit.Calculate(Decl, *this);
    return result;
}

Currency kTSvodSum::TakeFromDeclaredDeductions(Currency Amount)
{
    return takeFromPool(DeclaredPool, Amount);
}

Currency kTSvodSum::TakeFromAgentDeductions(Currency Amount)
{
    return takeFromPool(AgentPool, Amount);
}

Currency kTSvodSum::TakeFromSimplifiedDeductions(Currency Amount, Currency Limit)
{
    if (Limit <= Currency())
        return Currency();
    return takeFromPool(SimplifiedPool, std::min(Amount, Limit));
}
