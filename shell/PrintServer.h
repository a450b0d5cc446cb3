#pragma once

#include <functional>
#include <memory>
#include <stdexcept>

#include <QByteArray>
#include <QString>
#include <QtGui/qwindowdefs.h>

// A call of the print server that did not succeed; what() is the server's own text (UTF-8).
class PrintServerError : public std::runtime_error {
public:
    explicit PrintServerError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromUtf8(what()); }
};

// A call the user ended before the print server did; nothing is to be shown for it.
class PrintServerCancelled : public PrintServerError {
public:
    using PrintServerError::PrintServerError;
};

// The print server that lays out, previews and prints the declaration form from the exchange
// file. The program makes these calls in this order: the receiving tax office's name, the folder
// of the blank forms, then a preview or one print per copy. Every call raises PrintServerError
// when it fails, PrintServerCancelled when the user ended it.
class PrintServer {
public:
    virtual ~PrintServer() = default;

    // The name "Наименование налогового органа-получателя" with the declaration's tax office name.
    virtual void SetPrintTiffParam(const QString& name, const QString& value) = 0;
    // The program folder, where the blank form images lie.
    virtual void setPrintTiffFolder(const QString& folder) = 0;
    // `exchangeXml` below is the exchange file's bytes (windows-1251), as the export writes them.
    // Shows the form, modal to the window `owner`, until the user closes it.
    virtual void PreviewData(const QByteArray& exchangeXml, WId owner) = 0;
    // Prints one copy on the printer named; `reserved` is always empty and `flags` 0.
    virtual void PrintData(const QByteArray& exchangeXml, const QString& reserved, const QString& printerName,
                           qint32 flags) = 0;
};

// Gives the print server for one command, or nullptr when there is none to call.
using PrintServerSource = std::function<std::unique_ptr<PrintServer>()>;
