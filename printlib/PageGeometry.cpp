#include "PageGeometry.h"

#include "EngineText.h"
#include "SSError.h"
#include "WideText.h"

#include <algorithm>
#include <cmath>

namespace {

// Room kept for the left block column (its symbols are 19 mm wide) and the top block row.
constexpr double kLeftColumnWidth = 19;
constexpr double kGap = 1;
// The printable area the corrections make sure of.
constexpr int kMinimumMargin = 5;
constexpr double kDocumentPrintFactor = 0.87;
constexpr double kBlankPrintFactor = 0.95;
// The largest scale argument, in per cent, at which a form page fits the page.
constexpr int kFullScale = 100;
// Keeps 210 × (1 − 0.9) from coming out just below 21.
constexpr double kRoundingSlack = 1e-9;

std::u16string number(long long value)
{
    return WideText::decimal(value);
}

std::u16string scaleText(double scale)
{
    return EngineText::fixed(scale, 6);
}

int offsetMillimetres(int offset, int dpi)
{
    return dpi > 0 ? static_cast<int>(offset * 25.4 / dpi) : 0;
}

int marginCorrection(int offsetMm)
{
    return offsetMm >= kMinimumMargin ? 0 : kMinimumMargin - offsetMm;
}

// The smallest x and y of any place: a correction that moved the places further up or left would
// push the header symbol (4 mm from the top) off the sheet, where a printer that prints from the
// very edge (as a file or a printer reporting no margins does) cuts its top rows off.
LayoutPoint nearestPlaceToTheCorner(const LayoutPlaces& places)
{
    LayoutPoint corner = places.headerSymbol;
    const auto nearer = [&](const LayoutPoint& point) {
        corner.x = std::min(corner.x, point.x);
        corner.y = std::min(corner.y, point.y);
    };
    std::ranges::for_each(places.blocks, nearer);
    std::ranges::for_each(places.crosses, nearer);
    nearer(places.headerLine);
    return corner;
}

} // namespace

std::array<BlockSlot, 4> BarcodeBlockSlots(const LayoutPlaces& places)
{
    const auto& [first, second, third, fourth] = places.blocks;
    // Crosses 4 and 5 stand in the top row, cross 2 in the left column.
    const LayoutPoint& topMiddleCross = places.crosses[3];
    const LayoutPoint& topRightCross = places.crosses[4];
    const LayoutPoint& leftMiddleCross = places.crosses[1];
    return {{{topRightCross.x - first.x - kGap, kPageHeight - first.y},
             {topMiddleCross.x - second.x - kGap, kPageHeight - second.y},
             {first.y - third.y - kGap, kLeftColumnWidth},
             {leftMiddleCross.y - fourth.y - kGap, kLeftColumnWidth}}};
}

PageTransforms ImagePageTransforms(int scaleArgument)
{
    const LayoutPlaces places;
    const double leftColumn = places.blocks[2].x;
    const double topRow = places.blocks[0].y;
    if (scaleArgument > kFullScale)
        SSError::CPrgError(SSError::kSourceDocument, __LINE__, SSError::kErrInvalidParametersDetail)
            .addDetail(u"масштаб " + number(scaleArgument) + u" % больше " + number(kFullScale) +
                       u" %, форма не помещается на страницу")
            .raise();
    const double scale = scaleArgument > 0
        ? scaleArgument / 100.0
        : std::min((kPageWidth - leftColumn - kLeftColumnWidth - kGap) / kPageWidth, (topRow - kGap) / kPageHeight);
    // The form moves right to clear the left block column, but never past the page's right
    // edge: above about 88 % the room shrinks and the column's symbols lie over the form.
    const auto room = static_cast<long long>(leftColumn + kLeftColumnWidth + kGap);
    const auto shift = std::min(room, static_cast<long long>(std::floor(kPageWidth * (1 - scale) + kRoundingSlack)));
    const auto landscapeShift = static_cast<long long>(std::floor(kPageHeight - kPageHeight * scale + 0.5));
    return {scale, u"translate:" + number(shift) + u",0;scale:" + scaleText(scale),
            u"translate:" + number(landscapeShift) + u"," + number(shift) + u";scale:" + scaleText(scale), u"scale:1",
            u"scale:1;turn:90;translate:0,-" + number(static_cast<long long>(kPageHeight))};
}

PrintGeometry PrintPageGeometry(int scaleArgument, const PrinterGeometry& printer, PrintKind kind)
{
    // A document's places move up and left by the corrections, never past the printable area's
    // corner: so they stay on the sheet whatever the printer's margins. The form page moves with
    // them. Blank forms have no places, and their form page always starts on the sheet.
    int correctionX = marginCorrection(offsetMillimetres(printer.offsetX, printer.dpiX));
    int correctionY = marginCorrection(offsetMillimetres(printer.offsetY, printer.dpiY));
    if (kind == PrintKind::Document) {
        const LayoutPoint corner = nearestPlaceToTheCorner(LayoutPlaces{});
        correctionX = std::min(correctionX, static_cast<int>(std::floor(corner.x)));
        correctionY = std::min(correctionY, static_cast<int>(std::floor(corner.y)));
    }
    const double scale = (scaleArgument > 0 ? scaleArgument : 100) / 100.0 *
        (kind == PrintKind::Document ? kDocumentPrintFactor : kBlankPrintFactor);
    const auto margin = static_cast<long long>(std::floor(kMinimumMargin * scale));
    const long long shiftX = correctionX - margin + (kind == PrintKind::Document ? 20 : 7);
    const long long shiftY = correctionY - margin;
    const auto turnedShift = static_cast<long long>(std::floor(-kPageHeight * scale));

    PrintGeometry geometry;
    geometry.transforms = {scale,
                           u"translate:" + number(shiftX) + u"," + number(shiftY) + u";scale:" + scaleText(scale),
                           u"turn:-90;translate:" + number(turnedShift) + u",0;translate:" +
                               number(margin - correctionY) + u"," + number(shiftX) + u";scale:" + scaleText(scale),
                           u"scale:1", u"scale:1"};
    if (kind == PrintKind::Document) {
        const auto correct = [&](LayoutPoint& point) {
            point.x -= correctionX;
            point.y -= correctionY;
        };
        std::ranges::for_each(geometry.places.blocks, correct);
        std::ranges::for_each(geometry.places.crosses, correct);
        correct(geometry.places.headerLine);
        correct(geometry.places.headerSymbol);
    }
    return geometry;
}
