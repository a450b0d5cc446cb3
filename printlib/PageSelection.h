#pragma once

// The page-selection text of the build and print jobs, read against the number of sheets:
// empty or containing "все" selects every sheet; otherwise a comma-separated list of sheet
// numbers ("3"), ranges in either order ("2-5", "5-2") and the words "нечет" (odd sheets) and
// "чет" (even sheets), words in any case. Sheets come in ascending order, each once, and only
// those from 1 to the sheet count.

#include <string_view>
#include <vector>

class PageSelection {
public:
    struct Range {
        int first;
        int last;
        bool operator==(const Range&) const = default;
    };

    PageSelection(std::u16string_view text, int sheetCount);

    // The numbered sheets and ranges, ascending and disjoint, within 1..sheet count.
    const std::vector<Range>& ranges() const { return ranges_; }
    // The number of sheets selected.
    int total() const { return total_; }

    // Walking the selection: the current sheet (0 past the end), how many were passed.
    bool atEnd() const { return current_ == 0; }
    int current() const { return current_; }
    int done() const { return done_; }
    void advance();

private:
    // The first selected sheet from `sheet` on, 0 when there is none.
    int firstFrom(int sheet) const;

    int sheetCount_;
    bool odd_ = false;
    bool even_ = false;
    std::vector<Range> ranges_;
    int total_ = 0;
    int current_ = 0;
    int done_ = 0;
};
