#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QString>

class mTBusinessNew;
class mTDeclaration;

// The tax rules of the business income page: the activity kinds and the checks of the activities
// and the quarterly OKTMO codes, by which the whole-declaration check judges them too. The expense
// norm is the computation's.

// The list caption of an activity kind "1".."9"; empty for any other text.
QString activityCaption(const std::string& kind);

// The rules the activities are checked by, in the order they are tried for each activity.
enum class BusinessRule {
    MixedExpenseWays, // an entrepreneur or farm head documents expenses while another takes the norm
    Breakdown,        // the documented breakdown does not agree with the total expense
    QuarterTotals,    // the quarters' income or expenses add up beyond the range of an amount
};

struct BusinessFailure {
    int activity; // 0-based
    BusinessRule rule;
    QString message;
};

// The page's rules, where the expenses are typed: a documented breakdown must add up to the total
// exactly. The page lets its user skip the rule, as a reminder to sort every expense into a part.
std::vector<BusinessFailure> businessFailures(const mTDeclaration& declaration);
// The whole check's rules: a breakdown may fall short of the total, whose expenses need not all be
// sorted into parts, but never exceed it. The computation deducts the total; parts above their
// whole would contradict it in the declaration.
std::vector<BusinessFailure> declarationBusinessFailures(const mTDeclaration& declaration);

// The element codes of the quarterly OKTMO codes: quarter I, II, III.
inline constexpr std::uint16_t FirstOktmoElement = 32751;
inline constexpr int OktmoQuarters = 3;

struct OktmoFailure {
    int quarter; // 0-based
    QString title;
    QString message;
};

// The quarterly codes, checked only while the declaration says the OKTMO changed in the year.
std::vector<OktmoFailure> oktmoFailures(const mTDeclaration& declaration);
