#include "SSError.h"

#include "WideText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <locale>
#include <variant>

using namespace SSError;

namespace {

std::string utf8(const std::u16string& text)
{
    return WideText::toUtf8(text);
}

std::u16string firstLine(const std::u16string& report)
{
    return report.substr(0, report.find(u'\n'));
}

TEST(SSErrorTest, MessageIdJoinsFacilityAndLowBits)
{
    struct Case {
        uint32_t code;
        int id;
    };
    const Case cases[] = {
        {kErrDetailOnly, 50176},        {kErrComWithErrorInfo, 50177}, {kErrNoDefaultPrinter, 50202},
        {kErrWrongStringSize, 51201},   {kErrInvalidParameters, 51267}, {kErrFieldDoesNotFit, 51298},
        {kErrFileWrite, 53251},         {kErrGdiPlus, 57348},           {kErrUnsupportedTiff, 57351},
        {0xC00003FF, 0xC3FF},           {0x00020043, 0x0843},
    };
    for (const auto& c : cases)
        EXPECT_EQ(messageId(c.code), c.id) << std::hex << c.code;
}

TEST(SSErrorTest, DescriptionFillsTheMessageWithDetails)
{
    using Detail = std::variant<std::u16string, int64_t>;
    struct Case {
        const char* name;
        uint32_t code;
        std::vector<Detail> details;
        std::u16string description;
    };
    const Case cases[] = {
        {"message is the detail alone", kErrDetailOnly, {u"abc"}, u"abc"},
        {"message without details", kErrInvalidParameters, {}, u"Недопустимые параметры."},
        {"message without a place shows its detail after a blank", kErrInvalidParameters, {u"X"},
         u"Недопустимые параметры. X"},
        {"message without a place or a full stop shows its detail after a colon", kErrWrongStringSize, {u"X"},
         u"Не верный размер строки: X"},
        {"detail inside the message", kErrXmlDom, {u"разбор"}, u"Ошибка при работе с XMLDOM. разбор."},
        {"number detail", kErrInvalidParametersDetail, {int64_t{-42}}, u"Недопустимые параметры: -42."},
        {"more details than places", kErrDetailWithPoint, {u"a", u"b"}, u"a. b"},
        {"places without details vanish", kErrFileNotFound, {}, u"Файл не найден: ."},
        {"line breaks inside a detail become blanks", kErrDetailOnly, {u"one\r\ntwo\r\n"}, u"one  two"},
        {"code without a message", kErr0xC0020004, {}, u"51204 - не найден в строковой таблице"},
        {"code without a message and a detail", kErr0xC0020004, {u"x"}, u"51204 - не найден в строковой таблице: x"},
        {"image type without a writer", kErr0xC0080003, {u"image/gif"},
         u"Запись изображений этого типа не поддерживается: image/gif."},
        {"symbol not built", kErr0xC008000A, {}, u"Не удалось построить штрих-код PDF417."},
        {"data too big for the symbols", kErr0xC008000B, {u"длина данных 3000"},
         u"Превышен максимально возможный размер данных штрих-кода PDF417: длина данных 3000"},
        {"every place of a long message", kErrFieldDoesNotFit,
         {u"123", int64_t{3}, u"2-й", int64_t{10}, int64_t{20}, int64_t{30}, int64_t{5}, u"1-й", u"1151020"},
         u"Данные '123' (длина 3) 2-й страницы документа невозможно разместить в прямоугольном поле 10 + 20 мм "
         u"и 30 + 5 мм на 1-й странице формы 1151020."},
    };
    for (const auto& c : cases) {
        CPrgError error(kSourceExports, 1, c.code);
        for (const auto& detail : c.details)
            std::visit([&](const auto& value) { error.addDetail(value); }, detail);
        EXPECT_EQ(utf8(firstLine(error.report())), "Описание: " + utf8(c.description)) << c.name;
    }
}

TEST(SSErrorTest, EveryCodeTheLibraryRaisesHasAText)
{
    for (uint32_t code : {kErrDetailOnly, kErrNoDefaultPrinter, kErrOpenPrinter, kErrPrinterProperties,
                          kErrWrongStringSize, kErrUnknown, kErrFileNotFound, kErrInvalidParameters,
                          kErrInvalidParametersDetail, kErrDetailWithPoint, kErrXmlDom, kErrFieldDoesNotFit,
                          kErrFileWrite, kErr0xC0080003, kErrGdiPlus, kErrUnsupportedTiff, kErr0xC008000A,
                          kErr0xC008000B}) {
        const std::string report = utf8(CPrgError(kSourceExports, 1, code).addDetail(u"x").report());
        EXPECT_EQ(report.find("не найден в строковой таблице"), std::string::npos) << std::hex << code;
    }
}

TEST(SSErrorTest, AnyIntegerIsANumberDetail)
{
    CPrgError error(kSourceExports, 1, kErrFieldDoesNotFit);
    error.addDetail(std::size_t{7}).addDetail(-3L).addDetail(4LL).addDetail(uint16_t{5}).addDetail(int64_t{-9});
    EXPECT_EQ(utf8(firstLine(error.report())),
              "Описание: Данные '7' (длина -3) 4 страницы документа невозможно разместить в прямоугольном поле "
              "5 + -9 мм и  +  мм на  странице формы .");
}

TEST(SSErrorTest, SourceIdsNameTheirSource)
{
    struct Case {
        int sourceId;
        std::u16string name;
    };
    const Case cases[] = {
        {kSourceExports, u"ORVEXPDOC"},      {kSourceDocument, u"TiffTools"},  {kSourceViewProcess, u"ViewProcess"},
        {kSourcePdf417, u"Pdf417"},          {kSourceTempFile, u"TempFile"},   {10032, u"TifOperation"},
        {10038, u"Pdf417"},                  {10039, u"наименование: 10039"}, {39, u"наименование: 39"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf8(CPrgError(c.sourceId, 1, kErrUnknown).sourceName()), utf8(c.name)) << c.sourceId;

    EXPECT_EQ(utf8(CComError(10032, 1, kHresultFail, u"x").sourceName()), "TifOperation");
    EXPECT_EQ(utf8(CComError(39, 1, kHresultFail, u"x").sourceName()), "Не известен");
}

TEST(SSErrorTest, ProgramReportAndItsOneLineForm)
{
    CPrgError error(kSourceExports, 304, kErrInvalidParameters);
    EXPECT_EQ(utf8(error.report()),
              "Описание: Недопустимые параметры.\n"
              "Код     : -1073610685 (0xC0020043)\n"
              "Описание(DLL): \n"
              "Код(DLL): 0 (0x0)\n"
              "Источник ошибки: ORVEXPDOC (строка: 304)\n");

    const CPrgErrorException thrown = error.exception();
    EXPECT_EQ(thrown.kind(), CError::kProgram);
    EXPECT_EQ(utf8(thrown.oneLineReport()),
              "Недопустимые параметры.[-1073610685 (0xC0020043)\\\\0 (0x0)\\ORVEXPDOC (строка: 304)]");
}

TEST(SSErrorTest, ProgramReportCarriesTheSystemError)
{
    errno = ENOENT;
    CPrgError error(kSourceDocument, 12, kErrFileNotFound, true);
    error.addDetail(u"данные.xml");
    const std::string systemText = "Нет такого файла или папки";
    EXPECT_EQ(utf8(error.report()),
              "Описание: Файл не найден: данные.xml.\n"
              "Код     : -1073610738 (0xC002000E)\n"
              "Описание(DLL): " + systemText + "\n"
              "Код(DLL): 2 (0x2)\n"
              "Источник ошибки: TiffTools (строка: 12)\n");
    EXPECT_EQ(utf8(error.exception().oneLineReport()),
              "Файл не найден: данные.xml.[-1073610738 (0xC002000E)\\" + systemText
                  + "\\2 (0x2)\\TiffTools (строка: 12)]");
}

TEST(SSErrorTest, NumbersInReportsIgnoreTheGlobalLocale)
{
    struct GroupingPunct : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
        char do_thousands_sep() const override { return '.'; }
        std::string do_grouping() const override { return "\3"; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new GroupingPunct));
    CPrgError error(kSourceExports, 12345, kErrInvalidParametersDetail);
    error.addDetail(int64_t{1234567});
    const std::string report = utf8(error.report());
    std::locale::global(previous);
    EXPECT_EQ(report,
              "Описание: Недопустимые параметры: 1234567.\n"
              "Код     : -1073610672 (0xC0020050)\n"
              "Описание(DLL): \n"
              "Код(DLL): 0 (0x0)\n"
              "Источник ошибки: ORVEXPDOC (строка: 12345)\n");
}

TEST(SSErrorTest, SystemErrorIsOnlyTakenWhenAskedFor)
{
    errno = EACCES;
    EXPECT_EQ(CPrgError(kSourceExports, 1, kErrUnknown).systemError(), 0);
    EXPECT_EQ(CPrgError(kSourceExports, 1, kErrUnknown, true).systemError(), EACCES);
    EXPECT_EQ(CPrgError(kSourceExports, 1, kErrUnknown).setSystemError(ECANCELED).systemError(), ECANCELED);
}

TEST(SSErrorTest, NestedReportIsShownOnceAboveTheOuterFields)
{
    const std::u16string inner = CPrgError(kSourceDocument, 10, kErrInvalidParameters).report();
    CPrgError outer(kSourceExports, 20, kErrDetailOnly);
    outer.addDetail(inner);
    EXPECT_EQ(utf8(outer.report()),
              "Описание: Недопустимые параметры. Код     : -1073610685 (0xC0020043) Описание(DLL):  "
              "Код(DLL): 0 (0x0) Источник ошибки: TiffTools (строка: 10)\n"
              "--------------------------\n"
              "\n"
              "Код     : -1073676288 (0xC0010000)\n"
              "Описание(DLL): \n"
              "Код(DLL): 0 (0x0)\n"
              "Источник ошибки: ORVEXPDOC (строка: 20)\n");
}

TEST(SSErrorTest, ReportIsCachedUntilRebuilt)
{
    CPrgError error(kSourceExports, 1, kErrDetailWithPoint);
    EXPECT_TRUE(error.cachedReport().empty());
    error.addDetail(u"первый");
    const std::u16string first = error.report();
    error.addDetail(u"второй");
    EXPECT_EQ(error.report(), first);
    EXPECT_NE(error.report(true), first);
    EXPECT_EQ(error.cachedReport(), error.report());
}

TEST(SSErrorTest, ComReportAndItsOneLineForm)
{
    CComError error(kSourceExports, 55, 0x80070002, u"Не удается найти указанный файл.\r\n");
    EXPECT_EQ(utf8(error.report()),
              "Описание: Не удается найти указанный файл.\n"
              "Код(COM): -2147024894 (0x80070002)\n"
              "Источник(COM): \n"
              "Источник ошибки: ORVEXPDOC (строка: 55)\n");
    const CComErrorException thrown = error.exception();
    EXPECT_EQ(thrown.kind(), CError::kCom);
    EXPECT_EQ(utf8(thrown.oneLineReport()),
              "Не удается найти указанный файл.[Код(COM):-2147024894 (0x80070002)\\Источник(COM):"
              "\\Источник ошибки:ORVEXPDOC (строка: 55)]");
}

TEST(SSErrorTest, ComDescriptionJoinsTheComponentsOwnText)
{
    struct Case {
        const char* name;
        uint32_t hresult;
        std::u16string description, comSource, comDescription;
        std::u16string expectedDescription;
        uint32_t expectedCode;
    };
    const Case cases[] = {
        {"caller text and component text", kHresultFail, u"Ошибка вызова", u"Парсер", u"нет узла",
         u"Ошибка вызова (нет узла)", kHresultFail},
        {"placeholder text gives way", kHresultFail, u"Неопознанная ошибка", u"", u"нет узла", u"нет узла",
         kHresultFail},
        {"error with information", kHresultWithErrorInfo, u"", u"Парсер", u"нет узла", u"нет узла",
         kErrComWithErrorInfo},
        {"dispatch error without text", 0x80040205, u"", u"", u"", u"IDispatch error #5", 0x80040205},
        {"unknown error without text", kHresultFail, u"", u"", u"", u"Unknown error 0x80004005", kHresultFail},
    };
    for (const auto& c : cases) {
        CComError error(kSourceExports, 1, c.hresult, c.description, c.comSource, c.comDescription);
        EXPECT_EQ(utf8(firstLine(error.report())), "Описание: " + utf8(c.expectedDescription)) << c.name;
        EXPECT_EQ(error.code(), c.expectedCode) << c.name;
    }
}

TEST(SSErrorTest, ComErrorFromSystemError)
{
    const CComError error = CComError::fromSystemError(EACCES, kSourceExports, 9);
    EXPECT_EQ(error.code(), 0x8007000Du);
    EXPECT_EQ(utf8(error.description()), "Нет прав доступа");
}

TEST(SSErrorTest, SeverityAndFacility)
{
    struct Case {
        uint32_t code;
        int severity;
        int facility;
    };
    const Case cases[] = {
        {0, 1, 0},          {5, 1, 0},          {30000, 1, 0},      {30001, 4, 0},
        {0xC0020043, 1, 2}, {0x80010000, 2, 1}, {0x40040000, 4, 4}, {0x00080000, 0, 8},
    };
    for (const auto& c : cases) {
        const CPrgError error(kSourceExports, 1, c.code);
        EXPECT_EQ(error.severity(), c.severity) << std::hex << c.code;
        EXPECT_EQ(error.facility(), c.facility) << std::hex << c.code;
    }
    const CComError com(kSourceExports, 1, kHresultFail, u"x");
    EXPECT_EQ(com.severity(), 1);
    EXPECT_EQ(com.facility(), 0);
}

TEST(SSErrorTest, RaiseThrowsTheReport)
{
    try {
        CPrgError(kSourcePdf417, 8, kErrDetailOnly).addDetail("ширина").raise();
        FAIL() << "nothing thrown";
    } catch (const CError& error) {
        EXPECT_EQ(error.kind(), CError::kProgram);
        EXPECT_EQ(utf8(firstLine(error.report())), "Описание: ширина");
        EXPECT_STREQ(error.what(), utf8(error.report()).c_str());
    }
    EXPECT_THROW(CComError(kSourceExports, 1, kHresultFail, u"x").raise(), CComErrorException);
}

} // namespace
