#pragma once

class mTSocialDeduct;

// The rule of the social deductions page over all its records together. The page and the
// whole-declaration check both judge the declaration by it.

// True when the deduction is claimed with no expense, no child's education and no contract.
bool socialDeductionIsEmpty(const mTSocialDeduct& social);
