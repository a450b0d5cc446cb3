#include "Pdf417Fit.h"

#include "Pdf417Compaction.h"
#include "Pdf417TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct FitCase {
    const char* name;
    Pdf417Params params;
    int columns;
    int rows;
    int level;
    int dataCodewords; // descriptor, data and padding
};

Pdf417Params params(std::string data, unsigned bits = 0, int columns = 0, int rows = 0, int level = -1)
{
    Pdf417Params p;
    p.data = std::move(data);
    p.optionBits = bits;
    p.columns = columns;
    p.rows = rows;
    p.errorLevel = level;
    return p;
}

const std::string guid = "0123456789ABCDEF0123456789ABCDEF"; // 18 text codewords

// Worked out by hand. Level first from the data codewords (2 up to 40, 3 up to 160, 4 up to
// 320, else 5) to size the symbol, then the largest level the symbol's spare cells hold.
// Columns from the aspect ratio 0.5 and row height 3: ⌊(√(32.5² + 102·total) − 32.5) ÷ 17 + 0.5⌋.
const FitCase fitCases[] = {
    // 1 codeword, level 2: total 9 → 1 column, 9 rows, spare 8 → level 2.
    {"empty data", params(""), 1, 9, 2, 1},
    // 40 codewords, level 2: total 48 → 3 columns, 16 rows, spare 8.
    {"40 codewords choose level 2", params(std::string(78, 'A')), 3, 16, 2, 40},
    // 41 codewords, level 3: total 57 → 3 columns, 19 rows, spare 16.
    {"41 codewords choose level 3", params(std::string(80, 'A')), 3, 19, 3, 41},
    // 251 codewords, level 4: total 283 over 21 rows → 14 columns, 294 cells, spare 43 → level 4.
    {"fixed rows", params(std::string(500, 'A'), Pdf417FixedRows, 0, 21), 14, 21, 4, 262},
    // 19 codewords in the given 4 × 12; the 29 spare cells raise level 2 to 3.
    {"header symbol", params(guid, Pdf417FixedRectangle | Pdf417GivenErrorLevel, 4, 12, 2), 4, 12, 3, 32},
    // 41 codewords do not fit 2 × 3: level 3, total 57 over 2 columns → 29 rows, spare 17.
    {"rectangle too small keeps the columns", params(std::string(80, 'A'), Pdf417FixedRectangle, 2, 3), 2, 29, 3,
     42},
    // 2 codewords, total 10 → 1 row, raised to 3: 90 cells, spare 88 → level 5.
    {"fixed columns with the fewest rows", params("A", Pdf417FixedColumns, 30), 30, 3, 5, 26},
    // 101 codewords, level 3: total 117 in one column needs 117 rows → 90 rows of 2 columns.
    {"fixed columns beyond 90 rows", params(std::string(200, 'A'), Pdf417FixedColumns, 1), 2, 90, 5, 116},
    // total 117 over 3 rows needs 39 columns → 30 columns of 4 rows, spare 19 → level 3.
    {"fixed rows beyond 30 columns", params(std::string(200, 'A'), Pdf417FixedRows, 0, 3), 30, 4, 3, 104},
    {"wide rectangle above 928 cells", params("", Pdf417FixedRectangle, 30, 90), 29, 32, 8, 416},
    {"narrow rectangle above 928 cells", params("", Pdf417FixedRectangle, 20, 90), 16, 58, 8, 416},
    // Given level 0: total 4 → 1 column of 4 rows, spare 2.
    {"given level", params("A", Pdf417GivenErrorLevel, 0, 0, 0), 1, 4, 0, 2},
    // Without bit 16 a given level is not used.
    {"level without its bit", params("A", 0, 0, 0, 0), 1, 10, 2, 2},
    // 926 codewords leave room for level 0 only: total 928 → 16 columns of 58 rows.
    {"largest text", params(std::string(1850, 'A')), 16, 58, 0, 926},
};

class FitSymbolTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitSymbolTest, ChoosesShapeAndLevel)
{
    const FitCase& c = GetParam();
    const std::optional<Pdf417Fit> fit = FitSymbol(c.params);
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->columns, c.columns);
    EXPECT_EQ(fit->rows, c.rows);
    EXPECT_EQ(fit->errorLevel, c.level);
    ASSERT_EQ(static_cast<int>(fit->dataCodewords.size()), c.dataCodewords);
    EXPECT_EQ(fit->dataCodewords[0], c.dataCodewords);
    const std::size_t used = AssembleCodewords(c.params.data)->size();
    for (std::size_t i = used; i < fit->dataCodewords.size(); ++i)
        EXPECT_EQ(fit->dataCodewords[i], Pdf417TextLatch) << "padding at " << i;
}

INSTANTIATE_TEST_SUITE_P(Cases, FitSymbolTest, testing::ValuesIn(fitCases), caseName<testing::TestParamInfo<FitCase>>);

TEST(FitSymbolTest, RefusesDataThatDoesNotFit)
{
    EXPECT_FALSE(FitSymbol(params(std::string(1851, 'A'))));
    EXPECT_FALSE(FitSymbol(params(std::string(Pdf417MaxDataBytes + 1, ' '))));
}

TEST(FitSymbolTest, MaxErrorLevel)
{
    EXPECT_EQ(MaxErrorLevel(0), 0);
    EXPECT_EQ(MaxErrorLevel(3), 0);
    EXPECT_EQ(MaxErrorLevel(4), 1);
    EXPECT_EQ(MaxErrorLevel(511), 7);
    EXPECT_EQ(MaxErrorLevel(512), 8);
    EXPECT_EQ(MaxErrorLevel(928), 8);
}

} // namespace
