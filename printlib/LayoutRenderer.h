#pragma once

// What the page layout needs of the page renderer: the element table it fills, the renderer's
// text measuring, and facts about the source TIFF. The page renderer implements it.

#include "DrawCommandParser.h"
#include "ElementTable.h"

#include <string>
#include <string_view>

class LayoutRenderer {
public:
    virtual ~LayoutRenderer() = default;

    // The table the layout adds the page's draw elements to.
    virtual ElementTable& Elements() = 0;

    // On: a text that fits its rectangle at no size is drawn at the smallest size; off: it is
    // an overflow error. Documents drawn with cell lines turn it on, no-line documents off.
    virtual void SetFallbackOnOverflow(bool on) = 0;

    // Whether frame `sourcePage` (from 1) of the source TIFF is wider than it is high.
    virtual bool IsLandscapePage(int sourcePage) = 0;

    // The file name of the source TIFF, named in messages about data that does not fit the form.
    virtual std::u16string FormName() = 0;

    // The number of lines the text fills when set in the layout's width at the layout's font
    // size, the height not limiting it.
    virtual int MeasureTextLines(const TextLayout& layout, std::u16string_view text) = 0;

    // The largest font size, at most each layout's own, at which both texts fit their layouts
    // (an empty text is left out); 0 when a text fits at no size the fitting tries.
    virtual float MeasureFontSize(const TextLayout& first, std::u16string_view firstText, const TextLayout& second,
                                  std::u16string_view secondText) = 0;
};
