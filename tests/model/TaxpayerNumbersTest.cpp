#include "model/TaxpayerNumbers.h"

#include <gtest/gtest.h>

namespace {

// Check digits worked out by hand from the published rule: the digits before the check digit
// are weighted, summed, and the sum taken modulo 11 and then modulo 10.
//   10 digits, weights 2 4 10 3 5 9 4 6 8 for the tenth digit;
//   12 digits, weights 7 2 4 10 3 5 9 4 6 8 for the eleventh and 3 7 2 4 10 3 5 9 4 6 8 for the
//   twelfth (over the first eleven).
TEST(CheckInn, Table)
{
    const struct {
        const char* name;
        const char* value;
        InnKind kind;
        std::uint16_t expected;
    } cases[] = {
        // 7707083893: 7*2+7*4+0*10+7*3+0*5+8*9+3*4+8*6+9*8 = 14+28+0+21+0+72+12+48+72 = 267;
        // 267 mod 11 = 3, so the tenth digit is 3.
        {"10 digits valid", "7707083893", InnAny, InnValid},
        {"10 digits valid, organisation", "7707083893", InnOrganisation, InnValid},
        {"10 digits, blanks around", "  7707083893 ", InnAny, InnValid},
        {"10 digits, wrong check digit", "7707083894", InnAny, InnWrong},
        // 3664069397: 6+24+60+12+0+54+36+18+72 = 282; 282 mod 11 = 7.
        {"10 digits valid, second", "3664069397", InnOrganisation, InnValid},
        // 5001007390: 10+0+0+3+0+0+28+18+72 = 131; 131 mod 11 = 10, mod 10 = 0.
        {"check value 10 wants 0", "5001007390", InnAny, InnValid},
        {"check value 10 with 1", "5001007391", InnAny, InnWrong},
        // 0100000050: 0+4+0+0+0+0+0+0+40 = 44; 44 mod 11 = 0.
        {"sum divisible by 11", "0100000050", InnAny, InnValid},
        // 500100732259, eleventh: 35+0+0+10+0+0+63+12+12+16 = 148; 148 mod 11 = 5.
        // Twelfth over 5,0,0,1,0,0,7,3,2,2,5: 15+0+0+4+0+0+35+27+8+12+40 = 141; 141 mod 11 = 9.
        {"12 digits valid", "500100732259", InnAny, InnValid},
        {"12 digits valid, person", "500100732259", InnPerson, InnValid},
        {"12 digits, wrong twelfth", "500100732258", InnPerson, InnWrong},
        // With the eleventh digit 6 the twelfth would be (141-40+48) = 149 mod 11 = 6: the
        // twelfth fits the given eleventh, but the eleventh itself is wrong.
        {"12 digits, wrong eleventh", "500100732266", InnPerson, InnWrong},
        // 771234567859, eleventh: 49+14+4+20+9+20+45+24+42+64 = 291; 291 mod 11 = 5.
        // Twelfth: 21+49+2+8+30+12+25+54+28+48+40 = 317; 317 mod 11 = 9.
        {"12 digits valid, second", "771234567859", InnPerson, InnValid},
        // 500100732403, eleventh: 148-16+32 = 164; 164 mod 11 = 10, mod 10 = 0.
        // Twelfth over 5,0,0,1,0,0,7,3,2,4,0: 15+4+35+27+8+24+0 = 113; 113 mod 11 = 3.
        {"12 digits, eleventh check value 10", "500100732403", InnAny, InnValid},
        {"12 digits, eleventh check value 10 with 1", "500100732413", InnAny, InnWrong},

        // Every check digit of zeros comes out 0, but no number is all zeros.
        {"ten zeros", "0000000000", InnAny, InnWrong},
        {"ten zeros, organisation", "0000000000", InnOrganisation, InnWrong},
        {"ten zeros, person: length first", "0000000000", InnPerson, InnNot12},
        {"twelve zeros", "000000000000", InnAny, InnWrong},
        {"twelve zeros, organisation: length first", "000000000000", InnOrganisation, InnNot10},

        {"letter inside", "77070838A3", InnAny, InnWrong},
        {"letters only", "ABCDEFGHIJKL", InnPerson, InnWrong},
        // Lengths count characters: twelve Cyrillic letters are a person's length, not 24.
        {"Cyrillic letters only", "АБВГДЕЖЗИКЛМ", InnPerson, InnWrong},
        {"ten Cyrillic letters", "АБВГДЕЖЗИК", InnAny, InnWrong},
        {"blank inside", "7707 83893", InnAny, InnWrong},

        {"empty", "", InnAny, InnEmpty},
        {"blanks only, person", "   ", InnPerson, InnEmpty},
        {"nine digits", "770708389", InnAny, InnNot10Or12},
        {"eleven digits", "77070838931", InnAny, InnNot10Or12},
        {"12 digits for an organisation", "500100732259", InnOrganisation, InnNot10},
        {"10 digits for a person", "7707083893", InnPerson, InnNot12},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(CheckInn(test.value, test.kind), test.expected);
    }
}

} // namespace
