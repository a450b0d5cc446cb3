#pragma once

#include <string>
#include <string_view>

#include <libxml/tree.h>

#include "export/ExportContext.h"

// The three parts of the representative's full name (one text in the declaration) as the
// signer's "ФИО" carries them: the first word, the second word, and what follows, each cut
// to 60 characters. A missing surname or first name is one blank; a missing patronymic is
// empty and not written.
struct RepresentativeName {
    std::string surname;
    std::string firstName;
    std::string patronymic;

    friend bool operator==(const RepresentativeName&, const RepresentativeName&) = default;
};

// Raises ExportError for a name that windows-1251 cannot hold.
RepresentativeName SplitRepresentativeName(std::string_view fullName);

// Appends "Документ" with its attributes, the taxpayer ("СвНП") and the signer ("Подписант")
// to the root, and returns "Документ".
xmlNode* AddDocumentHeader(xmlNode* root, const ExportContext& context);
