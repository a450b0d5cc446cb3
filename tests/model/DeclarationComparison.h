#pragma once

#include <string>

#include "model/Declaration.h"

// The whole container as WriteToStorage writes it, header included.
std::string declarationBytes(const mTDeclaration& declaration);

// Expects `loaded` to hold what loading the file of `saved` gives: every saved field equal,
// BusinessSumA 0 unless business income is set, SectionOneSum 0.
void expectLoadedAsSaved(const mTDeclaration& saved, const mTDeclaration& loaded);
