// The exported functions, called the way a program calls them: through the loaded shared library.

#include "ORVEXPDOCe.h"

#include "WideText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;

const std::set<std::string> kExportNames = {
    "InitORVEXPDOCW", "FreeORVEXPDOC",   "ORVEXPDOCVersion", "GetLastErrorORVEXPDOCW",
    "IsErrorORVEXPDOC", "ClearErrorORVEXPDOC", "SetSourceTiffW", "SetTagW",
    "GetTagW",        "GetSizeTagValue", "GetNumberPages",   "BuildPDocumentW",
    "BuildVPageW",    "PrintDocumentW",  "PrintBlankW",      "MD5HashW",
};

std::string runCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    ::pclose(pipe);
    return output;
}

class ExportsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { library_ = ::dlopen(ORVEXPDOC_LIBRARY, RTLD_NOW | RTLD_LOCAL); }
    static void TearDownTestSuite()
    {
        if (library_ != nullptr)
            ::dlclose(library_);
    }

    void SetUp() override
    {
        ASSERT_NE(library_, nullptr) << ::dlerror();
        version = function<decltype(&ORVEXPDOCVersion)>("ORVEXPDOCVersion");
        getLastError = function<decltype(&GetLastErrorORVEXPDOCW)>("GetLastErrorORVEXPDOCW");
        isError = function<decltype(&IsErrorORVEXPDOC)>("IsErrorORVEXPDOC");
        clearError = function<decltype(&ClearErrorORVEXPDOC)>("ClearErrorORVEXPDOC");
        md5Hash = function<decltype(&MD5HashW)>("MD5HashW");
        ASSERT_TRUE(version && getLastError && isError && clearError && md5Hash);
        clearError();
    }

    template <class Function>
    static Function function(const char* name)
    {
        return reinterpret_cast<Function>(::dlsym(library_, name));
    }

    std::string lastError() const
    {
        int32_t size = 0;
        EXPECT_EQ(getLastError(nullptr, &size), 1);
        std::u16string text(static_cast<std::size_t>(size) + 1, u'\0');
        EXPECT_EQ(getLastError(text.data(), &size), 1);
        text.resize(static_cast<std::size_t>(size));
        return WideText::toUtf8(text);
    }

    static std::string invalidParametersAt(const std::string& report)
    {
        const std::string prefix = "Недопустимые параметры.[-1073610685 (0xC0020043)\\\\0 (0x0)\\ORVEXPDOC (строка: ";
        return report.rfind(prefix, 0) == 0 && report.ends_with(")]") ? "invalid parameters" : report;
    }

    static inline void* library_ = nullptr;
    decltype(&ORVEXPDOCVersion) version = nullptr;
    decltype(&GetLastErrorORVEXPDOCW) getLastError = nullptr;
    decltype(&IsErrorORVEXPDOC) isError = nullptr;
    decltype(&ClearErrorORVEXPDOC) clearError = nullptr;
    decltype(&MD5HashW) md5Hash = nullptr;
};

TEST_F(ExportsTest, LibraryExportsOnlyItsSixteenFunctions)
{
    const std::string symbols = runCommand(std::string("nm -D --defined-only '") + ORVEXPDOC_LIBRARY + "'");
    ASSERT_FALSE(symbols.empty());
    std::set<std::string> exported;
    std::size_t start = 0;
    for (std::size_t end; (end = symbols.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = symbols.substr(start, end - start);
        const std::string name = line.substr(line.rfind(' ') + 1);
        EXPECT_TRUE(kExportNames.contains(name)) << "unexpected export: " << line;
        exported.insert(name);
    }
    for (const char* name : {"ORVEXPDOCVersion", "GetLastErrorORVEXPDOCW", "IsErrorORVEXPDOC",
                             "ClearErrorORVEXPDOC", "MD5HashW"})
        EXPECT_TRUE(exported.contains(name)) << name;
}

TEST_F(ExportsTest, VersionIsCopiedOutByCapacity)
{
    struct Case {
        const char* name;
        bool withBuffer;
        int32_t capacity;
        std::u16string buffer;
    };
    const Case cases[] = {
        {"length only", false, 10, u"*********"},
        {"capacity 0", true, 0, u"*********"},
        {"negative capacity", true, -1, u"*********"},
        {"short buffer", true, 3, std::u16string(u"3.3\0*****", 9)},
        {"exact buffer", true, 5, std::u16string(u"3.3.2\0***", 9)},
        {"large buffer", true, 8, std::u16string(u"3.3.2\0***", 9)},
    };
    for (const auto& c : cases) {
        std::u16string buffer = u"*********";
        int32_t size = c.capacity;
        EXPECT_EQ(version(c.withBuffer ? buffer.data() : nullptr, &size), 1) << c.name;
        EXPECT_EQ(size, 5) << c.name;
        EXPECT_EQ(buffer, c.buffer) << c.name;
    }
    EXPECT_EQ(isError(nullptr), 0);
}

TEST_F(ExportsTest, NullSizeIsAnArgumentError)
{
    EXPECT_EQ(version(nullptr, nullptr), 0);
    EXPECT_EQ(invalidParametersAt(lastError()), "invalid parameters");
    char16_t buffer[8];
    EXPECT_EQ(getLastError(buffer, nullptr), 0);
    EXPECT_EQ(invalidParametersAt(lastError()), "invalid parameters");
}

TEST_F(ExportsTest, ErrorTextStaysUntilClearedOrReplaced)
{
    int32_t length = -1;
    EXPECT_EQ(isError(&length), 0);
    EXPECT_EQ(length, 0);

    EXPECT_EQ(version(nullptr, nullptr), 0);
    const std::string report = lastError();
    int32_t size = 0;
    EXPECT_EQ(version(nullptr, &size), 1);
    EXPECT_EQ(lastError(), report) << "a success that does not clear keeps the earlier report";

    EXPECT_EQ(isError(&length), 1);
    EXPECT_EQ(length, static_cast<int32_t>(WideText::fromUtf8(report).size()));
    EXPECT_EQ(isError(nullptr), 1);

    EXPECT_EQ(clearError(), 1);
    EXPECT_EQ(isError(&length), 0);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(lastError(), "");
}

TEST_F(ExportsTest, LastErrorCopyIsCutToTheCapacity)
{
    EXPECT_EQ(version(nullptr, nullptr), 0);
    const std::u16string full = WideText::fromUtf8(lastError());
    std::u16string buffer(11, u'*');
    int32_t size = 10;
    EXPECT_EQ(getLastError(buffer.data(), &size), 1);
    EXPECT_EQ(size, static_cast<int32_t>(full.size()));
    EXPECT_EQ(buffer, full.substr(0, 10) + u'\0');
}

TEST_F(ExportsTest, Md5OfTextDigestsItsUtf16Bytes)
{
    struct Case {
        const char16_t* text;
        const char* utf16leBytes; // octal escapes for printf
    };
    const Case cases[] = {
        {u"abc", "a\\000b\\000c\\000"},
        {u"Налог", "\\035\\004\\060\\004\\073\\004\\076\\004\\063\\004"},
    };
    for (const auto& c : cases) {
        std::u16string output(33, u'#');
        EXPECT_EQ(md5Hash(c.text, 0, output.data()), 1);
        const std::string expected = runCommand(std::string("printf '") + c.utf16leBytes + "' | md5sum").substr(0, 32);
        EXPECT_EQ(WideText::toUtf8(output.substr(0, 32)), expected) << WideText::toUtf8(c.text);
        EXPECT_EQ(output[32], u'#') << "nothing is written after the 32 digits";
    }
    EXPECT_EQ(isError(nullptr), 0);
}

TEST_F(ExportsTest, Md5ArgumentErrorsLeaveTheOutputAlone)
{
    struct Case {
        const char* name;
        const char16_t* text;
        int32_t mode;
        bool withOutput;
    };
    const Case cases[] = {
        {"null text", nullptr, 0, true},
        {"empty text", u"", 1, true},
        {"mode 2", u"abc", 2, true},
        {"mode -1", u"abc", -1, true},
        {"null output", u"abc", 0, false},
    };
    for (const auto& c : cases) {
        std::u16string output(33, u'#');
        EXPECT_EQ(md5Hash(c.text, c.mode, c.withOutput ? output.data() : nullptr), 0) << c.name;
        EXPECT_EQ(output, std::u16string(33, u'#')) << c.name;
        EXPECT_EQ(invalidParametersAt(lastError()), "invalid parameters") << c.name;
    }
}

TEST_F(ExportsTest, Md5OfFileAndItsFailure)
{
    const fs::path folder = fs::temp_directory_path() / ("exportstest-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path empty = folder / "пустой.tif";
    std::ofstream(empty).close();

    std::u16string output(33, u'#');
    EXPECT_EQ(md5Hash(WideText::fromUtf8(empty.string()).c_str(), 1, output.data()), 1);
    EXPECT_EQ(output, u"d41d8cd98f00b204e9800998ecf8427e#");

    EXPECT_EQ(version(nullptr, nullptr), 0);
    const std::u16string missing = WideText::fromUtf8((folder / "нет.tif").string());
    output.assign(33, u'#');
    EXPECT_EQ(md5Hash(missing.c_str(), 1, output.data()), 0);
    EXPECT_EQ(output, std::u16string(33, u'#'));
    const std::string report = lastError();
    EXPECT_EQ(report.rfind(std::string(std::strerror(ENOENT)) + "[Код(COM):-2147024894 (0x80070002)\\Источник(COM):"
                               "\\Источник ошибки:ORVEXPDOC (строка: ",
                           0),
              0u)
        << report;

    EXPECT_EQ(md5Hash(WideText::fromUtf8(empty.string()).c_str(), 1, output.data()), 1);
    EXPECT_EQ(isError(nullptr), 0) << "MD5HashW clears the last error first";
    fs::remove_all(folder);
}

TEST_F(ExportsTest, CallsLeaveTheLocaleAsItWas)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    int32_t size = 0;
    version(nullptr, &size);
    version(nullptr, nullptr);
    std::u16string output(32, u'#');
    md5Hash(u"abc", 0, output.data());
    md5Hash(u"/nonexistent/file", 1, output.data());
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

} // namespace
