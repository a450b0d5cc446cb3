#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <iconv.h>

#include <QByteArray>

// Builds a classifier of tax offices in dBASE format byte by byte, as the tax authority's
// "soun1.dbf" lays it out: records of 1194 bytes, the used fields at their places and filler
// fields between them.
namespace soun {

// Text of a code page by iconv(3), an encoder independent of the program's own.
inline std::string encoded(const std::string& utf8, const char* codePage)
{
    iconv_t converter = ::iconv_open(codePage, "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string input = utf8;
    std::string output(input.size() * 2 + 4, '\0');
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    const std::size_t converted = ::iconv(converter, &in, &inLeft, &out, &outLeft);
    ::iconv_close(converter);
    if (converted == static_cast<std::size_t>(-1))
        return {};
    output.resize(output.size() - outLeft);
    return output;
}

inline std::string dos(const std::string& utf8)
{
    return encoded(utf8, "CP866");
}

struct Record {
    std::string code = "7701";
    std::string kind = "30";
    std::string firstClosing;
    std::string name = dos("Инспекция Федеральной налоговой службы № 1 по г.Москве");
    std::string flag = "1";
    std::string secondClosing;
    bool deleted = false;
};

struct FieldSpec {
    std::string name;
    char type;
    int length;
};

// The classifier's layout: the used fields at 1, 5, 7, 161, 411 and 934.
inline std::vector<FieldSpec> classifierFields()
{
    return {{"KOD", 'C', 4},    {"VID", 'C', 2},    {"DATAZ", 'C', 30}, {"F1", 'C', 124},  {"NAIM", 'C', 250},
            {"PRIZ", 'C', 1},   {"F2", 'C', 255},   {"F3", 'C', 255},   {"F4", 'C', 12},   {"DATAL", 'C', 10},
            {"F5", 'C', 250}};
}

inline constexpr int RecordLength = 1194;

// Writes `text` at the field's place; the rest of the field stays blank.
inline void put(std::string& record, int position, int length, const std::string& text)
{
    record.replace(std::size_t(position), text.size() < std::size_t(length) ? text.size() : std::size_t(length),
                   text.substr(0, std::size_t(length)));
}

inline std::string recordBytes(const Record& r)
{
    std::string record(RecordLength, ' ');
    record[0] = r.deleted ? '*' : ' ';
    put(record, 1, 4, r.code);
    put(record, 5, 2, r.kind);
    put(record, 7, 30, r.firstClosing);
    put(record, 161, 250, r.name);
    put(record, 411, 1, r.flag);
    put(record, 934, 10, r.secondClosing);
    return record;
}

inline void putLittleEndian(std::string& bytes, std::size_t offset, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes[offset + std::size_t(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct Options {
    std::vector<FieldSpec> fields = classifierFields();
    // The record count and record length the header states; negative: the true values.
    long long statedCount = -1;
    int statedRecordLength = -1;
    bool terminateDescriptors = true;
};

inline QByteArray file(const std::vector<Record>& records, const Options& options = {})
{
    const std::size_t headerLength = 32 + 32 * options.fields.size() + 1;
    std::string header(32, '\0');
    header[0] = 0x03;
    header[1] = 119; // last update 2019-07-01
    header[2] = 7;
    header[3] = 1;
    putLittleEndian(header, 4,
                    std::uint32_t(options.statedCount < 0 ? records.size() : std::uint64_t(options.statedCount)), 4);
    putLittleEndian(header, 8, std::uint32_t(headerLength), 2);
    putLittleEndian(header, 10, std::uint32_t(options.statedRecordLength < 0 ? RecordLength : options.statedRecordLength),
                    2);
    for (const FieldSpec& field : options.fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, field.name.size(), field.name);
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.length);
        header += descriptor;
    }
    header += options.terminateDescriptors ? '\x0D' : ' ';
    for (const Record& record : records)
        header += recordBytes(record);
    header += '\x1A';
    return QByteArray::fromStdString(header);
}

} // namespace soun
