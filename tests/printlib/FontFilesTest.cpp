#include "FontFiles.h"

#include "Pdf417TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct FamilyCase {
    std::string name;
    std::u16string family;
    bool bold;
    bool italic;
    std::string file;
};

class FontFileTest : public testing::TestWithParam<FamilyCase> {};

TEST_P(FontFileTest, FamilyMapsToLiberationFile)
{
    const FamilyCase& c = GetParam();
    const std::string path = fontFilePath(c.family, c.bold, c.italic);
    EXPECT_EQ(path, std::string(kFontFolder) + "/" + c.file);
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Families, FontFileTest,
    testing::Values(FamilyCase{"arial", u"Arial", false, false, "LiberationSans-Regular.ttf"},
                    FamilyCase{"arial bold", u"Arial", true, false, "LiberationSans-Bold.ttf"},
                    FamilyCase{"times italic", u"Times New Roman", false, true, "LiberationSerif-Italic.ttf"},
                    FamilyCase{"times any case", u"TIMES NEW roman", true, true, "LiberationSerif-BoldItalic.ttf"},
                    FamilyCase{"courier new", u"Courier New", false, false, "LiberationMono-Regular.ttf"},
                    FamilyCase{"courier blanks around", u"  Courier New ", true, false, "LiberationMono-Bold.ttf"},
                    FamilyCase{"unknown family is sans", u"Wingdings", false, false, "LiberationSans-Regular.ttf"},
                    FamilyCase{"empty family is sans", u"", false, true, "LiberationSans-Italic.ttf"}),
    caseName<testing::TestParamInfo<FamilyCase>>);

TEST(FontFaceTest, MonospacedFaceHasCourierMetrics)
{
    const FontFace& face = fontFaceFor(u"Courier New", false, false);
    // Liberation Mono: 2048 units an em, every advance 1229, ascender 1705, descender 615.
    EXPECT_DOUBLE_EQ(face.glyph(U'\u00A0').advance, 1229.0 / 2048);
    EXPECT_DOUBLE_EQ(face.glyph(U'Ж').advance, 1229.0 / 2048);
    EXPECT_DOUBLE_EQ(face.metrics().lineSpacing, 2320.0 / 2048);
    EXPECT_DOUBLE_EQ(face.metrics().ascent, 1705.0 / 2048);
    EXPECT_DOUBLE_EQ(face.metrics().descent, 615.0 / 2048);
    EXPECT_NE(face.glyph(U'\u2212').index, 0u);
    EXPECT_NE(face.cairoFace(), nullptr);
}

TEST(FontFaceTest, FaceIsOpenedOnceAndKept)
{
    EXPECT_EQ(&fontFaceFor(u"Arial", true, false), &fontFaceFor(u"arial", true, false));
    EXPECT_EQ(&fontFaceFor(u"Wingdings", false, false), &fontFaceFor(u"Arial", false, false));
}

TEST(FontFaceTest, CharacterWithoutGlyphHasIndexZero)
{
    EXPECT_EQ(fontFaceFor(u"Arial", false, false).glyph(U'\U0001F600').index, 0u);
}

} // namespace
