#include "pages/income/ApplicationRules.h"

#include <string>

#include "export/FieldLimits.h"
#include "model/Trata.h"

namespace {

// Texts are held in UTF-8 and stored in cp1251, one byte a character: lengths count characters.
qsizetype length(const std::string& value)
{
    return QString::fromStdString(value).size();
}

} // namespace

QString refundApplicationFailure(const mTTrata& application)
{
    if (application.RefundSum == Currency() && application.AllIn == 0)
        return QStringLiteral("Нужно указать сумму возврата или поставить признак возврата всей суммы излишне "
                              "уплаченного налога");
    if (application.BankName.empty())
        return QStringLiteral("Не указано наименование банка");
    if (length(application.BankBik) < FieldLimits::Bik)
        return QStringLiteral("БИК не указан или имеет недопустимую длину");
    if (application.AccountKind == 0)
        return QStringLiteral("Не указан вид счета");
    if (length(application.AccountNumber) < FieldLimits::AccountNumber)
        return QStringLiteral("Номер счета не указан или имеет недопустимую длину");
    return {};
}

QString offsetApplicationFailure(const mTTrata& application)
{
    if (length(application.TaxOfficeCode) < FieldLimits::TaxOfficeCode)
        return QStringLiteral("Не указан код налогового органа");
    if (length(application.Kbk) < FieldLimits::Kbk)
        return QStringLiteral("КБК налога (недоимки, пени штрафа) не указан или имеет недостаточное количество "
                              "числовых символов");
    if (!IsOktmo(application.Oktmo))
        return QStringLiteral("ОКТМО должен содержать 8 или 11 числовых символов");
    if (application.OffsetSum == Currency())
        return QStringLiteral("Не указана сумма, перечисляемая на уплату налога (недоимки, пени штрафа)");
    if (application.OffsetPurpose == 0)
        return QStringLiteral("Не указано, в счет чего перечисляется сумма: налога или недоимки (пени штрафа)");
    // A period code typed in part keeps blanks where its places are not filled.
    if (application.Note.find(' ') != std::string::npos)
        return QStringLiteral("Налоговый (расчетный) период (код) не заполнен или заполнен не полностью");
    return {};
}

QString applicationFailure(const mTTrata& application)
{
    return application.IsRefund != 0 ? refundApplicationFailure(application) : offsetApplicationFailure(application);
}

QString applicationCheckTitle(const mTTrata& application)
{
    return application.IsRefund != 0 ? QStringLiteral("Возврат излишне уплаченного налога")
                                     : QStringLiteral("Зачет излишне уплаченного налога");
}
