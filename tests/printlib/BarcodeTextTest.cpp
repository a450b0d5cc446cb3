#include "BarcodeText.h"

#include "EngineTestSupport.h"
#include "Pdf417TestSupport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct TextCase {
    std::string name;
    std::u16string text;
    std::u16string expected;
};

void PrintTo(const TextCase& c, std::ostream* out)
{
    *out << c.name;
}

class CaseMarks : public testing::TestWithParam<TextCase> {};

TEST_P(CaseMarks, KeepTheCaseThroughUpperCasing)
{
    EXPECT_EQ(utf8(MarkCase(GetParam().text)), utf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Values, CaseMarks,
                         testing::ValuesIn(std::vector<TextCase>{
                             {"empty", u"", u""},
                             {"small letters only", u"ivanov", u"ivanov"},
                             {"capital then small letters", u"Иванов", u"@Иванов"},
                             {"one capital alone", u"A", u"`A"},
                             {"capital run", u"AB", u"`AB"},
                             {"capital run then a word", u"ООО Ромашка", u"`ООО` @Ромашка"},
                             {"capital run then small letters", u"XYz", u"`XY`z"},
                             {"hyphenated name", u"Петров-Водкин", u"@Петров-@Водкин"},
                             {"capital then a digit", u"A1", u"`A1"},
                             {"capital, digit, small letter", u"A1b", u"`A1`b"},
                             {"capital run then a digit", u"AB1", u"`AB`1"},
                             {"marks of the text doubled", u"a@b`c", u"a@@b``c"},
                             {"mark after a capital", u"A@", u"`A@@"},
                             {"Yo is no capital", u"Ёлка", u"Ёлка"},
                             {"mixed scripts", u"Jan Ян", u"@Jan @Ян"},
                         }),
                         caseName<testing::TestParamInfo<TextCase>>);

class Preparation : public testing::TestWithParam<TextCase> {};

TEST_P(Preparation, LeavesPrintableAsciiOnly)
{
    EXPECT_EQ(utf8(PrepareBarcodeText(GetParam().text)), utf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Characters, Preparation,
                         testing::ValuesIn(std::vector<TextCase>{
                             {"Latin capitals and digits", u"ABC 123", u"ABC 123"},
                             {"Latin small letters", u"abz", u"ABZ"},
                             {"first and last Cyrillic capitals", u"АЯ", u"\\{"},
                             {"first and last Cyrillic small letters", u"ая", u"\\{"},
                             {"De of both cases", u"Дд", u"}}"},
                             {"a surname", u"ИВАНОВ", u"d^\\ij^"},
                             {"Yo of both cases", u"Ёё", u"[["},
                             {"numero", u"№5", u"#5"},
                             {"escaped ASCII", u"[\\]^_{}", u"$5B$5C$5D$5E$5F$7B$7D"},
                             {"dollar", u"$1", u"$241"},
                             {"other code page bytes", u"€«»", u"$88$AB$BB"},
                             {"blanks of every kind", u"a\u00A0b\u2002c\u2007d\u2009e\u200Af\u202Fg\u205Fh",
                              u"A B C D E F G H"},
                             {"dropped characters", u"x\u00ADy\u200Bz", u"XYZ"},
                             {"dashes of every kind", u"1\u20102\u20153\u22124\u23AF5", u"1-2-3-4-5"},
                             {"characters outside the code page", u"中", u"?"},
                             {"separators and marks stay", u"|@`~\t", u"|@`~\t"},
                         }),
                         caseName<testing::TestParamInfo<TextCase>>);

struct KindCase {
    std::string name;
    int kind;
    std::u16string value;
    std::u16string expected;
};

void PrintTo(const KindCase& c, std::ostream* out)
{
    *out << c.name;
}

class FieldValues : public testing::TestWithParam<KindCase> {};

TEST_P(FieldValues, FollowTheirKind)
{
    DataField field;
    field.kind = GetParam().kind;
    field.value = GetParam().value;
    EXPECT_EQ(utf8(BarcodeFieldValue(field)), utf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Kinds, FieldValues,
                         testing::ValuesIn(std::vector<KindCase>{
                             {"kind 2 as written", 2, u"Ив-[1]", u"Ив-[1]"},
                             {"kind 3 as written", 3, u"7701 x", u"7701 x"},
                             {"kind 11 as written", 11, u"123.45", u"123.45"},
                             {"kind 5 with case marks", 5, u"Иванов", u"@d^\\ij^"},
                             {"kind 5 capitals", 5, u"ООО", u"`jjj"},
                             {"kind 1 upper-cased", 1, u"Иванов", u"d^\\ij^"},
                             {"kind 4 upper-cased", 4, u"v", u"V"},
                             {"kind 6 prepared", 6, u"ул. Ленина_1", u"og. gaidi\\$5F1"},
                         }),
                         caseName<testing::TestParamInfo<KindCase>>);

TEST(BarcodeTextTest, AssemblesTheBarcodeFieldsInOrder)
{
    std::vector<DataField> fields(4);
    fields[0].value = u"Иванов";
    fields[0].inBarcode = true;
    fields[1].value = u"not in the barcode";
    fields[2].value = u"";
    fields[2].inBarcode = true;
    fields[2].cells = 0; // not drawn, still in the barcode
    fields[3].value = u"7701";
    fields[3].kind = 3;
    fields[3].inBarcode = true;
    EXPECT_EQ(utf8(AssembleBarcodeData(fields)), "|@d^\\ij^||7701");
    EXPECT_EQ(utf8(AssembleBarcodeData({})), "");
}

} // namespace
