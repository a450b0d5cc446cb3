// Feeds arbitrary text as a data document to the XML layer and reads it as the document engine
// does: a document that does not parse is a parse failure, texts and attributes are read within
// their bound whatever entities the document declares, and only the library's error escapes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzText.h"
#include "SSError.h"
#include "WideText.h"
#include "XmlDom.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

constexpr int kSource = SSError::kSourceDocument;

void readNode(xmlNode* node)
{
    std::u16string text;
    XmlGetNodeText(node, u".", text, kSource, __LINE__);
    for (const xmlAttr* attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
        const std::u16string name = WideText::fromUtf8(reinterpret_cast<const char*>(attribute->name));
        check(XmlGetAttribute(node, name, text, kSource, __LINE__));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    XmlDocument document;
    if (!document.loadXML(fuzzText(data, size))) {
        check(document.documentElement() == nullptr && document.parseErrorCode() != 0);
        return 0;
    }
    try {
        xmlNode* root = document.documentElement();
        std::u16string text;
        XmlGetNodeText(root, u"/", text, kSource, __LINE__);
        XmlGetNodeText(root, u"/DOCUMENT/@knd", text, kSource, __LINE__);
        for (xmlNode* sheet : XmlSelectNodes(root, u"/*/SHEET", kSource, __LINE__)) {
            readNode(sheet);
            for (xmlNode* field : XmlSelectNodes(sheet, u"*", kSource, __LINE__))
                readNode(field);
        }
        for (xmlNode* node : XmlSelectNodes(root, u"//node()", kSource, __LINE__))
            XmlGetNodeText(node, u".", text, kSource, __LINE__);
    } catch (const SSError::CError&) {
    }
    return 0;
}
