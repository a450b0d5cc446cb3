#include "shell/SounDbf.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

#include <QDir>
#include <QFile>

#include "model/Cp1251.h"
#include "model/RegularFile.h"

namespace {

// dBASE header: byte 4 the record count (32 bits), byte 8 the header's length and byte 10 the
// record's length (16 bits each), all little-endian; from byte 32 one 32-byte descriptor per
// field up to the byte 0x0D.
constexpr qint64 FileHeaderSize = 32;
constexpr qint64 DescriptorSize = 32;
constexpr char DescriptorsEnd = 0x0D;
constexpr int DescriptorTypeOffset = 11;
constexpr int DescriptorLengthOffset = 16;
constexpr int RecordSize = 1194;
constexpr char DeletedRecord = '*';
// The classifier lists a few thousand offices, a few megabytes; this holds two hundred thousand.
constexpr std::uint64_t MaxFileSize = std::uint64_t(256) << 20;

// A field's place in a record; byte 0 of a record is its deletion flag.
struct Field {
    int position;
    int length;
};
constexpr Field CodeField{1, 4};
constexpr Field KindField{5, 2};
constexpr Field FirstClosingField{7, 30}; // empty for current offices
constexpr Field NameField{161, 250};
constexpr Field CurrentFlagField{411, 1};
constexpr Field SecondClosingField{934, 10}; // empty for current offices
constexpr std::array UsedFields{CodeField, KindField, FirstClosingField, NameField, CurrentFlagField, SecondClosingField};

// The kinds of office that receive declarations.
constexpr std::array<std::string_view, 9> ReceivingKinds{"30", "31", "41", "42", "43", "21", "50", "52", "60"};
constexpr std::array<std::string_view, 2> LeftOutCodes{"3906", "7203"};

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

quint32 littleEndian(const QByteArray& bytes, int offset, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

// The field's bytes without leading and trailing blanks and control characters.
std::string_view fieldText(const QByteArray& record, Field field)
{
    std::string_view text(record.constData() + field.position, std::size_t(field.length));
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

// Code points of the DOS code page's bytes 0xF0..0xFF; 0x80..0xAF are U+0410..U+043F,
// 0xE0..0xEF are U+0440..U+044F and 0xB0..0xDF are box-drawing characters.
constexpr std::array<char16_t, 16> Cp866Tail{0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
                                             0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0};

// The text of DOS code page bytes, or nothing when a byte is a control character or has no
// windows-1251 counterpart, as the box-drawing characters that windows-1251 Cyrillic letters
// become when a file in the wrong code page is read as DOS text.
std::optional<QString> fromCp866(std::string_view bytes)
{
    QString text;
    text.reserve(qsizetype(bytes.size()));
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || (byte >= 0xB0 && byte < 0xE0))
            return std::nullopt;
        if (byte < 0x80)
            text += QChar(byte);
        else if (byte < 0xB0)
            text += QChar(char16_t(0x0410 + (byte - 0x80)));
        else if (byte < 0xF0)
            text += QChar(char16_t(0x0440 + (byte - 0xE0)));
        else
            text += QChar(Cp866Tail[byte - 0xF0]);
    }
    try {
        cp1251::encodedLength(text.toStdString());
    } catch (const cp1251::EncodeError&) {
        return std::nullopt;
    }
    return text;
}

bool isFourDigits(std::string_view code)
{
    if (code.size() != 4)
        return false;
    for (const char c : code) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

template <std::size_t N>
bool isOneOf(std::string_view text, const std::array<std::string_view, N>& values)
{
    for (const std::string_view value : values) {
        if (text == value)
            return true;
    }
    return false;
}

struct Layout {
    qint64 recordCount;
    qint64 headerLength;
};

// Checks that the file is the classifier: a whole header whose fields put the used ones where
// the records are read.
Layout readLayout(QFile& file, const QString& path)
{
    const qint64 fileSize = file.size();
    const QByteArray start = file.read(FileHeaderSize);
    if (start.size() < FileHeaderSize) {
        throw SounFileError(QStringLiteral("Файл %1 поврежден: в нем %2 байт, меньше заголовка файла dBASE.")
                                .arg(shown(path))
                                .arg(fileSize));
    }
    const Layout layout{littleEndian(start, 4, 4), littleEndian(start, 8, 2)};
    const qint64 recordLength = littleEndian(start, 10, 2);
    if (layout.headerLength < FileHeaderSize + 1 || layout.headerLength > fileSize) {
        throw SounFileError(QStringLiteral("Файл %1 поврежден: в заголовке указана длина заголовка %2 байт, а длина "
                                           "файла %3 байт.")
                                .arg(shown(path))
                                .arg(layout.headerLength)
                                .arg(fileSize));
    }
    const QByteArray descriptors = file.read(layout.headerLength - FileHeaderSize);
    if (descriptors.size() < layout.headerLength - FileHeaderSize)
        throw SounFileError(QStringLiteral("Ошибка чтения файла %1: %2").arg(shown(path), file.errorString()));

    const QString notClassifier = QStringLiteral("Файл %1 не является классификатором СОУН: %2").arg(shown(path));
    if (recordLength != RecordSize) {
        throw SounFileError(
            notClassifier.arg(QStringLiteral("длина записи %1 байт вместо %2.").arg(recordLength).arg(RecordSize)));
    }
    std::vector<std::pair<Field, char>> fields; // place and dBASE type
    int position = 1;
    qint64 offset = 0;
    for (; offset < descriptors.size() && descriptors[offset] != DescriptorsEnd; offset += DescriptorSize) {
        if (offset + DescriptorSize > descriptors.size())
            break;
        const int length = static_cast<unsigned char>(descriptors[offset + DescriptorLengthOffset]);
        fields.push_back({Field{position, length}, descriptors[offset + DescriptorTypeOffset]});
        position += length;
    }
    if (offset >= descriptors.size() || descriptors[offset] != DescriptorsEnd)
        throw SounFileError(QStringLiteral("Файл %1 поврежден: описания полей не завершены.").arg(shown(path)));
    if (position != RecordSize) {
        throw SounFileError(notClassifier.arg(
            QStringLiteral("поля занимают %1 байт записи длиной %2 байт.").arg(position).arg(RecordSize)));
    }
    for (const Field used : UsedFields) {
        const bool found = std::any_of(fields.begin(), fields.end(), [used](const auto& field) {
            return field.first.position == used.position && field.first.length == used.length && field.second == 'C';
        });
        if (!found) {
            throw SounFileError(notClassifier.arg(QStringLiteral("в записи нет текстового поля длиной %1 с позиции %2.")
                                                      .arg(used.length)
                                                      .arg(used.position)));
        }
    }
    const qint64 wholeRecords = (fileSize - layout.headerLength) / RecordSize;
    if (layout.recordCount > wholeRecords) {
        throw SounFileError(QStringLiteral("Файл %1 неполон: в заголовке указано записей: %2, а в файле целых "
                                           "записей: %3.")
                                .arg(shown(path))
                                .arg(layout.recordCount)
                                .arg(wholeRecords));
    }
    return layout;
}

// The office of an accepted record, or nothing for a record that is not a current receiving office.
std::optional<Inspection> officeOf(const QByteArray& record, qint64 number, const QString& path)
{
    if (record[0] == DeletedRecord)
        return std::nullopt;
    const std::string_view code = fieldText(record, CodeField);
    if (isOneOf(code, LeftOutCodes) || !isOneOf(fieldText(record, KindField), ReceivingKinds)
        || !fieldText(record, FirstClosingField).empty() || fieldText(record, CurrentFlagField) != "1"
        || !fieldText(record, SecondClosingField).empty())
        return std::nullopt;

    const QString where = QStringLiteral("Файл %1, запись %2: ").arg(shown(path)).arg(number);
    if (!isFourDigits(code))
        throw SounFileError(where + QStringLiteral("код инспекции не из четырех цифр."));
    const QString officeCode = QString::fromLatin1(code.data(), qsizetype(code.size()));
    const std::optional<QString> name = fromCp866(fieldText(record, NameField));
    if (!name) {
        throw SounFileError(where + QStringLiteral("наименование инспекции %1 записано не в кодировке DOS (866).")
                                        .arg(officeCode));
    }
    return Inspection{officeCode, *name};
}

} // namespace

SounFileError::SounFileError(const QString& message) : std::runtime_error(message.toStdString()) {}

std::vector<Inspection> readSounOffices(const QString& path)
{
    OpenedRegularFile opened = openRegularFile(QFile::encodeName(path).toStdString(), MaxFileSize);
    QFile file;
    if (opened.failure || !file.open(opened.file.get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        const QString reason = opened.failure ? QString::fromStdString(regularFileFailureText(*opened.failure, MaxFileSize))
                                              : file.errorString();
        throw SounFileError(QStringLiteral("Не удалось открыть файл %1: %2").arg(shown(path), reason));
    }
    opened.file.release(); // the QFile closes it now
    const Layout layout = readLayout(file, path);

    std::vector<Inspection> offices;
    for (qint64 number = 1; number <= layout.recordCount; ++number) {
        const QByteArray record = file.read(RecordSize);
        if (record.size() != RecordSize)
            throw SounFileError(QStringLiteral("Ошибка чтения файла %1: %2").arg(shown(path), file.errorString()));
        if (std::optional<Inspection> office = officeOf(record, number, path))
            offices.push_back(std::move(*office));
    }
    if (offices.empty())
        throw SounFileError(QStringLiteral("В файле %1 нет ни одной действующей инспекции.").arg(shown(path)));
    return offices;
}
