#include "PageGeometry.h"

#include "EngineTestSupport.h"
#include "Pdf417TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct TransformCase {
    std::string name;
    // Called inside the test, so that a throw fails that case and not the test program.
    std::function<PageTransforms()> transforms;
    double scale;
    std::vector<std::string> texts; // portrait open, landscape open, portrait close, landscape close
};

void PrintTo(const TransformCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<TransformCase> transformCases()
{
    // At 600 dpi an offset of 71 pixels is 3 mm (3.005), of 142 pixels 6 mm.
    const PrinterGeometry threeMillimetres{600, 600, 71, 71};
    const PrinterGeometry sixMillimetres{600, 600, 142, 142};
    return {
        // 261 / 297 is below 185 / 210: the top block row limits the page.
        {"images fitted",
         [] { return ImagePageTransforms(0); },
         261.0 / 297,
         {"translate:25,0;scale:0.878788", "translate:36,25;scale:0.878788", "scale:1",
          "scale:1;turn:90;translate:0,-297"}},
        {"images below 0 fitted",
         [] { return ImagePageTransforms(-5); },
         261.0 / 297,
         {"translate:25,0;scale:0.878788", "translate:36,25;scale:0.878788", "scale:1",
          "scale:1;turn:90;translate:0,-297"}},
        {"images at half size",
         [] { return ImagePageTransforms(50); },
         0.5,
         {"translate:25,0;scale:0.500000", "translate:149,25;scale:0.500000", "scale:1",
          "scale:1;turn:90;translate:0,-297"}},
        // Above 185 / 210 the form moves right only as far as the page allows, 210 × (1 − s)
        // whole millimetres.
        {"images at 90 %",
         [] { return ImagePageTransforms(90); },
         0.9,
         {"translate:21,0;scale:0.900000", "translate:30,21;scale:0.900000", "scale:1",
          "scale:1;turn:90;translate:0,-297"}},
        {"images at 95 %",
         [] { return ImagePageTransforms(95); },
         0.95,
         {"translate:10,0;scale:0.950000", "translate:15,10;scale:0.950000", "scale:1",
          "scale:1;turn:90;translate:0,-297"}},
        {"images at full size",
         [] { return ImagePageTransforms(100); },
         1.0,
         {"translate:0,0;scale:1.000000", "translate:0,0;scale:1.000000", "scale:1",
          "scale:1;turn:90;translate:0,-297"}},
        // ex = ey = 5 - 3 = 2, s = 0.87, m = floor(4.35) = 4, floor(-297 * 0.87) = -259.
        {"document on a printer with 3 mm margins",
         [=] { return PrintPageGeometry(100, threeMillimetres, PrintKind::Document).transforms; },
         0.87,
         {"translate:18,-2;scale:0.870000", "turn:-90;translate:-259,0;translate:2,18;scale:0.870000", "scale:1",
          "scale:1"}},
        // Scale 0 is 100 %; margins of 5 mm or more need no correction; s = 0.95, m = 4.
        {"blank forms at scale 0",
         [=] { return PrintPageGeometry(0, sixMillimetres, PrintKind::BlankForms).transforms; },
         0.95,
         {"translate:3,-4;scale:0.950000", "turn:-90;translate:-283,0;translate:4,3;scale:0.950000", "scale:1",
          "scale:1"}},
        // s = 0.435, m = 2, ex = 5, ey = 4 (not 5: the header symbol 4 mm from the top stays on
        // the sheet), floor(-129.195) = -130.
        {"document at half size without margins",
         [=] { return PrintPageGeometry(50, {300, 300, 0, 0}, PrintKind::Document).transforms; },
         0.435,
         {"translate:23,2;scale:0.435000", "turn:-90;translate:-130,0;translate:-2,23;scale:0.435000", "scale:1",
          "scale:1"}},
        {"printer without a resolution",
         [=] { return PrintPageGeometry(100, {0, 0, 500, 500}, PrintKind::Document).transforms; },
         0.87,
         {"translate:21,0;scale:0.870000", "turn:-90;translate:-259,0;translate:0,21;scale:0.870000", "scale:1",
          "scale:1"}},
    };
}

class Transforms : public testing::TestWithParam<TransformCase> {};

TEST_P(Transforms, AreWrittenAsWorkedOutByHand)
{
    const TransformCase& c = GetParam();
    PageTransforms result;
    ASSERT_EQ(raisedReport([&] { result = c.transforms(); }), "nothing raised");
    EXPECT_NEAR(result.scale, c.scale, 1e-12);
    EXPECT_EQ(utf8(result.portraitOpen), c.texts[0]);
    EXPECT_EQ(utf8(result.landscapeOpen), c.texts[1]);
    EXPECT_EQ(utf8(result.portraitClose), c.texts[2]);
    EXPECT_EQ(utf8(result.landscapeClose), c.texts[3]);
}

INSTANTIATE_TEST_SUITE_P(Jobs, Transforms, testing::ValuesIn(transformCases()),
                         caseName<testing::TestParamInfo<TransformCase>>);

TEST(PageGeometryTest, ImagesAboveFullSizeAreRefused)
{
    const std::string report = raisedReport([] { ImagePageTransforms(101); });
    EXPECT_EQ(report.substr(0, report.find(" (строка: ")),
              "Недопустимые параметры: масштаб 101 % больше 100 %, форма не помещается на страницу.[-1073610672 "
              "(0xC0020050)\\\\0 (0x0)\\TiffTools");
    EXPECT_EQ(raisedReport([] { ImagePageTransforms(100); }), "nothing raised");
}

TEST(PageGeometryTest, PrintingDocumentsMovesThePlacesByTheMarginCorrections)
{
    const LayoutPlaces places = PrintPageGeometry(100, {600, 300, 71, 47}, PrintKind::Document).places;
    // x: 71 px at 600 dpi is 3 mm, correction 2; y: 47 px at 300 dpi is 3.98 mm, read as 3, correction 2.
    const LayoutPlaces expected{{{{101, 260}, {8, 260}, {3, 147}, {3, 28}}},
                                {{{10, 18}, {10, 137}, {10, 256}, {91, 273}, {184, 273}}},
                                {148, 13},
                                {148, 2}};
    EXPECT_EQ(places, expected);
}

// Margins under a millimetre would call for a correction of 5 mm upwards, past the header
// symbol's 4 mm: the correction stops where every place still lies on the printable area.
TEST(PageGeometryTest, NoCorrectionMovesAPlaceOffTheSheet)
{
    const struct {
        const char* name;
        PrinterGeometry printer;
        double correctionX;
        double correctionY;
    } cases[] = {
        {"no margins", {600, 600, 0, 0}, 5, 4},
        {"0.9 mm margins", {600, 600, 21, 21}, 5, 4},
        {"1 mm margins", {600, 600, 24, 24}, 4, 4},
        {"2 mm margins", {600, 600, 48, 48}, 3, 3},
        {"no resolution", {0, 0, 500, 500}, 5, 4},
    };
    const LayoutPlaces fixed;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LayoutPlaces places = PrintPageGeometry(100, c.printer, PrintKind::Document).places;
        EXPECT_EQ(places.headerSymbol, (LayoutPoint{fixed.headerSymbol.x - c.correctionX,
                                                    fixed.headerSymbol.y - c.correctionY}));
        EXPECT_EQ(places.blocks[2], (LayoutPoint{fixed.blocks[2].x - c.correctionX, fixed.blocks[2].y - c.correctionY}));
        const auto onSheet = [](const LayoutPoint& point) { return point.x >= 0 && point.y >= 0; };
        EXPECT_TRUE(onSheet(places.headerSymbol) && onSheet(places.headerLine));
        EXPECT_TRUE(std::ranges::all_of(places.blocks, onSheet) && std::ranges::all_of(places.crosses, onSheet));
    }
}

TEST(PageGeometryTest, WideMarginsAndBlankFormsKeepThePlaces)
{
    EXPECT_EQ(PrintPageGeometry(100, {600, 600, 200, 120}, PrintKind::Document).places, LayoutPlaces{});
    EXPECT_EQ(PrintPageGeometry(100, {600, 600, 0, 0}, PrintKind::BlankForms).places, LayoutPlaces{});
}

TEST(PageGeometryTest, TheFixedPlaces)
{
    const LayoutPlaces places;
    const LayoutPlaces expected{{{{103, 262}, {10, 262}, {5, 149}, {5, 30}}},
                                {{{12, 20}, {12, 139}, {12, 258}, {93, 275}, {186, 275}}},
                                {150, 15},
                                {150, 4}};
    EXPECT_EQ(places, expected);
}


// Each slot ends 1 mm before what follows: block 1 before the cross at x 186, block 2 before the
// cross at x 93, block 3 before the top row at y 262, block 4 before the cross at y 139; the top
// row reaches the page's foot, the left column is 19 mm wide.
TEST(PageGeometryTest, BarcodeBlockSlotsEndBeforeTheNextPlaceOrCross)
{
    const std::array<BlockSlot, 4> slots = BarcodeBlockSlots();
    const double expected[4][2] = {{82, 35}, {82, 35}, {112, 19}, {108, 19}};
    for (std::size_t index = 0; index < slots.size(); ++index) {
        EXPECT_DOUBLE_EQ(slots[index].along, expected[index][0]) << index + 1;
        EXPECT_DOUBLE_EQ(slots[index].across, expected[index][1]) << index + 1;
    }
    // Print places move up and left together: the slots keep their length, and the top row,
    // moved up, has more room to the page's foot.
    const LayoutPlaces moved = PrintPageGeometry(100, {600, 300, 71, 47}, PrintKind::Document).places;
    const std::array<BlockSlot, 4> movedSlots = BarcodeBlockSlots(moved);
    for (std::size_t index = 0; index < slots.size(); ++index) {
        EXPECT_DOUBLE_EQ(movedSlots[index].along, slots[index].along) << index + 1;
        EXPECT_GE(movedSlots[index].across, slots[index].across) << index + 1;
    }
}

} // namespace
