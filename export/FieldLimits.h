#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <string_view>

// What the exchange format allows in each attribute it has: one table, read by the export, which
// refuses every value that does not fit, and by the pages, which take no value the export would
// refuse. FieldValueFailure (export/FieldCheck.h) tells whether a value fits its field.

enum class FieldForm : std::uint8_t {
    Text,   // any characters, `minLength` to `maxLength` of them
    Digits, // exactly `maxLength` digits
    Oktmo,  // 8 or 11 digits
    Inn,    // a taxpayer number of `maxLength` digits, not beginning with 00, with its check digits
    Kpp,    // nine characters: two digits not both 0, two digits, two digits or Latin capitals, three digits
    Share,  // a simple fraction "n/d", each number 1 to 999999
    Date,   // "DD.MM.YYYY", the years 1900 to 2099
    Year,   // four digits
    Amount, // a decimal of at most `totalDigits` digits, `fractionDigits` of them after the point
    Whole,  // an integer of at most `totalDigits` digits; the format's whole-rouble amounts
    Code,   // one of `codes`
};

// The code forms as the export accepts them; a page that checks a typed code asks the same.
namespace FieldForms {

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr bool allDigits(std::string_view text)
{
    for (const char c : text)
        if (!isDigit(c))
            return false;
    return !text.empty();
}

} // namespace FieldForms

// An OKTMO code: 8 or 11 digits.
constexpr bool IsOktmo(std::string_view value)
{
    return (value.size() == 8 || value.size() == 11) && FieldForms::allDigits(value);
}

// A КПП: two digits not both 0, two digits, two digits or Latin capitals, three digits.
constexpr bool IsKpp(std::string_view value)
{
    if (value.size() != 9 || value.starts_with("00"))
        return false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const bool letterAllowed = i == 4 || i == 5;
        if (!FieldForms::isDigit(c) && !(letterAllowed && c >= 'A' && c <= 'Z'))
            return false;
    }
    return true;
}

struct FieldFacet {
    std::string_view element;
    std::string_view attribute;
    FieldForm form;
    int minLength = 0;
    int maxLength = 0;
    int totalDigits = 0;
    int fractionDigits = 0;
    std::string_view codes; // Code: the values allowed, separated by "|"
};

namespace FieldFacets {

constexpr FieldFacet facet(std::string_view element, std::string_view attribute, FieldForm form, int minLength,
                           int maxLength, int totalDigits, int fractionDigits, std::string_view codes)
{
    return {element, attribute, form, minLength, maxLength, totalDigits, fractionDigits, codes};
}
constexpr FieldFacet text(std::string_view element, std::string_view attribute, int maxLength, int minLength = 1)
{
    return facet(element, attribute, FieldForm::Text, minLength, maxLength, 0, 0, {});
}
constexpr FieldFacet digits(std::string_view element, std::string_view attribute, int count)
{
    return facet(element, attribute, FieldForm::Digits, count, count, 0, 0, {});
}
constexpr FieldFacet inn(std::string_view element, std::string_view attribute, int count)
{
    return facet(element, attribute, FieldForm::Inn, count, count, 0, 0, {});
}
constexpr FieldFacet oktmo(std::string_view element, std::string_view attribute)
{
    return facet(element, attribute, FieldForm::Oktmo, 8, 11, 0, 0, {});
}
constexpr FieldFacet kpp(std::string_view element, std::string_view attribute)
{
    return facet(element, attribute, FieldForm::Kpp, 9, 9, 0, 0, {});
}
constexpr FieldFacet of(std::string_view element, std::string_view attribute, FieldForm form)
{
    return facet(element, attribute, form, 0, 0, 0, 0, {});
}
constexpr FieldFacet amount(std::string_view element, std::string_view attribute, int totalDigits,
                            int fractionDigits = 2)
{
    return facet(element, attribute, FieldForm::Amount, 0, 0, totalDigits, fractionDigits, {});
}
constexpr FieldFacet whole(std::string_view element, std::string_view attribute, int totalDigits)
{
    return facet(element, attribute, FieldForm::Whole, 0, 0, totalDigits, 0, {});
}
constexpr FieldFacet code(std::string_view element, std::string_view attribute, std::string_view codes)
{
    return facet(element, attribute, FieldForm::Code, 0, 0, 0, 0, codes);
}

constexpr std::string_view IncomeKinds =
    "01|02|03|04|05|06|07|08|09|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25";
constexpr std::string_view OperationKinds =
    "01|02|03|04|05|06|07|08|09|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|29|30|31|32|33|34|35|36";

// By element and attribute; an element name that appears at several places of the file has the
// same facets at each.
inline constexpr FieldFacet All[] = {
    text("Файл", "ИдФайл", 255),
    text("Файл", "ВерсПрог", 40),
    code("Файл", "ВерсФорм", "5.16"),

    code("Документ", "КНД", "1151020"),
    of("Документ", "ДатаДок", FieldForm::Date),
    code("Документ", "Период", "34|86"),
    of("Документ", "ОтчетГод", FieldForm::Year),
    digits("Документ", "КодНО", 4),
    whole("Документ", "НомКорр", 3),

    code("НПФЛ3", "ДокПредст", "720|730|740|750|760|770"),
    code("НПФЛ3", "Статус", "1|2"),
    text("НПФЛ3", "Тлф", 20),
    // The taxpayer's ("ФИОФЛ"), the representative's and the account holder's ("ФИО") names.
    text("ФИОФЛ", "Фамилия", 60),
    text("ФИОФЛ", "Имя", 60),
    text("ФИОФЛ", "Отчество", 60),
    text("ФИО", "Фамилия", 60),
    text("ФИО", "Имя", 60),
    text("ФИО", "Отчество", 60),
    inn("СведФЛ1", "ИННФЛ", 12),
    of("СведФЛ1", "ДатаРожд", FieldForm::Date),
    digits("СведФЛ1", "ОКСМ", 3),
    of("СведФЛ2", "ДатаРожд", FieldForm::Date),
    digits("СведФЛ2", "ОКСМ", 3),
    digits("УдЛичн", "КодВидДок", 2),
    text("УдЛичн", "СерНомДок", 25),
    code("Подписант", "ПрПодп", "1|2"),
    text("СвПред", "НаимДок", 120),

    digits("СумНалПуИскл227", "КБК", 20),
    oktmo("СумНалПуИскл227", "ОКТМО"),
    whole("СумНалПуИскл227", "ПодлУпл", 13),
    whole("СумНалПуИскл227", "ПодлВозв", 13),
    digits("СумНалПу227", "КБК", 20),
    oktmo("СумНалПу227", "ОКТМО_Кв"),
    whole("СумНалПу227", "АвПУКв", 13),
    oktmo("СумНалПу227", "ОКТМО_Пг"),
    whole("СумНалПу227", "АвПУУменПг", 13),
    oktmo("СумНалПу227", "ОКТМО_9м"),
    whole("СумНалПу227", "АвПУУмен9м", 13),
    oktmo("СумНалПу227", "ОКТМО_Пер"),
    whole("СумНалПу227", "НалПУУменПер", 13),

    text("ЗаявЗач", "НомерЗаяв", 20),
    digits("ЗаявЗач", "КБК", 20),
    oktmo("ЗаявЗач", "ОКТМО"),
    code("СвНОПрПост", "ПрЗач", "1|2"),
    amount("СвНОПрПост", "Сумма", 15),
    digits("СвНОПрПост", "КБК", 20),
    oktmo("СвНОПрПост", "ОКТМО"),
    digits("СвНОПрПост", "КодНОПрПост", 4),
    text("ЗаявВозвр", "НомерЗаяв", 20),
    amount("ЗаявВозвр", "Сумма", 15),
    digits("ЗаявВозвр", "КБК", 20),
    oktmo("ЗаявВозвр", "ОКТМО"),
    text("СвСчБанк", "НаимБанк", 1000),
    digits("СвСчБанк", "БИК", 9),
    code("СвСчБанк", "ВидСч", "02|07"),
    digits("СвСчБанк", "НомСч", 20),

    code("НалБаза", "ВидДоход", IncomeKinds),
    amount("РасчНалБаза", "СумДох", 15),
    amount("РасчНалБаза", "СумДохНеНал", 15),
    amount("РасчНалБаза", "СумДохНал", 15),
    amount("РасчНалБаза", "СумНалВыч", 15),
    amount("РасчНалБаза", "СумРасх", 15),
    amount("РасчНалБаза", "НалБаза", 15),
    amount("РасчНалБаза", "НалБаза2.1.224", 15),
    amount("РасчНалБаза", "НалБаза3.1.224", 15),
    amount("РасчНалБаза", "СумИное", 15),
    whole("РасчНалПУ", "Исчисл", 13),
    whole("РасчНалПУ", "Удерж", 13),
    whole("РасчНалПУ", "СумУдержИст224", 13),
    whole("РасчНалПУ", "СумУдержМат", 13),
    whole("РасчНалПУ", "ТСУплПерЗач", 13),
    whole("РасчНалПУ", "СумФиксАван", 13),
    whole("РасчНалПУ", "УплИнПодлЗач", 13),
    whole("РасчНалПУ", "УплПатентЗач", 13),
    whole("РасчНалПУ", "ПодлУпл", 13),
    whole("РасчНалПУ", "ПодлВозв", 13),

    code("ДоходИстРФ", "ВидДоход", IncomeKinds),
    whole("ДоходИстРФ", "Ставка", 2),
    oktmo("ДоходИстРФ", "ОКТМО"),
    amount("ДоходИстРФ", "Доход", 15),
    whole("ДоходИстРФ", "НалУдерж", 13),
    text("ИстЮЛ", "Наим", 1000),
    inn("ИстЮЛ", "ИННЮЛ", 10),
    kpp("ИстЮЛ", "КПП"),
    text("ИстФЛИн", "ФИОИн", 255),
    inn("ИстФЛИн", "ИННФЛ", 12),

    digits("РасчДохНалИно", "ОКСМИст", 3),
    digits("РасчДохНалИно", "ОКСМЗач", 3),
    text("РасчДохНалИно", "НаимИстДох", 1000),
    digits("РасчДохНалИно", "КодВалют", 3),
    code("РасчДохНалИно", "ВидДоход", IncomeKinds),
    text("РасчДохНалИно", "НомерКИК", 8, 8),
    of("РасчДохНалИно", "ДатаДох", FieldForm::Date),
    whole("РасчДохНалИно", "Ставка", 2),
    amount("РасчДохНалИно", "КурсВалютДох", 14, 4),
    amount("РасчДохНалИно", "ДоходИноВал", 14),
    amount("РасчДохНалИно", "ДоходИноРуб", 14),
    amount("РасчДохНалИно", "ДоходОсв", 14),
    code("РасчДохНалИно", "КодВидОсв", "1|2|3|4"),
    code("РасчДохНалИно", "ПорядПрибКИК", "1|2"),
    of("РасчДохНалИно", "ДатаУплНал", FieldForm::Date),
    amount("РасчДохНалИно", "КурсВалютНал", 14, 4),
    amount("РасчДохНалИно", "НалУплИноВал", 14),
    amount("РасчДохНалИно", "НалУплИноРуб", 14),
    whole("РасчДохНалИно", "НалИсчКИК", 12),
    whole("РасчДохНалИно", "НалЗачРФОбщ", 12),
    whole("РасчДохНалИно", "НалогЗачРФОбщ", 12),

    amount("ДоходПредпр", "ДоходИт", 14),
    amount("ДоходПредпр", "ВычПрофИт", 14),
    whole("ДоходПредпр", "УплФактАвИт", 12),
    code("РасчВидДеят", "ВидДеят", "01|02|03|04|05|06|07|08|09"),
    amount("РасчВидДеят", "Доход", 14),
    amount("РасчВидДеят", "РасхФакт", 14),
    amount("РасчВидДеят", "РасхФМат", 14),
    amount("РасчВидДеят", "РасхФАмНач", 14),
    amount("РасчВидДеят", "РасхФОплТруд", 14),
    amount("РасчВидДеят", "РасхФПроч", 14),
    of("СведКФХ", "ГодРегКФХ", FieldForm::Year),
    amount("НБКор105.3", "НБКорСам", 14),
    whole("НБКор105.3", "НалКорСам", 12),
    code("ПрофНалВыч", "ИстДоход", "1|2"),
    amount("ПрофНалВыч", "РасхФактДогГПХ", 14),
    amount("ПрофНалВыч", "РасхФактАвтВозн", 14),
    amount("ПрофНалВыч", "РасхНормАвтВозн", 14),
    amount("ПрофНалВыч", "ОбщРасхВыч", 14),
    // The quarter, half-year and nine months of the advance-payment calculation.
    whole("СумПолДох", "ЗаКв", 12),
    whole("СумПолДох", "ЗаПг", 12),
    whole("СумПолДох", "За9м", 12),
    whole("СумПрофВыч", "ЗаКв", 12),
    whole("СумПрофВыч", "ЗаПг", 12),
    whole("СумПрофВыч", "За9м", 12),
    whole("СумСтандВыч", "ЗаКв", 12),
    whole("СумСтандВыч", "ЗаПг", 12),
    whole("СумСтандВыч", "За9м", 12),
    whole("НалБазаИсч", "ЗаКв", 12),
    whole("НалБазаИсч", "ЗаПг", 12),
    whole("НалБазаИсч", "За9м", 12),
    whole("СумИсчАванс", "ЗаКв", 12),
    whole("СумИсчАванс", "ЗаПг", 12),
    whole("СумИсчАванс", "За9м", 12),

    amount("ДоходОсвПрев", "МатПомРожд", 9),
    amount("ДоходОсвПрев", "СтоимПодар", 6),
    amount("ДоходОсвПрев", "СтоимПриз", 6),
    amount("ДоходОсвПрев", "МатПомРаб", 6),
    amount("ДоходОсвПрев", "ВозмМед", 6),
    amount("ДоходОсвПрев", "ПризРекл", 6),
    amount("ДоходОсвПрев", "МатПомИнв", 6),
    amount("ДоходОсвПрев", "ВыигрЛотер", 6),
    amount("ДоходОсвПрев", "МатПомОбр", 6),
    amount("ДоходОсвПрев", "ПомПодар", 7),
    amount("ДоходОсвПрев", "ДопСВПенс", 7),
    amount("ДоходОсвПрев", "ДоходИн", 12),
    amount("ДоходОсвПрев", "ДохНеНалОбщ", 12),

    amount("ВычСтандСоц", "ВычСтандСоц", 14),
    amount("РасчВычСтанд", "ВычСт218.1.1", 8),
    amount("РасчВычСтанд", "ВычСт218.1.2", 8),
    amount("РасчВычСтанд", "ВычСтРеб", 8),
    amount("РасчВычСтанд", "ВычСтРебЕд", 8),
    amount("РасчВычСтанд", "ВычСтРебИнв", 8),
    amount("РасчВычСтанд", "ВычСтРебИнвЕд", 8),
    amount("РасчВычСтанд", "ОбщВычСтандПер", 8),
    amount("РасчВычСтанд", "ОбщВычСтандДекл", 8),
    amount("РасчВычСоцБез219.2", "СумБлагЦел", 14),
    amount("РасчВычСоцБез219.2", "СумОбуч", 14),
    amount("РасчВычСоцБез219.2", "СумЛечен", 14),
    amount("РасчВычСоцБез219.2", "ИтогВычСоциал", 14),
    amount("РасчВычСоц219.2", "СумОбуч", 14),
    amount("РасчВычСоц219.2", "СумМедУсл", 14),
    amount("РасчВычСоц219.2", "СумЛекПреп", 14),
    amount("РасчВычСоц219.2", "СумЛичСтрах", 14),
    amount("РасчВычСоц219.2", "СумПенсСтрах", 14),
    amount("РасчВычСоц219.2", "СумОценКвалиф", 14),
    amount("РасчВычСоц219.2", "ОбщСумРасх", 14),
    amount("РасчВычСоц219.2", "ОбщСНВОтчПерНА", 14),
    amount("РасчВычСоц219.2", "ОбщВычСоциал", 14),
    amount("РасчИнвВыч", "СумИнвВыч219", 14),
    amount("РасчИнвВыч", "ИнвВычПредВосст", 14),
    amount("РасчИнвВыч", "ИнвВычУпр", 14),

    amount("ИмущНалВычПр", "ОбщИмущВыч", 14),
    amount("ВычДохНедвЖил", "ВычПродИмущ", 9),
    amount("ВычДохНедвЖил", "РасхПриобИмущ", 14),
    amount("ВычДохНедвЖил", "ВычПродИмущДол", 9),
    amount("ВычДохНедвЖил", "РасхПриобИмущДол", 14),
    amount("ВычПродНедвИн", "ВычДохПродИмущ", 8),
    amount("ВычПродНедвИн", "РасхПриобрИмущ", 14),
    amount("ВычПродИмущИн", "ВычДохПродИмущ", 8),
    amount("ВычПродИмущИн", "РасхПриобрИмущ", 14),
    amount("ВычИзъятИмущГМН", "ВычДохИзъятИмущ", 14),
    amount("ВычЛиквИОиКИК", "ВычДохЛиквИО", 14),
    amount("ВычЛиквИОиКИК", "ВычДохПравКИК", 14),
    amount("РасхВычПродУК", "ВычПдтвРасхПродУК", 14),
    amount("РасхВычПрдСр", "ВычПдтвРасхПрдСр", 14),
    amount("РасхВычУмСтУК", "ВычПдтвРасхУмСтУК", 14),
    amount("РасхВычУстПрав", "ВычПдтвРасхУстПрав", 14),

    amount("РасчИмущВыч", "ВычНовЗачПред", 10),
    amount("РасчИмущВыч", "ВычПроцЗачПред", 10),
    amount("РасчИмущВыч", "ВычНАУвед", 10),
    amount("РасчИмущВыч", "ВычНАУпр", 10),
    amount("РасчИмущВыч", "ПроцНАУвед", 10),
    amount("РасчИмущВыч", "ПроцНАУпр", 10),
    amount("РасчИмущВыч", "НалБаз13БезВыч", 14),
    amount("РасчИмущВыч", "РасхНовВычНД", 10),
    amount("РасчИмущВыч", "ПроцВычНД", 10),
    amount("РасчИмущВыч", "ОстИВБезПроц", 10),
    amount("РасчИмущВыч", "ОстИВУплПроц", 10),
    code("СвОбъектРасх", "КодНаимОб", "1|2|3|4|5|6|7"),
    code("СвОбъектРасх", "ПризнакНП", "01|11|02|12|03|13|04|14|23|24"),
    of("СвОбъектРасх", "ДатаАкт", FieldForm::Date),
    of("СвОбъектРасх", "ДатаРегЖил", FieldForm::Date),
    of("СвОбъектРасх", "ДатаРегЗем", FieldForm::Date),
    of("СвОбъектРасх", "ДолСобств", FieldForm::Share),
    amount("СвОбъектРасх", "СумРасхФакт", 10),
    amount("СвОбъектРасх", "СумФактУплПроц", 10),
    code("СведОбъект", "СпособПриобр", "1|2"),
    code("СведОбъект", "КодНомерОб", "1|2"),
    text("СведОбъект", "НомерОб", 100),
    text("СведОбъект", "СведМНОб", 512),

    code("ДохОперЦБ", "ВидОпер", OperationKinds),
    amount("ДохОперЦБ", "ДохСовОпер", 14),
    amount("ДохОперЦБ", "РасхРеалЦБ", 14),
    amount("ДохОперЦБ", "РасхУмДохОпер", 14),
    code("ДохОперЦБ", "ПризУчетУбыт", "0|1"),
    amount("ДохОперЦБ", "ИнвВыч219.1Опер", 14),
    amount("ДохОперЦБ", "ИнвВыч219.3Опер", 14),
    code("УчетУбыт", "ВидОперУбыт", OperationKinds),
    amount("УчетУбыт", "УбытУмДохОпер", 14),

    text("ДохПродОНИ", "НомКадОтчуждОНИ", 100),
    amount("ДохПродОНИ", "КадСтоимГодРег", 15),
    amount("ДохПродОНИ", "ДохПродЦенаДог", 15),
    amount("ДохПродОНИ", "КадСтоимКоэф", 15),
    amount("ДохПродОНИ", "ДохПродНалОбл", 15),

    amount("РасчПенсВзнос", "ОбщВзносВыч", 14),
    amount("РасчПСВВыч", "СумВзносУпл", 14),
    code("СведДогНПО", "ВидДоговор", "1|2|3"),
    of("СведДогНПО", "ДатаДогНПО", FieldForm::Date),
    text("СведДогНПО", "НомДогНПО", 40),
    text("СведИст", "Наим", 1000),
    inn("СведИст", "ИННЮЛ", 10),
    kpp("СведИст", "КПП"),
    amount("РасчДопСВВыч", "СумВзносУпл", 14),
    inn("РасчСумИнвВыч", "ИННЮЛ", 10),
    kpp("РасчСумИнвВыч", "КПП"),
    text("РасчСумИнвВыч", "НаимУч", 1000),
    of("РасчСумИнвВыч", "ДатаДог", FieldForm::Date),
    text("РасчСумИнвВыч", "НомДог", 20),
    of("РасчСумИнвВыч", "ДатаОткр", FieldForm::Date),
    amount("РасчСумИнвВыч", "ОбщСумВыч", 14),
    code("РасчСумИнвВыч", "ПрВыч", "0|1"),
};

} // namespace FieldFacets

// The facets of an attribute, or null for an attribute the format does not have.
constexpr const FieldFacet* FindFieldFacet(std::string_view element, std::string_view attribute)
{
    for (const FieldFacet& facet : FieldFacets::All)
        if (facet.element == element && facet.attribute == attribute)
            return &facet;
    return nullptr;
}

// The same for an attribute the format has, in a constant expression. Copies rather than
// pointers, which the sanitizers' checks take out of constant evaluation.
constexpr FieldFacet FieldFacetOf(std::string_view element, std::string_view attribute)
{
    for (std::size_t i = 0; i < std::size(FieldFacets::All); ++i) {
        const FieldFacet facet = FieldFacets::All[i];
        if (facet.element == element && facet.attribute == attribute)
            return facet;
    }
    throw std::logic_error("the exchange format has no such attribute");
}

// The most characters of the fields the user types, for the pages' edits.
namespace FieldLimits {

inline constexpr int NamePart = FieldFacetOf("ФИОФЛ", "Фамилия").maxLength; // Фамилия, Имя, Отчество
// The representative's name is typed whole and cut into the three parts, with a blank between.
inline constexpr int RepresentativeName = 3 * NamePart + 2;
inline constexpr int AuthorityDocument = FieldFacetOf("СвПред", "НаимДок").maxLength;
inline constexpr int Phone = FieldFacetOf("НПФЛ3", "Тлф").maxLength;
inline constexpr int DocumentSeries = FieldFacetOf("УдЛичн", "СерНомДок").maxLength;
inline constexpr int TaxOfficeCode = FieldFacetOf("Документ", "КодНО").maxLength;
inline constexpr int Oktmo = FieldFacetOf("ДоходИстРФ", "ОКТМО").maxLength; // 8 or 11 digits
inline constexpr int CorrectionNumber = FieldFacetOf("Документ", "НомКорр").totalDigits;
inline constexpr int Inn = FieldFacetOf("СведФЛ1", "ИННФЛ").maxLength; // a natural person's ИНН
inline constexpr int OrganisationInn = FieldFacetOf("ИстЮЛ", "ИННЮЛ").maxLength;
inline constexpr int Kpp = FieldFacetOf("ИстЮЛ", "КПП").maxLength;
inline constexpr int BankName = 255; // НаимБанк allows 1000; the page keeps 255
inline constexpr int Bik = FieldFacetOf("СвСчБанк", "БИК").maxLength;
inline constexpr int AccountNumber = FieldFacetOf("СвСчБанк", "НомСч").maxLength;
inline constexpr int Kbk = FieldFacetOf("СвНОПрПост", "КБК").maxLength;
inline constexpr int SourceName = FieldFacetOf("ИстЮЛ", "Наим").maxLength;
inline constexpr int PayerPersonName = FieldFacetOf("ИстФЛИн", "ФИОИн").maxLength;
inline constexpr int ForeignSourceName = FieldFacetOf("РасчДохНалИно", "НаимИстДох").maxLength;
inline constexpr int CompanyNumber = FieldFacetOf("РасчДохНалИно", "НомерКИК").maxLength; // exactly so many
inline constexpr int CadastralNumber = FieldFacetOf("ДохПродОНИ", "НомКадОтчуждОНИ").maxLength;
inline constexpr int ObjectNumber = FieldFacetOf("СведОбъект", "НомерОб").maxLength;
inline constexpr int ObjectLocation = FieldFacetOf("СведОбъект", "СведМНОб").maxLength;
inline constexpr int PensionContractNumber = FieldFacetOf("СведДогНПО", "НомДогНПО").maxLength;
inline constexpr int InvestmentContractNumber = FieldFacetOf("РасчСумИнвВыч", "НомДог").maxLength;
inline constexpr int ParticipantName = FieldFacetOf("РасчСумИнвВыч", "НаимУч").maxLength;

} // namespace FieldLimits
