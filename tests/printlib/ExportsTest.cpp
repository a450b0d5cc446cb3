// The exported functions, called the way a program calls them: through the loaded shared library.

#include "ORVEXPDOCe.h"

#include "JobTestSupport.h"
#include "RenderTestSupport.h"
#include "WideText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <cups/cups.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>

namespace {

namespace fs = std::filesystem;

const std::set<std::string> kExportNames = {
    "InitORVEXPDOCW", "FreeORVEXPDOC",   "ORVEXPDOCVersion", "GetLastErrorORVEXPDOCW",
    "IsErrorORVEXPDOC", "ClearErrorORVEXPDOC", "SetSourceTiffW", "SetTagW",
    "GetTagW",        "GetSizeTagValue", "GetNumberPages",   "BuildPDocumentW",
    "BuildVPageW",    "PrintDocumentW",  "PrintBlankW",      "MD5HashW",
};

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
        init = function<decltype(&InitORVEXPDOCW)>("InitORVEXPDOCW");
        release = function<decltype(&FreeORVEXPDOC)>("FreeORVEXPDOC");
        setSourceTiff = function<decltype(&SetSourceTiffW)>("SetSourceTiffW");
        setTag = function<decltype(&SetTagW)>("SetTagW");
        getTag = function<decltype(&GetTagW)>("GetTagW");
        getSizeTagValue = function<decltype(&GetSizeTagValue)>("GetSizeTagValue");
        getNumberPages = function<decltype(&GetNumberPages)>("GetNumberPages");
        buildDocument = function<decltype(&BuildPDocumentW)>("BuildPDocumentW");
        buildPage = function<decltype(&BuildVPageW)>("BuildVPageW");
        printDocument = function<decltype(&PrintDocumentW)>("PrintDocumentW");
        printBlank = function<decltype(&PrintBlankW)>("PrintBlankW");
        ASSERT_TRUE(version && getLastError && isError && clearError && md5Hash && init && release &&
                    setSourceTiff && setTag && getTag && getSizeTagValue && getNumberPages && buildDocument &&
                    buildPage && printDocument && printBlank);
        clearError();
    }

    void TearDown() override
    {
        if (release)
            release();
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
    decltype(&InitORVEXPDOCW) init = nullptr;
    decltype(&FreeORVEXPDOC) release = nullptr;
    decltype(&SetSourceTiffW) setSourceTiff = nullptr;
    decltype(&SetTagW) setTag = nullptr;
    decltype(&GetTagW) getTag = nullptr;
    decltype(&GetSizeTagValue) getSizeTagValue = nullptr;
    decltype(&GetNumberPages) getNumberPages = nullptr;
    decltype(&BuildPDocumentW) buildDocument = nullptr;
    decltype(&BuildVPageW) buildPage = nullptr;
    decltype(&PrintDocumentW) printDocument = nullptr;
    decltype(&PrintBlankW) printBlank = nullptr;
};

// The progress window lives in a plugin loaded only inside a Qt GUI application: the library
// itself needs no toolkit, and the plugin lies beside it.
TEST_F(ExportsTest, TheLibraryLinksNoToolkit)
{
    const CommandResult dynamic = runCommand(std::string("readelf -d '") + ORVEXPDOC_LIBRARY + "'");
    ASSERT_EQ(dynamic.status, 0) << dynamic.output;
    ASSERT_NE(dynamic.output.find("(NEEDED)"), std::string::npos);
    for (const char* toolkit : {"Qt", "gtk", "X11", "xcb", "wayland"})
        EXPECT_EQ(dynamic.output.find(toolkit), std::string::npos) << toolkit << " in\n" << dynamic.output;
    const std::filesystem::path plugin =
        std::filesystem::path(ORVEXPDOC_LIBRARY).parent_path() / "libORVEXPDOCeProgressQt.so";
    EXPECT_TRUE(std::filesystem::exists(plugin)) << plugin;
}

TEST_F(ExportsTest, LibraryExportsOnlyItsSixteenFunctions)
{
    const std::string symbols = runCommand(std::string("nm -D --defined-only '") + ORVEXPDOC_LIBRARY + "'").output;
    ASSERT_FALSE(symbols.empty());
    std::set<std::string> exported;
    std::size_t start = 0;
    for (std::size_t end; (end = symbols.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = symbols.substr(start, end - start);
        const std::string name = line.substr(line.rfind(' ') + 1);
        EXPECT_TRUE(kExportNames.contains(name)) << "unexpected export: " << line;
        exported.insert(name);
    }
    EXPECT_EQ(exported, kExportNames);
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
        const std::string expected = runCommand(std::string("printf '") + c.utf16leBytes + "' | md5sum").output.substr(0, 32);
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
    EXPECT_EQ(report.rfind("Нет такого файла или папки[Код(COM):-2147024894 (0x80070002)\\Источник(COM):"
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

// The exports that need the document object, with a blank form of two pages made for this
// library.
class ExportedDocumentTest : public ExportsTest {
protected:
    void SetUp() override
    {
        ExportsTest::SetUp();
        form = versionedForm(folder, 2, 100);
    }

    static std::u16string u16(const std::string& text) { return WideText::fromUtf8(text); }
    static ORVEXPDOCDataW dataOf(const std::u16string& text)
    {
        return {text.data(), static_cast<int32_t>(text.size())};
    }

    // The tag as GetTagW reads it; "failed" when it fails.
    std::string tag(int32_t page, int32_t id) const
    {
        int32_t size = 0;
        if (getTag(page, id, nullptr, &size) != 1)
            return "failed";
        std::u16string text(static_cast<std::size_t>(size) + 1, u'*');
        EXPECT_EQ(getTag(page, id, text.data(), &size), 1);
        EXPECT_EQ(text.back(), u'\0');
        text.pop_back();
        return WideText::toUtf8(text);
    }

    ScratchFolder folder;
    std::string form;
};

TEST_F(ExportedDocumentTest, CallsBeforeInitialisationAreArgumentErrors)
{
    const std::u16string xml = dataDocumentXml({{1}});
    const std::u16string output = u16(folder.file("out.tif"));
    const std::u16string source = u16(form);
    char16_t buffer[8];
    int32_t size = 7;
    const std::vector<std::pair<const char*, std::function<int32_t()>>> calls = {
        {"GetNumberPages", [&] { return getNumberPages(); }},
        {"GetSizeTagValue", [&] { return getSizeTagValue(1, 305); }},
        {"GetTagW", [&] { return getTag(1, 305, buffer, &size); }},
        {"SetTagW", [&] { return setTag(output.c_str(), u"1", 270, u"x", 0); }},
        {"SetSourceTiffW", [&] { return setSourceTiff(source.c_str()); }},
        {"BuildPDocumentW", [&] { return buildDocument(dataOf(xml), output.c_str(), u"", 0, 0, 0); }},
        {"BuildVPageW", [&] { return buildPage(dataOf(xml), output.c_str(), 1, u"tif"); }},
        {"PrintDocumentW", [&] { return printDocument(dataOf(xml), u"", u"", 1, 100, 0, 0); }},
        {"PrintBlankW", [&] { return printBlank(u"", u"", 1, 100, 0, 0); }},
    };
    for (const auto& [name, call] : calls) {
        EXPECT_EQ(call(), 0) << name;
        EXPECT_EQ(invalidParametersAt(lastError()), "invalid parameters") << name;
    }
    EXPECT_EQ(release(), 1);
    EXPECT_EQ(release(), 1) << "freeing twice";

    EXPECT_EQ(init(nullptr), 0) << "a null path is refused like every other null argument";
    EXPECT_EQ(invalidParametersAt(lastError()), "invalid parameters");
    EXPECT_EQ(init(u""), 1) << "the path is checked when it is used";
    EXPECT_EQ(getNumberPages(), 0);
    EXPECT_EQ(invalidParametersAt(lastError()), "invalid parameters");
    EXPECT_EQ(setSourceTiff(source.c_str()), 1) << "the renderer exists";
    EXPECT_EQ(getNumberPages(), 2);
    EXPECT_EQ(isError(nullptr), 0) << "GetNumberPages clears the last error first";
}

TEST_F(ExportedDocumentTest, TagsAreReadAndWritten)
{
    ASSERT_EQ(init(u16(form).c_str()), 1);
    EXPECT_EQ(getNumberPages(), 2);
    const std::string software = "Модуль печати документов со штрих-кодом PDF417. Версия: 3.3.0.2";
    EXPECT_EQ(tag(1, 305), software);
    EXPECT_EQ(getSizeTagValue(1, 305), static_cast<int32_t>(WideText::fromUtf8(software).size()));
    EXPECT_EQ(tag(2, 259), "CCITT Group 4 fax encoding");
    EXPECT_EQ(tag(1, 282), "100");

    // The copy out: the full length always; capacity 0 still gets an empty string.
    struct Copy {
        int32_t capacity;
        std::u16string buffer;
    };
    for (const Copy& c : {Copy{0, std::u16string(u"\0****", 5)}, Copy{3, std::u16string(u"Мод\0*", 5)},
                          Copy{-1, u"*****"}}) {
        std::u16string buffer = u"*****";
        int32_t size = c.capacity;
        EXPECT_EQ(getTag(1, 305, buffer.data(), &size), 1) << c.capacity;
        EXPECT_EQ(size, static_cast<int32_t>(WideText::fromUtf8(software).size())) << c.capacity;
        EXPECT_EQ(buffer, c.buffer) << c.capacity;
    }

    const std::string tagged = folder.file("tagged.tif");
    const std::u16string longValue(150000, u'Я');
    EXPECT_EQ(setTag(u16(tagged).c_str(), u"2", 270, u"Описание страницы", 0), 1) << lastError();
    EXPECT_EQ(setSourceTiff(u16(tagged).c_str()), 1) << lastError();
    EXPECT_EQ(setTag(u16(tagged).c_str(), u"1-2", 50100, longValue.c_str(), 0), 1) << lastError();
    EXPECT_TRUE(tiffinfoAccepts(tagged));
    EXPECT_EQ(tag(2, 270), "Описание страницы");
    EXPECT_EQ(tag(1, 270), "");
    EXPECT_EQ(getSizeTagValue(1, 270), 0);
    EXPECT_EQ(isError(nullptr), 0) << "a missing tag is no error";
    EXPECT_EQ(getSizeTagValue(1, 50100), 150000);
    EXPECT_EQ(tag(2, 50100), WideText::toUtf8(longValue));

    struct Failure {
        const char* name;
        std::function<int32_t()> call;
        std::string report;
    };
    int32_t size = 0;
    const std::string noPage = "Отсутствуют данные.[-1073676288 (0xC0010000)\\\\0 (0x0)\\TiffTools (строка: ";
    const std::vector<Failure> failures = {
        {"page 0", [&] { return getSizeTagValue(0, 305); }, "invalid parameters"},
        {"null size", [&] { return getTag(1, 305, nullptr, nullptr); }, "invalid parameters"},
        {"page 3 of 2", [&] { return getTag(3, 305, nullptr, &size); },
         "Недопустимые параметры: Номер страницы 3 превышает общее количество 2."},
        {"unknown tag", [&] { return getSizeTagValue(1, 999); }, "Недопустимые параметры: Допустимые теги: 269"},
        {"tag not writable", [&] { return setTag(u16(tagged).c_str(), u"1", 256, u"1", 0); },
         "Недопустимые параметры: Поддерживаемые номера тегов: 269"},
        {"empty selection", [&] { return setTag(u16(tagged).c_str(), u"", 270, u"x", 0); }, "invalid parameters"},
        {"null value", [&] { return setTag(u16(tagged).c_str(), u"1", 270, nullptr, 0); }, "invalid parameters"},
        {"text cut short", [&] { return setTag(u16(tagged).c_str(), u"1", 270, u"abc", 2); },
         "Не верный размер строки"},
        // Selections of no page of the two: refused as the builds refuse them, the copy unwritten.
        {"page 0", [&] { return setTag(u16(tagged).c_str(), u"0", 270, u"x", 0); }, noPage},
        {"page 3 of 2", [&] { return setTag(u16(tagged).c_str(), u"3", 270, u"x", 0); }, noPage},
        {"no number", [&] { return setTag(u16(tagged).c_str(), u"abc", 270, u"x", 0); }, noPage},
        {"range backwards", [&] { return setTag(u16(tagged).c_str(), u"2-1", 270, u"x", 0); }, noPage},
        {"negative number", [&] { return setTag(u16(tagged).c_str(), u"-1", 270, u"x", 0); }, noPage},
        {"missing source", [&] { return setSourceTiff(u16(folder.file("missing.tif")).c_str()); },
         "Файл не найден: " + folder.file("missing.tif") + "."},
    };
    const std::string taggedBefore = fileBytes(tagged);
    for (const Failure& f : failures) {
        EXPECT_EQ(f.call(), 0) << f.name;
        const std::string report = invalidParametersAt(lastError());
        EXPECT_EQ(report.substr(0, f.report.size()), f.report) << f.name << ": " << report;
    }
    EXPECT_EQ(fileBytes(tagged), taggedBefore) << "no failed call writes the copy";
}

// The form and the build's output named through links: the files the links point to are
// written, and the links stay.
TEST_F(ExportedDocumentTest, OutputsThroughLinksReplaceTheFilesTheyPointTo)
{
    ScratchFolder real;
    const std::string realForm = real.file("form.tif");
    fs::copy_file(form, realForm);
    const std::string linkedForm = folder.file("linked-form.tif");
    fs::create_symlink(realForm, linkedForm);
    ASSERT_EQ(init(u16(linkedForm).c_str()), 1);
    EXPECT_EQ(setTag(u16(linkedForm).c_str(), u"1", 270, u"Через ссылку", 0), 1) << lastError();
    EXPECT_TRUE(fs::is_symlink(linkedForm));
    EXPECT_EQ(tag(1, 270), "Через ссылку") << "read through the link";
    EXPECT_EQ(tag(2, 270), "");

    const std::string linkedPdf = folder.file("out.pdf");
    fs::create_symlink("../" + real.path().filename().string() + "/out.pdf", linkedPdf);
    const std::u16string xml = dataDocumentXml({{1}, {2}});
    // Once into a file not made yet, once over it.
    for (int build = 0; build < 2; ++build) {
        EXPECT_EQ(buildDocument(dataOf(xml), u16(linkedPdf).c_str(), build == 0 ? u"1" : u"", 0, 0, 0), 1)
            << lastError();
        EXPECT_TRUE(fs::is_symlink(linkedPdf));
        EXPECT_EQ(pdfPageCount(real.file("out.pdf")), build + 1);
    }
    EXPECT_EQ(real.fileNames(), (std::vector<std::string>{"form.tif", "out.pdf"}));
}

TEST_F(ExportedDocumentTest, BuildsPagesThatToolsAccept)
{
    const std::string barcodeForm = versionedForm(folder, 1, 300, formSoftware(u"3.3.0.2"), "barcodes.tif");
    ASSERT_EQ(init(u16(barcodeForm).c_str()), 1);
    const std::u16string xml = dataDocumentXml({{1, u"500100732259"}, {1, u"772800112233"}});
    const std::string dataFile = folder.file("data.xml");
    std::ofstream(dataFile) << WideText::toUtf8(xml);

    struct Case {
        const char* name;
        std::u16string data;
        int32_t showProgress;
    };
    for (const Case& c : {Case{"pages", xml, 0}, Case{"pages.tif", u16(dataFile), 1}, Case{"pages.pdf", xml, 1}}) {
        const std::string output = folder.file(c.name);
        if (std::string(c.name) == "pages")
            fs::create_directory(output);
        EXPECT_EQ(buildDocument(dataOf(c.data), u16(output).c_str(), u"", 0, c.showProgress, 0), 1)
            << c.name << ": " << lastError();
    }
    EXPECT_THAT(filesIn(folder.file("pages")), testing::ElementsAre("000001.tif", "000002.tif"));
    const std::vector<PageBitmap> second = decodeTiff(folder.file("pages/000002.tif"));
    ASSERT_EQ(second.size(), 1u);
    EXPECT_THAT(readPdf417(second[0], 0, 0, 210, 297), testing::Contains(testing::HasSubstr("|772800112233|")));
    EXPECT_TRUE(tiffinfoAccepts(folder.file("pages.tif")));
    EXPECT_EQ(decodeTiff(folder.file("pages.tif")).size(), 2u);
    EXPECT_EQ(runCommand("qpdf --check '" + folder.file("pages.pdf") + "'").status, 0);
    EXPECT_EQ(pdfPageCount(folder.file("pages.pdf")), 2);

    EXPECT_EQ(buildPage(dataOf(xml), u16(folder.file("page.jpg")).c_str(), 2, u"JPG"), 1) << lastError();
    EXPECT_TRUE(fs::file_size(folder.file("page.jpg")) > 0);
}

TEST_F(ExportedDocumentTest, JobFailuresReturn0WithOrWithoutProgress)
{
    ASSERT_EQ(init(u16(form).c_str()), 1);
    const std::u16string xml = dataDocumentXml({{1}, {2}});
    const std::u16string output = u16(folder.file("out.pdf"));
    const std::string noData = "Отсутствуют данные.[-1073676288 (0xC0010000)\\\\0 (0x0)\\TiffTools (строка: ";
    // Sparse: they take no room on the disk.
    const std::u16string hugeData = u16(folder.file("huge.xml"));
    const std::u16string largeData = u16(folder.file("large.xml"));
    std::ofstream(folder.file("huge.xml")) << "<DOCUMENT>";
    fs::resize_file(folder.file("huge.xml"), 2ull << 30);
    std::ofstream(folder.file("large.xml")) << "<DOCUMENT>";
    fs::resize_file(folder.file("large.xml"), (64ull << 20) + 1);
    struct Case {
        const char* name;
        std::function<int32_t()> call;
        std::string report;
    };
    const std::vector<Case> cases = {
        {"nothing selected", [&] { return buildDocument(dataOf(xml), output.c_str(), u"3-9", 0, 0, 0); }, noData},
        {"nothing selected, progress", [&] { return buildDocument(dataOf(xml), output.c_str(), u"3", 0, 1, 0); },
         noData},
        {"empty data", [&] { return buildDocument(dataOf(u""), output.c_str(), u"", 0, 1, 0); },
         "Недопустимые параметры.[-1073610685 (0xC0020043)\\\\0 (0x0)\\TiffTools"},
        {"broken XML, progress", [&] { return printDocument(dataOf(u"<DOCUMENT"), u"", u"", 1, 100, 1, 0); },
         "Ошибка при работе с XMLDOM."},
        {"preview type", [&] { return buildPage(dataOf(xml), output.c_str(), 1, u"webp"); }, "invalid parameters"},
        {"preview sheet", [&] { return buildPage(dataOf(xml), output.c_str(), 3, u"png"); },
         "Недопустимые параметры.[-1073610685 (0xC0020043)\\\\0 (0x0)\\TiffTools"},
        // Refused from its size, before it is read: a file of gigabytes took minutes and its size
        // in memory.
        {"data file of 2 GB", [&] { return buildDocument(dataOf(hugeData), output.c_str(), u"", 0, 0, 0); },
         "Ошибка при работе с XMLDOM. Не удалось загрузить файл данных '" + folder.file("huge.xml") +
             "'. Файл данных слишком велик: 2147483648 байт, допускается не более 67108864 байт (64 МБ)"},
        {"data file just past the bound, progress",
         [&] { return printDocument(dataOf(largeData), u"", u"", 1, 100, 1, 0); },
         "Ошибка при работе с XMLDOM. Не удалось загрузить файл данных '" + folder.file("large.xml") +
             "'. Файл данных слишком велик: 67108865 байт"},
    };
    ASSERT_EQ(::setenv("ORVEXPDOC_PRINT_SINK", folder.file("printed.pdf").c_str(), 1), 0);
    for (const Case& c : cases) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(c.call(), 0) << c.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.name;
        const std::string report = invalidParametersAt(lastError());
        EXPECT_EQ(report.substr(0, c.report.size()), c.report) << c.name << ": " << report;
    }
    ::unsetenv("ORVEXPDOC_PRINT_SINK");
    EXPECT_FALSE(fs::exists(folder.file("out.pdf")));
    EXPECT_FALSE(fs::exists(folder.file("printed.pdf")));
}

// A CUPS scheduler of the test's own: its configuration, spool and socket in a scratch folder,
// one raw queue "sink" whose device is a file there. The machine's own scheduler is never asked:
// the test's thread talks to this one's socket only.
class PrivateCupsScheduler {
public:
    PrivateCupsScheduler()
    {
        for (const char* folder : {"spool", "cache", "state", "tmp", "log", "out", "bin", "bin/backend", "bin/daemon"})
            fs::create_directory(root_.path() / folder);
        // A raw queue on a file: device completes its jobs without writing them, so the queue's
        // device is a backend of the test's own that copies the job into the file its URI names.
        // The scheduler starts its children through its own cups-exec.
        fs::create_symlink("/usr/lib/cups/daemon/cups-exec", root_.path() / "bin/daemon/cups-exec");
        const std::string backend = root_.file("bin/backend/testfile");
        std::ofstream(backend) << "#!/bin/sh\n"
                                  "[ $# -eq 0 ] && { echo 'direct testfile \"Unknown\" \"Test file\"'; exit 0; }\n"
                                  "cat \"${6:-/dev/stdin}\" > \"${DEVICE_URI#testfile:}\"\n";
        // Owned by the test's user and closed to others, as the scheduler demands of a backend.
        fs::permissions(backend, fs::perms::owner_all);
        // The scheduler may write the device file as another user.
        fs::permissions(root_.path() / "out", fs::perms::all);
        std::ofstream(root_.file("cupsd.conf")) << "Listen " << socket() << "\n"
                                                   "Browsing No\nWebInterface No\nDefaultAuthType None\n"
                                                   "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                                   "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                                   "  </Limit>\n</Policy>\n";
        std::ofstream(root_.file("cups-files.conf"))
            << "ServerRoot " << root_.path().string() << "\nRequestRoot " << root_.file("spool") << "\nCacheDir "
            << root_.file("cache") << "\nStateDir " << root_.file("state") << "\nTempDir " << root_.file("tmp")
            << "\nErrorLog " << root_.file("log/error_log") << "\nAccessLog " << root_.file("log/access_log")
            << "\nPageLog " << root_.file("log/page_log") << "\nServerBin " << root_.file("bin") << "\n";
        std::ofstream(root_.file("printers.conf")) << "<DefaultPrinter sink>\nInfo Test sink\nDeviceURI testfile:"
                                                      << output() << "\nState Idle\nAccepting Yes\nShared No\n"
                                                         "</DefaultPrinter>\n";
    }

    ~PrivateCupsScheduler()
    {
        cupsSetServer(nullptr);
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    PrivateCupsScheduler(const PrivateCupsScheduler&) = delete;
    PrivateCupsScheduler& operator=(const PrivateCupsScheduler&) = delete;

    // Starts the scheduler and points this thread's CUPS calls at it; why it could not, or "".
    std::string start()
    {
        const char* candidates[] = {"/usr/sbin/cupsd", "/usr/local/sbin/cupsd"};
        const char* cupsd = nullptr;
        for (const char* candidate : candidates)
            if (::access(candidate, X_OK) == 0)
                cupsd = candidate;
        if (!cupsd)
            return "no cupsd on this machine (Debian package cups-daemon)";
        pid_ = ::fork();
        if (pid_ < 0)
            return "fork failed";
        if (pid_ == 0) {
            const std::string conf = root_.file("cupsd.conf");
            const std::string files = root_.file("cups-files.conf");
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execl(cupsd, cupsd, "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = 0;
                return "cupsd ended at start: " + log();
            }
            if (fs::exists(socket())) {
                cupsSetServer(socket().c_str());
                return "";
            }
            ::usleep(100'000);
        }
        return "cupsd made no socket in 10 s: " + log();
    }

    std::string socket() const { return root_.file("cups.sock"); }
    std::string output() const { return root_.file("out/printed.pdf"); }
    std::string log() const
    {
        const std::string text = fileBytes(root_.file("log/error_log"));
        return text.substr(text.size() > 600 ? text.size() - 600 : 0);
    }

    // The completed job's "copies", once the scheduler has written it out; -1 when no job has
    // completed within 20 s.
    int completedJobCopies() const
    {
        for (int attempt = 0; attempt < 200; ++attempt) {
            cups_job_t* jobs = nullptr;
            const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "sink", 0, CUPS_WHICHJOBS_COMPLETED);
            const int id = count > 0 ? jobs[0].id : 0;
            const ipp_jstate_t state = count > 0 ? jobs[0].state : IPP_JSTATE_PENDING;
            cupsFreeJobs(count, jobs);
            if (id > 0 && state == IPP_JSTATE_COMPLETED) {
                ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
                ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                             "ipp://localhost/printers/sink");
                ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", id);
                ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "copies");
                ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
                ipp_attribute_t* copies = ippFindAttribute(response, "copies", IPP_TAG_INTEGER);
                const int value = copies ? ippGetInteger(copies, 0) : 0;
                ippDelete(response);
                return value;
            }
            ::usleep(100'000);
        }
        return -1;
    }

private:
    ScratchFolder root_;
    pid_t pid_ = 0;
};

TEST_F(ExportedDocumentTest, PrintsTwoCopiesThroughAPrivateCupsScheduler)
{
    PrivateCupsScheduler scheduler;
    if (const std::string why = scheduler.start(); !why.empty())
        GTEST_SKIP() << "no private CUPS scheduler: " << why;
    ASSERT_EQ(init(u16(form).c_str()), 1);
    ::unsetenv("ORVEXPDOC_PRINT_SINK");
    const std::u16string xml = dataDocumentXml({{1}, {2}}, u"Декларация");

    ASSERT_EQ(printDocument(dataOf(xml), u"sink", u"", 2, 100, 0, 0), 1) << lastError() << "\n" << scheduler.log();
    EXPECT_EQ(scheduler.completedJobCopies(), 2) << scheduler.log();
    // A raw queue hands the document to its device as it came: one PDF of the two sheets, the
    // copies asked of the printer.
    EXPECT_EQ(runCommand("qpdf --check '" + scheduler.output() + "'").status, 0) << scheduler.log();
    EXPECT_EQ(pdfPageCount(scheduler.output()), 2);
    // Each sheet's guid line ends in the sheet's number: "... ABCD 01", "... ABCD 02".
    const std::string text = pdfText(scheduler.output());
    EXPECT_NE(text.find("CD01"), std::string::npos) << text;
    EXPECT_NE(text.find("CD02"), std::string::npos) << text;
}

TEST_F(ExportedDocumentTest, PrintsThroughTheTestHooksFile)
{
    ASSERT_EQ(init(u16(form).c_str()), 1);
    const std::string printed = folder.file("printed.pdf");
    ASSERT_EQ(::setenv("ORVEXPDOC_PRINT_SINK", printed.c_str(), 1), 0);
    const std::u16string xml = dataDocumentXml({{1}, {2}, {2}}, u"Декларация");

    EXPECT_EQ(printDocument(dataOf(xml), u"", u"все", 2, 100, 1, 0), 1) << lastError();
    EXPECT_EQ(pdfPageCount(printed), 3);
    EXPECT_EQ(runCommand("qpdf --check '" + printed + "'").status, 0);

    EXPECT_EQ(printBlank(u"", u"2", 1, 0, 0, 0), 1) << lastError();
    EXPECT_EQ(pdfPageCount(printed), 1);
    ::unsetenv("ORVEXPDOC_PRINT_SINK");
}

TEST_F(ExportedDocumentTest, AFormForANewerLibraryRefusesAllButBlankForms)
{
    const std::string newer = versionedForm(folder, 1, 100, formSoftware(u"4.1.0"), "newer.tif");
    ASSERT_EQ(init(u16(newer).c_str()), 1);
    const std::u16string xml = dataDocumentXml({{1}});
    const std::string refused = "Шаблон (файл: '" + newer +
                                "') для печати требует обновления пакета «Мирдал» с версии 3.3.2 до версии не менее "
                                "4.0.0.[-1073676288 (0xC0010000)";
    EXPECT_EQ(buildDocument(dataOf(xml), u16(folder.file("out.tif")).c_str(), u"", 0, 0, 0), 0);
    EXPECT_EQ(lastError().substr(0, refused.size()), refused);
    EXPECT_EQ(buildPage(dataOf(xml), u16(folder.file("out.png")).c_str(), 1, u"png"), 0);
    EXPECT_EQ(lastError().substr(0, refused.size()), refused);

    ASSERT_EQ(::setenv("ORVEXPDOC_PRINT_SINK", folder.file("printed.pdf").c_str(), 1), 0);
    EXPECT_EQ(printDocument(dataOf(xml), u"", u"", 1, 100, 0, 0), 0);
    EXPECT_EQ(lastError().substr(0, refused.size()), refused);
    EXPECT_EQ(printBlank(u"", u"", 1, 100, 0, 0), 1) << lastError();
    ::unsetenv("ORVEXPDOC_PRINT_SINK");
}

TEST_F(ExportedDocumentTest, APreviewIsWrittenAsGif)
{
    const std::string form = versionedForm(folder, 1, 100, formSoftware(u"3.3.0.2"), "gif-form.tif");
    ASSERT_EQ(init(u16(form).c_str()), 1);
    const std::string output = folder.file("page.gif");
    ASSERT_EQ(buildPage(dataOf(dataDocumentXml({{1}})), u16(output).c_str(), 1, u"GIF"), 1) << lastError();
    std::ifstream file(output, std::ios::binary);
    std::string header(10, '\0');
    file.read(header.data(), 10);
    EXPECT_EQ(header.substr(0, 4), "GIF8");
    // The form's page at 100 dpi: 827 x 1169 pixels.
    EXPECT_EQ(static_cast<uint8_t>(header[6]) | static_cast<uint8_t>(header[7]) << 8, 827);
    EXPECT_EQ(static_cast<uint8_t>(header[8]) | static_cast<uint8_t>(header[9]) << 8, 1169);
}

// A one-page form at 100 dpi whose left and right edges are black bands 8 pixels wide.
std::string edgedForm(const ScratchFolder& folder)
{
    constexpr double dpi = 100;
    PageBitmap page(static_cast<int>(std::lround(210 / 25.4 * dpi)), static_cast<int>(std::lround(297 / 25.4 * dpi)),
                    dpi, dpi);
    for (int y = 0; y < page.height; ++y)
        for (int band = 0; band < 8; ++band) {
            page.setBlack(band, y);
            page.setBlack(page.width - 1 - band, y);
        }
    const std::string path = folder.file("edged.tif");
    writeFixtureTiff(path, {{page, FixtureCompression::Group4, formSoftware(u"3.3.0.2")}});
    return path;
}

TEST_F(ExportedDocumentTest, TheFormEndsWithinThePageAtEveryScale)
{
    ASSERT_EQ(init(u16(edgedForm(folder)).c_str()), 1);
    const std::u16string xml = dataDocumentXml({{1}});
    constexpr double band = 8 * 25.4 / 100;
    struct Case {
        int32_t scale;
        double left; // where the form begins on the page, millimetres
        double factor;
    };
    // The form moves right by 25 mm to clear the left block column while that leaves it on the
    // page; at larger scales only as far as the page allows.
    for (const Case& c : {Case{0, 25, 0.878788}, Case{88, 25, 0.88}, Case{95, 10, 0.95}, Case{100, 0, 1}}) {
        SCOPED_TRACE(testing::Message() << "scale " << c.scale);
        const std::string output = folder.file("scaled.tif");
        ASSERT_EQ(buildDocument(dataOf(xml), u16(output).c_str(), u"", c.scale, 0, 0), 1) << lastError();
        const std::vector<PageBitmap> pages = decodeTiff(output);
        ASSERT_EQ(pages.size(), 1u);
        const double leftBand = c.left + band / 2 * c.factor;
        const double rightBand = c.left + (210 - band / 2) * c.factor;
        EXPECT_LE(rightBand + band / 2 * c.factor, 210.0);
        for (double y : {40.0, 120.0, 200.0, 250.0}) {
            EXPECT_TRUE(blackAt(pages[0], leftBand, y)) << "left edge at " << y;
            EXPECT_TRUE(blackAt(pages[0], rightBand, y)) << "right edge at " << y;
        }
    }
}

TEST_F(ExportedDocumentTest, ScalesAbove100AreRefused)
{
    ASSERT_EQ(init(u16(form).c_str()), 1);
    const std::string output = folder.file("large.tif");
    EXPECT_EQ(buildDocument(dataOf(dataDocumentXml({{1}})), u16(output).c_str(), u"", 101, 0, 0), 0);
    EXPECT_THAT(lastError(), testing::StartsWith("Недопустимые параметры: масштаб 101 % больше 100 %, форма не "
                                                 "помещается на страницу.[-1073610672 (0xC0020050)"));
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(ExportedDocumentTest, PagesCarryTheStandardDateTime)
{
    ASSERT_EQ(init(u16(form).c_str()), 1);
    const std::string output = folder.file("dated.tif");
    ASSERT_EQ(buildDocument(dataOf(dataDocumentXml({{1}, {2}})), u16(output).c_str(), u"", 0, 0, 0), 1)
        << lastError();
    const CommandResult info = runCommand("tiffinfo '" + output + "'");
    ASSERT_EQ(info.status, 0) << info.output;
    // The TIFF standard's form, "YYYY:MM:DD HH:MM:SS", on every page.
    const std::regex dateTime(R"(DateTime: ([0-9]{4}:[0-9]{2}:[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2})\n)");
    const auto dates = std::distance(std::sregex_iterator(info.output.begin(), info.output.end(), dateTime),
                                     std::sregex_iterator());
    EXPECT_EQ(dates, 2) << info.output;
}

TEST_F(ExportedDocumentTest, JobsLeaveTheLocaleAsItWas)
{
    const std::string before = std::setlocale(LC_ALL, nullptr);
    ASSERT_EQ(init(u16(form).c_str()), 1);
    const std::u16string xml = dataDocumentXml({{1}});
    EXPECT_EQ(buildDocument(dataOf(xml), u16(folder.file("out.tif")).c_str(), u"", 0, 1, 0), 1);
    EXPECT_EQ(buildDocument(dataOf(xml), u16(folder.file("out.tif")).c_str(), u"7", 0, 0, 0), 0);
    EXPECT_EQ(std::setlocale(LC_ALL, nullptr), before);
}

TEST(ExportsUnloadTest, TheLibraryStaysLoadedForTheTiffTagsItRegistered)
{
    ScratchFolder folder;
    const std::string form = versionedForm(folder, 1, 100);
    void* library = ::dlopen(ORVEXPDOC_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    const auto init = reinterpret_cast<decltype(&InitORVEXPDOCW)>(::dlsym(library, "InitORVEXPDOCW"));
    const auto pages = reinterpret_cast<decltype(&GetNumberPages)>(::dlsym(library, "GetNumberPages"));
    const auto release = reinterpret_cast<decltype(&FreeORVEXPDOC)>(::dlsym(library, "FreeORVEXPDOC"));
    ASSERT_TRUE(init && pages && release);
    ASSERT_EQ(init(WideText::fromUtf8(form).c_str()), 1);
    EXPECT_EQ(pages(), 1);
    release();
    ::dlclose(library);

    void* stillLoaded = ::dlopen(ORVEXPDOC_LIBRARY, RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(stillLoaded, nullptr);
    if (stillLoaded != nullptr)
        ::dlclose(stillLoaded);
    // libtiff calls the library's tag registration for every file it opens.
    EXPECT_EQ(decodeTiff(form).size(), 1u);
}

} // namespace
