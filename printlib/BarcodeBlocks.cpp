#include "BarcodeBlocks.h"

#include "EngineText.h"
#include "ErrorTexts.h"
#include "PageGeometry.h"
#include "Pdf417.h"
#include "SSError.h"
#include "WideText.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace {

struct BlockShape {
    // Characters, the block's header included.
    int capacity;
    // While sizing the symbol is tried standing; the top row then lies it down.
    std::u16string_view sizingOptions;
    std::u16string_view options;
    std::u16string_view scale;
    // The parts of `scale` that size a module along the symbol's rows and across them: the top
    // row lies its rows along the page's width, the left column turns them down the page.
    double alongScale;
    double acrossScale;
};

using Pass = std::array<BlockShape, kMaxBarcodeBlocks>;

constexpr Pass kSmallPass = {{
    {270, u"/M4|/R28|/OV", u"/M4|/R28|/OH", u"scale:1.5,3.5", 1.5, 3.5},
    {270, u"/M4|/R28|/OV", u"/M4|/R28|/OH", u"scale:1.5,3.5", 1.5, 3.5},
    {224, u"/M4|/R21|/OV", u"/M4|/R21|/OV", u"scale:3.5,1.5", 1.5, 3.5},
    {224, u"/M4|/R21|/OV", u"/M4|/R21|/OV", u"scale:3.5,1.5", 1.5, 3.5},
}};

constexpr Pass kLargePass = {{
    {926, u"/M4|/R84|/OV", u"/M4|/R84|/OH", u"scale:1.19,1.18", 1.19, 1.18},
    {926, u"/M4|/R84|/OV", u"/M4|/R84|/OH", u"scale:1.19,1.18", 1.19, 1.18},
    {926, u"/M4|/R63|/OV", u"/M4|/R63|/OV", u"scale:1.18,1.19", 1.19, 1.18},
    {926, u"/M4|/R63|/OV", u"/M4|/R63|/OV", u"scale:1.18,1.19", 1.19, 1.18},
}};

// A module of the symbol bitmap before the block's scale.
constexpr double kModuleMillimetres = 25.4 / Pdf417Resolution;

// The text makes a symbol, and the symbol stays inside the block's slot: fixed rows let mixed
// letters and digits widen a symbol far beyond what its capacity in characters suggests.
bool fitsSlot(std::u16string_view text, const BlockShape& shape, const BlockSlot& slot)
{
    const std::optional<Pdf417Shape> symbol =
        MeasurePdf417(SplitPdf417Options(u"-" + std::u16string(text), shape.sizingOptions));
    return symbol && Pdf417RowModules(symbol->columns) * kModuleMillimetres * shape.alongScale <= slot.along &&
        symbol->rows * kModuleMillimetres * shape.acrossScale <= slot.across;
}

std::u16string blockHeader(const BlockHeaderData& data, int index, int block, int blockCount)
{
    return index == 0 ? FirstBlockHeader(data, block, blockCount) : NextBlockHeader(data, block, blockCount);
}

// How many characters of the data each block of a pass takes; `complete` when they are all of it.
struct PassSplit {
    std::vector<std::size_t> lengths;
    bool complete = false;

    std::size_t taken() const { return std::accumulate(lengths.begin(), lengths.end(), std::size_t{0}); }
};

// Headers are sized with their final length: block numbers and the count are single digits.
PassSplit splitPass(const Pass& pass, const BlockHeaderData& data, std::u16string_view barcodeData)
{
    static const std::array<BlockSlot, kMaxBarcodeBlocks> slots = BarcodeBlockSlots();
    PassSplit split;
    std::size_t taken = 0;
    for (int index = 0; index < kMaxBarcodeBlocks; ++index) {
        const BlockShape& shape = pass[static_cast<std::size_t>(index)];
        const BlockSlot& slot = slots[static_cast<std::size_t>(index)];
        const std::u16string head = blockHeader(data, index, 1, 1);
        if (head.size() > static_cast<std::size_t>(shape.capacity) || !fitsSlot(head, shape, slot))
            return split;
        const std::u16string_view rest = barcodeData.substr(taken);
        const std::size_t most = std::min(rest.size(), static_cast<std::size_t>(shape.capacity) - head.size());
        const auto fitsWith = [&](std::size_t count) {
            return fitsSlot(head + std::u16string(rest.substr(0, count)), shape, slot);
        };
        // A symbol only fills up as data is added, so the most that fits is found by halving
        // instead of trying one character after another.
        std::size_t count = most;
        if (!fitsWith(count)) {
            // Invariant: `low` characters fit, `high` do not.
            std::size_t low = 0;
            std::size_t high = most;
            while (high - low > 1) {
                const std::size_t middle = low + (high - low) / 2;
                (fitsWith(middle) ? low : high) = middle;
            }
            count = low;
        }
        split.lengths.push_back(count);
        taken += count;
        if (taken == barcodeData.size()) {
            split.complete = true;
            return split;
        }
        if (count == 0)
            return split;
    }
    return split;
}

} // namespace

std::u16string FirstBlockHeader(const BlockHeaderData& data, int block, int blockCount)
{
    return EngineText::formatString(ErrorTexts::kComposition218,
                                    {data.identity, data.guid, data.code, WideText::decimal(block),
                                     WideText::decimal(blockCount), WideText::decimal(data.sheet), u"*",
                                     WideText::decimal(data.sheetCount)});
}

std::u16string NextBlockHeader(const BlockHeaderData& data, int block, int blockCount)
{
    return EngineText::formatString(ErrorTexts::kComposition213,
                                    {std::u16string_view(data.guid).substr(0, 8), WideText::decimal(block),
                                     WideText::decimal(blockCount), WideText::decimal(data.sheet), u"*",
                                     WideText::decimal(data.sheetCount)});
}

std::optional<std::vector<BarcodeBlock>> SplitBarcodeBlocks(const BlockHeaderData& header, std::u16string_view data)
{
    for (const Pass* pass : {&kSmallPass, &kLargePass}) {
        const PassSplit split = splitPass(*pass, header, data);
        if (!split.complete)
            continue;
        const int count = static_cast<int>(split.lengths.size());
        std::vector<BarcodeBlock> blocks;
        std::size_t taken = 0;
        for (int index = 0; index < count; ++index) {
            const std::size_t length = split.lengths[static_cast<std::size_t>(index)];
            const BlockShape& shape = (*pass)[static_cast<std::size_t>(index)];
            blocks.push_back({blockHeader(header, index, index + 1, count) + std::u16string(data.substr(taken, length)),
                              std::u16string(shape.options), std::u16string(shape.scale)});
            taken += length;
        }
        return blocks;
    }
    return std::nullopt;
}

void RaiseBarcodeDataTooBig(const BlockHeaderData& header, std::u16string_view data, int sourceId, int line)
{
    const std::size_t capacity = splitPass(kLargePass, header, data).taken();
    SSError::CPrgError(sourceId, line, SSError::kErr0xC008000B)
        .addDetail(u"страница документа " + WideText::decimal(header.sheet) + u", длина данных " +
                   WideText::decimal(static_cast<int64_t>(data.size())) + u" символов, в блоки помещается " +
                   WideText::decimal(static_cast<int64_t>(capacity)))
        .raise();
}
