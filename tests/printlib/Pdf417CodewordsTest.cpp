#include "Pdf417Codewords.h"

#include <gtest/gtest.h>

#include <set>
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

TEST(Pdf417CodewordsTest, StartAndStopPatterns)
{
    EXPECT_EQ(runWidths(Pdf417StartPattern, Pdf417StartModules), (std::vector<int>{8, 1, 1, 1, 1, 1, 1, 3}));
    EXPECT_EQ(runWidths(Pdf417StopPattern, Pdf417StopModules), (std::vector<int>{7, 1, 1, 3, 1, 1, 1, 2, 1}));
}

} // namespace
