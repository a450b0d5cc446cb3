#pragma once

class kTSvodSum;
class mTDeclaration;

// filled in with the section 1 sheets
struct bmTList1 {};

// Section 1: tax to pay or to refund per budget classification code.
class kTSvodSumR1 {
public:
    void Clear();
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};

// Section 1: advance payments on business income by period.
class kTSvodSumR1_punkt2 {
public:
    void Clear();
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};
