#include "XmlDom.h"

#include "InputFile.h"
#include "SSError.h"
#include "SystemReason.h"
#include "WideText.h"

#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xpath.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

// No network, no DTD loading, no entity substitution (so no external entity is ever read),
// libxml2's limits against entity expansion bombs left on (no XML_PARSE_HUGE), and errors kept
// for the caller instead of printed.
constexpr int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;

constexpr std::u16string_view kStepSelectNode = u"выбор узла";
constexpr std::u16string_view kStepNodeText = u"получение текстового значения узла";
constexpr std::u16string_view kStepAttributeValue = u"извлечение значения атрибута";

// No field of a data document comes near this; it bounds what a few references to a long
// internal entity can expand to when a text is read.
constexpr std::size_t kMaxTextBytes = 16 * 1024 * 1024;

// A data document holds a few dozen sheets of a few hundred fields: a file of this size is no data
// document at all.
constexpr uint64_t kMaxFileBytes = 64 * 1024 * 1024;

std::u16string tooLargeText(uint64_t size)
{
    return u"Файл данных слишком велик: " + WideText::decimal(static_cast<int64_t>(size)) +
           u" байт, допускается не более " + WideText::decimal(static_cast<int64_t>(kMaxFileBytes)) +
           u" байт (64 МБ)";
}

struct ParserContextFree {
    void operator()(xmlParserCtxt* context) const { xmlFreeParserCtxt(context); }
};
struct XPathContextFree {
    void operator()(xmlXPathContext* context) const { xmlXPathFreeContext(context); }
};
struct XPathObjectFree {
    void operator()(xmlXPathObject* object) const { xmlXPathFreeObject(object); }
};

void initialiseLibxml()
{
    static const bool initialised = [] {
        xmlInitParser();
        return true;
    }();
    (void)initialised;
}

const xmlChar* asXmlChars(const std::string& utf8)
{
    return reinterpret_cast<const xmlChar*>(utf8.c_str());
}

// Appends the character data of the nodes from `first` on and of everything below them, internal
// entity references expanded, as xmlNodeGetContent does; false once the text would pass
// kMaxTextBytes.
bool appendContent(const xmlNode* first, std::string& text)
{
    for (const xmlNode* node = first; node != nullptr; node = node->next) {
        switch (node->type) {
        case XML_TEXT_NODE:
        case XML_CDATA_SECTION_NODE: {
            const auto* content = reinterpret_cast<const char*>(node->content);
            const std::size_t length = content ? std::strlen(content) : 0;
            if (length > kMaxTextBytes - text.size())
                return false;
            text.append(content, length);
            break;
        }
        case XML_ELEMENT_NODE:
            if (!appendContent(node->children, text))
                return false;
            break;
        case XML_ENTITY_REF_NODE: {
            const xmlEntity* entity = xmlGetDocEntity(node->doc, node->name);
            if (entity && entity->etype == XML_INTERNAL_GENERAL_ENTITY && !appendContent(entity->children, text))
                return false;
            break;
        }
        default:
            break;
        }
    }
    return true;
}

// The text of one node as xmlNodeGetContent gives it, or nothing when it would pass
// kMaxTextBytes.
std::optional<std::string> nodeContent(const xmlNode* node)
{
    std::string text;
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
        if (!appendContent(node->children, text))
            return std::nullopt;
        break;
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE: // no longer than the document
        if (node->content != nullptr)
            text = reinterpret_cast<const char*>(node->content);
        break;
    default:
        break;
    }
    return text;
}

std::u16string trimmedMessage(const char* message)
{
    std::u16string text = WideText::fromUtf8(message ? message : "");
    while (!text.empty() && (text.back() == u'\n' || text.back() == u'\r' || text.back() == u' '))
        text.pop_back();
    return text;
}

struct FirstParseError {
    int code = XML_ERR_OK;
    std::u16string reason;
};

void keepFirstParseError(void* userData, xmlError* error)
{
    auto* first = static_cast<FirstParseError*>(static_cast<xmlParserCtxt*>(userData)->_private);
    if (first->code != XML_ERR_OK || error->level < XML_ERR_ERROR)
        return;
    first->code = error->code;
    try {
        first->reason = trimmedMessage(error->message) + u" (строка " + WideText::decimal(error->line)
                        + u", позиция " + WideText::decimal(error->int2) + u")";
    } catch (...) {
        // Nothing may be thrown through the parser; the code alone still marks the failure.
    }
}

bool isXmlWhiteSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

std::u16string trimXmlWhiteSpace(std::u16string text)
{
    std::size_t end = text.size();
    while (end > 0 && isXmlWhiteSpace(text[end - 1]))
        --end;
    std::size_t begin = 0;
    while (begin < end && isXmlWhiteSpace(text[begin]))
        ++begin;
    return text.substr(begin, end - begin);
}

// A failing call inside a helper is reported with the step it was in and the library's message.
[[noreturn]] void raiseStepError(std::u16string_view step, std::u16string_view message, int sourceId, int line)
{
    SSError::CPrgError(sourceId, line, SSError::kErrDetailWithPoint)
        .addDetail(std::u16string(step) + u"\n" + std::u16string(message))
        .raise();
}

std::vector<xmlNode*> selectNodes(xmlNode* node, std::u16string_view xpath, int sourceId, int line)
{
    if (node == nullptr || node->doc == nullptr)
        raiseStepError(kStepSelectNode, u"no context node", sourceId, line);
    const std::unique_ptr<xmlXPathContext, XPathContextFree> context(xmlXPathNewContext(node->doc));
    if (!context)
        throw std::bad_alloc();
    context->node = node;
    // Errors are read from the context afterwards; this keeps libxml2 from printing them.
    context->error = [](void*, xmlError*) {};

    const std::string expression = WideText::toUtf8(xpath);
    const std::unique_ptr<xmlXPathObject, XPathObjectFree> result(
        xmlXPathEvalExpression(asXmlChars(expression), context.get()));
    const std::u16string quoted = u" (XPath: '" + std::u16string(xpath) + u"')";
    if (!result) {
        const char* message = context->lastError.message ? context->lastError.message : "Invalid expression";
        raiseStepError(kStepSelectNode, trimmedMessage(message) + quoted, sourceId, line);
    }
    if (result->type != XPATH_NODESET)
        raiseStepError(kStepSelectNode, u"Expression does not evaluate to a node-set" + quoted, sourceId, line);

    std::vector<xmlNode*> nodes;
    if (const xmlNodeSet* set = result->nodesetval) {
        nodes.reserve(static_cast<std::size_t>(set->nodeNr));
        for (int k = 0; k < set->nodeNr; ++k) {
            // Namespace nodes in a node set are not tree nodes.
            if (set->nodeTab[k]->type != XML_NAMESPACE_DECL)
                nodes.push_back(set->nodeTab[k]);
        }
    }
    return nodes;
}

} // namespace

bool XmlDocument::loadXML(std::u16string_view text)
{
    if (!text.empty() && text.front() == u'\uFEFF')
        text.remove_prefix(1);
    return parse(WideText::toUtf8(text), "UTF-8", XML_PARSE_IGNORE_ENC);
}

bool XmlDocument::load(std::u16string_view path)
{
    doc_.reset();
    InputFile file(WideText::toUtf8(path));
    if (!file.isOpen()) {
        setParseError(SystemReason::text(file.error()), file.error());
        return false;
    }
    // Refused before a byte is read: reading a file of gigabytes would hold the caller for minutes
    // and take its size in memory, only to fail.
    if (static_cast<uint64_t>(file.size()) > kMaxFileBytes) {
        setParseError(tooLargeText(static_cast<uint64_t>(file.size())), XML_ERR_DOCUMENT_END);
        return false;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(file.size()));
    char chunk[64 * 1024];
    for (ssize_t count = file.read(chunk, sizeof chunk); count != 0; count = file.read(chunk, sizeof chunk)) {
        if (count < 0) {
            setParseError(SystemReason::text(file.error()), file.error());
            return false;
        }
        // The file may grow while it is read.
        if (bytes.size() + static_cast<std::size_t>(count) > kMaxFileBytes) {
            setParseError(tooLargeText(bytes.size() + static_cast<std::size_t>(count)), XML_ERR_DOCUMENT_END);
            return false;
        }
        bytes.append(chunk, static_cast<std::size_t>(count));
    }
    return parse(bytes, nullptr, 0);
}

xmlNode* XmlDocument::documentElement() const
{
    return doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr;
}

bool XmlDocument::parse(std::string_view bytes, const char* encoding, int extraOptions)
{
    initialiseLibxml();
    doc_.reset();
    setParseError({}, 0);
    if (bytes.empty()) {
        setParseError(u"Document is empty", XML_ERR_DOCUMENT_EMPTY);
        return false;
    }
    if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        setParseError(u"Document is too large", XML_ERR_DOCUMENT_END);
        return false;
    }
    const std::unique_ptr<xmlParserCtxt, ParserContextFree> context(
        xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
    if (!context) {
        SSError::CPrgError(SSError::kSourceDocument, __LINE__, SSError::kErrDetailOnly)
            .addDetail(u"Ошибка создания DOMDocument.")
            .raise();
    }
    xmlCtxtUseOptions(context.get(), kParseOptions | extraOptions);
    // libxml2 seeds these from process-wide defaults, which a host program may have switched on.
    context->options &= ~(XML_PARSE_NOENT | XML_PARSE_DTDLOAD | XML_PARSE_DTDATTR | XML_PARSE_DTDVALID | XML_PARSE_HUGE);
    context->replaceEntities = 0;
    context->loadsubset = 0;
    context->validate = 0;
    if (encoding != nullptr) {
        if (xmlCharEncodingHandler* handler = xmlFindCharEncodingHandler(encoding))
            xmlSwitchToEncoding(context.get(), handler);
    }
    // The first error names the cause; the parser may report consequences after it.
    FirstParseError firstError;
    context->_private = &firstError;
    context->sax->serror = keepFirstParseError;

    xmlParseDocument(context.get());
    std::unique_ptr<xmlDoc, XmlDocFree> doc(context->myDoc);
    context->myDoc = nullptr;
    if (!doc || !context->wellFormed) {
        if (firstError.code == XML_ERR_OK)
            setParseError(u"Document is not well-formed", XML_ERR_DOCUMENT_END);
        else
            setParseError(firstError.reason, firstError.code);
        return false;
    }
    doc_ = std::move(doc);
    return true;
}

void XmlDocument::setParseError(std::u16string reason, int code)
{
    parseErrorReason_ = std::move(reason);
    parseErrorCode_ = code;
}

xmlNode* XmlSelectSingleNode(xmlNode* node, std::u16string_view xpath, int sourceId, int line)
{
    const auto nodes = selectNodes(node, xpath, sourceId, line);
    return nodes.empty() ? nullptr : nodes.front();
}

std::vector<xmlNode*> XmlSelectNodes(xmlNode* node, std::u16string_view xpath, int sourceId, int line)
{
    return selectNodes(node, xpath, sourceId, line);
}

bool XmlGetNodeText(xmlNode* node, std::u16string_view xpath, std::u16string& text, int sourceId, int line)
{
    text.clear();
    const xmlNode* found = XmlSelectSingleNode(node, xpath, sourceId, line);
    if (found == nullptr)
        return false;
    const std::optional<std::string> content = nodeContent(found);
    if (!content)
        raiseStepError(kStepNodeText, u"текст длиннее " + WideText::decimal(kMaxTextBytes) + u" байт", sourceId, line);
    text = WideText::fromUtf8(*content);
    if (found->type != XML_ATTRIBUTE_NODE)
        text = trimXmlWhiteSpace(std::move(text));
    return true;
}

bool XmlGetAttribute(xmlNode* node, std::u16string_view name, std::u16string& text, int sourceId, int line)
{
    text.clear();
    if (node == nullptr || node->type != XML_ELEMENT_NODE)
        return false;
    const std::string utf8Name = WideText::toUtf8(name);
    const xmlAttr* attribute = xmlHasProp(node, asXmlChars(utf8Name));
    if (attribute == nullptr || attribute->type != XML_ATTRIBUTE_NODE)
        return false;
    const std::optional<std::string> value = nodeContent(reinterpret_cast<const xmlNode*>(attribute));
    if (!value)
        raiseStepError(kStepAttributeValue,
                       u"значение атрибута " + std::u16string(name) + u" длиннее " + WideText::decimal(kMaxTextBytes) +
                           u" байт",
                       sourceId, line);
    text = WideText::fromUtf8(*value);
    return true;
}

std::u16string XmlGetAttributeOr(xmlNode* node, std::u16string_view name, std::u16string_view fallback, int sourceId,
                                 int line)
{
    std::u16string text;
    return XmlGetAttribute(node, name, text, sourceId, line) ? text : std::u16string(fallback);
}

std::u16string XmlGetParseError(const XmlDocument& document)
{
    return document.parseErrorReason();
}

void XmlRaiseParseError(const XmlDocument& document, std::u16string_view prefix, int sourceId, int line)
{
    const std::u16string reason = XmlGetParseError(document);
    const std::u16string detail = prefix.empty() ? reason : std::u16string(prefix) + u". " + reason;
    SSError::CPrgError(sourceId, line, SSError::kErrXmlDom).addDetail(detail).raise();
}
