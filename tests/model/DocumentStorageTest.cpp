#include "model/DocumentStorage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "CommaDecimalLocale.h"
#include "StorageFailure.h"

using namespace std::string_literals;

namespace {

// The header of a declaration file with the version digits `version`.
std::string header(std::string_view version = "0103")
{
    return "DLSG" + std::string(12, ' ') + "Forv2021" + std::string(version) + std::string(32, 'F');
}

const std::string forv2021Header = header();

// One value as the container stores it: four-digit length and the text.
std::string value(std::string_view text)
{
    char length[8];
    std::snprintf(length, sizeof length, "%04zu", text.size());
    return length + std::string(text);
}

} // namespace

TEST(DocumentStorage, HeaderOfTheDeclarationFile)
{
    std::string bytes;
    mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
    storage.CreateHeader("Forv2021");
    EXPECT_EQ(bytes, "DLSG" "            " "Forv2021" "01" "03" "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF");
    EXPECT_EQ(bytes.size(), 60u);
    EXPECT_EQ(storage.Position(), 60u);

    std::string longName;
    mTDocumentStorage other = mTDocumentStorage::forWriting(longName);
    other.CreateHeader("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(longName.substr(4, 20), "ABCDEFGHIJKLMNOPQRST");

    mTDocumentStorage reading = mTDocumentStorage::forReading(bytes);
    reading.Open();
    EXPECT_EQ(reading.DocName(), "Forv2021");
    EXPECT_EQ(reading.VersionMajor(), 1);
    EXPECT_EQ(reading.VersionMinor(), 3);
    EXPECT_EQ(reading.Version(), 65539u);
    EXPECT_EQ(reading.HeaderTail(), std::string(32, 'F'));
    EXPECT_EQ(reading.Position(), 60u);
}

TEST(DocumentStorage, WrittenTextOfEachKind)
{
    struct Case {
        const char* name;
        std::function<void(mTDocumentStorage&)> write;
        std::string stored;
    } const cases[] = {
        {"empty string", [](auto& s) { s.WriteString(""); }, "0000"},
        {"cyrillic string", [](auto& s) { s.WriteString("Ёлка №1"); }, "0007\xA8\xEB\xEA\xE0 \xB9" "1"},
        {"integer", [](auto& s) { s.WriteInteger(2147483647); }, "00102147483647"},
        {"negative integer", [](auto& s) { s.WriteInteger(-1); }, "00104294967295"},
        {"word", [](auto& s) { s.WriteWord(65535); }, "000565535"},
        {"byte", [](auto& s) { s.WriteByte(0); }, "00010"},
        {"currency zero", [](auto& s) { s.WriteCurrency(Currency()); }, "00010"},
        {"currency fraction", [](auto& s) { s.WriteCurrency(Currency::fromUnits(12345000)); }, "00061234.5"},
        {"currency negative", [](auto& s) { s.WriteCurrency(Currency::fromUnits(-1)); }, "0007-0.0001"},
        {"float day count", [](auto& s) { s.WriteFloat(44561); }, "000544561"},
        {"float fraction", [](auto& s) { s.WriteFloat(44561.5); }, "000744561.5"},
        {"float small", [](auto& s) { s.WriteFloat(1e-6); }, "00041E-6"},
        {"float 15 digits", [](auto& s) { s.WriteFloat(0.1 + 0.2); }, "00030.3"},
    };
    for (const auto& c : cases) {
        std::string bytes;
        mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
        c.write(storage);
        EXPECT_EQ(bytes, c.stored) << c.name;
        EXPECT_EQ(countedStorageSize(c.write), c.stored.size()) << c.name;
    }
}

TEST(DocumentStorage, ValuesReadBackAsWritten)
{
    std::string bytes;
    mTDocumentStorage writing = mTDocumentStorage::forWriting(bytes);
    writing.CreateHeader("Forv2021");
    writing.WriteStreamName("@Values");
    writing.WriteString("Пётр «Ў» ґ");
    writing.WriteString("");
    writing.WriteInteger(std::numeric_limits<std::int32_t>::min());
    writing.WriteInteger(-7);
    writing.WriteWord(65535);
    writing.WriteByte(255);
    writing.WriteCurrency(Currency::fromUnits(-123456789));
    writing.WriteFloat(36526.25);
    writing.WriteFloat(1.5e20);
    EXPECT_EQ(writing.Position(), bytes.size());

    mTDocumentStorage reading = mTDocumentStorage::forReading(bytes);
    reading.Open();
    reading.OpenStream("@Values");
    EXPECT_EQ(reading.StreamName(), "@Values");
    EXPECT_EQ(reading.ReadString(), "Пётр «Ў» ґ");
    EXPECT_EQ(reading.ReadString(), "");
    EXPECT_EQ(reading.ReadInteger(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(reading.ReadInteger(), -7);
    EXPECT_EQ(reading.ReadWord(), 65535);
    EXPECT_EQ(reading.ReadByte(), 255);
    EXPECT_EQ(reading.ReadCurrency(), Currency::fromUnits(-123456789));
    EXPECT_EQ(reading.ReadFloat(), 36526.25);
    EXPECT_EQ(reading.ReadFloat(), 1.5e20);
    EXPECT_EQ(reading.Position(), bytes.size());
}

TEST(DocumentStorage, ReaderConversions)
{
    struct Case {
        const char* name;
        std::string version;
        std::string stored;
        std::function<std::string(mTDocumentStorage&)> read;
        std::string expected;
    };
    const auto integer = [](auto& s) { return std::to_string(s.ReadInteger()); };
    const auto word = [](auto& s) { return std::to_string(s.ReadWord()); };
    const auto byte = [](auto& s) { return std::to_string(s.ReadByte()); };
    const auto currency = [](auto& s) { return std::to_string(s.ReadCurrency().units()); };
    const auto floating = [](auto& s) { return std::to_string(s.ReadFloat()); };
    const auto string = [](auto& s) { return s.ReadString(); };
    const Case cases[] = {
        {"unsigned digits of a negative integer", "0103", value("4294967295"), integer, "-1"},
        {"signed integer text", "0103", value("-2147483648"), integer, "-2147483648"},
        {"word cut to 16 bits", "0103", value("65537"), word, "1"},
        {"byte cut to 8 bits", "0103", value("257"), byte, "1"},
        {"currency a is -1", "0103", value("a"), currency, "-10000"},
        {"currency with point", "0103", value("12.34"), currency, "123400"},
        {"currency with comma", "0103", value("1234,5"), currency, "12345000"},
        {"float number from 1.2", "0102", value("36526"), floating, "36526.000000"},
        {"float comma", "0103", value("0,5"), floating, "0.500000"},
        {"float exponent", "0103", value("1E-6"), floating, "0.000001"},
        {"float date before 1.2", "0101", value("01.01.2000"), floating, "36526.000000"},
        {"float date with commas", "0100", value("31,12,2021"), floating, "44561.000000"},
        {"zero byte ends a string", "0103", value(std::string("ab\0cd", 5)), string, "ab"},
        {"string decoded to UTF-8", "0103", value("\xC0\xFF\x98"), string, "Ая\xC2\x98"},
    };
    for (const auto& c : cases) {
        const std::string bytes = header(c.version) + c.stored;
        mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
        storage.Open();
        try {
            EXPECT_EQ(c.read(storage), c.expected) << c.name;
            EXPECT_EQ(storage.Position(), bytes.size()) << c.name;
        } catch (const std::exception& e) {
            ADD_FAILURE() << c.name << ": " << e.what();
        }
    }
}

TEST(DocumentStorage, NumbersUseThePointUnderACommaLocale)
{
    const CommaDecimalLocale comma;
    std::string bytes;
    mTDocumentStorage writing = mTDocumentStorage::forWriting(bytes);
    writing.WriteFloat(44561.5);
    writing.WriteCurrency(Currency::fromUnits(12345000));
    writing.WriteInteger(-1);
    EXPECT_EQ(bytes, "000744561.5" "00061234.5" "00104294967295");

    mTDocumentStorage reading = mTDocumentStorage::forReading(bytes);
    EXPECT_EQ(reading.ReadFloat(), 44561.5);
    EXPECT_EQ(reading.ReadCurrency(), Currency::fromUnits(12345000));
    EXPECT_EQ(reading.ReadInteger(), -1);
}

TEST(DocumentStorage, BareStoragesHoldValuesWithoutHeader)
{
    std::string bytes;
    mTDocumentStorage writing = mTDocumentStorage::forWriting(bytes);
    writing.WriteStreamName("@S");
    writing.WriteFloat(2.5);
    EXPECT_EQ(bytes, "0002@S00032.5");

    mTDocumentStorage reading = mTDocumentStorage::forReading(bytes);
    reading.OpenStream("@S");
    EXPECT_EQ(reading.ReadFloat(), 2.5);
    EXPECT_EQ(reading.Version(), 65539u);

    const auto save = [](mTDocumentStorage& s) { s.WriteStreamName("@S"); s.WriteFloat(2.5); };
    EXPECT_EQ(countedStorageSize(save), bytes.size());
}

// A user's text that holds a stream name, or the bytes of one, must not draw a load away
// from the real stream.
TEST(DocumentStorage, StreamsAreFoundAtValueBoundariesOnly)
{
    std::string bytes;
    mTDocumentStorage writing = mTDocumentStorage::forWriting(bytes);
    writing.CreateHeader("Forv2021");
    writing.WriteStreamName("@DeclInfoX");
    writing.WriteString("0009@DeclInfo");
    writing.WriteString("@DeclInfo");
    writing.WriteInteger(1);
    writing.WriteStreamName("@DeclInfo");
    writing.WriteInteger(42);
    writing.WriteStreamName("@Other");
    writing.WriteInteger(7);

    mTDocumentStorage reading = mTDocumentStorage::forReading(bytes);
    reading.Open();
    // From the current position a name in the middle of a text or of a longer name is passed by.
    reading.OpenStream("@Other");
    EXPECT_EQ(reading.ReadInteger(), 7);
    reading.OpenStream("@DeclInfoX");
    EXPECT_EQ(reading.ReadString(), "0009@DeclInfo");
    EXPECT_EQ(reading.ReadString(), "@DeclInfo");
    EXPECT_EQ(reading.ReadInteger(), 1);
    // The stream that starts at the current position wins over an equal text before it.
    reading.OpenStream("@DeclInfo");
    EXPECT_EQ(reading.ReadInteger(), 42);
    reading.OpenStream("@DeclInfoX");
    reading.OpenStream("@Other");
    reading.OpenStream("@Other");
    EXPECT_EQ(reading.ReadInteger(), 7);
    EXPECT_EQ(failureCode([&] { reading.OpenStream("@Decl"); }), 210);
    EXPECT_EQ(failureCode([&] { reading.OpenStream("Info"); }), 210);
}

TEST(DocumentStorage, ValuesThatCannotBeWrittenFailBeforeAnyByte)
{
    struct Case {
        const char* name;
        std::function<void(mTDocumentStorage&)> write;
        int code;
    } const cases[] = {
        {"character outside windows-1251", [](auto& s) { s.WriteString("Smile ☺"); }, 153},
        {"invalid UTF-8", [](auto& s) { s.WriteString("\xD0"); }, 153},
        // Read back, the text would end at the zero.
        {"zero character", [](auto& s) { s.WriteString("Ив\0анов"s); }, 153},
        {"zero character at the end", [](auto& s) { s.WriteString("x\0"s); }, 153},
        {"text over 9999 bytes", [](auto& s) { s.WriteString(std::string(10000, 'x')); }, 154},
        {"stream name outside windows-1251", [](auto& s) { s.WriteStreamName("@☺"); }, 153},
        {"not a number", [](auto& s) { s.WriteFloat(std::nan("")); }, 193},
        {"infinity", [](auto& s) { s.WriteFloat(HUGE_VAL); }, 193},
        {"largest double rounds beyond the range", [](auto& s) { s.WriteFloat(std::numeric_limits<double>::max()); }, 193},
    };
    for (const auto& c : cases) {
        std::string bytes;
        mTDocumentStorage writing = mTDocumentStorage::forWriting(bytes);
        EXPECT_EQ(failureCode([&] { c.write(writing); }), c.code) << c.name;
        EXPECT_EQ(bytes, "") << c.name;
        EXPECT_EQ(writing.Position(), 0u) << c.name;
        // The size pass meets the same failure.
        EXPECT_EQ(failureCode([&] { countedStorageSize(c.write); }), c.code) << c.name;
    }

    std::string longest;
    mTDocumentStorage writing = mTDocumentStorage::forWriting(longest);
    writing.WriteString(std::string(9999, 'x'));
    EXPECT_EQ(longest.size(), 10003u);
    EXPECT_EQ(longest.substr(0, 4), "9999");
}

TEST(DocumentStorage, CharacterOutsideTheCodePageIsNamedInTheMessage)
{
    std::string bytes;
    mTDocumentStorage writing = mTDocumentStorage::forWriting(bytes);
    try {
        writing.WriteString("Улица ☺");
        FAIL() << "no failure";
    } catch (const mEWriteStorage& e) {
        EXPECT_EQ(e.Code, 153);
        EXPECT_NE(std::string(e.what()).find("☺"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("U+263A"), std::string::npos) << e.what();
    }
}

TEST(DocumentStorage, AZeroCharacterIsNamedByItsPlace)
{
    std::string bytes;
    mTDocumentStorage writing = mTDocumentStorage::forWriting(bytes);
    try {
        writing.WriteString("Ив\0анов"s);
        FAIL() << "no failure";
    } catch (const mEWriteStorage& e) {
        EXPECT_EQ(e.Code, 153);
        EXPECT_EQ(std::string(e.what()),
                  "Текст содержит нулевой символ (знак 3), его нельзя сохранить в файле декларации.");
    }
}

TEST(DocumentStorage, CountsAreCheckedAgainstTheWordRange)
{
    EXPECT_EQ(mTDocumentStorage::checkedWordCount(0), 0);
    EXPECT_EQ(mTDocumentStorage::checkedWordCount(65535), 65535);
    EXPECT_EQ(failureCode([] { mTDocumentStorage::checkedWordCount(65536); }), 173);
}

TEST(DocumentStorage, MisuseOfAStartedOrReadingStorage)
{
    const std::string container = header() + value("@S") + value("1");
    struct Case {
        const char* name;
        std::function<void(mTDocumentStorage&)> action;
        int code;
    } const cases[] = {
        {"create header on a reading storage", [](auto& s) { s.CreateHeader("X"); }, 51},
        {"open twice", [](auto& s) { s.Open(); }, 69},
        {"stream name on a reading storage", [](auto& s) { s.WriteStreamName("@T"); }, 81},
        {"write string", [](auto& s) { s.WriteString("x"); }, 150},
        {"write integer", [](auto& s) { s.WriteInteger(1); }, 160},
        {"write word", [](auto& s) { s.WriteWord(1); }, 170},
        {"write currency", [](auto& s) { s.WriteCurrency(Currency()); }, 180},
        {"write float", [](auto& s) { s.WriteFloat(1); }, 190},
        {"write byte", [](auto& s) { s.WriteByte(1); }, 200},
    };
    for (const auto& c : cases) {
        mTDocumentStorage storage = mTDocumentStorage::forReading(container);
        storage.Open();
        EXPECT_EQ(failureCode([&] { c.action(storage); }), c.code) << c.name;
    }

    std::string bytes;
    mTDocumentStorage writing = mTDocumentStorage::forWriting(bytes);
    writing.CreateHeader("Forv2021");
    EXPECT_EQ(failureCode([&] { writing.CreateHeader("Forv2021"); }), 52);
    EXPECT_EQ(failureCode([&] { writing.Open(); }), 69);
    writing.WriteInteger(5);
    EXPECT_EQ(bytes, forv2021Header + "00015");
}

// Every bad file gives its code, and nothing but the storage family escapes.
TEST(DocumentStorage, CorruptInput)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::function<void(mTDocumentStorage&)> read;
        int code;
    };
    const auto none = [](mTDocumentStorage&) {};
    const Case cases[] = {
        {"empty", "", none, 68},
        {"short signature", "DLS", none, 68},
        {"other signature", "XLSG" + header().substr(4), none, 68},
        {"text file", "Hello, world! This is not a declaration file at all, sorry.....", none, 68},
        {"signature alone", "DLSG", none, 392},
        {"header cut short", header().substr(0, 59), none, 392},
        {"version letters", header("0a03"), none, 392},
        {"minor version letters", header("01 3"), none, 392},
        {"length cut off", header() + "00", [](auto& s) { s.ReadString(); }, 94},
        {"no value at the end", header(), [](auto& s) { s.ReadString(); }, 94},
        {"length not digits", header() + "00x1a", [](auto& s) { s.ReadString(); }, 94},
        {"negative length", header() + "-001a", [](auto& s) { s.ReadString(); }, 94},
        {"string past the end", header() + "0005abcd", [](auto& s) { s.ReadString(); }, 94},
        {"integer of length 0", header() + "0000" + value("5"), [](auto& s) { s.ReadInteger(); }, 103},
        {"integer not a number", header() + value("12a"), [](auto& s) { s.ReadInteger(); }, 103},
        {"integer blank", header() + value(" 1"), [](auto& s) { s.ReadInteger(); }, 103},
        {"integer over 32 bits", header() + value("4294967296"), [](auto& s) { s.ReadInteger(); }, 103},
        {"integer huge", header() + value(std::string(40, '9')), [](auto& s) { s.ReadInteger(); }, 103},
        {"integer minus alone", header() + value("-"), [](auto& s) { s.ReadInteger(); }, 103},
        {"integer below range", header() + value("-2147483649"), [](auto& s) { s.ReadInteger(); }, 103},
        {"word of length 0", header() + "0000", [](auto& s) { s.ReadWord(); }, 113},
        {"word past the end", header() + "0005123", [](auto& s) { s.ReadWord(); }, 113},
        {"currency letters", header() + value("abc"), [](auto& s) { s.ReadCurrency(); }, 123},
        {"currency of length 0", header() + "0000", [](auto& s) { s.ReadCurrency(); }, 123},
        {"float letters", header() + value("x.5"), [](auto& s) { s.ReadFloat(); }, 133},
        {"float bad date", header("0101") + value("31.02.2000"), [](auto& s) { s.ReadFloat(); }, 133},
        {"byte sign", header() + value("+1"), [](auto& s) { s.ReadByte(); }, 143},
        {"missing stream", header() + value("@A"), [](auto& s) { s.OpenStream("@B"); }, 210},
        {"stream in cut value", header() + "0009@DeclI", [](auto& s) { s.OpenStream("@DeclI"); }, 212},
        {"stream behind bad length", header() + "zzzz0002@A", [](auto& s) { s.OpenStream("@A"); }, 212},
        {"stream missing from whole values", header() + value("@A") + value("1"),
         [](auto& s) {
             s.OpenStream("@A");
             s.ReadInteger();
             s.OpenStream("@B");
         },
         210},
    };
    for (const auto& c : cases) {
        mTDocumentStorage storage = mTDocumentStorage::forReading(c.bytes);
        const int code = failureCode([&] {
            storage.Open();
            c.read(storage);
        });
        EXPECT_EQ(code, c.code) << c.name;
    }
}

TEST(DocumentStorage, FailedOpenLeavesTheStorageFresh)
{
    const std::string bytes = "XLSG" + header().substr(4);
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    EXPECT_EQ(failureCode([&] { storage.Open(); }), 68);
    EXPECT_FALSE(storage.Opened());
    EXPECT_EQ(storage.Position(), 0u);
    EXPECT_EQ(failureCode([&] { storage.ReadString(); }), 93);
    EXPECT_EQ(failureCode([&] { storage.OpenStream("@A"); }), 211);
}

TEST(DocumentStorage, FailedReadKeepsThePosition)
{
    const std::string bytes = header() + value("x") + value("7");
    mTDocumentStorage storage = mTDocumentStorage::forReading(bytes);
    storage.Open();
    EXPECT_EQ(failureCode([&] { storage.ReadInteger(); }), 103);
    EXPECT_EQ(storage.Position(), 60u);
    EXPECT_EQ(storage.ReadString(), "x");
    EXPECT_EQ(storage.ReadInteger(), 7);
}

TEST(DocumentStorage, IndexedStreamNames)
{
    EXPECT_EQ(indexedStreamName("@Sourse", 0), "@Sourse000");
    EXPECT_EQ(indexedStreamName("@Sourse", 1234), "@Sourse1234");
    EXPECT_EQ(indexedStreamName("@Cur", 5, 4), "@Cur0005");
    EXPECT_EQ(indexedStreamName("@Inc", 2u, 17u), "@Inc002017");
}
