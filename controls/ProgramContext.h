#pragma once

#include <optional>

#include <QString>

#include "controls/ReferenceDocument.h"

class HelpViewer;
class TfmGrazhd;

// The reference directories read from the program folder at start; a directory whose file is
// missing or damaged is absent for the whole run.
struct ReferenceDirectories {
    std::optional<ReferenceElement> inspections;   // "InspectionNumbers.xml": tax offices
    std::optional<ReferenceElement> countries;     // "Oksm.xml"
    std::optional<ReferenceElement> activityCodes; // "Sp_OKVED2.xml"
    std::optional<ReferenceElement> currencyRates; // "CurrencyRates.xml"
};

// A tax office picked from the directory.
struct TaxOfficeChoice {
    QString code;
    QString name;
};

// What pages and dialogs use of the main window besides their declaration slot. The main
// window registers itself for the whole run.
class ProgramContext {
public:
    // The folder of the running program, with a trailing '/'.
    virtual QString programFolder() const = 0;
    virtual const ReferenceDirectories& referenceDirectories() const = 0;
    // nullptr when no help viewer could be bound.
    virtual HelpViewer* helpViewer() const = 0;
    // The one country picker, built at start from "Oksm.xml"; nullptr without the directory.
    virtual TfmGrazhd* countryChooser() const = 0;
    // Whether the tax-office directory was loaded, so that an office can be picked.
    virtual bool hasTaxOffices() const = 0;
    // Shows the tax-office chooser preset with `code`; the office picked, or nothing when the
    // user cancelled or there is no directory.
    virtual std::optional<TaxOfficeChoice> chooseTaxOffice(const QString& code) = 0;
    // The name the tax-office directory gives the office `code`; nothing when the directory
    // holds no such office or was not loaded.
    virtual std::optional<QString> taxOfficeName(const QString& code) const = 0;
    // The declaration's type or income kinds changed: the sections offered follow them.
    virtual void declarationKindsChanged() = 0;

protected:
    ~ProgramContext() = default;
};

// nullptr until the main window exists and after it is gone.
ProgramContext* programContext();
void setProgramContext(ProgramContext* context);
