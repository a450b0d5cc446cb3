#pragma once

#include <string>

// A new random (version 4) UUID in its 36-character text form with upper-case hexadecimal
// digits and without braces: 8-4-4-4-12 digits joined by "-".
std::string NewUuidText();
