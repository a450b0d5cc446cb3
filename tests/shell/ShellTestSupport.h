#pragma once

#include <cstdio>
#include <ostream>
#include <string>
#include <utility>

#include <QString>

#include "controls/HelpViewer.h"
#include "shell/InspectionDirectory.h"
#include "tests/support/RunCommand.h"
#include "tests/support/SourceTreeFiles.h"
#include "tests/support/TestProgramContext.h"

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const Inspection& office, std::ostream* out)
{
    *out << office.code.toStdString() << ' ' << office.name.toStdString();
}

class TfmGrazhd;

// A help viewer that records the pages it is asked for.
class RecordingHelpViewer : public HelpViewer {
public:
    void displayTopic(const QString& page) override { topics.push_back(page); }
    std::vector<QString> topics;
};

