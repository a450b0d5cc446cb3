#pragma once

#include <QString>

// The outside print server that lays out, previews and prints the declaration form from the
// exchange file's text. The program talks to it only through these calls, in this order: the
// receiving tax office's name, the folder of the blank forms, then a preview or one print per
// copy. No server is installed with the program, so Preview and Print stay disabled.
class PrintServer {
public:
    virtual ~PrintServer() = default;

    // The name "Наименование налогового органа-получателя" with the declaration's tax office name.
    virtual void SetPrintTiffParam(const QString& name, const QString& value) = 0;
    // The program folder, where the blank form images lie.
    virtual void setPrintTiffFolder(const QString& folder) = 0;
    // Shows the form modally to the window `owner` (a native window handle).
    virtual void PreviewData(const QString& exchangeXml, qint32 owner) = 0;
    // Prints one copy; `reserved` is always empty and `flags` 0.
    virtual void PrintData(const QString& exchangeXml, const QString& reserved, const QString& printerName,
                           qint32 flags) = 0;
};
