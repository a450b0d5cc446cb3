#include "TiffTags.h"

#include "TiffFile.h"
#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <zlib.h>

namespace {

std::string randomBytes(std::size_t length, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(length, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

std::string readTag(const std::string& path, int page, int tag)
{
    std::string value;
    const std::size_t length = TiffReadTag(path, page, tag, &value);
    EXPECT_EQ(length, value.size());
    return value;
}

// The sizes of the items of a chained value as stored.
std::vector<std::size_t> itemSizes(const std::string& path, int page, uint32_t base)
{
    TiffFile file(path, "r");
    EXPECT_TRUE(TIFFSetDirectory(file.handle(), static_cast<tdir_t>(page - 1)));
    std::vector<std::size_t> sizes;
    for (uint32_t tag = base; tag < base + TiffTag::kChainLength; ++tag) {
        uint32_t count = 0;
        void* data = nullptr;
        if (TIFFGetField(file.handle(), tag, &count, &data))
            sizes.push_back(count);
    }
    return sizes;
}

// Rewrites the items of a chained value on page 1 exactly as given, as other writers may have.
void storeItems(const std::string& path, uint32_t base, const std::vector<std::string>& items)
{
    TiffFile file(path, "r+");
    TIFF* tiff = file.handle();
    ASSERT_NE(tiff, nullptr);
    for (uint32_t item = 0; item < TiffTag::kChainLength; ++item)
        TIFFUnsetField(tiff, base + item);
    for (std::size_t index = 0; index < items.size(); ++index)
        TIFFSetField(tiff, base + static_cast<uint32_t>(index), static_cast<uint32_t>(items[index].size()),
                     items[index].data());
    ASSERT_TRUE(TIFFRewriteDirectory(tiff));
}

std::string zlibStream(std::string_view value)
{
    uLongf size = compressBound(static_cast<uLong>(value.size()));
    std::string packed(size, '\0');
    compress2(reinterpret_cast<Bytef*>(packed.data()), &size, reinterpret_cast<const Bytef*>(value.data()),
              static_cast<uLong>(value.size()), Z_DEFAULT_COMPRESSION);
    packed.resize(size);
    return packed;
}

std::string packedHead(uint32_t length)
{
    std::string head = "ZIp";
    for (int shift = 0; shift < 32; shift += 8)
        head += static_cast<char>((length >> shift) & 0xFF);
    return head;
}

class TiffTagsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pages_ = {formLikeBitmap(2480, 3508, 300, 1), randomBitmap(300, 200, 2), randomBitmap(64, 10, 3),
                  randomBitmap(150, 80, 4, 10)};
        pages_[3].xDpi = pages_[3].yDpi = 200;
        writeFixtureTiff(source_, {{pages_[0], FixtureCompression::Group4, {}},
                                   {pages_[1], FixtureCompression::Lzw, "Form 2"},
                                   {pages_[2], FixtureCompression::None, {}},
                                   {pages_[3], FixtureCompression::Group4, {}}});
    }

    void write(int tag, std::string_view value, bool pack = false, std::u16string selection = u"все",
               std::string software = {})
    {
        writeFrom(source_, tag, value, pack, std::move(selection), std::move(software));
    }

    void writeFrom(const std::string& source, int tag, std::string_view value, bool pack = false,
                   std::u16string selection = u"все", std::string software = {})
    {
        TagWrite request;
        request.sourcePath = source;
        request.outputPath = output_;
        request.pageSelection = std::move(selection);
        request.tag = tag;
        request.value = value;
        request.pack = pack;
        request.softwareText = std::move(software);
        TiffWriteTag(request);
    }

    ScratchFolder folder_;
    std::string source_ = folder_.file("form.tif");
    std::string output_ = folder_.file("out.tif");
    std::vector<PageBitmap> pages_;
};

TEST_F(TiffTagsTest, ChainedValuesReadBackExactly)
{
    struct Case {
        const char* name;
        std::string value;
        bool pack;
    };
    std::vector<Case> cases;
    for (const bool pack : {false, true})
        for (const std::size_t length : {0, 1, 6, 7, 8, 59998, 59999, 60000, 60001, 119999, 120000, 120001, 150000})
            cases.push_back({pack ? "packed" : "unpacked", randomBytes(length, static_cast<unsigned>(length)), pack});
    cases.push_back({"largest unpacked", randomBytes(TiffTags::kChainCapacity - 1, 5), false});
    cases.push_back({"compressible beyond the chain", std::string(TiffTags::kChainCapacity * 3, 'a'), true});
    cases.push_back({"ends with a zero byte", std::string("abc\0", 4), false});
    cases.push_back({"only a zero byte", std::string(1, '\0'), false});
    cases.push_back({"starts like a packed head, 6 bytes", "ZIpabc", false});
    cases.push_back({"starts like a packed head, 7 bytes", packedHead(5), false});
    cases.push_back({"starts like a packed head, long", packedHead(5) + randomBytes(70000, 6), false});
    cases.push_back({"text", "Текст в cp1251: \xC0\xC1\xC2", true});

    for (const Case& testCase : cases) {
        SCOPED_TRACE(std::string(testCase.name) + ", length " + std::to_string(testCase.value.size()));
        write(50200, testCase.value, testCase.pack);
        EXPECT_TRUE(tiffinfoAccepts(output_));
        for (const int page : {1, 4}) {
            EXPECT_EQ(readTag(output_, page, 50200), testCase.value);
            EXPECT_EQ(TiffReadTag(output_, page, 50200, nullptr), testCase.value.size());
        }
    }
}

TEST_F(TiffTagsTest, ValuesTooLongForTheChainAreRefused)
{
    const std::string unpacked(TiffTags::kChainCapacity, 'x');
    const std::string incompressible = randomBytes(TiffTags::kChainCapacity, 7);
    const std::string text(TiffTags::kMaxTextLength + 1, 'x');
    for (const auto& [name, tag, value, pack] : std::vector<std::tuple<const char*, int, std::string_view, bool>>{
             {"unpacked", 50100, unpacked, false},
             {"packed", 50100, incompressible, true},
             {"text of 30001 bytes", 270, text, false},
             {"text with a zero byte", 270, std::string_view("a\0b", 3), false}}) {
        SCOPED_TRACE(name);
        const std::string report = utf8(errorReport([&] { write(tag, value, pack); }));
        EXPECT_NE(report.find("Не верный размер строки"), std::string::npos) << report;
        EXPECT_NE(report.find("(0xC0020001)"), std::string::npos) << report;
        EXPECT_TRUE(!std::filesystem::exists(output_));
    }
}

TEST_F(TiffTagsTest, ChainItemsAreLaidOutInSixtyThousandByteItems)
{
    const std::string value = randomBytes(150000, 8);
    write(50100, value);
    // The closing zero makes the last item one byte longer than the value's rest.
    EXPECT_EQ(itemSizes(output_, 1, 50100), (std::vector<std::size_t>{60000, 60000, 30001}));

    write(50100, std::string(150000, 'z'), true);
    const std::vector<std::size_t> packed = itemSizes(output_, 1, 50100);
    ASSERT_EQ(packed.size(), 2u);
    EXPECT_EQ(packed[0], 7u);
    TiffFile file(output_, "r");
    uint32_t count = 0;
    void* data = nullptr;
    ASSERT_TRUE(TIFFGetField(file.handle(), 50100, &count, &data));
    EXPECT_EQ(std::string(static_cast<const char*>(data), count), packedHead(150000));
}

TEST_F(TiffTagsTest, ValuesOfOtherWritersAreRead)
{
    struct Case {
        const char* name;
        std::vector<std::string> items;
        std::string expected;
    };
    const Case cases[] = {
        {"without closing zero", {"abc"}, "abc"},
        {"over two items without closing zero", {std::string(60000, 'a'), "bc"}, std::string(60000, 'a') + "bc"},
        {"packed with capital P", {"ZIP" + packedHead(3).substr(3), zlibStream("xyz")}, "xyz"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        writeFixtureTiff(source_, {{pages_[2], FixtureCompression::None, {}}});
        storeItems(source_, 50300, testCase.items);
        EXPECT_EQ(readTag(source_, 1, 50300), testCase.expected);
    }
}

TEST_F(TiffTagsTest, DamagedPackedValuesAreErrors)
{
    const std::string packed = zlibStream("hello");
    struct Case {
        const char* name;
        std::vector<std::string> items;
        int zlibCode;
    };
    const Case cases[] = {
        {"head longer than the stream", {packedHead(6), packed}, Z_DATA_ERROR},
        {"head shorter than the stream", {packedHead(4), packed}, Z_BUF_ERROR},
        {"head beyond any value", {packedHead(0xFFFFFFFF), packed}, Z_DATA_ERROR},
        {"not a zlib stream", {packedHead(5), "garbage"}, Z_DATA_ERROR},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        writeFixtureTiff(source_, {{pages_[2], FixtureCompression::None, {}}});
        storeItems(source_, 50400, testCase.items);
        const std::string report = utf8(errorReport([&] { readTag(source_, 1, 50400); }));
        EXPECT_NE(report.find("Ошибка при распаковки данных: " + std::to_string(testCase.zlibCode)), std::string::npos)
            << report;
    }
}

TEST_F(TiffTagsTest, TextTagsReadBackExactly)
{
    for (const int tag : {269, 270, 285, 305, 306, 800, 33432}) {
        for (const std::string& value : {std::string(), std::string("2021.12.31 23:59:59"),
                                         std::string("\xCF\xF0\xE8\xE2\xE5\xF2"), std::string(30000, 'q')}) {
            SCOPED_TRACE(std::to_string(tag) + ", length " + std::to_string(value.size()));
            write(tag, value);
            EXPECT_TRUE(tiffinfoAccepts(output_));
            EXPECT_EQ(readTag(output_, 1, tag), value);
            EXPECT_EQ(TiffReadTag(output_, 3, tag, nullptr), value.size());
        }
    }
}

TEST_F(TiffTagsTest, SoftwareTagKeepsTheCallersValue)
{
    write(305, "caller's software", false, u"все", "Модуль. Версия: 3.3.0.2");
    for (int page = 1; page <= 4; ++page)
        EXPECT_EQ(readTag(output_, page, 305), "caller's software");

    write(270, "description", false, u"1,3", "Product. Version");
    EXPECT_EQ(readTag(output_, 1, 305), "Product. Version");
    EXPECT_EQ(readTag(output_, 2, 305), "Form 2");
    EXPECT_EQ(readTag(output_, 3, 305), "Product. Version");
    EXPECT_EQ(readTag(output_, 4, 305), "");
}

TEST_F(TiffTagsTest, OnlySelectedPagesChangeAndOthersKeepTheirValues)
{
    write(50100, std::string(150000, 'L'), false, u"3");
    const std::string first = folder_.file("first.tif");
    std::filesystem::rename(output_, first);
    writeFrom(first, 50100, "short", false, u"1-2,чет");

    EXPECT_EQ(readTag(output_, 1, 50100), "short");
    EXPECT_EQ(readTag(output_, 2, 50100), "short");
    EXPECT_EQ(readTag(output_, 3, 50100), std::string(150000, 'L'));
    EXPECT_EQ(readTag(output_, 4, 50100), "short");
    EXPECT_EQ(itemSizes(output_, 4, 50100).size(), 1u);

    // A shorter value leaves no item of the longer one behind it.
    std::filesystem::rename(output_, first);
    writeFrom(first, 50100, "x", false, u"3");
    EXPECT_EQ(readTag(output_, 3, 50100), "x");
    EXPECT_EQ(itemSizes(output_, 3, 50100), std::vector<std::size_t>{2});
}

TEST_F(TiffTagsTest, FramesAreCopiedWithoutLoss)
{
    write(800, "private", false, u"2");
    EXPECT_TRUE(tiffinfoAccepts(output_));
    const std::vector<PageBitmap> copied = decodeTiff(output_);
    ASSERT_EQ(copied.size(), pages_.size());
    for (std::size_t page = 0; page < pages_.size(); ++page) {
        SCOPED_TRACE(page + 1);
        EXPECT_TRUE(samePixels(copied[page], pages_[page]));
        EXPECT_EQ(copied[page].xDpi, pages_[page].xDpi);
    }
    for (const auto& [page, compression] : std::vector<std::pair<int, const char*>>{
             {1, "CCITT Group 4 fax encoding"}, {2, "Lempel-Ziv  & Welch encoding"}, {3, "none"}}) {
        EXPECT_EQ(readTag(output_, page, 259), compression);
        EXPECT_EQ(readTag(output_, page, 259), readTag(source_, page, 259));
    }
    EXPECT_EQ(readTag(output_, 2, 305), "Form 2");
    EXPECT_EQ(readTag(output_, 2, 800), "private");
}

TEST_F(TiffTagsTest, TheSourceItselfCanBeTheOutput)
{
    TagWrite request;
    request.sourcePath = source_;
    request.outputPath = source_;
    request.pageSelection = u"все";
    request.tag = 50100;
    const std::string value = randomBytes(200000, 9);
    request.value = value;
    TiffWriteTag(request);
    EXPECT_EQ(readTag(source_, 2, 50100), value);
    EXPECT_TRUE(tiffinfoAccepts(source_));
    const std::vector<PageBitmap> pages = decodeTiff(source_);
    ASSERT_EQ(pages.size(), pages_.size());
    EXPECT_TRUE(samePixels(pages[0], pages_[0]));
    EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"form.tif"});
}

// The form named through a link (as an installation may keep it): the file the link points to
// gets the tag, and the link stays.
TEST_F(TiffTagsTest, ALinkedOutputReplacesTheFileItPointsTo)
{
    ScratchFolder forms;
    const std::string real = forms.file("form-2021.tif");
    std::filesystem::copy_file(source_, real);
    std::filesystem::create_symlink(real, output_);
    writeFrom(output_, 270, "через ссылку", false, u"2");
    EXPECT_TRUE(std::filesystem::is_symlink(output_));
    EXPECT_EQ(readTag(real, 2, 270), "через ссылку");
    EXPECT_EQ(readTag(real, 1, 270), "");
    EXPECT_EQ(forms.fileNames(), std::vector<std::string>{"form-2021.tif"});
    EXPECT_EQ(folder_.fileNames(), (std::vector<std::string>{"form.tif", "out.tif"}));
}

TEST_F(TiffTagsTest, FullDeviceFailsAndLeavesTheOldFile)
{
    std::ofstream(output_) << "earlier output";
    const std::string report = reportUnderFileSizeLimit(30000, [&] { write(50100, std::string(100000, 'v')); });
    EXPECT_NE(report.find("Ошибка записи в файл: " + output_), std::string::npos) << report;
    EXPECT_NE(report.find("(0xC0040003)"), std::string::npos) << report;
    EXPECT_EQ(folder_.fileNames(), (std::vector<std::string>{"form.tif", "out.tif"}));
    EXPECT_EQ(fileBytes(output_), "earlier output");
}

// A file cut short inside its first directory still opens, but libtiff finds no page in it: the
// copy must not be written as a TIFF without pages, nor read as one.
TEST_F(TiffTagsTest, SourceWithoutReadablePagesIsRefused)
{
    const std::string bytes = fileBytes(source_);
    uint32_t firstDirectory = 0; // little-endian, at byte 4 of the header
    for (int at = 7; at >= 4; --at)
        firstDirectory = firstDirectory << 8 | static_cast<uint8_t>(bytes[static_cast<std::size_t>(at)]);
    const std::string cut = folder_.file("cut.tif");
    bool opensWithoutPages = false;
    for (std::size_t length = firstDirectory; length < bytes.size() && !opensWithoutPages; ++length) {
        std::ofstream(cut, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(length));
        const TiffFile file(cut, "r");
        opensWithoutPages = file.handle() != nullptr && TIFFNumberOfDirectories(file.handle()) == 0;
    }
    ASSERT_TRUE(opensWithoutPages);

    for (const auto& action : std::vector<std::function<void()>>{[&] { writeFrom(cut, 270, "1"); },
                                                                 [&] { readTag(cut, 1, 270); }}) {
        const std::string report = utf8(errorReport(action));
        EXPECT_NE(report.find("в файле " + cut + " нет ни одной страницы"), std::string::npos) << report;
        EXPECT_NE(report.find("(0xC0080007)"), std::string::npos) << report;
    }
    EXPECT_EQ(folder_.fileNames(), (std::vector<std::string>{"cut.tif", "form.tif"}));
}

TEST_F(TiffTagsTest, NumberTagsReadAsText)
{
    struct Case {
        int page;
        int tag;
        const char* expected;
    };
    const Case cases[] = {
        {1, 256, "2480"}, {1, 257, "3508"}, {1, 258, "1"},   {1, 277, "1"},
        {1, 282, "300"},  {1, 283, "300"},  {4, 282, "200"}, {1, 259, "CCITT Group 4 fax encoding"},
        {2, 259, "Lempel-Ziv  & Welch encoding"}, {3, 259, "none"}, {1, 269, ""}, {1, 50100, ""},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(std::to_string(testCase.page) + "/" + std::to_string(testCase.tag));
        EXPECT_EQ(readTag(source_, testCase.page, testCase.tag), testCase.expected);
    }
    setTagValue(source_, 3, TIFFTAG_COMPRESSION, 7);
    EXPECT_EQ(readTag(source_, 3, 259), "encoding: 7");
}

TEST_F(TiffTagsTest, BadRequestsAreErrors)
{
    // What the builds report for a selection of no sheet.
    const std::string noPage = "Описание: Отсутствуют данные.\nКод     : -1073676288 (0xC0010000)";
    struct Case {
        const char* name;
        std::function<void()> action;
        std::string expected;
    };
    const Case cases[] = {
        {"page beyond the file", [&] { readTag(source_, 5, 305); },
         "Недопустимые параметры: Номер страницы 5 превышает общее количество 4."},
        {"tag that cannot be read", [&] { readTag(source_, 1, 300); },
         "Допустимые теги: 269, 270, 285, 305, 306, 800, 33432, 50100, 50200, 50300, 50400, 256, 257, 258, 259, "
         "277, 282, 283"},
        {"tag that cannot be written", [&] { write(256, "1"); },
         "Поддерживаемые номера тегов: 269, 270, 285, 305, 306, 800, 33432, 50100, 50200, 50300, 50400"},
        {"missing source", [&] { writeFrom(folder_.file("none.tif"), 270, "1"); },
         "Не удалось создать объект из файла '" + folder_.file("none.tif") + "'"},
        // A selection that names none of the 4 pages would write an unchanged copy as if tagged.
        {"page 0", [&] { write(270, "1", false, u"0"); }, noPage},
        {"page 5 of 4", [&] { write(270, "1", false, u"5"); }, noPage},
        {"no number", [&] { write(270, "1", false, u"abc"); }, noPage},
        {"range backwards", [&] { write(270, "1", false, u"2-1"); }, noPage},
        {"negative number", [&] { write(270, "1", false, u"-1"); }, noPage},
        {"list of pages past the end", [&] { write(270, "1", false, u"7, 9-12"); }, noPage},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const std::string report = utf8(errorReport(testCase.action));
        EXPECT_NE(report.find(testCase.expected), std::string::npos) << report;
    }
    EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"form.tif"});

    // A byte count far past the file's end is refused before anything is allocated for it.
    setTagValue(source_, 4, TIFFTAG_STRIPBYTECOUNTS, 2000000000);
    const std::string damaged = utf8(errorReport([&] { write(270, "1"); }));
    EXPECT_NE(damaged.find("размер блока данных, страница 4 файла " + source_), std::string::npos) << damaged;
    EXPECT_NE(damaged.find("(0xC0080007)"), std::string::npos) << damaged;
    EXPECT_EQ(folder_.fileNames(), std::vector<std::string>{"form.tif"});

    breakResolution(source_, 4, true);
    const std::string report = utf8(errorReport([&] { readTag(source_, 4, 283); }));
    EXPECT_NE(report.find("у страницы 4 файла " + source_ + " нет разрешения"), std::string::npos) << report;
}

} // namespace
