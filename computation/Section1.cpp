#include "computation/Section1.h"

// filled in with the section 1 sheets
void kTSvodSumR1::Clear()
{
    *this = kTSvodSumR1();
}

bool kTSvodSumR1::Calculate(mTDeclaration&, kTSvodSum&)
{
    return true;
}

void kTSvodSumR1_punkt2::Clear()
{
    *this = kTSvodSumR1_punkt2();
}

bool kTSvodSumR1_punkt2::Calculate(mTDeclaration&, kTSvodSum&)
{
    return true;
}
