#pragma once

// Helpers of the job tests: blank forms that name the library version they need, small data
// documents, and the one-line report of a raised error.

#include "TiffTestSupport.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The software text of tag 305 of a blank form made for the library file version `version`, in
// cp1251 as the form stores it.
std::string formSoftware(std::u16string_view version);

// A blank form of `pages` white A4 pages at `dpi`, each with the software text in tag 305,
// written into the folder as `name`; returns its path.
std::string versionedForm(const ScratchFolder& folder, int pages, double dpi,
                          const std::string& software = formSoftware(u"3.3.0.2"),
                          const std::string& name = "form.tif");

struct SheetData {
    int pageNumber = 1;
    // Printed in 12 cells and put into the barcode as written.
    std::u16string inn = u"771234567890";
    // Free text that also goes into the barcode.
    std::u16string surname = u"Иванов";
};

inline constexpr std::u16string_view kTestKnd = u"1151020";
inline constexpr std::u16string_view kTestVersion = u"5.01";

// The guid of sheet `number`: 32 characters.
std::u16string sheetGuid(int number);

// A data document with one SHEET per entry.
std::u16string dataDocumentXml(const std::vector<SheetData>& sheets, std::u16string_view caption = {});

// The one-line report of the SSError `action` raises; "nothing raised" when it raises none.
std::string oneLineReport(const std::function<void()>& action);
