#pragma once

#include "computation/TaxYearFigures.h"
#include "model/Currency.h"

class kTSvodSum;
class mTDeclaration;

// Standard, social and investment-account deductions of the year: what tax agents granted,
// what the declaration claims, and what is left to grant in the declaration. The fields named
// in Cyrillic are the exchange file's attributes ("." of the attribute names written "_").
class kTSvodSumPril5 {
public:
    Currency ВычСт218_1_1;   // PersonalDeduction105Monthly a month
    Currency ВычСт218_1_2;   // PersonalDeduction104Monthly a month
    Currency ВычСтРебЕд;     // children, double amount of a single parent
    Currency ВычСтРеб;       // children
    Currency ВычСтРебИнв;    // disabled children
    Currency ВычСтРебИнвЕд;  // disabled children, double amount
    Currency ОбщВычСтандПер;  // standard deductions granted by tax agents
    Currency ОбщВычСтандДекл; // standard deductions left to grant in the declaration
    Currency СумБлагЦел;     // donations allowed
    Currency DonationPart25; // donations allowed within 25 % of the income
    Currency DonationPart30; // donations allowed within 30 % of the income
    Currency ChildEduSum;    // children's education, each child up to ChildEducationLimit
    Currency СумЛечен;       // expensive medical treatment
    Currency ИтогВычСоциал;  // the three sums above, without a common limit
    Currency SelfEduSum;     // the taxpayer's own education
    Currency СумМедУсл;
    Currency СумЛекПреп;
    Currency СумЛичСтрах;
    Currency СумПенсСтрах;
    Currency СумОценКвалиф;
    Currency ОбщСумРасх;     // the six sums above within SocialExpenseLimit
    Currency ОбщСНВОтчПерНА;  // social deductions granted by tax agents
    Currency ОбщВычСоциал;    // social deductions left to grant in the declaration
    Currency ВычСтандСоц;     // ОбщВычСоциал + ОбщВычСтандДекл
    Currency СумИнвВыч219;    // investment-account deduction claimed in the declaration
    Currency ИнвВычПредВосст; // investment deduction granted earlier and now restored
    Currency ИнвВычУпр;       // investment-account deduction of the simplified procedure
    // Social deductions granted by tax agents, by the agents' deduction code.
    Currency AgentSocial320;
    Currency AgentSocial321;
    Currency AgentSocial323;
    Currency AgentSocial324;
    Currency AgentSocial325;
    Currency AgentSocial326;
    Currency AgentSocial327;
    Currency AgentSocial328;
    // ОбщВычСтандДекл when the standard deduction goes to business income, else 0 ...
    Currency StandardDeclBusiness;
    // ... and the other way round: the part left for the other incomes.
    Currency StandardDeclOther;

    void Clear();
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};
