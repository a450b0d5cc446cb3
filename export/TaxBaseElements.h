#pragma once

#include <libxml/tree.h>

#include "export/ExportContext.h"

class kTSvodSum;
class mTDeclaration;

// Appends to "НДФЛ3" one "НалБаза" per section-2 sheet "01" to "24" that has income, in the
// order of the kinds, each with its tax base ("РасчНалБаза") and its tax ("РасчНалПУ").
// Sheet "07" of a declaration on ending entrepreneurial activity is written even without
// income; sheet "25" never. The format requires at least one: a declaration without any
// raises ExportError.
void AddTaxBaseElements(xmlNode* ndfl3, const ExportContext& context);

// Whether the computed declaration has a sheet that AddTaxBaseElements writes: a declaration
// without one has no income to declare, and no exchange file.
bool HasTaxBaseElements(const mTDeclaration& decl, const kTSvodSum& svod);
