#pragma once

#include <cstdint>
#include <vector>

#include <QString>

class mTDeclaration;

// Element codes of the conditions page.
enum ConditionsElement : std::uint16_t {
    ConditionsTaxOffice = 1,
    ConditionsIncomeKinds = 2,
    ConditionsRepresentativeName = 3,
    ConditionsAuthorityDocument = 4,
    ConditionsOktmo = 10,
};

struct ConditionsFailure {
    std::uint16_t element;
    QString message;
};

// The rules of the declaration's header that the declaration fails, in the order they are tried:
// the receiving tax office, then the representative who signs. The page and the whole check
// both judge by these.
std::vector<ConditionsFailure> headerFailures(const mTDeclaration& declaration);

// Whether the OKTMO of the place of residence is given, but in a form the exchange file refuses.
// The page and the whole check word the finding each in its own way.
bool residenceOktmoMalformed(const mTDeclaration& declaration);
