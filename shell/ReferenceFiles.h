#pragma once

#include <QString>

#include "controls/ProgramContext.h"

class QWidget;

// Names of the reference files in the program folder.
inline constexpr const char* InspectionsFileName = "InspectionNumbers.xml";
inline constexpr const char* CountriesFileName = "Oksm.xml";
inline constexpr const char* ActivityCodesFileName = "Sp_OKVED2.xml";
inline constexpr const char* CurrencyRatesFileName = "CurrencyRates.xml";

// Reads the reference directories present in `programFolder` (with its trailing '/'). A missing
// file is no fault and leaves its directory absent; a damaged or unreadable one is named to the
// user in a message box over `messageParent` and left absent too.
ReferenceDirectories loadReferenceDirectories(const QString& programFolder, QWidget* messageParent);
