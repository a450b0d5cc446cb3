#pragma once

// The PDF417 blocks of a sheet: its barcode data split over at most four symbols, each starting
// with a block header. The blocks are filled greedily, first with the small capacities
// 270, 270, 224 and 224 characters; data that does not fit four small blocks is split again
// over four large blocks of 926 characters. The first two blocks are the top row of the page,
// the others its left column; each place has its symbol options and its module scale. A block
// also ends where its symbol would leave its slot on the page (see BarcodeBlockSlots).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kMaxBarcodeBlocks = 4;

struct BlockHeaderData {
    // `knd` followed by `version`.
    std::u16string identity;
    std::u16string guid;
    std::u16string code;
    int sheet = 0;
    int sheetCount = 0;
};

// The first block's header: identity, guid, code, block number, block count, "sheet*count".
std::u16string FirstBlockHeader(const BlockHeaderData& data, int block, int blockCount);
// A further block's header: the guid's first 8 characters, block number, block count, "sheet*count".
std::u16string NextBlockHeader(const BlockHeaderData& data, int block, int blockCount);

struct BarcodeBlock {
    // The header and the block's part of the data.
    std::u16string text;
    std::u16string options;
    // The transform that gives the symbol's modules their size on the page.
    std::u16string scale;
};

// The blocks, in the order of their places; nothing when the data does not fit four large
// blocks.
std::optional<std::vector<BarcodeBlock>> SplitBarcodeBlocks(const BlockHeaderData& header, std::u16string_view data);

// Raises 0xC008000B for data that SplitBarcodeBlocks cannot place, naming the sheet, the data's
// length and how many of its characters the four large blocks hold.
[[noreturn]] void RaiseBarcodeDataTooBig(const BlockHeaderData& header, std::u16string_view data, int sourceId,
                                         int line);
