#include "Pdf417Codewords.h"

#include "Md5.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

// Widths of the alternating bar and space runs of a pattern, the first run a bar.
std::vector<int> runWidths(std::uint32_t pattern, int modules)
{
    std::vector<int> widths;
    bool bar = true;
    int run = 0;
    for (int i = modules - 1; i >= 0; --i) {
        if (((pattern >> i & 1) != 0) != bar) {
            if (run == 0)
                return {}; // starts with a space
            widths.push_back(run);
            bar = !bar;
            run = 0;
        }
        ++run;
    }
    widths.push_back(run);
    return widths;
}

TEST(Pdf417CodewordsTest, EveryPatternIsASymbolCharacterOfItsCluster)
{
    for (int cluster = 0; cluster < 3; ++cluster) {
        std::set<std::uint32_t> seen;
        for (int codeword = 0; codeword < Pdf417CodewordCount; ++codeword) {
            const std::uint32_t pattern = Pdf417Patterns[cluster][codeword];
            SCOPED_TRACE(testing::Message() << "cluster " << cluster * 3 << ", codeword " << codeword);
            ASSERT_EQ(pattern >> Pdf417ModulesPerCodeword, 0u);
            const std::vector<int> w = runWidths(pattern, Pdf417ModulesPerCodeword);
            ASSERT_EQ(w.size(), 8u) << "4 bars and 4 spaces";
            for (int width : w) {
                EXPECT_GE(width, 1);
                EXPECT_LE(width, 6);
            }
            EXPECT_EQ((w[0] - w[2] + w[4] - w[6] + 9) % 9, cluster * 3);
            EXPECT_TRUE(seen.insert(pattern).second) << "repeated pattern";
        }
    }
}

// The checks above hold for any table whose entries are shuffled within a cluster; the two below
// tie every value to its pattern in the published symbol character table. The digest was taken
// from zxing-cpp's decoder table (pattern -> codeword), regrouped by cluster and value.
TEST(Pdf417CodewordsTest, TableDigestMatchesThePublishedTable)
{
    // Every pattern as five lower-case hexadecimal digits and a line feed, cluster 0 values
    // 0..928, then cluster 3, then cluster 6.
    Md5 md5;
    for (const auto& cluster : Pdf417Patterns)
        for (std::uint32_t pattern : cluster) {
            char line[8];
            const int length = std::snprintf(line, sizeof line, "%05x\n", static_cast<unsigned>(pattern));
            md5.update(line, static_cast<std::size_t>(length));
        }
    EXPECT_EQ(Md5::hex(md5.finish()), u"d207badbb5da5f8d640f95627afdef7b");
}

struct PublishedPattern {
    int cluster; // 0, 3 or 6
    int value;
    std::uint32_t pattern;
};

// Typed from the published table: the ends of each cluster, values across the range, the
// control codewords (900 text, 901 byte, 913 shift, 924 byte, 927 and 928).
constexpr PublishedPattern kPublishedPatterns[] = {
    {0, 0, 0x1d5c0}, {0, 1, 0x1eaf0}, {0, 2, 0x1f57c}, {0, 99, 0x147bc}, {0, 328, 0x1d846},
    {0, 451, 0x1e64e}, {0, 600, 0x10a08}, {0, 777, 0x1bce4}, {0, 899, 0x11ce8}, {0, 900, 0x10c64},
    {0, 901, 0x10422}, {0, 913, 0x1e794}, {0, 924, 0x18e34}, {0, 927, 0x18e32}, {0, 928, 0x1bef4},
    {3, 0, 0x1f560}, {3, 1, 0x1fab8}, {3, 2, 0x1ea40}, {3, 99, 0x1d386}, {3, 328, 0x12784},
    {3, 451, 0x1d83a}, {3, 600, 0x133e8}, {3, 777, 0x1e10a}, {3, 899, 0x13ede}, {3, 900, 0x17eb0},
    {3, 901, 0x1bf5c}, {3, 913, 0x17e46}, {3, 924, 0x13f46}, {3, 927, 0x13f2c}, {3, 928, 0x13f26},
    {6, 0, 0x1abe0}, {6, 1, 0x1d5f8}, {6, 2, 0x153c0}, {6, 99, 0x1467c}, {6, 328, 0x1340e},
    {6, 451, 0x1b82e}, {6, 600, 0x13846}, {6, 777, 0x10edc}, {6, 899, 0x19fb4}, {6, 900, 0x18f92},
    {6, 901, 0x19fb2}, {6, 913, 0x13f3a}, {6, 924, 0x10794}, {6, 927, 0x10fb2}, {6, 928, 0x1c7ea},
};

TEST(Pdf417CodewordsTest, SpotValuesHaveThePublishedPatterns)
{
    for (const PublishedPattern& p : kPublishedPatterns)
        EXPECT_EQ(Pdf417Patterns[p.cluster / 3][p.value], p.pattern)
            << "cluster " << p.cluster << ", codeword " << p.value;
}

TEST(Pdf417CodewordsTest, StartAndStopPatterns)
{
    EXPECT_EQ(runWidths(Pdf417StartPattern, Pdf417StartModules), (std::vector<int>{8, 1, 1, 1, 1, 1, 1, 3}));
    EXPECT_EQ(runWidths(Pdf417StopPattern, Pdf417StopModules), (std::vector<int>{7, 1, 1, 3, 1, 1, 1, 2, 1}));
}

} // namespace
