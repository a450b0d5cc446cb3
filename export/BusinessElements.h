#pragma once

#include <libxml/tree.h>

#include "export/ExportContext.h"

// Appends to "НДФЛ3" the income from business and private practice, "ДоходПредпр", when the
// declaration has business records or professional deductions: the activities
// ("РасчВидДеят"), the farm's year, the corrected base, the professional deductions
// ("ПрофНалВыч") and the advance payments ("РасчАвансПлат"). Without business income the
// element is the form's empty activity "09"; it still carries the professional deductions,
// which reduce the base of the other incomes.
void AddBusinessIncomeElements(xmlNode* ndfl3, const ExportContext& context);
