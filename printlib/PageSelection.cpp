#include "PageSelection.h"

#include "EngineText.h"
#include "LetterCase.h"
#include "WideText.h"

#include <algorithm>

namespace {

constexpr std::u16string_view kAll = u"все";
constexpr std::u16string_view kOdd = u"нечет";
constexpr std::u16string_view kEven = u"чет";

} // namespace

PageSelection::PageSelection(std::u16string_view text, int sheetCount) : sheetCount_(std::max(sheetCount, 0))
{
    if (WideText::trimmed(text).empty() || LetterCase::containsIgnoringCase(text, kAll)) {
        odd_ = even_ = true;
    } else {
        while (true) {
            const std::size_t comma = text.find(u',');
            const std::u16string_view item = WideText::trimmed(text.substr(0, comma));
            if (LetterCase::equalIgnoringCase(item, kOdd)) {
                odd_ = true;
            } else if (LetterCase::equalIgnoringCase(item, kEven)) {
                even_ = true;
            } else if (const std::size_t dash = item.find(u'-'); dash != std::u16string_view::npos) {
                // Like the tag writer's page selection, a range needs two sheet numbers.
                const int from = EngineText::leadingInteger(item.substr(0, dash));
                const int to = EngineText::leadingInteger(item.substr(dash + 1));
                if (from >= 1 && to >= 1)
                    ranges_.push_back({std::min(from, to), std::max(from, to)});
            } else {
                const int sheet = EngineText::leadingInteger(item);
                ranges_.push_back({sheet, sheet});
            }
            if (comma == std::u16string_view::npos)
                break;
            text.remove_prefix(comma + 1);
        }
    }

    std::vector<Range> merged;
    std::ranges::sort(ranges_, {}, &Range::first);
    for (Range range : ranges_) {
        range.first = std::max(range.first, 1);
        range.last = std::min(range.last, sheetCount_);
        if (range.first > range.last)
            continue;
        if (!merged.empty() && range.first <= merged.back().last + 1)
            merged.back().last = std::max(merged.back().last, range.last);
        else
            merged.push_back(range);
    }
    ranges_ = std::move(merged);

    for (int sheet = firstFrom(1); sheet != 0; sheet = firstFrom(sheet + 1))
        ++total_;
    current_ = firstFrom(1);
}

int PageSelection::firstFrom(int sheet) const
{
    if (sheet < 1)
        sheet = 1;
    if (sheet > sheetCount_)
        return 0;
    int best = 0;
    if (odd_ || even_) {
        const bool parityMatches = (odd_ && sheet % 2 == 1) || (even_ && sheet % 2 == 0);
        best = parityMatches ? sheet : sheet + 1;
    }
    for (const Range& range : ranges_) {
        if (range.last < sheet)
            continue;
        const int candidate = std::max(range.first, sheet);
        if (best == 0 || candidate < best)
            best = candidate;
        break;
    }
    return best != 0 && best <= sheetCount_ ? best : 0;
}

void PageSelection::advance()
{
    if (current_ == 0)
        return;
    ++done_;
    current_ = firstFrom(current_ + 1);
}
