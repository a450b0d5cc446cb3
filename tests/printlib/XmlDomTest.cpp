#include "XmlDom.h"

#include "SSError.h"
#include "TiffTestSupport.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <libxml/parser.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <netinet/in.h>
#include <utility>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using SSError::kSourceDocument;

constexpr std::u16string_view kDocument =
    u"<?xml version=\"1.0\"?>\n"
    u"<DOCUMENT knd=\"1151020\" version=\"5.16\" no-line=\"\">\n"
    u"  <SHEET pageNumber=\"1\" code=\"1\"><Поле print=\"3\">  123 </Поле><Скрыто print=\"0\">x</Скрыто></SHEET>\n"
    u"  <SHEET pageNumber=\"2\" code=\"2\"><Поле print=\"t\" incBarCode=\"1\">Иванов &amp; сын</Поле></SHEET>\n"
    u"</DOCUMENT>\n";

XmlDocument loaded(std::u16string_view text)
{
    XmlDocument document;
    EXPECT_TRUE(document.loadXML(text)) << utf8(document.parseErrorReason());
    return document;
}

std::string nodeText(const XmlDocument& document, std::u16string_view xpath)
{
    std::u16string text;
    EXPECT_TRUE(XmlGetNodeText(document.documentElement(), xpath, text, kSourceDocument, __LINE__)) << utf8(std::u16string(xpath));
    return utf8(text);
}

// The one-line report of what the action raised.
template <class Action>
std::string raisedReport(Action&& action)
{
    try {
        action();
    } catch (const SSError::CError& error) {
        return utf8(error.oneLineReport());
    }
    return "nothing raised";
}

class XmlDomFileTest : public ::testing::Test {
protected:
    std::u16string writeFile(const std::string& name, std::string_view bytes)
    {
        const std::string path = folder_.file(name);
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return WideText::fromUtf8(path);
    }

    ScratchFolder folder_;
};

TEST(XmlDomTest, SelectsSheetsAndFieldsInDocumentOrder)
{
    const XmlDocument document = loaded(kDocument);
    const auto sheets = XmlSelectNodes(document.documentElement(), u"/*/SHEET", kSourceDocument, __LINE__);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(utf8(XmlGetAttributeOr(sheets[0], u"pageNumber", u"", kSourceDocument, __LINE__)), "1");
    EXPECT_EQ(utf8(XmlGetAttributeOr(sheets[1], u"pageNumber", u"", kSourceDocument, __LINE__)), "2");

    const auto fields = XmlSelectNodes(sheets[0], u"*[@print!='0' or @incBarCode='1']", kSourceDocument, __LINE__);
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(reinterpret_cast<const char*>(fields[0]->name), std::string("Поле"));

    xmlNode* second = XmlSelectSingleNode(document.documentElement(), u"SHEET[@code='2']", kSourceDocument, __LINE__);
    EXPECT_EQ(second, sheets[1]);
    EXPECT_EQ(XmlSelectSingleNode(document.documentElement(), u"SHEET[@code='3']", kSourceDocument, __LINE__), nullptr);
    EXPECT_TRUE(XmlSelectNodes(document.documentElement(), u"/*/PAGE", kSourceDocument, __LINE__).empty());
}

TEST(XmlDomTest, ReadsTextsAndAttributes)
{
    const XmlDocument document = loaded(kDocument);
    EXPECT_EQ(nodeText(document, u"/DOCUMENT/@knd"), "1151020");
    EXPECT_EQ(nodeText(document, u"/DOCUMENT/@no-line"), "");
    EXPECT_EQ(nodeText(document, u"SHEET[1]/Поле"), "123");
    EXPECT_EQ(nodeText(document, u"SHEET[2]/Поле"), "Иванов & сын");

    std::u16string text = u"left over";
    EXPECT_FALSE(XmlGetNodeText(document.documentElement(), u"/DOCUMENT/@caption", text, kSourceDocument, __LINE__));
    EXPECT_TRUE(text.empty());

    xmlNode* root = document.documentElement();
    EXPECT_TRUE(XmlGetAttribute(root, u"version", text, kSourceDocument, __LINE__));
    EXPECT_EQ(utf8(text), "5.16");
    text = u"left over";
    EXPECT_FALSE(XmlGetAttribute(root, u"caption", text, kSourceDocument, __LINE__));
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(utf8(XmlGetAttributeOr(root, u"caption", u"Документ для сдачи", kSourceDocument, __LINE__)), "Документ для сдачи");
    EXPECT_EQ(utf8(XmlGetAttributeOr(root, u"knd", u"", kSourceDocument, __LINE__)), "1151020");
}

TEST(XmlDomTest, Utf16TextIsParsedAsCharactersWhateverItsDeclarationSays)
{
    for (const std::u16string_view encoding : {u"windows-1251", u"UTF-16", u"KOI8-R"}) {
        const std::u16string text = u"\uFEFF<?xml version=\"1.0\" encoding=\"" + std::u16string(encoding)
                                    + u"\"?><DOCUMENT knd=\"Ёж\">Налоговая декларация «3-НДФЛ» №1</DOCUMENT>";
        XmlDocument document;
        ASSERT_TRUE(document.loadXML(text)) << utf8(std::u16string(encoding)) << ": " << utf8(document.parseErrorReason());
        EXPECT_EQ(nodeText(document, u"/DOCUMENT"), "Налоговая декларация «3-НДФЛ» №1");
        EXPECT_EQ(nodeText(document, u"/DOCUMENT/@knd"), "Ёж");
    }
}

TEST_F(XmlDomFileTest, FileIsDecodedByItsDeclaration)
{
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string body = "<DOCUMENT knd=\"\xC5\xE6\">\xCD\xE0\xEB\xEE\xE3 \xB9" "1</DOCUMENT>"; // "Еж", "Налог №1"
    const Case cases[] = {
        {"windows-1251", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>" + body},
        {"utf-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?><DOCUMENT knd=\"Еж\">Налог №1</DOCUMENT>"},
        {"utf-16 with byte order mark",
         [] {
             const std::u16string text = u"\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?><DOCUMENT knd=\"Еж\">Налог №1</DOCUMENT>";
             std::string bytes;
             for (char16_t c : text)
                 bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
             return bytes;
         }()},
    };
    for (const auto& c : cases) {
        XmlDocument document;
        ASSERT_TRUE(document.load(writeFile(c.name, c.bytes))) << c.name << ": " << utf8(document.parseErrorReason());
        EXPECT_EQ(nodeText(document, u"/DOCUMENT"), "Налог №1") << c.name;
        EXPECT_EQ(nodeText(document, u"/DOCUMENT/@knd"), "Еж") << c.name;
    }
}

TEST_F(XmlDomFileTest, MissingFileAndWhatIsNotAFileAreParseFailures)
{
    for (const auto& [path, reason] : {std::pair<std::string, std::string>{folder_.file("нет.xml"), "Нет такого файла или папки"},
                                       {"/dev/zero", "Недопустимое действие для этого файла"}}) {
        XmlDocument document = loaded(kDocument);
        EXPECT_FALSE(document.load(WideText::fromUtf8(path))) << path;
        EXPECT_EQ(utf8(XmlGetParseError(document)), reason) << path;
        EXPECT_EQ(document.documentElement(), nullptr) << path;
    }
}

// libxml2's process-wide defaults as a host program may set them: substitute entities, load
// and validate against external DTDs. The library's own parse options must win over them.
class HostLibxmlDefaults {
public:
    explicit HostLibxmlDefaults(bool switchedOn)
        : substitute_(xmlSubstituteEntitiesDefault(switchedOn ? 1 : 0))
        , loadDtd_(std::exchange(xmlLoadExtDtdDefaultValue, switchedOn ? XML_DETECT_IDS | XML_COMPLETE_ATTRS : 0))
        , validate_(std::exchange(xmlDoValidityCheckingDefaultValue, switchedOn ? 1 : 0))
    {
    }
    ~HostLibxmlDefaults()
    {
        xmlSubstituteEntitiesDefault(substitute_);
        xmlLoadExtDtdDefaultValue = loadDtd_;
        xmlDoValidityCheckingDefaultValue = validate_;
    }

private:
    int substitute_, loadDtd_, validate_;
};

TEST(XmlDomTest, ExternalEntityIsNotRead)
{
    for (const bool hostDefaults : {false, true}) {
        const HostLibxmlDefaults defaults(hostDefaults);
        const XmlDocument document = loaded(
            u"<?xml version=\"1.0\"?>\n"
            u"<!DOCTYPE DOCUMENT [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>\n"
            u"<DOCUMENT knd=\"1\"><Поле>[&secret;]</Поле></DOCUMENT>");
        EXPECT_EQ(nodeText(document, u"/DOCUMENT/Поле"), "[]") << (hostDefaults ? "host defaults" : "defaults");
    }
}

TEST(XmlDomTest, NothingIsFetchedOverTheNetwork)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    const std::u16string url = u"http://127.0.0.1:" + WideText::decimal(ntohs(address.sin_port));

    for (const bool hostDefaults : {false, true}) {
        const HostLibxmlDefaults defaults(hostDefaults);
        XmlDocument document;
        document.loadXML(u"<?xml version=\"1.0\"?>\n"
                         u"<!DOCTYPE DOCUMENT SYSTEM \"" + url + u"/form.dtd\" [\n"
                         u"<!ENTITY % remote SYSTEM \"" + url + u"/entities.dtd\"> %remote;\n"
                         u"<!ENTITY page SYSTEM \"" + url + u"/page.xml\">]>\n"
                         u"<DOCUMENT knd=\"1\"><Поле>&page;</Поле></DOCUMENT>");
        if (document.documentElement() != nullptr) {
            EXPECT_EQ(nodeText(document, u"/DOCUMENT/Поле"), "");
        }
        EXPECT_LT(::accept(listener, nullptr, nullptr), 0) << "the parser connected to " << utf8(url);
    }
    ::close(listener);
}

TEST(XmlDomTest, EntityExpansionBombIsRefused)
{
    std::u16string text = u"<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ENTITY lol0 \"lollollollollollollollollollol\">\n";
    for (int level = 1; level <= 9; ++level) {
        text += u"<!ENTITY lol" + WideText::decimal(level) + u" \"";
        for (int k = 0; k < 10; ++k)
            text += u"&lol" + WideText::decimal(level - 1) + u";";
        text += u"\">\n";
    }
    text += u"]>\n<lolz>&lol9;</lolz>";

    XmlDocument document;
    EXPECT_FALSE(document.loadXML(text));
    EXPECT_FALSE(document.parseErrorReason().empty());
}

// A short document whose internal entity, referenced over and over, would expand to far more
// than any field holds: the parser takes it, reading the text is refused.
TEST(XmlDomTest, TextsExpandedPastTheLimitAreErrors)
{
    std::u16string references;
    for (int k = 0; k < 200; ++k)
        references += u"&big;";
    const XmlDocument document = loaded(u"<?xml version=\"1.0\"?>\n<!DOCTYPE DOCUMENT [<!ENTITY big \""
                                        + std::u16string(100000, u'x') + u"\">]>\n<DOCUMENT a=\"" + references
                                        + u"\" b=\"&big;\">" + references + u"<Поле>&big;</Поле></DOCUMENT>");
    EXPECT_EQ(nodeText(document, u"/DOCUMENT/Поле").size(), 100000u) << "one reference is expanded";
    std::u16string text;
    EXPECT_TRUE(XmlGetAttribute(document.documentElement(), u"b", text, kSourceDocument, __LINE__));
    EXPECT_EQ(text.size(), 100000u);

    const std::string elementReport = raisedReport(
        [&] { XmlGetNodeText(document.documentElement(), u"/DOCUMENT", text, kSourceDocument, 61); });
    EXPECT_EQ(elementReport.rfind("получение текстового значения узла текст длиннее 16777216 байт.[-1073610663 "
                                  "(0xC0020059)\\\\0 (0x0)\\TiffTools (строка: 61)]",
                                  0),
              0u)
        << elementReport;
    const std::string attributeReport =
        raisedReport([&] { XmlGetAttribute(document.documentElement(), u"a", text, kSourceDocument, 62); });
    EXPECT_EQ(attributeReport.rfind("извлечение значения атрибута значение атрибута a длиннее 16777216 байт.", 0), 0u)
        << attributeReport;
    EXPECT_EQ(raisedReport([&] { XmlGetNodeText(document.documentElement(), u"/DOCUMENT/@a", text, kSourceDocument, 63); })
                  .rfind("получение текстового значения узла ", 0),
              0u);
}

TEST(XmlDomTest, SyntaxErrorIsRaisedWithThePrefixAndTheCallersPlace)
{
    XmlDocument document;
    EXPECT_FALSE(document.loadXML(u"<DOCUMENT><SHEET></DOCUMENT>"));
    EXPECT_NE(document.parseErrorCode(), 0);
    const std::string reason = utf8(XmlGetParseError(document));
    EXPECT_NE(reason.find("SHEET"), std::string::npos) << reason;
    EXPECT_EQ(raisedReport([&] { XmlRaiseParseError(document, u"Загрузка данных", kSourceDocument, 77); }),
              "Ошибка при работе с XMLDOM. Загрузка данных. " + reason
                  + ".[-1073610655 (0xC0020061)\\\\0 (0x0)\\TiffTools (строка: 77)]");
    EXPECT_EQ(raisedReport([&] { XmlRaiseParseError(document, u"", kSourceDocument, 78); }),
              "Ошибка при работе с XMLDOM. " + reason
                  + ".[-1073610655 (0xC0020061)\\\\0 (0x0)\\TiffTools (строка: 78)]");
}

TEST(XmlDomTest, EmptyTextDoesNotParse)
{
    XmlDocument document;
    EXPECT_FALSE(document.loadXML(u""));
    EXPECT_FALSE(XmlGetParseError(document).empty());
}

TEST(XmlDomTest, BadXPathIsRaisedWithTheStepAndTheCallersPlace)
{
    const XmlDocument document = loaded(kDocument);
    struct Case {
        const char* name;
        std::u16string_view xpath;
    };
    const Case cases[] = {
        {"syntax", u"/*/SHEET["},
        {"not a node set", u"count(/*/SHEET)"},
    };
    for (const auto& c : cases) {
        const std::string report = raisedReport(
            [&] { XmlSelectSingleNode(document.documentElement(), c.xpath, SSError::kSourceTifOperation, 91); });
        EXPECT_EQ(report.rfind("выбор узла ", 0), 0u) << c.name << ": " << report;
        EXPECT_NE(report.find(utf8(std::u16string(c.xpath))), std::string::npos) << c.name << ": " << report;
        EXPECT_NE(report.find("(0xC0020059)"), std::string::npos) << c.name << ": " << report;
        EXPECT_NE(report.find("\\TifOperation (строка: 91)]"), std::string::npos) << c.name << ": " << report;
    }
}

TEST(XmlDomTest, ReloadReplacesTheDocument)
{
    XmlDocument document = loaded(kDocument);
    EXPECT_FALSE(document.loadXML(u"<broken"));
    EXPECT_EQ(document.documentElement(), nullptr);
    EXPECT_TRUE(document.loadXML(u"<DOCUMENT knd=\"2\"/>"));
    EXPECT_EQ(document.parseErrorCode(), 0);
    EXPECT_EQ(nodeText(document, u"/DOCUMENT/@knd"), "2");
}

} // namespace
