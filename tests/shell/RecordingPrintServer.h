#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include "shell/PrintDialogs.h"
#include "shell/PrintServer.h"

// What the print servers of a test were asked, kept after each server is gone.
struct PrintServerLog {
    struct Call {
        QString name;
        QStringList arguments;  // the text and number parameters, in order
        QByteArray exchangeXml; // empty for the calls without one
        bool windowEnabled;     // whether the watched window took commands meanwhile
    };
    std::vector<Call> calls;
    int serversMade = 0;
    int serversGone = 0;
    // The call of this name, and of this count among its like (1 for the first), fails with `failureText`.
    QString failingCall;
    int failingCount = 1;
    QString failureText;

    QStringList names() const
    {
        QStringList result;
        for (const Call& call : calls)
            result << call.name;
        return result;
    }
};

// A print server that records each call into the log and fails where the log says.
class RecordingPrintServer : public PrintServer {
public:
    RecordingPrintServer(PrintServerLog& log, const QWidget& window) : log_(log), window_(window)
    {
        ++log_.serversMade;
    }
    ~RecordingPrintServer() override { ++log_.serversGone; }

    void SetPrintTiffParam(const QString& name, const QString& value) override
    {
        record(QStringLiteral("SetPrintTiffParam"), {name, value});
    }
    void setPrintTiffFolder(const QString& folder) override { record(QStringLiteral("PrintTiffFolder"), {folder}); }
    void PreviewData(const QByteArray& exchangeXml, WId owner) override
    {
        record(QStringLiteral("PreviewData"), {QString::number(owner)}, exchangeXml);
    }
    void PrintData(const QByteArray& exchangeXml, const QString& reserved, const QString& printerName,
                   qint32 flags) override
    {
        record(QStringLiteral("PrintData"), {reserved, printerName, QString::number(flags)}, exchangeXml);
    }

private:
    void record(const QString& name, const QStringList& arguments, const QByteArray& exchangeXml = QByteArray())
    {
        log_.calls.push_back({name, arguments, exchangeXml, window_.isEnabled()});
        if (name != log_.failingCall)
            return;
        int count = 0;
        for (const PrintServerLog::Call& call : log_.calls)
            count += call.name == name ? 1 : 0;
        if (count == log_.failingCount)
            throw PrintServerError(log_.failureText);
    }

    PrintServerLog& log_;
    const QWidget& window_;
};

// Answers the print dialog and the chooser of the print program from its lists, in order; an
// empty answer is the user cancelling.
class ScriptedPrintDialogs : public PrintDialogs {
public:
    std::optional<PrintChoice> choosePrinter(QWidget* parent) override
    {
        printerAsked.push_back(parent->isEnabled());
        if (printers.empty()) {
            ADD_FAILURE() << "a print dialog nobody expected";
            return std::nullopt;
        }
        std::optional<PrintChoice> choice = printers.front();
        printers.pop_front();
        return choice;
    }
    QString choosePrintProgram(QWidget*, const QString& current) override
    {
        programOffered.push_back(current);
        if (programs.empty()) {
            ADD_FAILURE() << "a chooser of the print program nobody expected";
            return {};
        }
        QString program = programs.front();
        programs.pop_front();
        return program;
    }

    std::deque<std::optional<PrintChoice>> printers;
    std::deque<QString> programs;
    // Whether the window took commands when the print dialog came up, once per dialog.
    std::vector<bool> printerAsked;
    std::vector<QString> programOffered;
};
