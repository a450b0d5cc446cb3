#include "controls/PaymentSourceCheck.h"

#include <QPushButton>
#include <QString>

#include "controls/CheckRun.h"
#include "controls/IdentityNumbers.h"
#include "export/FieldLimits.h"

namespace {

const QString NoName = QStringLiteral("Не заполненно поле \"Наименование источника выплаты\"");
const QString InnNot10Text = QStringLiteral("Длина ИНН должна быть равна 10 цифрам");
const QString InnWrongText = QStringLiteral("Номер ИНН введен неверно");
const QString NoInn = QStringLiteral("Введите ИНН");
const QString OrganisationInnLength = QStringLiteral("Длина ИНН для юрлиц должна быть равна 10 цифрам");

bool isOktmo(const QString& oktmo)
{
    return IsOktmo(oktmo.toStdString());
}

// The message of a КПП that CheckKPP refuses; empty for a valid one.
QString kppFailure(const QString& kpp)
{
    switch (CheckKPP(kpp)) {
    case KppEmpty:
        return QStringLiteral("Отсутствует КПП");
    case KppNot9:
        return QStringLiteral("Длина КПП должна быть равна 9 цифрам");
    case KppMalformed:
        return QStringLiteral("Некорректный КПП");
    default:
        return {};
    }
}

} // namespace

std::uint16_t CheckPaymentSource(QWidget* owner, const QString& section, const QString& name, const QString& inn,
                                 const QString& kpp, const QString& oktmo, bool allowSkip)
{
    CheckRun run(owner, section);
    QPushButton* skip = run.dialog().Button2;
    run.dialog().Button3->setEnabled(false);
    skip->setEnabled(allowSkip);
    // A rule that must be fixed takes "Пропустить" away for the rest of the run.
    const auto reportToFix = [&](const QString& message, std::uint16_t code) {
        skip->setEnabled(false);
        run.report(message, code);
    };

    if (name.trimmed().isEmpty())
        reportToFix(NoName, SourceNameElement);

    switch (CheckINN(inn, InnAny)) {
    case InnNot10Or12:
        reportToFix(QStringLiteral("Длина ИНН должна быть равна 10 или 12 цифрам"), SourceInnElement);
        break;
    case InnWrong:
        reportToFix(InnWrongText, SourceInnElement);
        break;
    default: // an empty ИНН is asked for below only when a КПП is given
        break;
    }

    if (inn.size() == 10) {
        if (const QString failure = kppFailure(kpp); !failure.isEmpty())
            reportToFix(failure, SourceKppElement);
    } else if (!kpp.isEmpty()) {
        reportToFix(inn.isEmpty() ? NoInn : OrganisationInnLength, SourceInnElement);
    }
    // The rules follow the fields of the dialog: the ОКТМО comes last.
    const QString trimmedOktmo = oktmo.trimmed();
    if (!trimmedOktmo.isEmpty() && !isOktmo(trimmedOktmo)) {
        reportToFix(QStringLiteral("Код ОКТМО введен некорректно (должно быть 8 или 11 симв.) (При продаже "
                                   "имущества физ.лицу - не нужен)"),
                    SourceOktmoElement);
    }
    if (trimmedOktmo.isEmpty()) {
        run.report(QStringLiteral("Не введен код ОКТМО (8 или 11 симв.) (При продаже имущества физ.лицу - не нужен)"),
                   SourceOktmoElement);
    }
    return run.result();
}

std::uint16_t CheckPaymentSourceShort(QWidget* owner, const QString& section, const QString& name,
                                      const QString& inn, const QString& kpp, const QString& oktmo, bool askOktmo)
{
    CheckRun run(owner, section);
    run.dialog().Button2->setEnabled(false);
    run.dialog().Button3->setEnabled(false);

    if (name.trimmed().isEmpty())
        run.report(NoName, SourceNameElement);
    if (askOktmo && !isOktmo(oktmo.trimmed()))
        run.report(QStringLiteral("Не введен код ОКТМО (8 или 11 симв.)"), SourceOktmoElement);

    switch (CheckINN(inn, InnOrganisation)) {
    case InnNot10:
        run.report(InnNot10Text, SourceInnElement);
        break;
    case InnWrong:
        run.report(InnWrongText, SourceInnElement);
        break;
    default:
        break;
    }
    if (const QString failure = kppFailure(kpp); !failure.isEmpty())
        run.report(failure, SourceKppElement);
    if (inn.isEmpty())
        run.report(NoInn, SourceInnElement);
    else if (inn.size() != 10)
        run.report(OrganisationInnLength, SourceInnElement);
    return run.result();
}
