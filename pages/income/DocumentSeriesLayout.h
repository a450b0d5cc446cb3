#pragma once

#include <cstdint>

#include "controls/MaskedDocEdit.h"

// The layout in which the series and number of an identity document of this kind are typed,
// the same whether the kind was loaded from the file or just picked. Kinds of earlier years and
// unknown kinds are typed as free text of up to 20 characters.
TDocumentMaskEnum documentSeriesLayout(std::uint16_t docKind);
