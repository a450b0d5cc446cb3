#pragma once

#include <string>
#include <vector>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "tests/support/RunCommand.h"
#include "tests/support/SourceTreeFiles.h"

// What one run of a generator reported on its standard error, and its exit status.
struct GeneratorRun {
    std::string reported;
    int status = -1;
};

// Runs a generator script once for each argument list, all in one python3: a fresh interpreter
// for every case would cost most of a table's time. The script is loaded once and its
// main(arguments) called for each list, its standard error kept and a sys.exit() turned into
// the status a separate run would have ended with. Gives nothing when the runs could not be made.
inline std::vector<GeneratorRun> runGeneratorForEach(const QString& generator,
                                                     const std::vector<QStringList>& argumentLists)
{
    static const char* const driver = R"(import contextlib, importlib.machinery, importlib.util, io, json, sys, traceback
loader = importlib.machinery.SourceFileLoader("generator", sys.argv[1])
spec = importlib.util.spec_from_loader("generator", loader)
generator = importlib.util.module_from_spec(spec)
loader.exec_module(generator)
runs = []
for arguments in json.load(open(sys.argv[2], encoding="utf-8")):
    reported = io.StringIO()
    with contextlib.redirect_stderr(reported), contextlib.redirect_stdout(io.StringIO()):
        try:
            result = generator.main(arguments)
            status = result if isinstance(result, int) else 0
        except SystemExit as exit:
            if exit.code is None or isinstance(exit.code, int):
                status = exit.code or 0
            else:
                print(exit.code, file=sys.stderr)
                status = 1
        except Exception:
            traceback.print_exc()
            status = 1
    runs.append({"reported": reported.getvalue(), "status": status})
json.dump(runs, sys.stdout)
)";
    QTemporaryDir folder;
    if (!folder.isValid())
        return {};
    QJsonArray cases;
    for (const QStringList& arguments : argumentLists)
        cases.append(QJsonArray::fromStringList(arguments));
    const QString driverFile = folder.filePath(QStringLiteral("driver.py"));
    const QString casesFile = folder.filePath(QStringLiteral("cases.json"));
    if (!writeBytes(driverFile, driver) || !writeBytes(casesFile, QJsonDocument(cases).toJson()))
        return {};
    const auto [output, status] =
        runCommand("python3 " + quoted(driverFile) + " " + quoted(generator) + " " + quoted(casesFile));
    const QJsonArray runs = QJsonDocument::fromJson(QByteArray::fromStdString(output)).array();
    if (status != 0 || runs.size() != static_cast<qsizetype>(argumentLists.size()))
        return {};
    std::vector<GeneratorRun> results;
    for (const QJsonValue& run : runs)
        results.push_back({run[QStringLiteral("reported")].toString().toStdString(), run[QStringLiteral("status")].toInt()});
    return results;
}

// An input the generator is to refuse: the case's name, the file it reads, the arguments that
// stand between that file and the target, and what the refusal names.
struct RefusedInput {
    std::string name;
    QString fileName;
    QByteArray bytes;
    QStringList between;
    std::string reported;
};

// Runs the generator on each input, each in a folder of its own under `folder` beside a target
// named `targetName` that holds a directory already: every run fails, names what its case says
// and leaves the target as it was, with no file of its own beside it.
inline void expectEachRefused(const QString& generator, const QString& folder, const QString& targetName,
                              const std::vector<RefusedInput>& inputs)
{
    const QByteArray old("old directory");
    std::vector<QStringList> arguments;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        const QDir caseFolder(folder + QStringLiteral("/case-%1").arg(i));
        ASSERT_TRUE(caseFolder.mkpath(QStringLiteral(".")));
        const QString input = caseFolder.filePath(inputs[i].fileName);
        const QString target = caseFolder.filePath(targetName);
        ASSERT_TRUE(writeBytes(input, inputs[i].bytes));
        ASSERT_TRUE(writeBytes(target, old));
        arguments.push_back(QStringList{input} + inputs[i].between + QStringList{target});
    }
    const std::vector<GeneratorRun> runs = runGeneratorForEach(generator, arguments);
    ASSERT_EQ(runs.size(), inputs.size()) << "the generator could not be run";
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE(inputs[i].name);
        EXPECT_NE(runs[i].status, 0) << runs[i].reported;
        EXPECT_NE(runs[i].reported.find(inputs[i].reported), std::string::npos) << runs[i].reported;
        const QDir caseFolder = QFileInfo(arguments[i].back()).dir();
        EXPECT_EQ(fileBytes(caseFolder.filePath(targetName)), old);
        QStringList left = caseFolder.entryList(QDir::Files | QDir::Hidden);
        QStringList expected{targetName, inputs[i].fileName};
        left.sort();
        expected.sort();
        EXPECT_EQ(left, expected) << "no temporary file left behind";
    }
}
