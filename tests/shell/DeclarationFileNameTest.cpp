#include "shell/DeclarationFileName.h"

#include <gtest/gtest.h>

namespace {

TEST(DeclarationFileName, ThisYearsExtension)
{
    const struct {
        const char* name;
        bool has;
        const char* saved;
    } cases[] = {
        {"/home/user/decl.fv1", true, "/home/user/decl.fv1"},
        {"/home/user/DECL.FV1", true, "/home/user/DECL.FV1"},
        {"/home/user/decl.fv0", false, "/home/user/decl.fv1"},
        {"/home/user/decl.FV9", false, "/home/user/decl.fv1"},
        {"/home/user/decl.fv2", false, "/home/user/decl.fv1"},
        {"/home/user/decl.fvl", false, "/home/user/decl.fv1"},
        {"/home/user/decl.txt", false, "/home/user/decl.txt.fv1"},
        {"/home/user/decl.fv10", false, "/home/user/decl.fv10.fv1"},
        {"/home/user/decl", false, "/home/user/decl.fv1"},
        {"/home/user/my.fv0/decl", false, "/home/user/my.fv0/decl.fv1"},
        {"/home/user/decl1", false, "/home/user/decl1.fv1"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const QString name = QString::fromUtf8(test.name);
        EXPECT_EQ(hasDeclarationExtension(name), test.has);
        EXPECT_EQ(withDeclarationExtension(name), QString::fromUtf8(test.saved));
    }
}

} // namespace
