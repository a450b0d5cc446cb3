#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

// Where the user enters what an attribute of the exchange file holds: the page and the field as
// the program names them. The export's refusals and the whole-declaration check speak of these;
// the path in the file is left to the support staff.

enum class FieldPage : std::uint8_t {
    Conditions,          // «Задание условий»
    Declarant,           // «Сведения о декларанте»
    RussianIncome,       // «Доходы, полученные в РФ», the lines of a source
    RussianSource,       // the same page, the dialog of a source
    ForeignIncome,       // «Доходы за пределами РФ»
    Business,            // «Предприниматели»
    PropertyDeduction,   // «Вычеты», the property deductions
    SocialDeduction,     // «Вычеты», the social deductions
    InvestmentDeduction, // «Вычеты», the investment deductions
    Applications,        // «Зачет/возврат налога»
};

struct FieldPlace {
    std::string_view element;
    std::string_view attribute;
    FieldPage page;
    std::string_view field; // the caption of the field, as the page shows it
    // The element that stands once for each item of the page's list ("" when the page has no
    // list): its place among its like is the item's 1-based number.
    std::string_view itemElement = {};
};

// The page's caption as its section button shows it.
constexpr std::string_view FieldPageCaption(FieldPage page)
{
    switch (page) {
    case FieldPage::Conditions: return "Задание условий";
    case FieldPage::Declarant: return "Сведения о декларанте";
    case FieldPage::RussianIncome:
    case FieldPage::RussianSource: return "Доходы, полученные в РФ";
    case FieldPage::ForeignIncome: return "Доходы за пределами РФ";
    case FieldPage::Business: return "Предприниматели";
    case FieldPage::PropertyDeduction:
    case FieldPage::SocialDeduction:
    case FieldPage::InvestmentDeduction: return "Вычеты";
    case FieldPage::Applications: return "Зачет/возврат налога";
    }
    return {};
}

namespace FieldPlaces {

using enum FieldPage;

inline constexpr FieldPlace All[] = {
    {"Документ", "КодНО", Conditions, "Номер инспекции"},
    {"СвПред", "НаимДок", Conditions, "Документ, подтверждающий полномочия представителя"},
    {"ФИО", "Фамилия", Conditions, "ФИО подписанта-представителя"},
    {"ФИО", "Имя", Conditions, "ФИО подписанта-представителя"},
    {"ФИО", "Отчество", Conditions, "ФИО подписанта-представителя"},

    {"НПФЛ3", "Тлф", Declarant, "Телефон"},
    {"ФИОФЛ", "Фамилия", Declarant, "Фамилия"},
    {"ФИОФЛ", "Имя", Declarant, "Имя"},
    {"ФИОФЛ", "Отчество", Declarant, "Отчество"},
    {"СведФЛ1", "ИННФЛ", Declarant, "ИНН"},
    {"СведФЛ1", "ДатаРожд", Declarant, "Дата рождения"},
    {"СведФЛ2", "ДатаРожд", Declarant, "Дата рождения"},
    {"СведФЛ1", "ОКСМ", Declarant, "Код страны"},
    {"СведФЛ2", "ОКСМ", Declarant, "Код страны"},
    {"УдЛичн", "КодВидДок", Declarant, "Вид документа"},
    {"УдЛичн", "СерНомДок", Declarant, "Серия и номер"},

    {"ДоходИстРФ", "ОКТМО", RussianSource, "ОКТМО источника выплаты"},
    {"ИстЮЛ", "Наим", RussianSource, "Наименование источника выплаты"},
    {"ИстЮЛ", "ИННЮЛ", RussianSource, "ИНН источника выплаты"},
    {"ИстЮЛ", "КПП", RussianSource, "КПП источника выплаты"},
    {"ИстФЛИн", "ФИОИн", RussianSource, "Наименование источника выплаты"},
    {"ИстФЛИн", "ИННФЛ", RussianSource, "ИНН источника выплаты"},
    {"ДохПродОНИ", "НомКадОтчуждОНИ", RussianIncome, "Кадастровый номер"},

    {"РасчДохНалИно", "ОКСМИст", ForeignIncome, "Код страны источника выплаты", "РасчДохНалИно"},
    {"РасчДохНалИно", "ОКСМЗач", ForeignIncome, "Код страны зачисления выплаты", "РасчДохНалИно"},
    {"РасчДохНалИно", "НаимИстДох", ForeignIncome, "Наименование источника выплаты", "РасчДохНалИно"},
    {"РасчДохНалИно", "КодВалют", ForeignIncome, "Код и наименование валюты", "РасчДохНалИно"},
    {"РасчДохНалИно", "НомерКИК", ForeignIncome, "Номер КИК", "РасчДохНалИно"},
    {"РасчДохНалИно", "ДатаДох", ForeignIncome, "Дата получения дохода", "РасчДохНалИно"},
    {"РасчДохНалИно", "КурсВалютДох", ForeignIncome, "Курс валюты на дату дохода", "РасчДохНалИно"},
    {"РасчДохНалИно", "ДатаУплНал", ForeignIncome, "Дата уплаты налога", "РасчДохНалИно"},
    {"РасчДохНалИно", "КурсВалютНал", ForeignIncome, "Курс валюты на дату уплаты налога", "РасчДохНалИно"},

    {"РасчВидДеят", "ВидДеят", Business, "Вид деятельности", "РасчВидДеят"},
    {"СведКФХ", "ГодРегКФХ", Business, "Дата регистрации крестьянского (фермерского) хозяйства"},

    {"СвОбъектРасх", "ПризнакНП", PropertyDeduction, "Признак налогоплательщика", "СвОбъектРасх"},
    {"СвОбъектРасх", "ДатаАкт", PropertyDeduction, "Дата акта о передаче", "СвОбъектРасх"},
    {"СвОбъектРасх", "ДатаРегЖил", PropertyDeduction, "Дата регистрации права собственности на объект",
     "СвОбъектРасх"},
    {"СвОбъектРасх", "ДатаРегЗем", PropertyDeduction, "Дата регистрации права собственности на земельный участок",
     "СвОбъектРасх"},
    {"СвОбъектРасх", "ДолСобств", PropertyDeduction, "Доля в праве собственности", "СвОбъектРасх"},
    {"СведОбъект", "НомерОб", PropertyDeduction, "Номер объекта", "СвОбъектРасх"},
    {"СведОбъект", "СведМНОб", PropertyDeduction, "Адрес объекта", "СвОбъектРасх"},

    {"СведДогНПО", "ДатаДогНПО", SocialDeduction, "Дата договора", "РасчПСВВыч"},
    {"СведДогНПО", "НомДогНПО", SocialDeduction, "Номер договора", "РасчПСВВыч"},
    {"СведИст", "Наим", SocialDeduction, "Наименование организации или фонда", "РасчПСВВыч"},
    {"СведИст", "ИННЮЛ", SocialDeduction, "ИНН", "РасчПСВВыч"},
    {"СведИст", "КПП", SocialDeduction, "КПП", "РасчПСВВыч"},

    {"РасчСумИнвВыч", "ИННЮЛ", InvestmentDeduction, "ИНН", "РасчСумИнвВыч"},
    {"РасчСумИнвВыч", "КПП", InvestmentDeduction, "КПП", "РасчСумИнвВыч"},
    {"РасчСумИнвВыч", "НаимУч", InvestmentDeduction, "Наименование участника рынка ценных бумаг", "РасчСумИнвВыч"},
    {"РасчСумИнвВыч", "ДатаДог", InvestmentDeduction, "Дата договора", "РасчСумИнвВыч"},
    {"РасчСумИнвВыч", "НомДог", InvestmentDeduction, "Номер договора", "РасчСумИнвВыч"},
    {"РасчСумИнвВыч", "ДатаОткр", InvestmentDeduction, "Дата открытия ИИС", "РасчСумИнвВыч"},

    {"ЗаявЗач", "КБК", Applications, "КБК", "ЗаявЗач"},
    {"ЗаявЗач", "ОКТМО", Applications, "ОКТМО", "ЗаявЗач"},
    {"СвНОПрПост", "ПрЗач", Applications, "В счет чего перечисляется сумма", "ЗаявЗач"},
    {"СвНОПрПост", "КБК", Applications, "КБК", "ЗаявЗач"},
    {"СвНОПрПост", "ОКТМО", Applications, "ОКТМО", "ЗаявЗач"},
    {"СвНОПрПост", "КодНОПрПост", Applications, "Код налогового органа", "ЗаявЗач"},
    {"ЗаявВозвр", "КБК", Applications, "КБК", "ЗаявВозвр"},
    {"ЗаявВозвр", "ОКТМО", Applications, "ОКТМО", "ЗаявВозвр"},
    {"СвСчБанк", "НаимБанк", Applications, "Наименование банка", "ЗаявВозвр"},
    {"СвСчБанк", "БИК", Applications, "БИК", "ЗаявВозвр"},
    {"СвСчБанк", "ВидСч", Applications, "Вид счета", "ЗаявВозвр"},
    {"СвСчБанк", "НомСч", Applications, "Номер счета", "ЗаявВозвр"},
};

} // namespace FieldPlaces

// Where the user enters the attribute, or null for one the program works out itself.
constexpr const FieldPlace* FindFieldPlace(std::string_view element, std::string_view attribute)
{
    for (const FieldPlace& place : FieldPlaces::All)
        if (place.element == element && place.attribute == attribute)
            return &place;
    return nullptr;
}
