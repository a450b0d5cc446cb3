#include "ErrorTexts.h"

#include <algorithm>
#include <array>

namespace ErrorTexts {

namespace {

struct Entry {
    int id;
    std::u16string_view text;
};

// Sorted by id. Message ids of error codes are 0xC000 + facility * 0x400 + the code's low bits.
constexpr std::array kTable = std::to_array<Entry>({
    {14, u"TempFile"},
    {32, u"TifOperation"},
    {38, u"Pdf417"},
    {100, u"ORVEXPDOC"},
    {101, u"ORVEXPDOC"},
    {102, u"TiffTools"},
    {103, u"ViewProcess"},
    {150, u"Начало %s"},
    {151, u"Конец %s"},
    {152, u"%d из %d"},
    {153, u"Подготовка %s"},
    {154, u"Прерывание %s"},
    {160, u"записи"},
    {161, u"печати"},
    {162, u"печати"},
    {200, u"У документа не найден или нулевой аттрибут '%s' "},
    {201, u"Не найдено ни одной страницы (XPATH='%s') "},
    {202, u"У страницы (SHEET) %d не найден или нулевой аттрибут '%s' "},
    {203, u"%s. Версия: %s"},
    {204, u"Отсутствуют данные."},
    {205, u"Не удалось открыть принтер '%s'"},
    {206, u"Не удалось создать объект из файла '%s' (код: %d)"},
    {207, u"Документ для сдачи"},
    {213, u"%s%s%s%d%c%d"},
    {214, u"%s%s"},
    {216, u"Не удалось отправить задание на печать."},
    {217, u"Печать прервана."},
    {218, u"%s%s%s%s%s%d%c%d"},
    {221, u"Бланки документа для сдачи"},
    {222, u"Шаблон (файл: '%s') для печати требует обновления пакета «Мирдал» с версии %s до версии не менее %d.0.0."},
    {223, u"Шаблон (файл: '%s') имеет не верный формат."},
    {226, u"Запись прервана."},
    {300, u"Запись изображений"},
    {301, u"Печать документа"},
    {302, u"Печать бланка"},
    {310, u"Идет запись..."},
    {311, u"Идет печать..."},
    {312, u"Идет печать..."},
    {50176, u"%"},
    {50202, u"Не найден принтер по умолчанию."},
    {50203, u"Не удалось открыть принтер: %."},
    {50204, u"Не удалось получить свойства принтера: %."},
    {51201, u"Не верный размер строки"},
    {51213, u"Неизвестная ошибка"},
    {51214, u"Файл не найден: %."},
    {51267, u"Недопустимые параметры."},
    {51280, u"Недопустимые параметры: %."},
    {51289, u"%."},
    {51297, u"Ошибка при работе с XMLDOM. %."},
    {51298, u"Данные '%' (длина %) % страницы документа невозможно разместить в прямоугольном поле % + % мм и % + % мм на % странице формы %."},
    {53251, u"Ошибка записи в файл: %"},
    {57348, u"GDI+: %"},
    {57351, u"Не поддерживаемая структура TIF файла: %"},
    // Data too big for a PDF417 symbol: the encoder's own text is the whole message.
    {57355, u"%"},
});

static_assert(std::is_sorted(kTable.begin(), kTable.end(),
                             [](const Entry& a, const Entry& b) { return a.id < b.id; }));

} // namespace

std::optional<std::u16string_view> load(int id)
{
    const auto found = std::lower_bound(kTable.begin(), kTable.end(), id,
                                        [](const Entry& entry, int wanted) { return entry.id < wanted; });
    if (found == kTable.end() || found->id != id)
        return std::nullopt;
    return found->text;
}

} // namespace ErrorTexts
