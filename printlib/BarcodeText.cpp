#include "BarcodeText.h"

#include "LetterCase.h"
#include "WideText.h"

namespace {

constexpr char16_t kSingleCapital = u'@';
constexpr char16_t kCapitalRun = u'`';

bool isCapital(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'А' && c <= u'Я');
}

bool isSmallLetter(char16_t c)
{
    return !isCapital(c) && LetterCase::upper(c) != c;
}

bool becomesBlank(char16_t c)
{
    return c == 0x00A0 || (c >= 0x2002 && c <= 0x2007) || c == 0x2009 || c == 0x200A || c == 0x202F || c == 0x205F;
}

bool isDropped(char16_t c)
{
    return c == 0x00AD || c == 0x200B;
}

bool becomesDash(char16_t c)
{
    return (c >= 0x2010 && c <= 0x2015) || c == 0x2212 || c == 0x23AF;
}

void appendEscaped(std::u16string& text, unsigned char byte)
{
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    text += u'$';
    text += kHex[byte >> 4];
    text += kHex[byte & 0xF];
}

void appendPrepared(std::u16string& text, unsigned char byte)
{
    constexpr unsigned char kCapitalA = 0xC0, kCapitalYa = 0xDF, kSmallA = 0xE0;
    constexpr unsigned char kCapitalDe = 0xC4, kSmallDe = 0xE4, kCapitalYo = 0xA8, kSmallYo = 0xB8, kNumero = 0xB9;
    if (byte >= 'a' && byte <= 'z') {
        text += static_cast<char16_t>(byte - 0x20);
    } else if (byte == '[' || byte == '\\' || byte == ']' || byte == '^' || byte == '_' || byte == '{' || byte == '}') {
        appendEscaped(text, byte);
    } else if (byte == '$') {
        text += u"$24";
    } else if (byte == kCapitalDe || byte == kSmallDe) {
        // "Д" would take the code of "`", the case mark.
        text += u'}';
    } else if (byte >= kCapitalA && byte <= kCapitalYa) {
        text += static_cast<char16_t>(byte - 100);
    } else if (byte >= kSmallA) {
        text += static_cast<char16_t>(byte - 132);
    } else if (byte == kCapitalYo || byte == kSmallYo) {
        text += u'[';
    } else if (byte == kNumero) {
        text += u'#';
    } else if (byte >= 0x80) {
        appendEscaped(text, byte);
    } else {
        text += static_cast<char16_t>(byte);
    }
}

} // namespace

std::u16string MarkCase(std::u16string_view value)
{
    std::u16string marked;
    bool inside = false;
    bool single = false; // inside after a capital that began the run
    for (std::size_t index = 0; index < value.size(); ++index) {
        const char16_t c = value[index];
        if (!inside) {
            if (isCapital(c)) {
                const bool smallFollows = index + 1 < value.size() && isSmallLetter(value[index + 1]);
                marked += smallFollows ? kSingleCapital : kCapitalRun;
                inside = true;
                single = true;
            }
        } else if (isCapital(c)) {
            single = false;
        } else if (!isSmallLetter(c)) {
            if (single) {
                single = false;
            } else {
                marked += kCapitalRun;
                inside = false;
            }
        } else {
            if (!single)
                marked += kCapitalRun;
            inside = false;
        }
        marked += c;
        if (c == kSingleCapital || c == kCapitalRun)
            marked += c;
    }
    return marked;
}

std::u16string PrepareBarcodeText(std::u16string_view text)
{
    std::u16string prepared;
    prepared.reserve(text.size());
    for (char16_t c : text) {
        if (becomesBlank(c)) {
            prepared += u' ';
        } else if (becomesDash(c)) {
            prepared += u'-';
        } else if (!isDropped(c)) {
            const std::string byte = WideText::toCp1251(std::u16string_view(&c, 1));
            appendPrepared(prepared, static_cast<unsigned char>(byte.front()));
        }
    }
    return prepared;
}

std::u16string BarcodeFieldValue(const DataField& field)
{
    if (field.kind == 2 || field.kind == 3 || field.kind == 11)
        return field.value;
    const std::u16string marked = field.kind == 5 ? MarkCase(field.value) : field.value;
    return PrepareBarcodeText(LetterCase::upper(marked));
}

std::u16string AssembleBarcodeData(const std::vector<DataField>& fields)
{
    std::u16string data;
    for (const DataField& field : fields) {
        if (field.inBarcode) {
            data += u'|';
            data += BarcodeFieldValue(field);
        }
    }
    return data;
}
