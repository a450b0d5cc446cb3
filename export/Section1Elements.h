#pragma once

#include <libxml/tree.h>

#include "export/ExportContext.h"

// Appends to "НДФЛ3" section 1, "СумНалПу" (always; the sums per budget code, and the advance
// payments on business income when the declaration has business records), and the
// application for offset and refund, "ЗаявЗачВозвр", when it has applications.
void AddSection1Elements(xmlNode* ndfl3, const ExportContext& context);
