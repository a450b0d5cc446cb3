#include "Md5.h"

#include "InputFile.h"
#include "SSError.h"

#include <bit>
#include <cstring>
#include <memory>

namespace {

constexpr std::size_t kBlockSize = 64;
// Large enough that reading costs little next to hashing.
constexpr std::size_t kFileChunkSize = 256 * 1024;

uint32_t loadLittleEndian(const uint8_t* bytes)
{
    uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = (word >> 24) | ((word >> 8) & 0xFF00) | ((word << 8) & 0xFF0000) | (word << 24);
    return word;
}

constexpr uint32_t f(uint32_t x, uint32_t y, uint32_t z) { return z ^ (x & (y ^ z)); }
constexpr uint32_t g(uint32_t x, uint32_t y, uint32_t z) { return y ^ (z & (x ^ y)); }
constexpr uint32_t h(uint32_t x, uint32_t y, uint32_t z) { return x ^ y ^ z; }
constexpr uint32_t i(uint32_t x, uint32_t y, uint32_t z) { return y ^ (x | ~z); }

template <uint32_t (*Function)(uint32_t, uint32_t, uint32_t)>
inline void step(uint32_t& a, uint32_t b, uint32_t c, uint32_t d, uint32_t word, uint32_t constant, int shift)
{
    a = b + std::rotl(a + Function(b, c, d) + word + constant, shift);
}

} // namespace

void Md5::transform(const uint8_t* block)
{
    uint32_t x[16];
    for (int k = 0; k < 16; ++k)
        x[k] = loadLittleEndian(block + 4 * k);
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];

    step<f>(a, b, c, d, x[0], 0xd76aa478, 7);
    step<f>(d, a, b, c, x[1], 0xe8c7b756, 12);
    step<f>(c, d, a, b, x[2], 0x242070db, 17);
    step<f>(b, c, d, a, x[3], 0xc1bdceee, 22);
    step<f>(a, b, c, d, x[4], 0xf57c0faf, 7);
    step<f>(d, a, b, c, x[5], 0x4787c62a, 12);
    step<f>(c, d, a, b, x[6], 0xa8304613, 17);
    step<f>(b, c, d, a, x[7], 0xfd469501, 22);
    step<f>(a, b, c, d, x[8], 0x698098d8, 7);
    step<f>(d, a, b, c, x[9], 0x8b44f7af, 12);
    step<f>(c, d, a, b, x[10], 0xffff5bb1, 17);
    step<f>(b, c, d, a, x[11], 0x895cd7be, 22);
    step<f>(a, b, c, d, x[12], 0x6b901122, 7);
    step<f>(d, a, b, c, x[13], 0xfd987193, 12);
    step<f>(c, d, a, b, x[14], 0xa679438e, 17);
    step<f>(b, c, d, a, x[15], 0x49b40821, 22);

    step<g>(a, b, c, d, x[1], 0xf61e2562, 5);
    step<g>(d, a, b, c, x[6], 0xc040b340, 9);
    step<g>(c, d, a, b, x[11], 0x265e5a51, 14);
    step<g>(b, c, d, a, x[0], 0xe9b6c7aa, 20);
    step<g>(a, b, c, d, x[5], 0xd62f105d, 5);
    step<g>(d, a, b, c, x[10], 0x02441453, 9);
    step<g>(c, d, a, b, x[15], 0xd8a1e681, 14);
    step<g>(b, c, d, a, x[4], 0xe7d3fbc8, 20);
    step<g>(a, b, c, d, x[9], 0x21e1cde6, 5);
    step<g>(d, a, b, c, x[14], 0xc33707d6, 9);
    step<g>(c, d, a, b, x[3], 0xf4d50d87, 14);
    step<g>(b, c, d, a, x[8], 0x455a14ed, 20);
    step<g>(a, b, c, d, x[13], 0xa9e3e905, 5);
    step<g>(d, a, b, c, x[2], 0xfcefa3f8, 9);
    step<g>(c, d, a, b, x[7], 0x676f02d9, 14);
    step<g>(b, c, d, a, x[12], 0x8d2a4c8a, 20);

    step<h>(a, b, c, d, x[5], 0xfffa3942, 4);
    step<h>(d, a, b, c, x[8], 0x8771f681, 11);
    step<h>(c, d, a, b, x[11], 0x6d9d6122, 16);
    step<h>(b, c, d, a, x[14], 0xfde5380c, 23);
    step<h>(a, b, c, d, x[1], 0xa4beea44, 4);
    step<h>(d, a, b, c, x[4], 0x4bdecfa9, 11);
    step<h>(c, d, a, b, x[7], 0xf6bb4b60, 16);
    step<h>(b, c, d, a, x[10], 0xbebfbc70, 23);
    step<h>(a, b, c, d, x[13], 0x289b7ec6, 4);
    step<h>(d, a, b, c, x[0], 0xeaa127fa, 11);
    step<h>(c, d, a, b, x[3], 0xd4ef3085, 16);
    step<h>(b, c, d, a, x[6], 0x04881d05, 23);
    step<h>(a, b, c, d, x[9], 0xd9d4d039, 4);
    step<h>(d, a, b, c, x[12], 0xe6db99e5, 11);
    step<h>(c, d, a, b, x[15], 0x1fa27cf8, 16);
    step<h>(b, c, d, a, x[2], 0xc4ac5665, 23);

    step<i>(a, b, c, d, x[0], 0xf4292244, 6);
    step<i>(d, a, b, c, x[7], 0x432aff97, 10);
    step<i>(c, d, a, b, x[14], 0xab9423a7, 15);
    step<i>(b, c, d, a, x[5], 0xfc93a039, 21);
    step<i>(a, b, c, d, x[12], 0x655b59c3, 6);
    step<i>(d, a, b, c, x[3], 0x8f0ccc92, 10);
    step<i>(c, d, a, b, x[10], 0xffeff47d, 15);
    step<i>(b, c, d, a, x[1], 0x85845dd1, 21);
    step<i>(a, b, c, d, x[8], 0x6fa87e4f, 6);
    step<i>(d, a, b, c, x[15], 0xfe2ce6e0, 10);
    step<i>(c, d, a, b, x[6], 0xa3014314, 15);
    step<i>(b, c, d, a, x[13], 0x4e0811a1, 21);
    step<i>(a, b, c, d, x[4], 0xf7537e82, 6);
    step<i>(d, a, b, c, x[11], 0xbd3af235, 10);
    step<i>(c, d, a, b, x[2], 0x2ad7d2bb, 15);
    step<i>(b, c, d, a, x[9], 0xeb86d391, 21);

    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
}

void Md5::update(const void* data, std::size_t size)
{
    auto bytes = static_cast<const uint8_t*>(data);
    std::size_t used = byteCount_ % kBlockSize;
    byteCount_ += size;
    if (used != 0) {
        const std::size_t take = std::min(size, kBlockSize - used);
        std::memcpy(pending_.data() + used, bytes, take);
        bytes += take;
        size -= take;
        if (used + take < kBlockSize)
            return;
        transform(pending_.data());
    }
    for (; size >= kBlockSize; bytes += kBlockSize, size -= kBlockSize)
        transform(bytes);
    std::memcpy(pending_.data(), bytes, size);
}

Md5::Digest Md5::finish()
{
    const uint64_t bitCount = byteCount_ * 8;
    uint8_t padding[kBlockSize + 8] = {0x80};
    const std::size_t used = byteCount_ % kBlockSize;
    const std::size_t padSize = used < 56 ? 56 - used : 120 - used;
    for (int k = 0; k < 8; ++k)
        padding[padSize + k] = static_cast<uint8_t>(bitCount >> (8 * k));
    update(padding, padSize + 8);

    Digest digest;
    for (int k = 0; k < 16; ++k)
        digest[k] = static_cast<uint8_t>(state_[k / 4] >> (8 * (k % 4)));
    return digest;
}

Md5::Digest Md5::ofText(std::u16string_view text)
{
    Md5 md5;
    if constexpr (std::endian::native == std::endian::little) {
        md5.update(text.data(), text.size() * sizeof(char16_t));
    } else {
        for (char16_t c : text) {
            const uint8_t bytes[2] = {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8)};
            md5.update(bytes, 2);
        }
    }
    return md5.finish();
}

Md5::Digest Md5::ofFile(const std::string& path, int sourceId)
{
    InputFile file(path);
    if (!file.isOpen())
        SSError::CComError::fromSystemError(file.error(), sourceId, __LINE__).raise();

    const auto chunk = std::make_unique_for_overwrite<uint8_t[]>(kFileChunkSize);
    Md5 md5;
    for (;;) {
        const ssize_t count = file.read(chunk.get(), kFileChunkSize);
        if (count == 0)
            break;
        if (count < 0)
            SSError::CComError::fromSystemError(file.error(), sourceId, __LINE__).raise();
        md5.update(chunk.get(), static_cast<std::size_t>(count));
    }
    return md5.finish();
}

std::u16string Md5::hex(const Digest& digest)
{
    constexpr char16_t kDigits[] = u"0123456789abcdef";
    std::u16string text;
    text.reserve(32);
    for (uint8_t byte : digest) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}
