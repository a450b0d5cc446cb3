#pragma once

// MD5 message digest (RFC 1321).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class Md5 {
public:
    using Digest = std::array<uint8_t, 16>;

    void update(const void* data, std::size_t size);
    // Pads the message and returns its digest; the object is then spent.
    Digest finish();

    // The digest of a text's UTF-16LE storage, all 2 * size bytes of it.
    static Digest ofText(std::u16string_view text);
    // The digest of a file's bytes, read in chunks. Failures raise a COM error made from the
    // system error, with the given source id.
    static Digest ofFile(const std::string& path, int sourceId);
    // 32 lower-case hexadecimal digits.
    static std::u16string hex(const Digest& digest);

private:
    void transform(const uint8_t* block);

    std::array<uint32_t, 4> state_ = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    uint64_t byteCount_ = 0;
    std::array<uint8_t, 64> pending_{};
};
