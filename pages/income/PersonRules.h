#pragma once

#include <cstdint>
#include <vector>

#include <QString>

class mTDeclaration;

// Element codes of the declarant page.
namespace PersonElement {
enum Element : std::uint16_t {
    SurName = 1,
    FirstName = 2,
    Patronymic = 3,
    Inn = 4,
    DocumentKind = 5, // focuses the document kind's button and opens the list of kinds
    DocumentSeries = 6,
    BirthDate = 7,
};
} // namespace PersonElement

struct PersonFailure {
    PersonElement::Element element;
    QString message;
    // Said on the page, where the value is typed, and nowhere else: the declaration is right to
    // file without it.
    bool reminder = false;
};

// The rules of the declarant's record that the declaration fails, in the order they are tried.
// The page shows each failure; the whole check holds the first one that is no reminder.
std::vector<PersonFailure> personFailures(const mTDeclaration& declaration);
