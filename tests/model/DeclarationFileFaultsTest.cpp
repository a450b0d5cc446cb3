#include "model/Declaration.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DeclarationComparison.h"
#include "DeclarationSamples.h"
#include "model/AtomicFile.h"
#include "model/DocumentStorage.h"
#include "model/SaveSignals.h"
#include "model/StorageErrors.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TemporaryFolder.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const char* const badFileMessage = "Неправильный формат файла декларации, возможно он поврежден.";

std::vector<std::string> sortedEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a load or a save came to: "ok", or the code, the outer code and the message.
struct Outcome {
    int code = -1;
    int outerCode = -1;
    std::string message;
};

std::string outcomeOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const mEPrivBase& e) {
        return std::to_string(e.Code) + " " + std::to_string(e.OuterCode) + " " + e.what();
    } catch (const std::exception& e) {
        return "-2 -2 not a storage failure: " + std::string(e.what());
    }
    return "-1 -1 ";
}

Outcome parsedOutcome(const std::string& text)
{
    Outcome outcome;
    const std::size_t first = text.find(' ');
    const std::size_t second = text.find(' ', first + 1);
    if (first == std::string::npos || second == std::string::npos) {
        outcome.code = -3;
        outcome.message = text;
        return outcome;
    }
    outcome.code = std::stoi(text.substr(0, first));
    outcome.outerCode = std::stoi(text.substr(first + 1, second - first - 1));
    outcome.message = text.substr(second + 1);
    return outcome;
}

// Runs `body` in a child process that is killed when it takes longer than `seconds`; gives
// what the body returned, or how the child ended.
std::string inChild(const std::function<std::string()>& body, unsigned seconds = 1,
                    const std::function<void()>& limits = {})
{
    int channel[2];
    if (::pipe(channel) != 0)
        return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::alarm(seconds);
        if (limits)
            limits();
        const std::string text = body();
        const ssize_t written = ::write(channel[1], text.data(), text.size());
        std::_Exit(written == static_cast<ssize_t>(text.size()) ? 0 : 1);
    }
    ::close(channel[1]);
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = ::read(channel[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return "child killed by signal " + std::to_string(WTERMSIG(status));
    return text;
}

// The process may write no file larger than 1 KB; with the program's own signal set-up the write
// that would pass it fails instead of ending the process.
void smallFileSizeLimit()
{
    deferTerminationDuringSaves();
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 1024;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

// A declaration of a few hundred kilobytes.
mTDeclaration largeDeclaration()
{
    mTDeclaration declaration = fullDeclaration();
    for (int i = 0; i < 2000; ++i) {
        auto& trata = declaration.GetTrata(declaration.AddTrata());
        trata->BankName = "Bank " + std::to_string(i) + std::string(200, 'b');
        trata->Note = std::string(100, 'n');
    }
    return declaration;
}

bool isTemporaryName(const std::string& name)
{
    return name.starts_with(TemporaryNamePrefix);
}

// Dates the temporary files in `folder` two minutes back.
void makeLeftoversOld(const fs::path& folder)
{
    const timespec twoMinutesAgo{std::time(nullptr) - 120, 0};
    const timespec times[2] = {twoMinutesAgo, twoMinutesAgo};
    for (const std::string& name : sortedEntries(folder))
        if (isTemporaryName(name))
            ::utimensat(AT_FDCWD, (folder / name).c_str(), times, AT_SYMLINK_NOFOLLOW);
}

enum class Signals { Default, HeldDuringSaves };

// A child process that saves the declaration over and over until a signal ends it; it exits
// with 1 when a save fails.
pid_t startSavingInALoop(const mTDeclaration& declaration, const std::string& path, Signals signals)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    if (signals == Signals::HeldDuringSaves)
        deferTerminationDuringSaves();
    for (;;) {
        try {
            declaration.SaveToFile(path);
        } catch (...) {
            std::_Exit(1);
        }
    }
}

} // namespace

// ---- Saving ------------------------------------------------------------------------------

// Each save runs in a child with a watchdog: a save to a FIFO must not hang either.
TEST(DeclarationFileFaults, SaveFaults)
{
    const bool root = ::geteuid() == 0;
    const std::string longName = std::string(251, 'n') + ".fv1";
    const std::string tooLongName = std::string(252, 'n') + ".fv1";
    struct Case {
        const char* name;
        std::string target;
        std::function<void(const TemporaryFolder&)> prepare;
        bool underFileSizeLimit;
        int code; // -1: saved
        const char* reason;
        std::vector<std::string> entries; // besides "declaration.fv1"
    } const cases[] = {
        {"regular file", "declaration.fv1", {}, false, -1, "", {}},
        {"symbolic link to it", "link.fv1",
         [](const TemporaryFolder& f) { fs::create_symlink("declaration.fv1", f.file("link.fv1")); }, false, -1, "",
         {"link.fv1"}},
        {"folder", "folder.fv1", [](const TemporaryFolder& f) { fs::create_directory(f.file("folder.fv1")); }, false,
         21, "это папка, а не файл", {"folder.fv1"}},
        {"FIFO", "pipe.fv1", [](const TemporaryFolder& f) { ::mkfifo(f.file("pipe.fv1").c_str(), 0600); }, false, 21,
         "это не обычный файл", {"pipe.fv1"}},
        {"link to a FIFO", "link.fv1",
         [](const TemporaryFolder& f) {
             ::mkfifo(f.file("pipe").c_str(), 0600);
             fs::create_symlink("pipe", f.file("link.fv1"));
         },
         false, 21, "это не обычный файл", {"link.fv1", "pipe"}},
        {"links in a loop", "loop.fv1",
         [](const TemporaryFolder& f) { fs::create_symlink("loop.fv1", f.file("loop.fv1")); }, false, 21,
         "Причина: ", {"loop.fv1"}},
        {"read-only file", "declaration.fv1",
         [](const TemporaryFolder& f) { ::chmod(f.file("declaration.fv1").c_str(), 0444); }, false, 21,
         "файл только для чтения", {}},
        // The superuser may write into a read-only folder: the file-size limit stops the write.
        {"read-only folder", "declaration.fv1", [](const TemporaryFolder& f) { ::chmod(f.path().c_str(), 0555); },
         true, root ? 22 : 21, root ? "превышен допустимый размер файла" : "нет прав доступа", {}},
        {"file-size limit", "declaration.fv1", {}, true, 22, "превышен допустимый размер файла", {}},
        {"name of 255 bytes", longName, {}, false, -1, "", {longName}},
        {"name of 256 bytes", tooLongName, {}, false, 21, "слишком длинное имя файла", {}},
        {"missing folder", "missing/declaration.fv1", {}, false, 21, "нет такого файла или папки", {}},
    };

    mTDeclaration next = fullDeclaration();
    next.TaxOfficeCode = "5000";
    const std::string nextBytes = declarationBytes(next);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        const std::string path = folder.file("declaration.fv1");
        fullDeclaration().SaveToFile(path);
        const std::string previousBytes = readFile(path);
        if (c.prepare)
            c.prepare(folder);

        const std::string target = folder.file(c.target);
        const Outcome outcome = parsedOutcome(inChild([&] { return outcomeOf([&] { next.SaveToFile(target); }); }, 1,
                                                      c.underFileSizeLimit ? smallFileSizeLimit : nullptr));
        ::chmod(folder.path().c_str(), 0700);

        EXPECT_EQ(outcome.code, c.code) << outcome.message;
        if (c.code == -1) {
            EXPECT_EQ(readFile(target), nextBytes);
        } else {
            EXPECT_EQ(outcome.outerCode, 389);
            EXPECT_THAT(outcome.message, HasSubstr(c.reason));
            // A refused save is a write failure, not a read failure.
            EXPECT_THAT(outcome.message, HasSubstr("записи файла"));
            EXPECT_THAT(outcome.message, Not(HasSubstr("Ошибка чтения")));
            EXPECT_EQ(readFile(path), previousBytes);
        }
        std::vector<std::string> expected = c.entries;
        expected.push_back("declaration.fv1");
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(sortedEntries(folder.path()), expected);
    }
}

TEST(DeclarationFileFaults, SavingThroughALinkReplacesTheFileItPointsTo)
{
    TemporaryFolder folder;
    fs::create_directory(folder.file("real"));
    fs::create_directory(folder.file("links"));
    const std::string file = folder.file("real/declaration.fv1");
    fullDeclaration().SaveToFile(file);
    fs::create_symlink("../real/declaration.fv1", folder.file("links/first.fv1"));
    fs::create_symlink("first.fv1", folder.file("links/second.fv1"));

    mTDeclaration next;
    next.TaxOfficeCode = "5000";
    next.SaveToFile(folder.file("links/second.fv1"));

    EXPECT_EQ(readFile(file), declarationBytes(next));
    EXPECT_TRUE(fs::is_symlink(folder.file("links/first.fv1")));
    EXPECT_TRUE(fs::is_symlink(folder.file("links/second.fv1")));
    EXPECT_EQ(fs::read_symlink(folder.file("links/first.fv1")), "../real/declaration.fv1");
    EXPECT_EQ(sortedEntries(folder.file("links")), (std::vector<std::string>{"first.fv1", "second.fv1"}));
    EXPECT_EQ(sortedEntries(folder.file("real")), std::vector<std::string>{"declaration.fv1"});

    // A link to a file not yet there makes the file.
    fs::create_symlink("../real/new.fv1", folder.file("links/new.fv1"));
    next.SaveToFile(folder.file("links/new.fv1"));
    EXPECT_TRUE(fs::is_symlink(folder.file("links/new.fv1")));
    EXPECT_EQ(readFile(folder.file("real/new.fv1")), declarationBytes(next));
}

// Atomic replacement makes a new file: another hard link of the old one keeps the old content.
TEST(DeclarationFileFaults, ReplacedFileKeepsOwnerGroupAndModeButNotItsHardLinks)
{
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    fullDeclaration().SaveToFile(path);
    const std::string previousBytes = readFile(path);
    fs::create_hard_link(path, folder.file("other name.fv1"));
    ::chmod(path.c_str(), 0640);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    }
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);

    mTDeclaration next;
    next.SaveToFile(path);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(readFile(path), declarationBytes(next));
    EXPECT_EQ(readFile(folder.file("other name.fv1")), previousBytes);
}

TEST(DeclarationFileFaults, NextSaveRemovesLeftoversOfKilledSaves)
{
    TemporaryFolder folder;
    const std::string stale = std::string(TemporaryNamePrefix) + "abc123";
    const std::string held = std::string(TemporaryNamePrefix) + "held00";
    const std::string notOurs = std::string(TemporaryNamePrefix) + "a-longer-name";
    const std::string link = std::string(TemporaryNamePrefix) + "link00";
    // Made by a save in the moment before it locks its file: not yet a leftover.
    const std::string young = std::string(TemporaryNamePrefix) + "young0";
    writeFile(folder.file(stale), "personal data");
    writeFile(folder.file(held), "a save running elsewhere");
    writeFile(folder.file(notOurs), "someone else's");
    fs::create_symlink("declaration.fv1", folder.file(link));
    makeLeftoversOld(folder.path());
    writeFile(folder.file(young), "");
    const int running = ::open(folder.file(held).c_str(), O_RDONLY);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    mTDeclaration().SaveToFile(folder.file("declaration.fv1"));
    ::close(running);
    std::vector<std::string> expected{"declaration.fv1", held, notOurs, link, young};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sortedEntries(folder.path()), expected);
}

// A child saves a large declaration over and over and is killed at random moments: the file
// always loads, and what a kill leaves behind goes with the next save.
TEST(DeclarationFileFaults, KilledSavesLeaveALoadableFile)
{
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    const mTDeclaration declaration = largeDeclaration();
    mTDeclaration first;
    first.SaveToFile(path);
    const std::string firstBytes = readFile(path);
    const std::string largeBytes = declarationBytes(declaration);
    ASSERT_GT(largeBytes.size(), 500'000u);

    std::mt19937 random(25);
    std::uniform_int_distribution<int> pause(0, 30'000); // microseconds
    for (int kill = 0; kill < 30; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill));
        const pid_t child = startSavingInALoop(declaration, path, Signals::Default);
        ::usleep(static_cast<useconds_t>(pause(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child failed";

        const std::string bytes = readFile(path);
        EXPECT_TRUE(bytes == firstBytes || bytes == largeBytes);
        EXPECT_EQ(outcomeOf([&] { mTDeclaration().LoadFromFile(path); }), "-1 -1 ");
        std::vector<std::string> entries = sortedEntries(folder.path());
        std::erase_if(entries, isTemporaryName);
        EXPECT_EQ(entries, std::vector<std::string>{"declaration.fv1"});
        EXPECT_LE(sortedEntries(folder.path()).size(), 2u);
        // A leftover is removed once it is old enough to be no running save's.
        makeLeftoversOld(folder.path());
    }
    first.SaveToFile(path);
    EXPECT_EQ(sortedEntries(folder.path()), std::vector<std::string>{"declaration.fv1"});
}

// ---- Loading -----------------------------------------------------------------------------

// Each load runs in a child with a one-second watchdog: none may hang or read for long.
TEST(DeclarationFileFaults, LoadRefusals)
{
    const std::string good = declarationBytes(fullDeclaration());
    const auto cutBefore = [&](std::string_view text) { return good.substr(0, good.find(text)); };
    const std::string addressAt = cutBefore("0014@PersonAddress");
    const auto sparse = [](std::uint64_t size) {
        return [size](const std::string& path) {
            writeFile(path, "DLSG");
            ::truncate(path.c_str(), static_cast<off_t>(size));
        };
    };
    const auto bytes = [](std::string content) {
        return [content](const std::string& path) { writeFile(path, content); };
    };
    struct Case {
        const char* name;
        std::function<void(const std::string&)> prepare;
        int code;
        int outerCode;
        const char* message; // a part of it
    } const cases[] = {
        {"FIFO", [](const std::string& path) { ::mkfifo(path.c_str(), 0600); }, 21, 390, "это не обычный файл"},
        {"folder", [](const std::string& path) { fs::create_directory(path); }, 21, 390, "это папка, а не файл"},
        {"device", [](const std::string& path) { fs::create_symlink("/dev/zero", path); }, 21, 390,
         "это не обычный файл"},
        {"missing file", [](const std::string&) {}, 21, 390, "Причина: нет такого файла или папки."},
        {"huge sparse file", sparse(std::uint64_t{2} << 30), 30, 390, badFileMessage},
        {"one byte over the bound", sparse(std::uint64_t{mTFileLoader::MaxFileSize} + 1), 30, 390, badFileMessage},
        {"an empty value after the last", bytes(good + "0000"), 407, 0, badFileMessage},
        {"one stray byte after the last value", bytes(good + "x"), 407, 0, badFileMessage},
        {"a whole stream after the last value", bytes(good + "0006@Extra00011"), 407, 0, badFileMessage},
        {"header only", bytes(good.substr(0, 60)), 212, 0, badFileMessage},
        {"cut before a stream", bytes(addressAt), 212, 371, badFileMessage},
        {"cut inside a stream name", bytes(addressAt + "0014@Pers"), 212, 371, badFileMessage},
        {"cut inside a length", bytes(addressAt + "00"), 212, 371, badFileMessage},
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        const std::string path = folder.file("declaration.fv1");
        c.prepare(path);
        const Outcome outcome =
            parsedOutcome(inChild([&] { return outcomeOf([&] { mTDeclaration().LoadFromFile(path); }); }));
        EXPECT_EQ(outcome.code, c.code) << outcome.message;
        EXPECT_EQ(outcome.outerCode, c.outerCode);
        EXPECT_THAT(outcome.message, HasSubstr(c.message));
        EXPECT_THAT(outcome.message, Not(HasSubstr("несуществующего потока")));
    }
}

// Earlier years' files are read for the personal data only; what follows it does not matter.
TEST(DeclarationFileFaults, EarlierYearsFileWithATailStillGivesItsPersonalData)
{
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    mTDeclaration earlier;
    earlier.Person.Name.SurName = "Sidorov";
    std::string bytes = declarationBytes(earlier);
    bytes.replace(16, 8, "Forv2020");
    writeFile(path, bytes + "0004tail");

    mTDeclaration declaration;
    declaration.LoadFromFile(path);
    EXPECT_EQ(declaration.Person.Name.SurName, "Sidorov");
}

// The bytes the disk gives back are loaded before they replace the old file.
TEST(DeclarationFileFaults, SaveWhoseBytesDoNotLoadBackKeepsTheOldFile)
{
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    fullDeclaration().SaveToFile(path);
    const std::string previousBytes = readFile(path);

    mTDeclaration next;
    const std::string nextBytes = declarationBytes(next);
    mTFileLoader loader(path, false, static_cast<std::uint32_t>(nextBytes.size()));
    loader.Bytes() = nextBytes;
    try {
        loader.Commit([](std::string_view written) {
            EXPECT_EQ(written.substr(0, 4), "DLSG");
            throw mEBadStorage(badFileMessage, 94);
        });
        FAIL() << "no failure";
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.Code, 31);
        EXPECT_THAT(e.what(), HasSubstr(badFileMessage));
        EXPECT_THAT(e.what(), HasSubstr("Прежний файл сохранен без изменений."));
    }
    EXPECT_EQ(readFile(path), previousBytes);
    EXPECT_EQ(sortedEntries(folder.path()), std::vector<std::string>{"declaration.fv1"});
}

// A request to end the program (SIGTERM, SIGHUP) during a save lets the save finish first.
TEST(DeclarationFileFaults, TerminatedSavesFinishFirst)
{
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    const mTDeclaration declaration = largeDeclaration();
    mTDeclaration().SaveToFile(path);

    std::mt19937 random(2021);
    std::uniform_int_distribution<int> pause(0, 30'000); // microseconds
    for (int request = 0; request < 10; ++request) {
        SCOPED_TRACE("request " + std::to_string(request));
        const int signalNumber = request % 2 == 0 ? SIGTERM : SIGHUP;
        const pid_t child = startSavingInALoop(declaration, path, Signals::HeldDuringSaves);
        ::usleep(static_cast<useconds_t>(pause(random)));
        ::kill(child, signalNumber);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), signalNumber);
        EXPECT_EQ(outcomeOf([&] { mTDeclaration().LoadFromFile(path); }), "-1 -1 ");
        EXPECT_EQ(sortedEntries(folder.path()), std::vector<std::string>{"declaration.fv1"});
    }
}

// A read that fails once the file is open (a disk fault) is named with its reason. A kernel
// attribute file that refuses reads with EIO stands for a failing disk.
TEST(DeclarationFileFaults, ReadErrorWhileLoadingGivesItsReason)
{
    std::string failing;
    std::error_code ignored;
    for (const auto& entry :
         fs::recursive_directory_iterator("/sys/devices", fs::directory_options::skip_permission_denied, ignored)) {
        if (entry.path().filename() != "autosuspend_delay_ms")
            continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK);
        char byte = 0;
        const bool fails = fd >= 0 && ::pread(fd, &byte, 1, 0) < 0 && errno == EIO;
        if (fd >= 0)
            ::close(fd);
        if (fails) {
            failing = entry.path().string();
            break;
        }
    }
    if (failing.empty())
        GTEST_SKIP() << "no file here whose reads fail with EIO";
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    fs::create_symlink(failing, path);

    const Outcome outcome =
        parsedOutcome(inChild([&] { return outcomeOf([&] { mTDeclaration().LoadFromFile(path); }); }));
    EXPECT_EQ(outcome.code, 27) << outcome.message;
    EXPECT_EQ(outcome.outerCode, 0); // not a storage failure of the file but of its reading
    EXPECT_EQ(outcome.message, "Не удается создать отображение файла: " + path
                                   + "\rПричина: ошибка ввода-вывода: диск или носитель неисправен либо отключен.");
}

// A save meant to replace the file as this program read or last wrote it finds what another
// program did to it meanwhile, and then keeps that.
TEST(DeclarationFileFaults, SaveOverAFileChangedMeanwhileIsRefused)
{
    mTDeclaration other;
    other.TaxOfficeCode = "7700";
    struct Case {
        const char* name;
        std::function<void(const std::string&)> meanwhile;
        bool refused;
    } const cases[] = {
        {"nothing", [](const std::string&) {}, false},
        {"read by another program", [](const std::string& path) { (void)readFile(path); }, false},
        {"saved by another window", [&](const std::string& path) { other.SaveToFile(path); }, true},
        {"written over in place, the same bytes",
         [](const std::string& path) {
             ::usleep(20'000); // past the file system's clock step
             writeFile(path, readFile(path));
         },
         true},
        {"grown", [](const std::string& path) { std::ofstream(path, std::ios::app) << "x"; }, true},
        {"removed", [](const std::string& path) { fs::remove(path); }, false},
    };
    mTDeclaration mine = fullDeclaration();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        const std::string path = folder.file("declaration.fv1");
        fullDeclaration().SaveToFile(path);
        mTDeclaration loaded;
        const FileIdentity opened = loaded.LoadFromFile(path);
        c.meanwhile(path);
        const std::string meanwhileBytes = fs::exists(path) ? readFile(path) : std::string();

        mine.TaxOfficeCode = "5000";
        const Outcome outcome = parsedOutcome(outcomeOf([&] { mine.SaveToFile(path, &opened); }));
        if (!c.refused) {
            EXPECT_EQ(outcome.code, -1) << outcome.message;
            EXPECT_EQ(readFile(path), declarationBytes(mine));
            continue;
        }
        EXPECT_EQ(outcome.code, mTFileLoader::FileChanged);
        EXPECT_EQ(outcome.outerCode, 389);
        EXPECT_EQ(outcome.message, "Файл " + path
                                       + " изменен другой программой после того, как был открыт или сохранен "
                                         "здесь.\rПрежний файл сохранен без изменений.");
        EXPECT_EQ(readFile(path), meanwhileBytes);
        EXPECT_EQ(sortedEntries(folder.path()), std::vector<std::string>{"declaration.fv1"});
        // Saving without the condition replaces it: the user's answer to overwrite.
        EXPECT_EQ(outcomeOf([&] { mine.SaveToFile(path); }), "-1 -1 ");
        EXPECT_EQ(readFile(path), declarationBytes(mine));
    }
}

// Each save gives the file as it wrote it: a window's saves in a row never take their own file
// for one changed by another.
TEST(DeclarationFileFaults, SavesInARowKnowTheirOwnFile)
{
    TemporaryFolder folder;
    const std::string path = folder.file("declaration.fv1");
    mTDeclaration declaration = fullDeclaration();
    FileIdentity known = declaration.SaveToFile(path).identity;
    for (int save = 0; save < 5; ++save) {
        SCOPED_TRACE(save);
        declaration.TaxOfficeCode = std::to_string(5000 + save);
        const Outcome outcome =
            parsedOutcome(outcomeOf([&] { known = declaration.SaveToFile(path, &known).identity; }));
        EXPECT_EQ(outcome.code, -1) << outcome.message;
        EXPECT_EQ(known, mTDeclaration().LoadFromFile(path));
    }
}
