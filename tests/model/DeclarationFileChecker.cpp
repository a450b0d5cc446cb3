#include "DeclarationFileChecker.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <stdexcept>

namespace {

class Deviation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text)
        if (!isDigit(c))
            return false;
    return true;
}

// Digits without a leading zero (except the number 0 itself).
bool plainNumber(std::string_view text)
{
    return allDigits(text) && (text.size() == 1 || text.front() != '0');
}

std::string indexed(const char* prefix, unsigned index, int digits = 3)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s%.*u", prefix, digits, index);
    return name;
}

std::string indexed(const char* prefix, unsigned owner, unsigned item)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s%.3u%.3u", prefix, owner, item);
    return name;
}

class Walker {
public:
    explicit Walker(std::string_view bytes) : bytes_(bytes) {}

    std::vector<CheckedSection> walk()
    {
        header();
        const unsigned kinds = declInfo();
        person();
        if (kinds & 1)
            inquiry();
        if (kinds & 2) {
            stream("@DeclForeign");
            list(word(), [&](unsigned i) { currencyIncome(i); });
        }
        if (kinds & 8) {
            stream("@DeclWhereReturn");
            list(word(), [&](unsigned i) { trata(i); });
        }
        if (kinds & 4)
            business();
        if (kinds != 0)
            deductions();
        if (at_ != bytes_.size())
            fail(std::to_string(bytes_.size() - at_) + " bytes behind the last value");
        return std::move(sections_);
    }

private:
    [[noreturn]] void fail(const std::string& what) const
    {
        const std::string where = sections_.empty() ? "header" : sections_.back().name;
        throw Deviation("offset " + std::to_string(at_) + " (section " + where + "): " + what);
    }

    void header()
    {
        const std::string expected = "DLSG" + std::string(12, ' ') + "Forv2021" + "0103" + std::string(32, 'F');
        if (bytes_.substr(0, expected.size()) != expected)
            fail("the header is not that of a Forv2021 file of version 01.03");
        at_ = expected.size();
    }

    // The text of the next value.
    std::string_view next()
    {
        if (bytes_.size() - at_ < 4)
            fail("the file ends inside a length field");
        const std::string_view length = bytes_.substr(at_, 4);
        if (!allDigits(length))
            fail("length field '" + std::string(length) + "' is not four digits");
        const std::size_t size = std::stoul(std::string(length));
        if (bytes_.size() - at_ - 4 < size)
            fail("a value of " + std::to_string(size) + " bytes runs past the end");
        const std::string_view text = bytes_.substr(at_ + 4, size);
        at_ += 4 + size;
        return text;
    }

    std::string_view value(const char* kind, const std::function<bool(std::string_view)>& wellFormed)
    {
        const std::size_t start = at_;
        const std::string_view text = next();
        if (sections_.empty())
            fail("a value before the first section");
        if (!wellFormed(text)) {
            at_ = start;
            fail(std::string("'") + std::string(text) + "' is not a " + kind);
        }
        sections_.back().values.emplace_back(text);
        return text;
    }

    void stream(const std::string& name)
    {
        const std::size_t start = at_;
        const std::string_view text = next();
        if (text != name) {
            at_ = start;
            fail("expected the stream " + name + ", found '" + std::string(text) + "'");
        }
        sections_.push_back({name, {}});
    }

    void text(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            value("text", [](std::string_view t) { return t.find('\0') == std::string_view::npos; });
    }

    std::uint64_t unsignedValue(const char* kind, std::uint64_t max)
    {
        const std::string_view text = value(kind, [&](std::string_view t) {
            return plainNumber(t) && t.size() <= 10 && std::stoull(std::string(t)) <= max;
        });
        return std::stoull(std::string(text));
    }

    unsigned byte() { return unsigned(unsignedValue("byte", 255)); }
    unsigned word() { return unsigned(unsignedValue("word", 65535)); }
    std::uint64_t integer() { return unsignedValue("32-bit integer", 4294967295u); }
    void bytes(int times) { for (int i = 0; i < times; ++i) byte(); }
    void integers(int times) { for (int i = 0; i < times; ++i) integer(); }

    // -?whole(.fraction)? with one to four decimals, the last one not 0; no "-0".
    static bool currencyText(std::string_view t)
    {
        if (t.starts_with('-'))
            t.remove_prefix(1);
        const auto point = t.find('.');
        const std::string_view whole = t.substr(0, point);
        if (!plainNumber(whole))
            return false;
        if (point == std::string_view::npos)
            return true;
        const std::string_view fraction = t.substr(point + 1);
        return allDigits(fraction) && fraction.size() <= 4 && fraction.back() != '0';
    }

    void currency(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            value("currency", [](std::string_view t) { return currencyText(t) && t != "-0"; });
    }

    // A month of an older 13 % record: an amount, or "a" for a month without one.
    void monthDeduction()
    {
        value("month deduction", [](std::string_view t) { return t == "a" || (currencyText(t) && t != "-0"); });
    }

    // General format, at most 15 significant digits: fixed, or mantissa "E" exponent.
    static bool floatText(std::string_view t)
    {
        if (t.starts_with('-'))
            t.remove_prefix(1);
        const auto e = t.find('E');
        const std::string_view mantissa = t.substr(0, e);
        const auto point = mantissa.find('.');
        const std::string_view whole = mantissa.substr(0, point);
        if (!plainNumber(whole))
            return false;
        std::string digits(whole == "0" ? "" : whole);
        if (point != std::string_view::npos) {
            const std::string_view fraction = mantissa.substr(point + 1);
            if (!allDigits(fraction) || fraction.back() == '0')
                return false;
            digits += fraction;
        }
        while (!digits.empty() && digits.front() == '0')
            digits.erase(0, 1);
        if (digits.size() > 15)
            return false;
        if (e == std::string_view::npos)
            return true;
        std::string_view exponent = t.substr(e + 1);
        if (exponent.starts_with('-'))
            exponent.remove_prefix(1);
        return whole.size() == 1 && whole != "0" && plainNumber(exponent) && exponent != "0";
    }

    void floatValue(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            value("float", [](std::string_view t) { return floatText(t) && t != "-0"; });
    }

    void list(std::uint64_t count, const std::function<void(unsigned)>& item)
    {
        for (unsigned i = 0; i < count; ++i)
            item(i);
    }

    unsigned declInfo()
    {
        stream("@DeclInfo");
        text(2);     // tax office code and name
        byte();      // OptionFlag
        integer();   // CorrectionNumber
        floatValue(); // DeclarationDate
        word();      // Signer
        word();      // TaxpayerCategory
        word();      // DeclarationType
        const unsigned kinds = word();
        if (kinds > 15)
            fail("income kinds " + std::to_string(kinds) + " hold bits other than 1, 2, 4 and 8");
        byte();      // OptionFlag2
        integers(10);
        text();      // RepresentativeDocument
        currency();  // BusinessSumA
        text(2);     // RepresentativeName, RepresentativeOrgName
        currency();  // ForeignerFixedPayments
        return kinds;
    }

    void person()
    {
        stream("@PersonName");
        text(6);
        stream("@PersonDocument");
        word();
        text(2);
        floatValue(2);
        text(2);
        byte();
        stream("@Foreigner");
        text(4);
        stream("@PhoneForeignerHome");
        text(2);
        stream("@PhoneForeignerWork");
        text(2);
        stream("@PersonAddress");
        byte();
        text();
        word();
        text(9);
        stream("@HomePhone");
        text(2);
        stream("@WorkPhone");
        text(2);
    }

    void inquiry()
    {
        stream("@DeclInquiry");
        list(word(), [&](unsigned i) { source(i); });
        list(word(), [&](unsigned i) { thirteenPercent(i, false); });
        list(word(), [&](unsigned i) { thirteenPercent(i, true); });
        list(word(), [&](unsigned i) { thirtyFivePercent(i); });
        list(word(), [&](unsigned i) { thirtyPercent(i, true); });
        list(word(), [&](unsigned i) { thirtyPercent(i, false); });
    }

    void source(unsigned index)
    {
        stream(indexed("@Source", index));
        byte();
        text(4);
        currency();
        byte();
        currency(5);
        for (const char* prefix : {"@Income13", "@Income15", "@Income99"}) {
            list(integer(), [&](unsigned line) {
                stream(indexed(prefix, index, line));
                integer();
                currency();
                integer();
                currency();
                integers(2);
                word();
                byte();
                text();
                currency(3);
            });
        }
        list(integer(), [&](unsigned j) { employerDeduction(index, j); });
    }

    void employerDeduction(unsigned owner, unsigned index)
    {
        stream(indexed("@SSCDeducts", owner, index));
        integer();
        currency();
    }

    void thirteenPercent(unsigned index, bool nonResident)
    {
        stream(indexed(nonResident ? "@ThirteenPerceNR" : "@ThirteenPercent", index));
        byte();
        text(4);
        currency(4);
        byte();
        for (int month = 0; month < 12; ++month)
            monthDeduction();
        list(integer(), [&](unsigned line) {
            stream(indexed(nonResident ? "@SourseIncoNR" : "@SourseIncome", index, line));
            integer();
            text();
            currency();
            integer();
            currency();
            integer();
            word();
            byte();
            text();
            currency(2);
        });
        list(integer(), [&](unsigned j) { employerDeduction(index, j); });
    }

    void thirtyFivePercent(unsigned index)
    {
        stream(indexed("@ThirtyFivePercent", index));
        integer();
        text(4);
        currency();
        integer();
        currency(2);
    }

    void thirtyPercent(unsigned index, bool thirty)
    {
        stream(indexed(thirty ? "@ThirtyPercent" : "@NinePercent", index));
        integer();
        text(4);
        currency(4);
    }

    void currencyIncome(unsigned index)
    {
        stream(indexed("@CurrencyIncome", index, 4));
        integers(2);
        text(4);
        floatValue(2);
        byte();
        text();
        currency();
        integer();
        currency();
        integer();
        text();
        currency(4);
        integer();
        currency();
        integers(2);
        word();
        text();
        currency();
    }

    void trata(unsigned index)
    {
        stream(indexed("@Return", index));
        text();
        bytes(2);
        currency();
        text(2);
        integer();
        text();
        currency();
        text(2);
        integer();
        text(2);
    }

    void business()
    {
        stream("@DeclBusiness");
        list(word(), [&](unsigned i) {
            stream(indexed("@BusinessIncome", i));
            text(2);
            currency(9);
            if (byte() != 0) {
                stream(indexed("@BusinessExpense", i));
                currency(5);
            } else {
                currency();
            }
        });
        currency(3);
        text();
        byte();
        floatValue();
        currency(4);
        byte();
        text(4);
    }

    void childrenRow()
    {
        if (byte() != 0)
            integer();
        else
            integers(12);
    }

    void deductions()
    {
        stream("@StandartDeduct");
        if (byte() != 0) {
            integers(2);
            childrenRow();
            childrenRow();
            if (byte() != 0) {
                currency(24);
                bytes(12);
            }
            if (byte() != 0)
                integers(12);
            if (byte() != 0)
                integers(12);
            childrenRow();
            byte();
        }

        stream("@SocialDeduct");
        if (byte() != 0) {
            currency(3);
            currency(int(integer()));
            currency(7);
            stream("@Pens");
            list(word(), [&](unsigned i) {
                stream(indexed("@PensSub", i));
                integer();
                text(4);
                floatValue();
                currency();
            });
        }

        stream("@ConstructionDeduct");
        if (byte() != 0) {
            currency(6);
            const std::uint64_t objects = integer();
            if (objects > 65535)
                fail("more property objects than a word counts");
            list(objects, [&](unsigned i) {
                stream(indexed("@ConstructionDeductObj", i));
                integers(3);
                floatValue(3);
                integers(2);
                bytes(2);
                currency(2);
                integer();
                text(2);
            });
        }

        stream("@CBDeduct");
        if (byte() != 0)
            currency(6);

        stream("@InvDeduct");
        if (byte() != 0) {
            currency(4);
            byte();
            const std::uint64_t accounts = integer();
            if (accounts > 65535)
                fail("more investment accounts than a word counts");
            list(accounts, [&](unsigned i) {
                stream(indexed("@InfoIIS", i));
                text(3);
                floatValue();
                text();
                floatValue();
                currency();
                byte();
            });
        }
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
    std::vector<CheckedSection> sections_;
};

} // namespace

std::vector<std::string> DeclarationFileCheck::sectionNames() const
{
    std::vector<std::string> names;
    for (const CheckedSection& s : sections)
        names.push_back(s.name);
    return names;
}

const CheckedSection* DeclarationFileCheck::section(std::string_view name) const
{
    for (const CheckedSection& s : sections)
        if (s.name == name)
            return &s;
    return nullptr;
}

DeclarationFileCheck checkDeclarationFile(std::string_view bytes)
{
    DeclarationFileCheck check;
    Walker walker(bytes);
    try {
        check.sections = walker.walk();
    } catch (const Deviation& e) {
        check.error = e.what();
    }
    return check;
}
