#pragma once

#include <memory>

#include "model/Declaration.h"

// A declaration as the program starts every new one: no tax office yet, dated today, signed by
// the taxpayer, with income from tax agents switched on.
std::unique_ptr<mTDeclaration> newDeclaration();
