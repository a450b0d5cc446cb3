#include "G4Encoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

struct Code {
    uint16_t bits;
    uint8_t length;
};

// Run-length codes of ITU-T T.4, written as the code's bits right-aligned and its length.
constexpr Code kWhiteTerminating[64] = {
    {0x35, 8}, {0x07, 6}, {0x07, 4}, {0x08, 4}, {0x0B, 4}, {0x0C, 4}, {0x0E, 4}, {0x0F, 4},
    {0x13, 5}, {0x14, 5}, {0x07, 5}, {0x08, 5}, {0x08, 6}, {0x03, 6}, {0x34, 6}, {0x35, 6},
    {0x2A, 6}, {0x2B, 6}, {0x27, 7}, {0x0C, 7}, {0x08, 7}, {0x17, 7}, {0x03, 7}, {0x04, 7},
    {0x28, 7}, {0x2B, 7}, {0x13, 7}, {0x24, 7}, {0x18, 7}, {0x02, 8}, {0x03, 8}, {0x1A, 8},
    {0x1B, 8}, {0x12, 8}, {0x13, 8}, {0x14, 8}, {0x15, 8}, {0x16, 8}, {0x17, 8}, {0x28, 8},
    {0x29, 8}, {0x2A, 8}, {0x2B, 8}, {0x2C, 8}, {0x2D, 8}, {0x04, 8}, {0x05, 8}, {0x0A, 8},
    {0x0B, 8}, {0x52, 8}, {0x53, 8}, {0x54, 8}, {0x55, 8}, {0x24, 8}, {0x25, 8}, {0x58, 8},
    {0x59, 8}, {0x5A, 8}, {0x5B, 8}, {0x4A, 8}, {0x4B, 8}, {0x32, 8}, {0x33, 8}, {0x34, 8},
};

// 64, 128, ... 1728.
constexpr Code kWhiteMakeUp[27] = {
    {0x1B, 5}, {0x12, 5}, {0x17, 6}, {0x37, 7}, {0x36, 8}, {0x37, 8}, {0x64, 8}, {0x65, 8},
    {0x68, 8}, {0x67, 8}, {0xCC, 9}, {0xCD, 9}, {0xD2, 9}, {0xD3, 9}, {0xD4, 9}, {0xD5, 9},
    {0xD6, 9}, {0xD7, 9}, {0xD8, 9}, {0xD9, 9}, {0xDA, 9}, {0xDB, 9}, {0x98, 9}, {0x99, 9},
    {0x9A, 9}, {0x18, 6}, {0x9B, 9},
};

constexpr Code kBlackTerminating[64] = {
    {0x37, 10}, {0x02, 3},  {0x03, 2},  {0x02, 2},  {0x03, 3},  {0x03, 4},  {0x02, 4},  {0x03, 5},
    {0x05, 6},  {0x04, 6},  {0x04, 7},  {0x05, 7},  {0x07, 7},  {0x04, 8},  {0x07, 8},  {0x18, 9},
    {0x17, 10}, {0x18, 10}, {0x08, 10}, {0x67, 11}, {0x68, 11}, {0x6C, 11}, {0x37, 11}, {0x28, 11},
    {0x17, 11}, {0x18, 11}, {0xCA, 12}, {0xCB, 12}, {0xCC, 12}, {0xCD, 12}, {0x68, 12}, {0x69, 12},
    {0x6A, 12}, {0x6B, 12}, {0xD2, 12}, {0xD3, 12}, {0xD4, 12}, {0xD5, 12}, {0xD6, 12}, {0xD7, 12},
    {0x6C, 12}, {0x6D, 12}, {0xDA, 12}, {0xDB, 12}, {0x54, 12}, {0x55, 12}, {0x56, 12}, {0x57, 12},
    {0x64, 12}, {0x65, 12}, {0x52, 12}, {0x53, 12}, {0x24, 12}, {0x37, 12}, {0x38, 12}, {0x27, 12},
    {0x28, 12}, {0x58, 12}, {0x59, 12}, {0x2B, 12}, {0x2C, 12}, {0x5A, 12}, {0x66, 12}, {0x67, 12},
};

constexpr Code kBlackMakeUp[27] = {
    {0x0F, 10}, {0xC8, 12}, {0xC9, 12}, {0x5B, 12}, {0x33, 12}, {0x34, 12}, {0x35, 12},
    {0x6C, 13}, {0x6D, 13}, {0x4A, 13}, {0x4B, 13}, {0x4C, 13}, {0x4D, 13}, {0x72, 13},
    {0x73, 13}, {0x74, 13}, {0x75, 13}, {0x76, 13}, {0x77, 13}, {0x52, 13}, {0x53, 13},
    {0x54, 13}, {0x55, 13}, {0x5A, 13}, {0x5B, 13}, {0x64, 13}, {0x65, 13},
};

// 1792, 1856, ... 2560, shared by both colours.
constexpr Code kExtendedMakeUp[13] = {
    {0x08, 11}, {0x0C, 11}, {0x0D, 11}, {0x12, 12}, {0x13, 12}, {0x14, 12}, {0x15, 12},
    {0x16, 12}, {0x17, 12}, {0x1C, 12}, {0x1D, 12}, {0x1E, 12}, {0x1F, 12},
};

constexpr Code kPass = {0x1, 4};
constexpr Code kHorizontal = {0x1, 3};
constexpr Code kEndOfLine = {0x1, 12};
// Indexed by a1 - b1 + 3: VL3, VL2, VL1, V0, VR1, VR2, VR3.
constexpr Code kVertical[7] = {{0x02, 7}, {0x02, 6}, {0x02, 3}, {0x1, 1}, {0x03, 3}, {0x03, 6}, {0x03, 7}};

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}

    void put(Code code)
    {
        pending_ = (pending_ << code.length) | code.bits;
        pendingBits_ += code.length;
        if (pendingBits_ >= 32) {
            pendingBits_ -= 32;
            const uint32_t word = static_cast<uint32_t>(pending_ >> pendingBits_);
            const uint8_t bytes[4] = {static_cast<uint8_t>(word >> 24), static_cast<uint8_t>(word >> 16),
                                      static_cast<uint8_t>(word >> 8), static_cast<uint8_t>(word)};
            out_.insert(out_.end(), bytes, bytes + 4);
        }
    }

    // Writes what is pending, the last byte filled with 0 bits.
    void finish()
    {
        while (pendingBits_ > 0) {
            const int shift = pendingBits_ - 8;
            out_.push_back(static_cast<uint8_t>(shift >= 0 ? pending_ >> shift : pending_ << -shift));
            pendingBits_ = std::max(shift, 0);
        }
    }

private:
    std::vector<uint8_t>& out_;
    uint64_t pending_ = 0;
    int pendingBits_ = 0;
};

void putRun(BitWriter& writer, int run, bool black)
{
    while (run >= 2624) {
        writer.put(kExtendedMakeUp[12]);
        run -= 2560;
    }
    if (run >= 64) {
        const int makeUp = run / 64;
        if (makeUp >= 28)
            writer.put(kExtendedMakeUp[makeUp - 28]);
        else
            writer.put(black ? kBlackMakeUp[makeUp - 1] : kWhiteMakeUp[makeUp - 1]);
        run -= makeUp * 64;
    }
    writer.put(black ? kBlackTerminating[run] : kWhiteTerminating[run]);
}

uint64_t loadBigEndian(const uint8_t* bytes)
{
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return std::endian::native == std::endian::little ? __builtin_bswap64(word) : word;
}

// The changing elements of a row: the positions whose colour differs from the pixel before (the
// pixel before the first counts as white), so that the colour of change k is black for even k.
// Three sentinels at `width` stand for the imaginary changes after the row's end.
void findChanges(const uint8_t* row, int width, std::vector<int>& changes)
{
    changes.clear();
    uint64_t previousPixel = 0;
    for (int base = 0; base < width; base += 64) {
        const int pixels = std::min(64, width - base);
        uint64_t word;
        if (pixels == 64) {
            word = loadBigEndian(row + base / 8);
        } else {
            uint8_t tail[8] = {};
            std::memcpy(tail, row + base / 8, static_cast<std::size_t>(pixels + 7) / 8);
            word = loadBigEndian(tail) & (~uint64_t{0} << (64 - pixels));
        }
        uint64_t differences = word ^ ((word >> 1) | (previousPixel << 63));
        if (pixels < 64)
            differences &= ~uint64_t{0} << (64 - pixels);
        previousPixel = word & 1;
        while (differences != 0) {
            const int offset = std::countl_zero(differences);
            changes.push_back(base + offset);
            differences &= ~(uint64_t{1} << 63 >> offset);
        }
    }
    changes.insert(changes.end(), 3, width);
}

void encodeRow(BitWriter& writer, const std::vector<int>& line, const std::vector<int>& reference, int width)
{
    int a0 = -1;
    bool black = false; // colour of a0
    std::size_t nextA1 = 0;
    std::size_t nextB1 = 0;
    while (a0 < width) {
        while (line[nextA1] <= a0)
            ++nextA1;
        const int a1 = line[nextA1];
        while (reference[nextB1] <= a0)
            ++nextB1;
        // b1 is the first change right of a0 of the colour opposite to a0's.
        std::size_t b1Index = nextB1;
        if ((b1Index & 1) != (black ? 1u : 0u))
            ++b1Index;
        const int b1 = reference[b1Index];
        const int b2 = reference[b1Index + 1];

        if (b2 < a1) {
            writer.put(kPass);
            a0 = b2;
        } else if (a1 - b1 >= -3 && a1 - b1 <= 3) {
            writer.put(kVertical[a1 - b1 + 3]);
            a0 = a1;
            black = !black;
        } else {
            const int a2 = line[nextA1 + 1];
            writer.put(kHorizontal);
            putRun(writer, a1 - std::max(a0, 0), black);
            putRun(writer, a2 - a1, !black);
            a0 = a2;
        }
    }
}

} // namespace

std::vector<uint8_t> EncodeG4(const uint8_t* bits, int width, int height, std::size_t stride)
{
    std::vector<uint8_t> out;
    out.reserve(static_cast<std::size_t>(height) * 16 + 64);
    BitWriter writer(out);
    std::vector<int> reference;
    std::vector<int> line;
    reference.reserve(static_cast<std::size_t>(width) + 4);
    line.reserve(static_cast<std::size_t>(width) + 4);
    reference.assign(3, width); // the line above the first is white
    for (int y = 0; y < height; ++y) {
        findChanges(bits + static_cast<std::size_t>(y) * stride, width, line);
        encodeRow(writer, line, reference, width);
        std::swap(line, reference);
    }
    writer.put(kEndOfLine);
    writer.put(kEndOfLine);
    writer.finish();
    return out;
}
