#pragma once

// A thin layer over libxml2 for reading data documents: load from text or file, select nodes by
// XPath, read node texts and attributes. Parsing never touches the network, never loads a DTD
// and never expands external entities. Failures are raised as SSError reports that name the
// caller's place: every helper that can fail takes the caller's source id and line as its last
// arguments.

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct XmlDocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

class XmlDocument {
public:
    // Parses XML given as UTF-16 text; an encoding named in its declaration is ignored, since
    // the text already is characters. False when it does not parse (see XmlGetParseError).
    bool loadXML(std::u16string_view text);
    // Parses the XML file at path; its encoding comes from its byte order mark or declaration.
    // Anything but a regular file (a folder, FIFO or device) does not parse.
    bool load(std::u16string_view path);

    // The root element, null before a successful load.
    xmlNode* documentElement() const;

    // The last load's failure: the parser's reason text and its error code (0 after a success).
    const std::u16string& parseErrorReason() const { return parseErrorReason_; }
    int parseErrorCode() const { return parseErrorCode_; }

private:
    bool parse(std::string_view bytes, const char* encoding, int extraOptions);
    void setParseError(std::u16string reason, int code);

    std::unique_ptr<xmlDoc, XmlDocFree> doc_;
    std::u16string parseErrorReason_;
    int parseErrorCode_ = 0;
};

// The first node the XPath selects from node (in document order), null when none.
xmlNode* XmlSelectSingleNode(xmlNode* node, std::u16string_view xpath, int sourceId, int line);
// Every node the XPath selects from node, in document order.
std::vector<xmlNode*> XmlSelectNodes(xmlNode* node, std::u16string_view xpath, int sourceId, int line);

// The text of the single node the XPath selects: the concatenated character data of an element
// without leading and trailing white space, or an attribute's value. False and an empty text
// when nothing matches. A text that internal entities would expand past 16 MiB is an error.
bool XmlGetNodeText(xmlNode* node, std::u16string_view xpath, std::u16string& text, int sourceId, int line);

// The value of the element's attribute; false and an empty text when it has none. A value past
// 16 MiB is an error, as for XmlGetNodeText.
bool XmlGetAttribute(xmlNode* node, std::u16string_view name, std::u16string& text, int sourceId, int line);
// The value of the element's attribute, or fallback when it has none.
std::u16string XmlGetAttributeOr(xmlNode* node, std::u16string_view name, std::u16string_view fallback, int sourceId,
                                 int line);

// The reason text of the document's last parse error.
std::u16string XmlGetParseError(const XmlDocument& document);
// Raises the document's last parse error as error 0xC0020061, after prefix when one is given.
[[noreturn]] void XmlRaiseParseError(const XmlDocument& document, std::u16string_view prefix, int sourceId,
                                     int line);
