#include "controls/IdentityNumbers.h"

#include <QString>

#include <gtest/gtest.h>

namespace {

// The check digits themselves are the core's (tests/model/TaxpayerNumbersTest.cpp); here, what a
// text of the window brings: blanks around it, and characters beyond Latin-1.
TEST(CheckINN, TextsOfTheWindow)
{
    const struct {
        const char* name;
        const char* value;
        InnKind kind;
        std::uint16_t expected;
    } cases[] = {
        {"10 digits valid", "7707083893", InnOrganisation, InnValid},
        {"12 digits, blanks around", "  500100732259 ", InnPerson, InnValid},
        {"wrong check digit", "7707083894", InnAny, InnWrong},
        {"Cyrillic letter inside", "77070838З3", InnAny, InnWrong},
        {"blanks only", "   ", InnPerson, InnEmpty},
        {"12 digits for an organisation", "500100732259", InnOrganisation, InnNot10},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(CheckINN(QString::fromUtf8(test.value), test.kind), test.expected);
    }
}

TEST(CheckKPP, Table)
{
    const struct {
        const char* name;
        const char* value;
        std::uint16_t expected;
    } cases[] = {
        {"valid", "770701001", KppValid},
        {"letters in the reason part", "7707AB001", KppValid},
        {"blanks around", " 770701001  ", KppValid},
        {"empty", "", KppEmpty},
        {"blanks only", "   ", KppEmpty},
        {"eight digits between blanks", " 77070100 ", KppNot9},
        {"ten digits", "7707010011", KppNot9},
        {"nine zeros", "000000000", KppMalformed},
        // What the exchange file refuses is refused as typed.
        {"tax office part 00", "001201001", KppMalformed},
        {"letter outside the reason part", "77A701001", KppMalformed},
        {"small letters in the reason part", "7707ab001", KppMalformed},
        {"letter in the number part", "77070100A", KppMalformed},
        {"Cyrillic capitals", "7707АБ001", KppMalformed},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(CheckKPP(QString::fromUtf8(test.value)), test.expected);
    }
}

} // namespace
