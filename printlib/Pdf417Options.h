#pragma once

#include "Pdf417Params.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The encoder is driven like a command-line program: "PDF417TIF", the data text ("-" and the
// data), then options such as "/M4", "/R21", "/OV".
using Pdf417Arguments = std::vector<std::u16string>;

// Module sizes above this would make bitmaps of no use and of unbounded size.
inline constexpr int Pdf417MaxModuleSize = 32;

// The argument list for data and an option text whose options are separated by "|".
Pdf417Arguments SplitPdf417Options(std::u16string_view dataText, std::u16string_view optionText);

// Reads and checks the options (a bad one raises 0xC0020050 with its text) and converts the
// data to code page 1251. Returns nothing when the data is longer than the encoder accepts;
// that is checked before the data is copied.
std::optional<Pdf417Params> ParsePdf417Options(std::span<const std::u16string> arguments);
