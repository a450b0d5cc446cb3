#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

class mTDeclaration;

enum class ExportMode : std::uint16_t {
    File = 1, // write the exchange file into a folder
    Text = 2, // hand the exchange file back as text (for printing)
};

struct ExportResult {
    bool ok = false;
    // File: the name of the file written, without the folder. Text: the whole exchange file,
    // exactly the bytes that File writes (windows-1251).
    std::string text;
    // When not ok: the message for the user (Russian).
    std::string error;
};

// What makes one export's identifier unique: its date (a day count) and its UUID.
struct ExportStamp {
    double date;
    std::string uuid;
};

// Computes the declaration (the computation stores its results into it, as every run does),
// builds its exchange file and writes it into `folder` (File) or returns it (Text). Nothing
// is raised: a failed computation, a value the file cannot hold, or a folder that cannot take
// the file gives a result that is not ok, and no file. The file appears under its final name
// only when it is complete.
ExportResult ExportDeclarationXml(const std::filesystem::path& folder, mTDeclaration& Decl, ExportMode mode);
// The same with a given date and UUID in place of today's date and a new UUID.
ExportResult ExportDeclarationXml(const std::filesystem::path& folder, mTDeclaration& Decl, ExportMode mode,
                                  const ExportStamp& stamp);
