#pragma once

#include <libxml/tree.h>

#include "export/ExportContext.h"

// The income groups of "НДФЛ3", each appended at its own place of the element order.

// One "ДоходИстРФ" per row of the Russian-source sheet, with the payer as an organisation
// ("ИстЮЛ") or as a person ("ИстФЛИн"); the row that carries only the tax withheld on
// code-2620 income is not part of the file.
void AddRussianIncomeElements(xmlNode* ndfl3, const ExportContext& context);

// One "ДоходИстИно" holding a "РасчДохНалИно" per foreign income, when there are any.
void AddForeignIncomeElements(xmlNode* ndfl3, const ExportContext& context);

// "ДоходОсвПрев", the incomes exempt up to a limit, when there are any.
void AddNonTaxableIncomeElements(xmlNode* ndfl3, const ExportContext& context);

// One "ДохПродОНИ" per sale of real estate compared with its cadastral value.
void AddPropertySaleIncomeElements(xmlNode* ndfl3, const ExportContext& context);
