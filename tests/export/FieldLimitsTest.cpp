// The table of the format's facets against the format's schema itself: every attribute the
// schema declares has its entry, with the same lengths, digits, codes and patterns, and the
// table has no entry the schema does not know.
#include "export/FieldLimits.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string asText(const xmlChar* value)
{
    return value ? reinterpret_cast<const char*>(value) : "";
}

std::string property(const xmlNode* node, const char* name)
{
    xmlChar* value = xmlGetProp(node, BAD_CAST name);
    const std::string result = asText(value);
    xmlFree(value);
    return result;
}

bool isSchemaElement(const xmlNode* node, const char* localName)
{
    return node->type == XML_ELEMENT_NODE && asText(node->name) == localName;
}

std::vector<const xmlNode*> children(const xmlNode* node, const char* localName)
{
    std::vector<const xmlNode*> found;
    for (const xmlNode* child = node->children; child; child = child->next)
        if (isSchemaElement(child, localName))
            found.push_back(child);
    return found;
}

// The facets of a simple type as the schema states them.
struct SchemaFacets {
    std::string base;
    std::optional<int> length, minLength, maxLength, totalDigits, fractionDigits;
    std::vector<std::string> patterns;
    std::vector<std::string> codes;
};

// The declarations of the schema, with its named types.
class Schema {
public:
    explicit Schema(const char* fileName)
        : document_(xmlReadFile(fileName, nullptr, XML_PARSE_NONET | XML_PARSE_NOBLANKS), &xmlFreeDoc)
    {
        if (!document_)
            return;
        const xmlNode* root = xmlDocGetRootElement(document_.get());
        for (const xmlNode* type : children(root, "simpleType"))
            simpleTypes_[property(type, "name")] = type;
        for (const xmlNode* type : children(root, "complexType"))
            complexTypes_[property(type, "name")] = type;
        for (const xmlNode* element : children(root, "element"))
            walkElement(element);
    }

    bool read() const { return document_ != nullptr; }

    // Every (element, attribute) with the facets of each place it is declared at.
    const std::multimap<std::pair<std::string, std::string>, SchemaFacets>& attributes() const { return attributes_; }

private:
    void walkElement(const xmlNode* element)
    {
        const std::string name = property(element, "name");
        const xmlNode* type = nullptr;
        if (const auto inner = children(element, "complexType"); !inner.empty())
            type = inner.front();
        else if (const auto named = complexTypes_.find(property(element, "type")); named != complexTypes_.end())
            type = named->second;
        if (type)
            walkContent(name, type);
    }

    // Attributes and child elements, through sequences and choices.
    void walkContent(const std::string& elementName, const xmlNode* node)
    {
        for (const xmlNode* child = node->children; child; child = child->next) {
            if (isSchemaElement(child, "attribute"))
                attributes_.emplace(std::pair(elementName, property(child, "name")), facetsOfAttribute(child));
            else if (isSchemaElement(child, "element"))
                walkElement(child);
            else if (isSchemaElement(child, "sequence") || isSchemaElement(child, "choice"))
                walkContent(elementName, child);
        }
    }

    SchemaFacets facetsOfAttribute(const xmlNode* attribute) const
    {
        if (const auto inner = children(attribute, "simpleType"); !inner.empty())
            return facetsOfType(inner.front());
        return facetsOfTypeName(property(attribute, "type"));
    }

    SchemaFacets facetsOfTypeName(const std::string& name) const
    {
        if (const auto named = simpleTypes_.find(name); named != simpleTypes_.end())
            return facetsOfType(named->second);
        SchemaFacets builtIn;
        builtIn.base = name;
        return builtIn;
    }

    // A restriction adds its facets to those of its base.
    SchemaFacets facetsOfType(const xmlNode* simpleType) const
    {
        const auto restrictions = children(simpleType, "restriction");
        if (restrictions.empty())
            return {};
        const xmlNode* restriction = restrictions.front();
        SchemaFacets facets = facetsOfTypeName(property(restriction, "base"));
        const auto number = [&](const char* facet) -> std::optional<int> {
            const auto found = children(restriction, facet);
            if (found.empty())
                return std::nullopt;
            return std::stoi(property(found.front(), "value"));
        };
        const auto keep = [](std::optional<int>& field, std::optional<int> value) {
            if (value)
                field = value;
        };
        keep(facets.length, number("length"));
        keep(facets.minLength, number("minLength"));
        keep(facets.maxLength, number("maxLength"));
        keep(facets.totalDigits, number("totalDigits"));
        keep(facets.fractionDigits, number("fractionDigits"));
        for (const xmlNode* pattern : children(restriction, "pattern"))
            facets.patterns.push_back(property(pattern, "value"));
        for (const xmlNode* code : children(restriction, "enumeration"))
            facets.codes.push_back(property(code, "value"));
        return facets;
    }

    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> document_;
    std::map<std::string, const xmlNode*> simpleTypes_;
    std::map<std::string, const xmlNode*> complexTypes_;
    std::multimap<std::pair<std::string, std::string>, SchemaFacets> attributes_;
};

// The patterns the table knows by name.
const std::string InnPersonPattern = "([0-9]{1}[1-9]{1}|[1-9]{1}[0-9]{1})[0-9]{10}";
const std::string InnOrganisationPattern = "([0-9]{1}[1-9]{1}|[1-9]{1}[0-9]{1})[0-9]{8}";
const std::string KppPattern = "([0-9]{1}[1-9]{1}|[1-9]{1}[0-9]{1})([0-9]{2})([0-9A-Z]{2})([0-9]{3})";

std::string joined(const std::vector<std::string>& codes)
{
    std::string result;
    for (const std::string& code : codes)
        result += (result.empty() ? "" : "|") + code;
    return result;
}

// The table's entry that the schema's facets call for; none for a pattern the table has no form of.
std::optional<FieldFacet> expectedFacet(const std::string& element, const std::string& attribute, const SchemaFacets& s)
{
    using namespace FieldFacets;
    if (!s.codes.empty())
        return code(element, attribute, {});
    if (s.base == "xs:integer")
        return whole(element, attribute, s.totalDigits.value_or(0));
    if (s.base == "xs:decimal")
        return amount(element, attribute, s.totalDigits.value_or(0), s.fractionDigits.value_or(0));
    if (s.base == "xs:gYear")
        return of(element, attribute, FieldForm::Year);
    if (s.patterns == std::vector<std::string>{"[0-9]{8}", "[0-9]{11}"})
        return oktmo(element, attribute);
    if (s.patterns == std::vector<std::string>{InnPersonPattern})
        return inn(element, attribute, 12);
    if (s.patterns == std::vector<std::string>{InnOrganisationPattern})
        return inn(element, attribute, 10);
    if (s.patterns == std::vector<std::string>{KppPattern})
        return kpp(element, attribute);
    if (s.patterns.size() == 1 && s.patterns.front().starts_with("([1-9]{1}|") && s.patterns.front().find('/') != std::string::npos)
        return of(element, attribute, FieldForm::Share);
    if (s.patterns.size() == 1 && s.patterns.front().find("29\\.02\\.") != std::string::npos)
        return of(element, attribute, FieldForm::Date);
    if (s.patterns.size() == 1 && s.length && s.patterns.front() == "[0-9]{" + std::to_string(*s.length) + "}")
        return digits(element, attribute, *s.length);
    if (!s.patterns.empty())
        return std::nullopt;
    if (s.length)
        return text(element, attribute, *s.length, *s.length);
    return text(element, attribute, s.maxLength.value_or(0), s.minLength.value_or(0));
}

std::string describe(const FieldFacet& f)
{
    return "form " + std::to_string(static_cast<int>(f.form)) + ", length " + std::to_string(f.minLength) + ".."
         + std::to_string(f.maxLength) + ", digits " + std::to_string(f.totalDigits) + "."
         + std::to_string(f.fractionDigits) + ", codes " + std::string(f.codes);
}

TEST(FieldLimits, EveryAttributeOfTheSchemaHasTheSchemasFacets)
{
    const Schema schema(FORV_EXCHANGE_SCHEMA);
    ASSERT_TRUE(schema.read());
    ASSERT_GT(schema.attributes().size(), 250u);

    std::set<std::pair<std::string, std::string>> declared;
    for (const auto& [key, facets] : schema.attributes()) {
        const auto& [element, attribute] = key;
        SCOPED_TRACE(element + "/@" + attribute);
        declared.insert(key);
        const FieldFacet* entry = FindFieldFacet(element, attribute);
        ASSERT_NE(entry, nullptr) << "the table has no entry";

        std::optional<FieldFacet> expected = expectedFacet(element, attribute, facets);
        ASSERT_TRUE(expected) << "a pattern of no known form: " << facets.patterns.front();
        if (expected->form == FieldForm::Code)
            expected->codes = entry->codes; // compared below, as texts
        EXPECT_EQ(describe(*entry), describe(*expected));
        if (entry->form == FieldForm::Code) {
            EXPECT_EQ(std::string(entry->codes), joined(facets.codes));
        }
    }

    for (const FieldFacet& entry : FieldFacets::All) {
        EXPECT_TRUE(declared.contains({std::string(entry.element), std::string(entry.attribute)}))
            << entry.element << "/@" << entry.attribute << " is no attribute of the schema";
    }
}

// The pages check a typed code with the export's own predicates; the schema's patterns are the
// oracle for both.
TEST(FieldLimits, CodePredicatesAcceptWhatTheSchemasPatternsAccept)
{
    const std::regex kpp(KppPattern);
    const std::regex oktmo("[0-9]{8}|[0-9]{11}");
    const char* const values[] = {
        "770701001", "7707AB001", "7707ab001", "000101001", "001201001", "100101001", "77010100", "7701010011",
        "7701010A1", "77A701001", "7707АБ001", "45382000", "45382000001", "453820001", "4538200", "4538200O",
        "45382000 ", "", "123456789012",
    };
    for (const char* value : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(IsKpp(value), std::regex_match(value, kpp));
        EXPECT_EQ(IsOktmo(value), std::regex_match(value, oktmo));
    }
}

} // namespace
