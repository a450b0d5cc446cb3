#pragma once

#include <libxml/tree.h>

#include "export/ExportContext.h"

// The deduction groups of "НДФЛ3", each appended at its own place of the element order.

// "ВычСтандСоц": standard, social and investment-account deductions, for residents and
// declarations on ending entrepreneurial activity that have any.
void AddStandardSocialDeductionElements(xmlNode* ndfl3, const ExportContext& context);

// "ИмущНалВычПр": deductions against the sale of property and other assets, when there are any.
void AddPropertySaleDeductionElements(xmlNode* ndfl3, const ExportContext& context);

// "ИмущНалВычНов": the property deduction for buying or building housing with its objects,
// when it is claimed in a resident's declaration with income.
void AddPropertyPurchaseDeductionElements(xmlNode* ndfl3, const ExportContext& context);

// "ВычСоцИнв219": pension and insurance contributions and the individual investment accounts.
void AddPensionInvestmentDeductionElements(xmlNode* ndfl3, const ExportContext& context);
