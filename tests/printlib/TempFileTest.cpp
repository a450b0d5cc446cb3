#include "TempFile.h"

#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace {

std::string contentOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(TempFileTest, CommitPutsTheContentInPlaceOfTheTarget)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.bin");
    std::ofstream(target) << "old";
    ::chmod(target.c_str(), 0640);
    {
        TempFile file(target);
        file.write("new content", 11);
        // Until the commit the target keeps its old content and the new one is in the same folder.
        EXPECT_EQ(contentOf(target), "old");
        EXPECT_EQ(std::filesystem::path(file.path()).parent_path(), folder.path());
        file.commit();
    }
    EXPECT_EQ(contentOf(target), "new content");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"out.bin"});
    struct stat status;
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
}

TEST(TempFileTest, WithoutCommitNothingIsLeft)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.bin");
    {
        TempFile file(target);
        file.write("partial", 7);
    }
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(TempFileTest, MissingFolderIsAWriteErrorNamingTheTarget)
{
    ScratchFolder folder;
    const std::string target = folder.file("missing/out.bin");
    const std::string report = utf8(errorReport([&] { TempFile file(target); }));
    EXPECT_NE(report.find("Ошибка записи в файл: " + target), std::string::npos) << report;
    EXPECT_NE(report.find("No such file or directory"), std::string::npos) << report;
    EXPECT_NE(report.find("TempFile"), std::string::npos) << report;
}

TEST(TempFileTest, FullDeviceFailsAndLeavesNothing)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.bin");
    const std::string report = reportUnderFileSizeLimit(1000, [&] {
        TempFile file(target);
        const std::string block(4096, 'x');
        file.write(block.data(), block.size());
        file.commit();
    });
    EXPECT_NE(report.find("Ошибка записи в файл: " + target), std::string::npos) << report;
    EXPECT_TRUE(folder.fileNames().empty());
}

} // namespace
