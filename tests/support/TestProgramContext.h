#pragma once

#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include <QString>

#include "controls/ProgramContext.h"

class HelpViewer;
class TfmGrazhd;

// Stands in for the main window while it is registered: a program folder and, optionally, a
// help viewer, a country picker and a tax-office chooser that answers from `taxOfficeAnswer`.
class TestProgramContext : public ProgramContext {
public:
    using TaxOfficeAnswer = std::function<std::optional<TaxOfficeChoice>(const QString& preset)>;

    explicit TestProgramContext(QString folder = QString(), HelpViewer* viewer = nullptr)
        : folder_(std::move(folder)), viewer_(viewer)
    {
        setProgramContext(this);
    }
    ~TestProgramContext() { setProgramContext(nullptr); }
    TestProgramContext(const TestProgramContext&) = delete;
    TestProgramContext& operator=(const TestProgramContext&) = delete;

    QString programFolder() const override { return folder_; }
    const ReferenceDirectories& referenceDirectories() const override { return directories_; }
    // The directories a test loads; all absent until it does.
    ReferenceDirectories& directories() { return directories_; }
    HelpViewer* helpViewer() const override { return viewer_; }
    TfmGrazhd* countryChooser() const override { return countries; }
    bool hasTaxOffices() const override { return bool(taxOfficeAnswer); }
    std::optional<TaxOfficeChoice> chooseTaxOffice(const QString& code) override
    {
        taxOfficePresets.push_back(code);
        return taxOfficeAnswer ? taxOfficeAnswer(code) : std::nullopt;
    }
    std::optional<QString> taxOfficeName(const QString& code) const override
    {
        const auto found = taxOfficeNames.find(code);
        return found != taxOfficeNames.end() ? std::optional<QString>(found->second) : std::nullopt;
    }
    void declarationKindsChanged() override { ++kindsChanges; }

    TfmGrazhd* countries = nullptr;
    // Without an answer there is no tax-office directory.
    TaxOfficeAnswer taxOfficeAnswer;
    std::vector<QString> taxOfficePresets;
    // The offices the directory holds, by code, for a code typed rather than chosen.
    std::map<QString, QString> taxOfficeNames;
    int kindsChanges = 0;

private:
    QString folder_;
    HelpViewer* viewer_;
    ReferenceDirectories directories_;
};
