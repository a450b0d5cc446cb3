#include "computation/RefundApplication.h"

// filled in with the offset and refund application sheets
void kTSvodKudaTratit::Clear()
{
    *this = kTSvodKudaTratit();
}

bool kTSvodKudaTratit::Calculate(mTDeclaration&, kTSvodSum&)
{
    return true;
}
