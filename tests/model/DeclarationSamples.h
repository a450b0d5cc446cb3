#pragma once

#include <random>

#include "model/Declaration.h"

// Declarations for the declaration file's tests.

// Every income kind on, every list (the older layout's too) non-empty, every deduction granted
// with entries, every field away from its default; some texts look like stream names.
mTDeclaration fullDeclaration();

// A small declaration of random content, drawn from `random`. Values that the file does not
// hold under the drawn kinds and flags stay at their defaults.
mTDeclaration randomDeclaration(std::mt19937& random);
