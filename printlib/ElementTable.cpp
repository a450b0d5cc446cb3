#include "ElementTable.h"

#include "DrawCommandParser.h"
#include "ElementText.h"
#include "SSError.h"
#include "WideText.h"

#include <charconv>
#include <cmath>
#include <vector>

namespace {

constexpr int kSource = SSError::kRendererSourceOffset + SSError::kSourceTifOperation;
constexpr float kSameColumnTolerance = 10;

[[noreturn]] void raiseInvalid(int line, std::u16string_view detail)
{
    SSError::CPrgError(kSource, line, SSError::kErrInvalidParametersDetail).addDetail(detail).raise();
}

bool isPageNumber(int32_t number)
{
    return number >= 1 && number <= kMaxPage;
}

// "%f " in the "C" locale.
std::u16string fixedField(float value)
{
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6).ptr;
    std::u16string field(text, end);
    return field + u" ";
}

// The command with fields 0 to 3 (the rectangle) replaced.
std::u16string withRectangle(std::u16string_view command, float x, float y, float width, float height)
{
    const std::size_t keywordEnd = command.find(u';');
    std::u16string rewritten(command.substr(0, keywordEnd));
    std::vector<std::u16string_view> fields = commandFields(command);
    const std::u16string rectangle[4] = {fixedField(x), fixedField(y), fixedField(width), fixedField(height)};
    fields.resize(std::max<std::size_t>(fields.size(), 4));
    for (std::size_t index = 0; index < fields.size(); ++index)
        rewritten += u";" + std::u16string(index < 4 ? std::u16string_view(rectangle[index]) : fields[index]);
    return rewritten;
}

struct TextBlock {
    uint32_t headKey;
    std::vector<uint32_t> lineKeys;
    std::u16string text;
    float x;
    float y;
    float width;
    float bottom;
    float lastLeft;
    float lastWidth;
};

} // namespace

bool isTextKind(ElementKind kind)
{
    return kind == ElementKind::Text || kind == ElementKind::TextBlockHead || kind == ElementKind::TextBlockLine ||
           kind == ElementKind::LongText || kind == ElementKind::StrictLongText;
}

void ElementTable::add(ElementPlace place, ElementKind kind, std::u16string_view command,
                       std::u16string_view transform, int32_t order, RenderElement element)
{
    element.order = order;
    element.page = place.page;
    element.sourcePage = place.sourcePage;
    element.kind = kind;
    element.command = command;
    ElementTransform parsed = ApplyTransform(transform);
    element.transformText = std::move(parsed.text);
    element.matrix = parsed.matrix;
    InsertElement(std::move(element));
}

void ElementTable::AddTextElement(ElementPlace place, ElementKind kind, std::u16string_view text,
                                  std::u16string_view command, std::u16string_view transform, int32_t carriedValue,
                                  int32_t order)
{
    RenderElement element;
    element.text = NormalizeText(text);
    element.carriedValue = carriedValue;
    add(place, kind, command, transform, order, std::move(element));
}

void ElementTable::AddBarcodeElement(ElementPlace place, std::u16string_view data, std::u16string_view options,
                                     std::u16string_view command, std::u16string_view transform, int32_t order)
{
    RenderElement element;
    element.text = data;
    element.options = NormalizeBarcodeOptions(options);
    add(place, ElementKind::Barcode, command, transform, order, std::move(element));
}

void ElementTable::AddPageImageElement(ElementPlace place, std::u16string_view command, std::u16string_view transform,
                                       int32_t order)
{
    add(place, ElementKind::PageImage, command, transform, order, {});
}

void ElementTable::AddCrossElement(ElementPlace place, std::u16string_view command, std::u16string_view transform,
                                   int32_t order)
{
    add(place, ElementKind::Cross, command, transform, order, {});
}

void ElementTable::AddTransformElement(ElementPlace place, std::u16string_view transform, int32_t order)
{
    add(place, ElementKind::Transform, u"", transform, order, {});
}

ElementTable::PageElements ElementTable::elementsOfPage(int32_t page) const
{
    if (!isPageNumber(page))
        return {elements_.end(), elements_.end()};
    return {elements_.lower_bound(keyOf(page, 0)), elements_.upper_bound(keyOf(page, kMaxOrder))};
}

void ElementTable::InsertElement(RenderElement element)
{
    if (element.sourcePage == 0)
        element.sourcePage = element.page;
    if (!isPageNumber(element.page) || !isPageNumber(element.sourcePage))
        raiseInvalid(__LINE__, u"Номер страницы должен быть в диапазоне от 1 до 65535");
    if (element.order == kAfterLastElement) {
        const auto pageElements = elementsOfPage(element.page);
        element.order = pageElements.empty() ? 1 : std::prev(pageElements.end())->second.order + 1;
    }
    if (element.order < 0 || element.order > kMaxOrder)
        raiseInvalid(__LINE__, u"Максимальное количество поддерживаемых полей на странице - 65535");
    const uint32_t key = keyOf(element.page, element.order);
    if (elements_.contains(key))
        raiseInvalid(__LINE__, u"Вставляемый элемент с порядковым номером " + WideText::decimal(element.order) +
                                   u" уже существует на странице " + WideText::decimal(element.page));
    elements_.emplace(key, std::move(element));
}

void ElementTable::CopyElements(const ElementTable& other)
{
    for (const auto& [key, element] : other.elements_)
        elements_.insert_or_assign(key, element);
}

void ElementTable::CopyElementsAsLongText(const ElementTable& other)
{
    for (const auto& [key, element] : other.elements_) {
        RenderElement copy = element;
        copy.kind = ElementKind::LongText;
        elements_.insert_or_assign(key, std::move(copy));
    }
}

void ElementTable::MergeTextLines()
{
    std::vector<TextBlock> blocks;
    int32_t blockPage = 0;
    for (const auto& [key, element] : elements_) {
        if (!isTextKind(element.kind))
            continue;
        const TextLayout layout = ParseStringCommand(element.command);
        TextBlock* last = blocks.empty() || blockPage != element.page ? nullptr : &blocks.back();
        if (last && std::fabs(layout.x - last->lastLeft) < kSameColumnTolerance &&
            std::fabs(layout.width - last->lastWidth) < kSameColumnTolerance) {
            last->lineKeys.push_back(key);
            last->text += element.text;
            last->bottom = std::max(last->bottom, layout.y + layout.height);
            last->lastLeft = layout.x;
            last->lastWidth = layout.width;
            continue;
        }
        blocks.push_back({key, {}, element.text, layout.x, layout.y, layout.width, layout.y + layout.height,
                          layout.x, layout.width});
        blockPage = element.page;
    }
    for (const TextBlock& block : blocks) {
        if (block.lineKeys.empty())
            continue;
        RenderElement& head = elements_.at(block.headKey);
        head.kind = ElementKind::TextBlockHead;
        head.text = block.text;
        head.command = withRectangle(head.command, block.x, block.y, block.width, block.bottom - block.y);
        for (uint32_t lineKey : block.lineKeys)
            elements_.at(lineKey).kind = ElementKind::TextBlockLine;
    }
}
