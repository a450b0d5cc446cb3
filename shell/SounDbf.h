#pragma once

#include <stdexcept>
#include <vector>

#include <QString>

#include "shell/InspectionDirectory.h"

// The tax authority's classifier of tax offices cannot be read; the message (Russian) names the
// file and what is wrong with it.
class SounFileError : public std::runtime_error {
public:
    explicit SounFileError(const QString& message);
};

// The current tax offices of the classifier "soun1.dbf" (dBASE, names in the DOS code page 866),
// in the order of the file. A record is taken when it is not deleted, its kind is one of the
// offices that receive declarations, its flag says current and its two closing fields are
// empty; the offices 3906 and 7203 are left out.
//
// Throws SounFileError for a file that cannot be read whole: a short or damaged header, a layout
// other than the classifier's, fewer records than the header counts, a name that is not DOS
// text, or no current office at all.
std::vector<Inspection> readSounOffices(const QString& path);
