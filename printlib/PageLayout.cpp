#include "PageLayout.h"

#include "BarcodeBlocks.h"
#include "BarcodeText.h"
#include "FieldLayout.h"
#include "LayoutCommands.h"
#include "LetterCase.h"
#include "SSError.h"

namespace {

constexpr std::u16string_view kHeaderSymbolOptions = u"/M17|/R12|/C4|/OH|/E2";
constexpr std::u16string_view kHeaderSymbolScale = u"scale:1.5,3.5";
constexpr double kHeaderLineFontSize = 6.0;
constexpr std::size_t kGuidGroups = 8;
constexpr std::size_t kGuidGroupLength = 4;

// "0123 4567 89AB ...": the guid's first 32 characters in groups of four.
std::u16string groupedGuid(std::u16string_view guid)
{
    std::u16string text;
    for (std::size_t group = 0; group < kGuidGroups && group * kGuidGroupLength < guid.size(); ++group) {
        if (group > 0)
            text += u' ';
        text += guid.substr(group * kGuidGroupLength, kGuidGroupLength);
    }
    return text;
}

// The page's elements in order: each adder takes the next number.
class PageWriter {
public:
    PageWriter(LayoutRenderer& renderer, ElementPlace place) : table_(renderer.Elements()), place_(place) {}

    void transform(std::u16string_view text) { table_.AddTransformElement(place_, text, order_++); }
    void formPage() { table_.AddPageImageElement(place_, u"", u"", order_++); }
    void barcode(std::u16string_view data, std::u16string_view options, const LayoutPoint& at,
                 std::u16string_view scale)
    {
        table_.AddBarcodeElement(place_, data, options, LayoutCommands::barcodeCommand(at.x, at.y), scale, order_++);
    }
    void text(std::u16string_view text, std::u16string_view command)
    {
        table_.AddTextElement(place_, ElementKind::Text, text, command, u"", 0, order_++);
    }
    void cross(const LayoutPoint& at)
    {
        table_.AddCrossElement(place_, LayoutCommands::crossCommand(at.x, at.y), u"", order_++);
    }

    int& order() { return order_; }

private:
    ElementTable& table_;
    ElementPlace place_;
    int order_ = 1;
};

} // namespace

void PageLayout::UseImageTransforms(int scaleArgument)
{
    transforms_ = ImagePageTransforms(scaleArgument);
    places_ = {};
}

void PageLayout::UsePrintTransforms(int scaleArgument, const PrinterGeometry& printer, PrintKind kind)
{
    PrintGeometry geometry = PrintPageGeometry(scaleArgument, printer, kind);
    transforms_ = std::move(geometry.transforms);
    places_ = geometry.places;
}

void PageLayout::LayoutSheet(const DocumentHeader& document, const DataSheet& sheet, LayoutRenderer& renderer,
                             int tablePage) const
{
    renderer.SetFallbackOnOverflow(!document.noLine);
    const bool landscape = renderer.IsLandscapePage(sheet.pageNumber);
    const ElementPlace place{sheet.pageNumber, tablePage};
    PageWriter page(renderer, place);

    page.transform(landscape ? transforms_.landscapeOpen : transforms_.portraitOpen);
    page.formPage();

    const FieldPage fieldPage{place, sheet.number, sheet.pageNumber, document.noLine, landscape};
    for (const DataField& field : sheet.fields)
        page.order() = LayoutField(field, fieldPage, renderer, page.order());

    // The closing transform takes the drawing back to page coordinates: the symbols and crosses
    // go into the strips the shrunk form leaves free, and a landscape page turns those strips
    // onto its own sides. Drawn through the opening transform they would lie over the form, or
    // off a landscape page.
    page.transform(landscape ? transforms_.landscapeClose : transforms_.portraitClose);

    page.barcode(LetterCase::upper(sheet.guid), kHeaderSymbolOptions, places_.headerSymbol, kHeaderSymbolScale);
    page.text(groupedGuid(sheet.guid),
              LayoutCommands::clippedStringCommand(
                  {places_.headerLine.x, places_.headerLine.y, kHeaderLineWidth, kHeaderLineHeight}, kHeaderLineWidth,
                  kHeaderLineClipHeight, {kHeaderLineFontSize, 1, 1, 0}));

    const std::u16string data = AssembleBarcodeData(sheet.fields);
    const BlockHeaderData header{document.identity, sheet.guid, sheet.codeText, sheet.number, document.sheetCount};
    const std::optional<std::vector<BarcodeBlock>> blocks = SplitBarcodeBlocks(header, data);
    if (!blocks)
        RaiseBarcodeDataTooBig(header, data, SSError::kSourceDocument, __LINE__);
    for (std::size_t index = 0; index < blocks->size(); ++index) {
        const BarcodeBlock& block = (*blocks)[index];
        page.barcode(block.text, block.options, places_.blocks[index], block.scale);
    }

    // The crosses go with the barcode blocks; a sheet always has one, holding at least its header.
    for (std::size_t index = 0; index < places_.crosses.size(); ++index)
        if (index != kHiddenCross)
            page.cross(places_.crosses[index]);
}

void PageLayout::LayoutBlankPage(int formPage, LayoutRenderer& renderer, int tablePage) const
{
    const bool landscape = renderer.IsLandscapePage(formPage);
    PageWriter page(renderer, {formPage, tablePage});
    page.transform(landscape ? transforms_.landscapeOpen : transforms_.portraitOpen);
    page.formPage();
    page.transform(landscape ? transforms_.landscapeClose : transforms_.portraitClose);
}
