#include "Md5.h"

#include "SSError.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

namespace fs = std::filesystem;

std::string hex(const Md5::Digest& digest)
{
    return WideText::toUtf8(Md5::hex(digest));
}

std::string digestOf(std::string_view bytes)
{
    Md5 md5;
    md5.update(bytes.data(), bytes.size());
    return hex(md5.finish());
}

// The system's md5sum as the independent oracle.
std::string md5sumOf(const fs::path& file)
{
    const std::string command = "md5sum '" + file.string() + "'";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return "popen failed";
    char digest[33] = {};
    const std::size_t read = std::fread(digest, 1, 32, pipe);
    ::pclose(pipe);
    return std::string(digest, read);
}

class Md5FileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = fs::temp_directory_path() / ("md5test-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path writeFile(const std::string& name, std::string_view bytes)
    {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static std::string randomBytes(std::size_t size)
    {
        std::mt19937 random(static_cast<unsigned>(size));
        std::string bytes(size, '\0');
        for (auto& byte : bytes)
            byte = static_cast<char>(random());
        return bytes;
    }

    fs::path folder_;
};

TEST(Md5Test, ReferenceVectors)
{
    struct Case {
        std::string_view message;
        std::string_view digest;
    };
    const Case cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(digestOf(c.message), c.digest) << '"' << c.message << '"';
}

TEST(Md5Test, PiecewiseUpdatesGiveTheOneShotDigest)
{
    std::string message(200, '\0');
    for (std::size_t k = 0; k < message.size(); ++k)
        message[k] = static_cast<char>(k * 7 + 3);
    const std::string whole = digestOf(message);
    for (std::size_t split = 0; split <= message.size(); ++split) {
        Md5 md5;
        md5.update(message.data(), split);
        md5.update(message.data() + split, message.size() - split);
        EXPECT_EQ(hex(md5.finish()), whole) << "split at " << split;
    }
}

TEST(Md5Test, TextDigestCoversAllItsUtf16Bytes)
{
    // "abc" as UTF-16LE; "ab" followed by U+6300 would share the first three bytes.
    EXPECT_EQ(hex(Md5::ofText(u"abc")), digestOf(std::string_view("a\0b\0c\0", 6)));
    EXPECT_NE(hex(Md5::ofText(u"abc")), hex(Md5::ofText(u"ab\u6300")));
    EXPECT_EQ(hex(Md5::ofText(u"Ж")), digestOf("\x16\x04"));
}

TEST_F(Md5FileTest, FileDigestsMatchMd5sum)
{
    for (const std::size_t size : {0, 1, 2047, 2048, 2049, 262143, 262144, 262145, 1 << 20}) {
        const fs::path path = writeFile("data-" + std::to_string(size), randomBytes(size));
        EXPECT_EQ(hex(Md5::ofFile(path.string(), SSError::kSourceExports)), md5sumOf(path)) << size << " bytes";
    }
}

TEST_F(Md5FileTest, NameWithCyrillicLetters)
{
    const fs::path path = writeFile("декларация.tif", "abc");
    EXPECT_EQ(hex(Md5::ofFile(path.string(), SSError::kSourceExports)), "900150983cd24fb0d6963f7d28e17f72");
}

TEST_F(Md5FileTest, UnreadableFileRaisesTheSystemError)
{
    struct Case {
        const char* name;
        fs::path path;
        int errnum;
        std::string reason;
    };
    const Case cases[] = {
        {"missing file", folder_ / "missing", ENOENT, "Нет такого файла или папки"},
        {"folder", folder_, EISDIR, "Это папка, а не файл"},
        {"device, which would never end", "/dev/zero", EINVAL, "Недопустимое действие для этого файла"},
    };
    for (const auto& c : cases) {
        try {
            Md5::ofFile(c.path.string(), SSError::kSourceExports);
            ADD_FAILURE() << c.name << ": nothing raised";
        } catch (const SSError::CError& error) {
            EXPECT_EQ(error.kind(), SSError::CError::kCom) << c.name;
            const std::string report = WideText::toUtf8(error.report());
            EXPECT_EQ(report.rfind("Описание: " + c.reason + "\n", 0), 0u)
                << c.name << ": " << report;
            const auto hresult = SSError::hresultFromErrno(c.errnum);
            EXPECT_NE(report.find(std::to_string(static_cast<int32_t>(hresult))), std::string::npos) << report;
        }
    }
}

} // namespace
