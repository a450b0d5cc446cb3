// Feeds arbitrary UTF-16 text to the element table's draw commands, transforms and texts:
// whatever a data document puts there, parsing keeps defaults for what it cannot read, every
// number it yields is finite, and the table either stores an element or raises its own error.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "DrawCommandParser.h"
#include "ElementTable.h"
#include "ElementText.h"
#include "ElementTransform.h"
#include "FuzzText.h"
#include "SSError.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void checkFinite(std::initializer_list<float> numbers)
{
    for (float number : numbers)
        check(std::isfinite(number));
}

void parseCommands(std::u16string_view command)
{
    const TextLayout text = ParseStringCommand(command);
    checkFinite({text.x, text.y, text.width, text.height, text.clipWidth, text.clipHeight, text.fontSize});
    check(text.tabStops.size() <= kMaxTabStops);
    for (float stop : text.tabStops)
        checkFinite({stop});
    const CrossLayout cross = parseCrossCommand(command);
    checkFinite({cross.x, cross.y, cross.width, cross.height, cross.penWidth});
    const BarcodePlace barcode = parseBarcodeCommand(command);
    checkFinite({barcode.x, barcode.y});
    const ImagePlace image = parsePageImageCommand(command);
    checkFinite({image.x, image.y, image.width, image.height});
}

void applyTransform(std::u16string_view transform)
{
    const ElementTransform parsed = ApplyTransform(transform);
    check(parsed.text.size() <= transform.size());
    check(parsed.text.find(u' ') == std::u16string::npos);
}

// Adds elements whose places, orders, texts and commands come from the input, then merges the
// text lines: nothing but the table's own error may escape.
void fillTable(std::u16string_view input, uint8_t plan)
{
    ElementTable table;
    std::size_t at = 0;
    for (int step = 0; step < 8 && at < input.size(); ++step) {
        const std::size_t next = std::min(input.size(), at + 1 + input[at] % 64);
        const std::u16string_view piece = input.substr(at, next - at);
        const ElementPlace place{static_cast<int32_t>(piece[0] % 4) - 1, static_cast<int32_t>(plan % 3)};
        const int32_t order =
            (plan & 8) != 0 ? static_cast<int32_t>(piece[0]) + ((plan & 16) != 0 ? 1 : -2) : kAfterLastElement;
        try {
            switch ((plan + step) % 4) {
            case 0: table.AddTextElement(place, ElementKind::Text, piece, piece, piece, 0, order); break;
            case 1: table.AddBarcodeElement(place, piece, piece, piece, piece, order); break;
            case 2: table.AddCrossElement(place, piece, piece, order); break;
            default: table.AddTransformElement(place, piece, order); break;
            }
        } catch (const SSError::CError&) {
        }
        at = next;
    }
    ElementTable copy;
    copy.CopyElementsAsLongText(table);
    copy.MergeTextLines();
    for (const auto& [key, element] : copy.elements()) {
        check(key == ElementTable::keyOf(element.page, element.order));
        check(element.page >= 1 && element.page <= kMaxPage && element.order >= 0 && element.order <= kMaxOrder);
    }
}

} // namespace

// The first byte chooses how the table is filled; the rest is the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::u16string input = fuzzText(data + 1, size - 1);
    parseCommands(input);
    applyTransform(input);
    NormalizeText(input);
    NormalizeBarcodeOptions(input);
    cellMarkOf(input);
    fillTable(input, data[0]);
    return 0;
}
