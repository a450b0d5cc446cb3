#pragma once

// The page renderer's element table: everything to be drawn, page by page and in order. Each
// element names its page, its order on the page, its kind, its draw command, its transform and,
// for texts and barcodes, the text or data. The table is keyed by page * 65536 + order, so the
// elements of one page are consecutive and in order.

#include "ElementTransform.h"

#include <cstdint>
#include <map>
#include <string>

enum class ElementKind : int32_t {
    Text = 4,           // "STRING" text cell, or a cell mark
    Barcode = 5,        // "BARCODE" PDF417 symbol
    PageImage = 7,      // frame of the source TIFF
    Transform = 8,      // from here on, the page's world transform is the element's matrix
    Cross = 9,          // "CROSS"
    TextBlockHead = 12, // first line of a text block, holding the block's whole text
    TextBlockLine = 13, // further line of a block, drawn with its head only
    LongText = 14,      // texts over 60 characters get the long-text fitting; never overflows
    StrictLongText = 15 // as LongText, but overflow is an error
};

bool isTextKind(ElementKind kind);

struct RenderElement {
    int32_t order = -1;
    int32_t page = 0;
    // The 1-based frame of the source TIFF the page shows.
    int32_t sourcePage = 0;
    ElementKind kind = ElementKind::Text;
    std::u16string text;
    int32_t carriedValue = 0;
    std::u16string command;
    std::u16string options;
    std::u16string transformText;
    TransformMatrix matrix;
};

// Where an element goes: the source frame (0: the same as the page) and the page.
struct ElementPlace {
    int32_t sourcePage = 0;
    int32_t page = 0;
};

inline constexpr int32_t kAfterLastElement = -1;
inline constexpr int32_t kMaxPage = 65535;
inline constexpr int32_t kMaxOrder = 65535;

class ElementTable {
public:
    using Elements = std::map<uint32_t, RenderElement>;

    // The elements of one page, in order.
    struct PageElements {
        Elements::const_iterator first;
        Elements::const_iterator last;
        Elements::const_iterator begin() const { return first; }
        Elements::const_iterator end() const { return last; }
        bool empty() const { return first == last; }
    };

    // kind is Text, LongText or StrictLongText; the text is normalised.
    void AddTextElement(ElementPlace place, ElementKind kind, std::u16string_view text, std::u16string_view command,
                        std::u16string_view transform, int32_t carriedValue, int32_t order = kAfterLastElement);
    void AddBarcodeElement(ElementPlace place, std::u16string_view data, std::u16string_view options,
                           std::u16string_view command, std::u16string_view transform,
                           int32_t order = kAfterLastElement);
    void AddPageImageElement(ElementPlace place, std::u16string_view command, std::u16string_view transform,
                             int32_t order = kAfterLastElement);
    void AddCrossElement(ElementPlace place, std::u16string_view command, std::u16string_view transform,
                         int32_t order = kAfterLastElement);
    void AddTransformElement(ElementPlace place, std::u16string_view transform, int32_t order = kAfterLastElement);

    // Stores the element under its page and order; order -1 puts it after the page's last.
    void InsertElement(RenderElement element);

    // Stores every element of `other` under the same key, replacing what is stored there.
    void CopyElements(const ElementTable& other);
    // The same, each element becoming a LongText.
    void CopyElementsAsLongText(const ElementTable& other);

    // Joins text cells that lie one under another (left edge and width each within 10 mm of the
    // line before) into blocks: the head holds the block's text and rectangle, the other lines
    // keep their own rectangles.
    void MergeTextLines();

    const Elements& elements() const { return elements_; }
    PageElements elementsOfPage(int32_t page) const;
    bool empty() const { return elements_.empty(); }
    void clear() { elements_.clear(); }

    static uint32_t keyOf(int32_t page, int32_t order)
    {
        return static_cast<uint32_t>(page) * 65536u + static_cast<uint32_t>(order);
    }

private:
    void add(ElementPlace place, ElementKind kind, std::u16string_view command, std::u16string_view transform,
             int32_t order, RenderElement element);

    Elements elements_;
};
