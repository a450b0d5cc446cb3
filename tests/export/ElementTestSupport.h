#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <libxml/tree.h>

#include "ExportTestSupport.h"
#include "computation/Summary.h"
#include "export/ExportContext.h"
#include "export/XmlWriter.h"
#include "model/Declaration.h"

// Running one family of elements of "НДФЛ3" over a declaration computed for real, and the
// elements it appended as text to compare whole.

using ElementFamily = void (*)(xmlNode* ndfl3, const ExportContext& context);

struct FamilyRun {
    std::string elements; // canonical text of each element appended, one a line
    std::string error;    // the ExportError's message; empty when the family succeeded
};

inline FamilyRun runFamily(mTDeclaration& decl, ElementFamily family)
{
    auto svod = std::make_unique<kTSvodSum>();
    svod->Calculate(decl);
    const XmlDocumentPtr document = NewXmlDocument("НДФЛ3");
    xmlNode* ndfl3 = xmlDocGetRootElement(document.get());
    FamilyRun run;
    try {
        family(ndfl3, MakeExportContext(decl, *svod, fixedStamp().date));
    } catch (const ExportError& e) {
        run.error = e.what();
    }
    for (const xmlNode* child = ndfl3->children; child; child = child->next) {
        if (!run.elements.empty())
            run.elements += '\n';
        run.elements += canonicalText(child);
    }
    return run;
}

struct FamilyCase {
    const char* name;
    std::function<void(mTDeclaration&)> build; // fills a valid declaration
    std::string expected;                       // the elements, one a line
};

inline void expectSubtrees(ElementFamily family, const std::vector<FamilyCase>& cases)
{
    for (const FamilyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto decl = validDeclaration();
        c.build(*decl);
        const FamilyRun run = runFamily(*decl, family);
        EXPECT_EQ(run.error, "");
        EXPECT_EQ(run.elements, c.expected);
    }
}

// The family refuses the declaration with a message that names `field` ("Element/@Attribute").
inline void expectFailure(ElementFamily family, const std::function<void(mTDeclaration&)>& build,
                          const std::string& field)
{
    const auto decl = validDeclaration();
    build(*decl);
    const FamilyRun run = runFamily(*decl, family);
    EXPECT_NE(run.error.find(field), std::string::npos) << run.error;
}
