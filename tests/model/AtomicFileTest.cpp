#include "model/AtomicFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "model/DocumentStorage.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RunCommand.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

using ::testing::HasSubstr;

namespace {

// Replaces `path` through the declaration file's loader: "ok" and the note of the save, or the
// failure's code and message.
std::string saveThroughLoader(const std::string& path, const std::string& bytes)
{
    try {
        mTFileLoader loader(path, false, static_cast<std::uint32_t>(bytes.size()));
        loader.Bytes() = bytes;
        loader.Commit();
        return "ok " + loader.Note();
    } catch (const mEPrivBase& e) {
        return std::to_string(e.Code) + " " + e.what();
    }
}

std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The file's access list as getfacl shows it, without the header that names the file.
std::string accessList(const std::string& path)
{
    return runCommand("getfacl --omit-header " + shellQuoted(path) + " 2>&1").first;
}

struct Account {
    uid_t uid;
    gid_t gid;
    std::vector<gid_t> groups;
};

// Runs the rest of a forked child as `account`.
void becomeAccount(const Account& account)
{
    if (::setgroups(account.groups.size(), account.groups.data()) != 0 || ::setgid(account.gid) != 0
        || ::setuid(account.uid) != 0)
        ::_exit(3);
}

} // namespace

// Saving over a file of another user keeps its owner where the system allows, else its group;
// a save that would leave neither with the rights they had is refused and the old file stays.
// Forced as the superuser, which can act as any user in a child.
TEST(AtomicFile, OwnerAndGroupOfAnotherUsersFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can make files of other users and act as them";
    struct Case {
        const char* name;
        mode_t mode;
        Account saver;
        bool saved;
        uid_t owner; // after the save
        gid_t group;
    } const cases[] = {
        {"a member of the file's group", 0660, {1234, 1234, {5000}}, true, 1234, 5000},
        {"a member of the group, file with the set-group bit", 02660, {1234, 1234, {5000}}, true, 1234, 5000},
        {"another user whom others' rights let write", 0666, {1234, 1234, {}}, false, 1111, 5000},
        {"the superuser", 0660, {0, 0, {}}, true, 1111, 5000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        ASSERT_EQ(::chmod(folder.path().c_str(), 0777), 0);
        const std::string path = folder.file("declaration.fv1");
        writeFile(path, "old content");
        ASSERT_EQ(::chown(path.c_str(), 1111, 5000), 0);
        ASSERT_EQ(::chmod(path.c_str(), c.mode), 0);

        const std::optional<std::string> result =
            resultOfChild([&] { becomeAccount(c.saver); }, [&] { return saveThroughLoader(path, "new content"); });
        ASSERT_TRUE(result.has_value());
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, c.owner);
        EXPECT_EQ(after.st_gid, c.group);
        EXPECT_EQ(after.st_mode & 07777, c.mode);
        if (c.saved) {
            EXPECT_EQ(*result, "ok ");
            EXPECT_EQ(readFile(path), "new content");
        } else {
            EXPECT_THAT(*result, HasSubstr("22 Ошибка записи файла: " + path));
            EXPECT_THAT(*result, HasSubstr("потеряли бы доступ к нему"));
            EXPECT_THAT(*result, HasSubstr("Прежний файл сохранен без изменений."));
            EXPECT_EQ(readFile(path), "old content");
        }
        EXPECT_EQ(folder.entries(), std::vector<std::string>{"declaration.fv1"});
    }
}

// The access list stays the file's: its mask must not turn into rights of the owning group.
TEST(AtomicFile, AccessListAndUserAttributesAreKept)
{
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    writeFile(path, "old content");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const auto [said, status] = runCommand("setfacl -m u:1234:rw " + shellQuoted(path) + " 2>&1");
    if (status != 0)
        GTEST_SKIP() << "no access lists here (setfacl: " << said << ")";
    const std::string note = "принесено из банка";
    if (::setxattr(path.c_str(), "user.forv.note", note.data(), note.size(), 0) != 0)
        GTEST_SKIP() << "no user extended attributes here";
    const std::string before = accessList(path);
    ASSERT_THAT(before, HasSubstr("user:1234:rw-"));
    ASSERT_THAT(before, HasSubstr("group::r--"));

    EXPECT_EQ(saveThroughLoader(path, "new content"), "ok ");
    EXPECT_EQ(readFile(path), "new content");
    EXPECT_EQ(accessList(path), before);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0660u) << "the group bits are the list's mask";
    std::string kept(256, '\0');
    const ssize_t size = ::getxattr(path.c_str(), "user.forv.note", kept.data(), kept.size());
    ASSERT_GE(size, 0);
    kept.resize(static_cast<std::size_t>(size));
    EXPECT_EQ(kept, note);

    // A file without a list gets none.
    ASSERT_EQ(runCommand("setfacl -b " + shellQuoted(path)).second, 0);
    const std::string plain = accessList(path);
    EXPECT_EQ(saveThroughLoader(path, "newer content"), "ok ");
    EXPECT_EQ(accessList(path), plain);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{"declaration.fv1"});
}
