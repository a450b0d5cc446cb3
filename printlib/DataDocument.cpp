#include "DataDocument.h"

#include "ElementTable.h"
#include "EngineText.h"
#include "ErrorTexts.h"
#include "LetterCase.h"
#include "SSError.h"
#include "WideText.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <system_error>

namespace {

constexpr int kSource = SSError::kSourceDocument;
constexpr std::u16string_view kSheetsXPath = u"/*/SHEET";
// Every child element that is drawn, and those that are not drawn but go into the barcode.
constexpr std::u16string_view kFieldsXPath = u"*[@print!='0' or @incBarCode='1']";
constexpr std::size_t kMinGuidLength = 32;

[[noreturn]] void raiseDetail(int line, std::u16string_view detail)
{
    SSError::CPrgError(kSource, line, SSError::kErrDetailOnly).addDetail(detail).raise();
}

[[noreturn]] void raiseSheetAttribute(int line, int sheet, std::u16string_view attribute)
{
    raiseDetail(line,
                EngineText::formatString(ErrorTexts::kSheetAttributeMissing, {WideText::decimal(sheet), attribute}));
}

bool isRegularFile(std::u16string_view path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(std::filesystem::path(WideText::toUtf8(path)), error);
}

std::u16string attribute(xmlNode* node, std::u16string_view name)
{
    std::u16string text;
    XmlGetAttribute(node, name, text, kSource, __LINE__);
    return text;
}

int integerAttribute(xmlNode* node, std::u16string_view name, int fallback)
{
    std::u16string text;
    return XmlGetAttribute(node, name, text, kSource, __LINE__) ? EngineText::leadingInteger(text) : fallback;
}

FieldAlignment alignmentOf(std::u16string_view text)
{
    const std::u16string letter = LetterCase::upper(text);
    if (letter == u"C" || letter == u"1")
        return FieldAlignment::Centre;
    if (letter == u"R" || letter == u"2")
        return FieldAlignment::Right;
    return FieldAlignment::Left;
}

DataField readField(xmlNode* node)
{
    DataField field;
    field.name = WideText::fromUtf8(reinterpret_cast<const char*>(node->name));
    XmlGetNodeText(node, u".", field.value, kSource, __LINE__);
    field.left = integerAttribute(node, u"left", 0);
    field.top = integerAttribute(node, u"top", 0);
    field.width = integerAttribute(node, u"width", 0);
    field.height = integerAttribute(node, u"height", 0);
    field.rotate = integerAttribute(node, u"rotate", 0);
    field.kind = integerAttribute(node, u"dataType", 4) + 1;
    const std::u16string print = attribute(node, u"print");
    field.cells = print == u"t" ? DataField::kFreeText : EngineText::leadingInteger(print);
    // Any other negative count is free text as well: there are no cells to put characters in.
    if (field.cells < 0)
        field.cells = DataField::kFreeText;
    field.inBarcode = attribute(node, u"incBarCode") == u"1";
    field.alignment = alignmentOf(attribute(node, u"alignmentH"));
    field.digits = integerAttribute(node, u"digits", 0);
    field.separator = integerAttribute(node, u"separator", -1);
    field.checked = attribute(node, u"check") == u"1";
    return field;
}

} // namespace

void DataDocument::LoadData(std::u16string_view data)
{
    // The nodes of a previous document die with it.
    sheets_.clear();
    header_ = {};
    if (data.empty())
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParameters).raise();
    if (data.front() == u'<') {
        if (!document_.loadXML(data))
            XmlRaiseParseError(document_, u"Не удалось загрузить данные документа", kSource, __LINE__);
    } else {
        if (!isRegularFile(data))
            SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParameters)
                .addDetail(u"Файл не найден: " + std::u16string(data))
                .raise();
        if (!document_.load(data))
            XmlRaiseParseError(document_, u"Не удалось загрузить файл данных '" + std::u16string(data) + u"'", kSource,
                               __LINE__);
    }
    readHeader();
}

void DataDocument::readHeader()
{
    xmlNode* root = document_.documentElement();
    DocumentHeader header;
    for (auto [path, text] :
         {std::pair{u"DOCUMENT/@knd", &header.knd}, std::pair{u"DOCUMENT/@version", &header.version}}) {
        if (!XmlGetNodeText(root, u"/" + std::u16string(path), *text, kSource, __LINE__) || text->empty())
            raiseDetail(__LINE__, EngineText::formatString(ErrorTexts::kDocumentAttributeMissing, {path}));
    }
    header.identity = EngineText::formatString(ErrorTexts::kIdentityPattern, {header.knd, header.version});
    header.noLine = XmlSelectSingleNode(root, u"/DOCUMENT/@no-line", kSource, __LINE__) != nullptr;
    XmlGetNodeText(root, u"/DOCUMENT/@caption", header.jobTitle, kSource, __LINE__);
    if (header.jobTitle.empty())
        header.jobTitle = ErrorTexts::load(ErrorTexts::kDocumentJobTitle).value_or(u"");

    std::vector<xmlNode*> sheets = XmlSelectNodes(root, kSheetsXPath, kSource, __LINE__);
    if (sheets.empty())
        raiseDetail(__LINE__, EngineText::formatString(ErrorTexts::kNoSheets, {kSheetsXPath}));
    header.sheetCount = static_cast<int>(std::min<std::size_t>(sheets.size(), INT_MAX));
    header_ = std::move(header);
    sheets_ = std::move(sheets);
}

DataSheet DataDocument::ReadSheet(int number) const
{
    if (number < 1 || number > SheetCount())
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParameters).raise();
    xmlNode* node = sheets_[static_cast<std::size_t>(number) - 1];

    DataSheet sheet;
    sheet.number = number;
    // A background page outside what the page table can hold is as unusable as a missing one.
    sheet.pageNumber = integerAttribute(node, u"pageNumber", 0);
    if (sheet.pageNumber < 1 || sheet.pageNumber > kMaxPage)
        raiseSheetAttribute(__LINE__, number, u"pageNumber");
    sheet.codeText = attribute(node, u"code");
    sheet.code = EngineText::leadingInteger(sheet.codeText);
    if (sheet.code == 0)
        raiseSheetAttribute(__LINE__, number, u"code");
    sheet.guid = attribute(node, u"guid");
    if (sheet.guid.size() < kMinGuidLength)
        raiseSheetAttribute(__LINE__, number, u"guid");

    for (xmlNode* field : XmlSelectNodes(node, kFieldsXPath, kSource, __LINE__))
        sheet.fields.push_back(readField(field));
    return sheet;
}

PageSelection DataDocument::SelectSheets(std::u16string_view selection) const
{
    PageSelection sheets(selection, SheetCount());
    if (sheets.total() == 0)
        raiseDetail(__LINE__, ErrorTexts::load(ErrorTexts::kNoData).value_or(u""));
    return sheets;
}
