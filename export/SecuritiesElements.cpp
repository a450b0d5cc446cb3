#include "export/SecuritiesElements.h"

#include <string>

#include "computation/Summary.h"
#include "export/XmlWriter.h"

namespace {

void addLoss(xmlNode* operation, const std::string& code, Currency amount)
{
    xmlNode* loss = AddXmlElement(operation, "УчетУбыт");
    SetXmlAttribute(loss, "ВидОперУбыт", code);
    SetMoneyAttribute(loss, "УбытУмДохОпер", amount);
}

// The first loss is always written; a later one only after the one before it and when it
// has a code.
void addLosses(xmlNode* operation, const bmPr8Rec& row)
{
    addLoss(operation, row.ВидОперУбыт1, row.УбытУмДохОпер1);
    if (row.ВидОперУбыт2.empty())
        return;
    addLoss(operation, row.ВидОперУбыт2, row.УбытУмДохОпер2);
    if (!row.ВидОперУбыт3.empty())
        addLoss(operation, row.ВидОперУбыт3, row.УбытУмДохОпер3);
}

} // namespace

void AddSecuritiesElements(xmlNode* ndfl3, const ExportContext& context)
{
    for (const bmPr8Rec& row : context.Svod.Pril8.Rows) {
        xmlNode* operation = AddXmlElement(ndfl3, "ДохОперЦБ");
        SetXmlAttribute(operation, "ВидОпер", row.ВидОпер);
        SetMoneyAttribute(operation, "ДохСовОпер", row.ДохСовОпер);
        SetPositiveMoneyAttribute(operation, "РасхРеалЦБ", row.РасхРеалЦБ);
        SetPositiveMoneyAttribute(operation, "РасхУмДохОпер", row.РасхУмДохОпер);
        SetXmlAttribute(operation, "ПризУчетУбыт", row.ПризУчетУбыт != 0 ? "1" : "0");
        if (row.ПризУчетУбыт != 0)
            addLosses(operation, row);
        SetPositiveMoneyAttribute(operation, "ИнвВыч219.1Опер", row.ИнвВыч219_1Опер);
        SetPositiveMoneyAttribute(operation, "ИнвВыч219.3Опер", row.ИнвВыч219_3Опер);
    }
}
