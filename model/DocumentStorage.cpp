#include "model/DocumentStorage.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

#include "model/Cp1251.h"
#include "model/DayDate.h"
#include "model/NumberText.h"
#include "model/Trimmed.h"

namespace {

constexpr std::string_view signature = "DLSG";
constexpr std::uint32_t headerSize = 60;
constexpr std::uint16_t formatMajor = 1;
constexpr std::uint16_t formatMinor = 3;
constexpr std::size_t maxValueLength = 9999;
// Below this version Float values hold date texts instead of numbers.
constexpr std::uint32_t firstNumericFloatVersion = (1u << 16) | 2;

const char* const readOnlyMessage = "Попытка записи в память только для чтения";
const char* const notOpenMessage = "Попытка доступа к неинициализированным данным.";
const char* const alreadyCreatedMessage = "Объект уже был создан.";
const char* const badFileMessage = "Неправильный формат файла декларации, возможно он поврежден.";
const char* const pastEndMessage = "Попытка записи за пределы файла декларации.";

// Code groups of the readers and writers: the first code of each.
enum : std::uint16_t {
    createHeaderCodes = 50,
    readStringCodes = 91,
    readIntegerCodes = 100,
    readWordCodes = 110,
    readCurrencyCodes = 120,
    readFloatCodes = 130,
    readByteCodes = 140,
    writeStringCodes = 150,
    writeIntegerCodes = 160,
    writeWordCodes = 170,
    writeCurrencyCodes = 180,
    writeFloatCodes = 190,
    writeByteCodes = 200,
};

// Writes `text` into a field of `width` bytes: cut to the width, or right-aligned behind `pad`.
void padCopy(std::string& out, std::string_view text, std::size_t width, char pad)
{
    if (text.size() >= width) {
        out.append(text.substr(0, width));
    } else {
        out.append(width - text.size(), pad);
        out.append(text);
    }
}

bool allDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The four-digit length in front of a value.
std::optional<std::size_t> lengthField(std::string_view field)
{
    if (!allDigits(field))
        return std::nullopt;
    std::size_t length = 0;
    for (const char c : field)
        length = length * 10 + static_cast<std::size_t>(c - '0');
    return length;
}

std::uint16_t twoDigits(std::string_view text)
{
    if (!allDigits(text))
        throw mEBadStorage(badFileMessage, 392);
    return static_cast<std::uint16_t>((text[0] - '0') * 10 + (text[1] - '0'));
}

} // namespace

mTDocumentStorage::mTDocumentStorage(mTFileLoader& loader) : readOnly_(loader.ReadOnly())
{
    if (readOnly_) {
        input_ = loader.Bytes();
    } else {
        output_ = &loader.Bytes();
        limit_ = loader.Size();
    }
}

mTDocumentStorage mTDocumentStorage::bare(bool readOnly)
{
    mTDocumentStorage storage;
    storage.readOnly_ = readOnly;
    storage.opened_ = true;
    storage.bare_ = true;
    storage.versionMajor_ = formatMajor;
    storage.versionMinor_ = formatMinor;
    return storage;
}

mTDocumentStorage mTDocumentStorage::forReading(std::string_view bytes)
{
    mTDocumentStorage storage = bare(true);
    storage.input_ = bytes;
    return storage;
}

mTDocumentStorage mTDocumentStorage::containerForReading(std::string_view bytes)
{
    mTDocumentStorage storage;
    storage.readOnly_ = true;
    storage.input_ = bytes;
    return storage;
}

mTDocumentStorage mTDocumentStorage::forWriting(std::string& out)
{
    mTDocumentStorage storage = bare(false);
    storage.output_ = &out;
    storage.position_ = static_cast<std::uint32_t>(out.size());
    storage.firstValue_ = storage.position_;
    return storage;
}

mTDocumentStorage mTDocumentStorage::sizeCounter()
{
    return bare(false);
}

std::string_view mTDocumentStorage::bytes() const
{
    if (readOnly_)
        return input_;
    return output_ ? std::string_view(*output_) : std::string_view();
}

// A bare storage may still become a whole container until its first value.
bool mTDocumentStorage::startable() const
{
    return !opened_ || (bare_ && position_ == firstValue_ && firstValue_ == 0);
}

void mTDocumentStorage::reset()
{
    position_ = 0;
    firstValue_ = 0;
    streamName_.clear();
    opened_ = false;
    created_ = false;
    bare_ = false;
}

void mTDocumentStorage::CreateHeader(const std::string& docName)
{
    if (readOnly_)
        throw mEWriteStorage(readOnlyMessage, createHeaderCodes + 1);
    if (!startable())
        throw mEAlreadyCreated(alreadyCreatedMessage, createHeaderCodes + 2);
    if (limit_ < headerSize)
        throw mEWriteStorage(pastEndMessage, createHeaderCodes + 3);
    std::string name;
    try {
        name = cp1251::fromUtf8(docName);
    } catch (const cp1251::EncodeError& e) {
        throw mEWriteStorage(e.what(), createHeaderCodes + 4);
    }

    std::string header;
    header.reserve(headerSize);
    padCopy(header, signature, 4, ' ');
    padCopy(header, name, 20, ' ');
    padCopy(header, std::to_string(formatMajor), 2, '0');
    padCopy(header, std::to_string(formatMinor), 2, '0');
    padCopy(header, std::string(32, 'F'), 32, 'F');
    if (output_)
        output_->replace(0, std::string::npos, header);

    opened_ = true;
    created_ = true;
    bare_ = false;
    docName_ = docName;
    versionMajor_ = formatMajor;
    versionMinor_ = formatMinor;
    headerTail_ = header.substr(28);
    position_ = headerSize;
    firstValue_ = headerSize;
}

void mTDocumentStorage::Open()
{
    if (created_ || !startable())
        throw mEAlreadyCreated(alreadyCreatedMessage, 69);
    const std::string_view data = bytes();
    if (data.substr(0, signature.size()) != signature) {
        reset();
        throw mEBadStorage(badFileMessage, 68);
    }
    try {
        if (data.size() < headerSize)
            throw mEBadStorage(badFileMessage, 392);
        versionMajor_ = twoDigits(data.substr(24, 2));
        versionMinor_ = twoDigits(data.substr(26, 2));
    } catch (...) {
        reset();
        throw;
    }
    docName_ = cp1251::toUtf8(Trimmed(data.substr(4, 20)));
    headerTail_ = cp1251::toUtf8(data.substr(28, 32));
    opened_ = true;
    bare_ = false;
    position_ = headerSize;
    firstValue_ = headerSize;
}

void mTDocumentStorage::WriteStreamName(std::string_view name)
{
    if (!opened_)
        throw mEObjectAccess(notOpenMessage, 82);
    if (readOnly_)
        throw mEWriteStorage(readOnlyMessage, 81);
    WriteString(name);
    streamName_ = name;
}

// True when a string value with the text `name` (in windows-1251) starts at `offset`.
bool mTDocumentStorage::streamNameAt(std::uint32_t offset, std::string_view name, std::uint32_t& end) const
{
    const std::string_view data = bytes();
    if (data.size() - offset < 4 + name.size())
        return false;
    if (lengthField(data.substr(offset, 4)) != name.size() || data.substr(offset + 4, name.size()) != name)
        return false;
    end = static_cast<std::uint32_t>(offset + 4 + name.size());
    return true;
}

// Walks the values from `from` (a value boundary) while they start before `until`. `cutShort`
// tells that the walk stopped at bytes that are not a whole value.
bool mTDocumentStorage::findStream(std::uint32_t from, std::uint32_t until, std::string_view name,
                                   std::uint32_t& end, bool& cutShort) const
{
    const std::string_view data = bytes();
    std::uint64_t offset = from;
    while (offset < until && offset < data.size()) {
        const auto at = static_cast<std::uint32_t>(offset);
        if (streamNameAt(at, name, end))
            return true;
        const auto length = data.size() - at >= 4 ? lengthField(data.substr(at, 4)) : std::nullopt;
        if (!length || data.size() - at - 4 < *length) {
            cutShort = true;
            return false;
        }
        offset += 4 + *length;
    }
    return false;
}

void mTDocumentStorage::OpenStream(std::string_view name)
{
    if (!opened_)
        throw mEObjectAccess(notOpenMessage, 211);
    std::string encodedName;
    try {
        encodedName = cp1251::fromUtf8(name);
    } catch (const cp1251::EncodeError&) {
        throw mEOpenStream("Попытка открытия несуществующего потока", 210);
    }
    std::uint32_t end = 0;
    bool cutShort = false;
    if (position_ < firstValue_ || !findStream(position_, UINT32_MAX, encodedName, end, cutShort)) {
        if (!findStream(firstValue_, position_, encodedName, end, cutShort)) {
            // The walk ended inside a value: the file was cut short or damaged.
            if (cutShort)
                throw mEBadStorage(badFileMessage, 212);
            throw mEOpenStream("Попытка открытия несуществующего потока", 210);
        }
    }
    position_ = end;
    streamName_ = name;
}

mTDocumentStorage::Value mTDocumentStorage::readValue(std::uint16_t firstCode, bool numeric) const
{
    if (!opened_)
        throw mEObjectAccess(notOpenMessage, firstCode + 2);
    const std::string_view data = bytes();
    const auto bad = [&] { return mEBadStorage(badFileMessage, firstCode + 3); };
    if (position_ > data.size() || data.size() - position_ < 4)
        throw bad();
    const auto length = lengthField(data.substr(position_, 4));
    // A number needs at least one character; an empty string is "0000" alone.
    if (!length || (numeric && *length == 0) || data.size() - position_ - 4 < *length)
        throw bad();
    return {data.substr(position_ + 4, *length), static_cast<std::uint32_t>(position_ + 4 + *length)};
}

// A decimal integer in the signed or unsigned 32-bit range, as the readers of the integer
// kinds take it before cutting it to their width.
std::int64_t mTDocumentStorage::readDecimal(std::uint16_t firstCode)
{
    const Value value = readValue(firstCode, true);
    std::string_view digits = value.text;
    const bool negative = digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    std::int64_t magnitude = 0;
    if (!allDigits(digits)
        || std::from_chars(digits.data(), digits.data() + digits.size(), magnitude).ec != std::errc()
        || magnitude > (negative ? 0x80000000LL : 0xFFFFFFFFLL))
        throw mEBadStorage(badFileMessage, firstCode + 3);
    position_ = value.end;
    return negative ? -magnitude : magnitude;
}

std::string mTDocumentStorage::ReadString()
{
    const Value value = readValue(readStringCodes, false);
    std::string_view text = value.text;
    // A zero byte ends the text.
    text = text.substr(0, text.find('\0'));
    position_ = value.end;
    return cp1251::toUtf8(text);
}

std::int32_t mTDocumentStorage::ReadInteger()
{
    // Values from 2^31 are the unsigned digits of negative numbers.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(readDecimal(readIntegerCodes)));
}

std::uint16_t mTDocumentStorage::ReadWord()
{
    return static_cast<std::uint16_t>(readDecimal(readWordCodes));
}

std::uint8_t mTDocumentStorage::ReadByte()
{
    return static_cast<std::uint8_t>(readDecimal(readByteCodes));
}

Currency mTDocumentStorage::ReadCurrency()
{
    const Value value = readValue(readCurrencyCodes, true);
    std::optional<Currency> amount;
    if (value.text == "a")
        amount = Currency::fromWholeRoubles(-1);
    else if (!(amount = parseCurrency(value.text, '.')))
        amount = parseCurrency(value.text, ',');
    if (!amount)
        throw mEBadStorage(badFileMessage, readCurrencyCodes + 3);
    position_ = value.end;
    return *amount;
}

double mTDocumentStorage::ReadFloat()
{
    const Value value = readValue(readFloatCodes, true);
    std::optional<double> (*const parse)(std::string_view, char) =
        Version() < firstNumericFloatVersion ? &parseDateText : &parseFloat;
    std::optional<double> number = parse(value.text, '.');
    if (!number)
        number = parse(value.text, ',');
    if (!number)
        throw mEBadStorage(badFileMessage, readFloatCodes + 3);
    position_ = value.end;
    return *number;
}

void mTDocumentStorage::checkWritable(std::uint16_t firstCode) const
{
    if (readOnly_)
        throw mEWriteStorage(readOnlyMessage, firstCode);
    if (!opened_)
        throw mEObjectAccess(notOpenMessage, firstCode + 1);
}

void mTDocumentStorage::put(std::string_view text, std::uint16_t firstCode)
{
    const std::uint64_t end = std::uint64_t(position_) + 4 + text.size();
    if (end > limit_)
        throw mEWriteStorage(pastEndMessage, firstCode + 2);
    if (output_) {
        std::string value;
        value.reserve(4 + text.size());
        padCopy(value, std::to_string(text.size()), 4, '0');
        value.append(text);
        output_->replace(position_, value.size(), value);
    }
    position_ = static_cast<std::uint32_t>(end);
}

void mTDocumentStorage::WriteString(std::string_view utf8)
{
    checkWritable(writeStringCodes);
    std::string text;
    try {
        text = cp1251::fromUtf8(utf8);
    } catch (const cp1251::EncodeError& e) {
        throw mEWriteStorage(e.what(), writeStringCodes + 3);
    }
    // A zero byte ends the text when it is read back: what follows it would be lost unseen.
    if (const std::size_t zero = text.find('\0'); zero != std::string::npos)
        throw mEWriteStorage("Текст содержит нулевой символ (знак " + std::to_string(zero + 1)
                                 + "), его нельзя сохранить в файле декларации.",
                             writeStringCodes + 3);
    if (text.size() > maxValueLength)
        throw mEWriteStorage("Текст длиной " + std::to_string(text.size())
                                 + " байт не помещается в файл декларации (не более 9999 байт).",
                             writeStringCodes + 4);
    put(text, writeStringCodes);
}

void mTDocumentStorage::WriteInteger(std::int32_t value)
{
    checkWritable(writeIntegerCodes);
    put(std::to_string(static_cast<std::uint32_t>(value)), writeIntegerCodes);
}

void mTDocumentStorage::WriteWord(std::uint16_t value)
{
    checkWritable(writeWordCodes);
    put(std::to_string(value), writeWordCodes);
}

void mTDocumentStorage::WriteByte(std::uint8_t value)
{
    checkWritable(writeByteCodes);
    put(std::to_string(value), writeByteCodes);
}

void mTDocumentStorage::WriteCurrency(Currency value)
{
    checkWritable(writeCurrencyCodes);
    put(currencyText(value), writeCurrencyCodes);
}

void mTDocumentStorage::WriteFloat(double value)
{
    checkWritable(writeFloatCodes);
    // Infinities, NaN and the few magnitudes whose 15-digit text rounds out of the double range
    // would make the file unreadable.
    const std::string text = generalFloatText(value, 15);
    if (!std::isfinite(value) || !parseFloat(text))
        throw mEWriteStorage("Значение " + text + " не может быть сохранено в файле декларации.", writeFloatCodes + 3);
    put(text, writeFloatCodes);
}

std::uint16_t mTDocumentStorage::checkedWordCount(std::size_t count)
{
    if (count > UINT16_MAX)
        throw mEWriteStorage("Слишком много записей в списке: " + std::to_string(count)
                                 + " (не более 65535).",
                             writeWordCodes + 3);
    return static_cast<std::uint16_t>(count);
}

std::uint32_t mTDocumentStorage::ReadCount()
{
    const std::uint32_t start = position_;
    const std::int32_t count = ReadInteger();
    if (count < 0) {
        position_ = start;
        throw mEBadStorage(badFileMessage, readIntegerCodes + 3);
    }
    return static_cast<std::uint32_t>(count);
}

std::string indexedStreamName(std::string_view prefix, unsigned index, int digits)
{
    char number[16];
    std::snprintf(number, sizeof number, "%.*u", digits, index);
    return std::string(prefix) + number;
}

std::string indexedStreamName(std::string_view prefix, unsigned ownerIndex, unsigned itemIndex)
{
    char numbers[32];
    std::snprintf(numbers, sizeof numbers, "%.3u%.3u", ownerIndex, itemIndex);
    return std::string(prefix) + numbers;
}
