#include "shell/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, DeclarationFileArgument)
{
    const struct {
        const char* name;
        QStringList arguments;
        QString file;
    } cases[] = {
        {"no arguments", {}, {}},
        {"double-clicked file", {"/home/ivan/Декларация.fv1"}, "/home/ivan/Декларация.fv1"},
        {"-p and a file", {"-p", "a.fv1"}, "a.fv1"},
        {"-P in capitals", {"-P", "a.fv1"}, "a.fv1"},
        {"two files take the first", {"a.fv1", "b.fv1"}, "a.fv1"},
        {"-p alone names no file", {"-p"}, {}},
        {"three arguments", {"-p", "a.fv1", "b.fv1"}, {}},
        {"-p as the second", {"a.fv1", "-p"}, "a.fv1"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(declarationFileArgument(test.arguments), test.file);
    }
}

} // namespace
