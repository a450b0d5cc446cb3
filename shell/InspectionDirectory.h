#pragma once

#include <optional>
#include <stdexcept>
#include <vector>

#include <QByteArray>
#include <QString>

struct ReferenceElement;

// One tax office of the directory: its four-digit code and its name.
struct Inspection {
    QString code;
    QString name;

    bool operator==(const Inspection&) const = default;
};

// The tax-office directory "InspectionNumbers.xml" of the program folder.
struct InspectionDirectory {
    QString version;
    QString date; // "DD.MM.YYYY"
    std::vector<Inspection> offices;
};

// The directory file cannot be written; the message (Russian) names the file and the cause.
class InspectionDirectoryError : public std::runtime_error {
public:
    explicit InspectionDirectoryError(const QString& message);
};

// The file's text: windows-1251, root `Inspections` with `Version` and `Date`, one
// `Inspection` element a line with the office's `Code` and its name as the text. Throws
// InspectionDirectoryError for a name that windows-1251 or XML cannot hold.
QByteArray inspectionDirectoryXml(const InspectionDirectory& directory);

// Replaces the file at `path` through a temporary file beside it: on any failure the old file
// stays as it was. Throws InspectionDirectoryError.
void writeInspectionDirectory(const QString& path, const InspectionDirectory& directory);

// The offices of a loaded directory: every child of the root in order, whatever its name, with
// its `Code` attribute and its text.
std::vector<Inspection> inspectionsOf(const ReferenceElement& root);

// The name of the first office of a loaded directory whose code is `code`; nothing when no
// office has that code, and for an empty code.
std::optional<QString> inspectionName(const ReferenceElement& root, const QString& code);
