#pragma once

#include <string>
#include <string_view>

#include "export/FieldLimits.h"

// Why `value` (UTF-8, as the file would hold it) does not fit the field, as the end of a
// sentence that begins with the value and the field ("... не входит в допустимые значения:
// 1, 2"); empty when it fits.
std::string FieldValueFailure(const FieldFacet& field, std::string_view value);
