#pragma once

// A printer of the CUPS print system.

#include "PrinterSink.h"

#include <cups/cups.h>

#include <memory>
#include <string>
#include <string_view>

class CupsPrinter : public PrinterSink {
public:
    // The printer of that name, or the default printer for an empty name. No default printer
    // raises 0xC001001A, an unknown name 0xC001001B, a printer that does not tell its media
    // 0xC001001C.
    static std::unique_ptr<CupsPrinter> open(std::u16string_view name);
    ~CupsPrinter() override;

    PrinterProperties properties() const override { return properties_; }
    // Sends the document as one PDF job; a refused job raises "Не удалось отправить задание на
    // печать." with what CUPS said.
    void submit(std::string_view document, std::u16string_view title, int copies) override;

private:
    CupsPrinter(cups_dest_t* destination, cups_dinfo_t* information);

    cups_dest_t* destination_;
    cups_dinfo_t* information_;
    PrinterProperties properties_;
};
