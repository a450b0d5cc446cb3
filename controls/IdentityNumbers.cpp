#include "controls/IdentityNumbers.h"

#include <QString>

#include "export/FieldLimits.h"

std::uint16_t CheckINN(const QString& value, InnKind kind)
{
    // Qt's trimming also takes the blanks outside the ones the core knows.
    return CheckInn(value.trimmed().toStdString(), kind);
}

std::uint16_t CheckKPP(const QString& value)
{
    const QString code = value.trimmed();
    if (code.isEmpty())
        return KppEmpty;
    if (code.size() != 9)
        return KppNot9;
    if (!IsKpp(code.toStdString()))
        return KppMalformed;
    return KppValid;
}
