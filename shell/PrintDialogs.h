#pragma once

#include <optional>

#include <QString>

class QWidget;

// What the print dialog asked for: the printer, by its name, and how many copies.
struct PrintChoice {
    QString printerName;
    int copies = 1;
};

// The dialogs of printing: the print dialog and the chooser of the print program. The main
// window asks through this so that tests can answer for the user.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;

    // The printer and the number of copies; nothing when the user cancelled.
    virtual std::optional<PrintChoice> choosePrinter(QWidget* parent) = 0;
    // The program file to preview and print with; empty when the user cancelled. `current` (may
    // be empty) is the one set now.
    virtual QString choosePrintProgram(QWidget* parent, const QString& current) = 0;
};

// The toolkit's print dialog and file dialog.
class QtPrintDialogs : public PrintDialogs {
public:
    std::optional<PrintChoice> choosePrinter(QWidget* parent) override;
    QString choosePrintProgram(QWidget* parent, const QString& current) override;
};
