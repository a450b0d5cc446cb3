#pragma once

#include <cstdint>
#include <initializer_list>

#include <QString>

class CheckRun;
class QWidget;
class TDtpPanel;

// A date field of a page or dialog, the element code that focuses it and its caption.
struct DateFieldElement {
    std::uint16_t code;
    const TDtpPanel* field;
    QString caption;
};

// Refuses a typed date that was not taken (see TDtpPanel): the first enabled field holding one is
// reported in a check that only "Исправить" ends, and its element code is returned, for the
// caller to focus it and stay open. 0 when every date is valid.
std::uint16_t checkTypedDates(QWidget* owner, const QString& section, std::initializer_list<DateFieldElement> fields);

// Reports each enabled field whose value lies outside its bounds: a stored date is shown as it
// is, never moved onto a bound, and the user decides what it becomes.
void reportDatesOutsideBounds(CheckRun& run, std::initializer_list<DateFieldElement> fields);
