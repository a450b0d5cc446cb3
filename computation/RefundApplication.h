#pragma once

class kTSvodSum;
class mTDeclaration;

// filled in with the offset and refund application sheets
struct bmTRecord1_PlNalog {};
struct bmTRecord1_ZachNalog {};
struct bmTRecord1_Bank {};

// The application for offset and refund of the overpaid tax of section 1.
class kTSvodKudaTratit {
public:
    void Clear();
    bool Calculate(mTDeclaration& Decl, kTSvodSum& Svod);
};
