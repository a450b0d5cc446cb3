#pragma once

#include <QString>

class mTInvDeduct;

// The rule of the investment page over all its accounts together. The page and the
// whole-declaration check both judge the declaration by it.

// The message when the contributions of the claimed accounts exceed what the year's deduction
// counts; empty otherwise.
QString accountsOverLimitFailure(const mTInvDeduct& investment);
