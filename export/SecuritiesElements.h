#pragma once

#include <libxml/tree.h>

#include "export/ExportContext.h"

// Appends to "НДФЛ3" one "ДохОперЦБ" per row of appendix 8 (operations with securities,
// derivatives and investment partnerships), each with up to three losses ("УчетУбыт") that
// reduce its income.
void AddSecuritiesElements(xmlNode* ndfl3, const ExportContext& context);
