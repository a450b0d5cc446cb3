#pragma once

#include <cstdint>

class QString;
class QWidget;

// Element codes of a payment source's requisites, as the calling dialogs focus them.
enum PaymentSourceElement : std::uint16_t {
    SourceNameElement = 1,
    SourceInnElement = 2,
    SourceKppElement = 3,
    SourceOktmoElement = 4,
};

// Checks the requisites of a tax agent in the income dialogs, showing each failed rule in a
// check dialog titled `section` and owned by `owner`. Only a missing OKTMO may be passed by, and
// only when `allowSkip` (the income needs none when property is sold to a person); for every
// other rule the user can only fix it. Returns the element to fix, or 0.
std::uint16_t CheckPaymentSource(QWidget* owner, const QString& section, const QString& name, const QString& inn,
                                 const QString& kpp, const QString& oktmo, bool allowSkip);

// Checks an organisation's requisites in the deduction dialogs: name, OKTMO when `askOktmo`, and
// an organisation's ИНН and КПП. The first failed rule is shown and must be fixed. Returns the
// element to fix, or 0.
std::uint16_t CheckPaymentSourceShort(QWidget* owner, const QString& section, const QString& name,
                                      const QString& inn, const QString& kpp, const QString& oktmo, bool askOktmo);
