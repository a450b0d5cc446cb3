#include "JobTestSupport.h"

#include "SSError.h"
#include "WideText.h"

#include <cmath>

std::string formSoftware(std::u16string_view version)
{
    return WideText::toCp1251(u"Модуль печати документов со штрих-кодом PDF417. Версия: " + std::u16string(version));
}

std::string versionedForm(const ScratchFolder& folder, int pages, double dpi, const std::string& software,
                          const std::string& name)
{
    const int width = static_cast<int>(std::lround(210 / 25.4 * dpi));
    const int height = static_cast<int>(std::lround(297 / 25.4 * dpi));
    std::vector<FixturePage> frames;
    for (int page = 0; page < pages; ++page)
        frames.push_back({PageBitmap(width, height, dpi, dpi), FixtureCompression::Group4, software});
    const std::string path = folder.file(name);
    writeFixtureTiff(path, frames);
    return path;
}

std::u16string sheetGuid(int number)
{
    std::u16string guid = u"0123456789ABCDEF0123456789ABCD";
    guid += static_cast<char16_t>(u'0' + number / 10 % 10);
    guid += static_cast<char16_t>(u'0' + number % 10);
    return guid;
}

std::u16string dataDocumentXml(const std::vector<SheetData>& sheets, std::u16string_view caption)
{
    std::u16string xml = u"<?xml version=\"1.0\"?>\n<DOCUMENT knd=\"" + std::u16string(kTestKnd) + u"\" version=\"" +
                         std::u16string(kTestVersion) + u"\"";
    if (!caption.empty())
        xml += u" caption=\"" + std::u16string(caption) + u"\"";
    xml += u">\n";
    for (std::size_t index = 0; index < sheets.size(); ++index) {
        const SheetData& sheet = sheets[index];
        xml += u"<SHEET pageNumber=\"" + WideText::decimal(sheet.pageNumber) + u"\" code=\"1\" guid=\"" +
               sheetGuid(static_cast<int>(index) + 1) + u"\">";
        xml += u"<INN left=\"40\" top=\"40\" width=\"60\" height=\"6\" print=\"12\" dataType=\"1\" incBarCode=\"1\">" +
               sheet.inn + u"</INN>";
        xml += u"<FIO left=\"40\" top=\"60\" width=\"120\" height=\"6\" print=\"t\" incBarCode=\"1\">" + sheet.surname +
               u"</FIO>";
        xml += u"</SHEET>\n";
    }
    return xml + u"</DOCUMENT>\n";
}

std::string oneLineReport(const std::function<void()>& action)
{
    try {
        action();
    } catch (const SSError::CError& error) {
        return WideText::toUtf8(error.oneLineReport());
    }
    return "nothing raised";
}
