#include "model/IncomeKinds.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

namespace {

// The income kinds as the tax form's code list has them, ranges inclusive.
const std::map<std::string, std::string> incomeCodesByKind = {
    {"01", "1010, 1012"},
    {"02", "3010, 3011"},
    {"03", "1530-1533, 1535-1538, 1544-1549, 1551, 1552, 5002, 5005, 5009, 5011, 5013, 5014, 5017, "
           "5020, 5024, 5026, 5028, 5029, 9537, 9538, 9551, 9552"},
    {"04", "1011, 3023"},
    {"05", "1000"},
    {"06", "1003"},
    {"08", "1400-1402, 2400"},
    {"09", "6009"},
    {"10", "1001, 1002, 1211, 1219, 1220, 1300, 1301, 1540, 1542, 1550, 2000-2004, 2010, 2012-2015, "
           "2201-2210, 2300, 2301, 2510, 2520, 2530, 2611, 2630, 2640, 2641, 2710, 2730, 2750, "
           "2760-2763, 2770, 2780, 2790, 2799, 2800, 2900, 3012, 4800, 4900, 4910, 4920"},
    {"11", "6011"},
    {"12", "6012"},
    {"13", "6013"},
    {"14", "6014"},
    // Gifts of property are taxed at 13 % outside every band, like sales, whoever gives them.
    {"17", "1200-1203, 1212, 1213, 1215, 1240, 2720, 2721"},
    {"18", "1510-1512, 1520, 1521, 1560, 1570"},
    {"19", "2610, 2620, 2740, 3020, 3022, 3030"},
    {"23", "1110, 1120"},
    {"24", "6024"},
};

// Every listed code with its kind; a code listed twice fails the test.
std::map<int, std::string> listedKinds()
{
    std::map<int, std::string> kinds;
    for (const auto& [kind, list] : incomeCodesByKind) {
        std::istringstream items(list);
        std::string item;
        while (std::getline(items, item, ',')) {
            const auto dash = item.find('-');
            const int first = std::stoi(item.substr(0, dash));
            const int last = dash == std::string::npos ? first : std::stoi(item.substr(dash + 1));
            for (int code = first; code <= last; ++code)
                EXPECT_TRUE(kinds.emplace(code, kind).second) << code << " listed twice";
        }
    }
    return kinds;
}

} // namespace

TEST(IncomeKinds, EveryFourDigitCodeHasItsListedKindOrSeven)
{
    const auto kinds = listedKinds();
    for (int code = 0; code <= 10000; ++code) {
        const auto listed = kinds.find(code);
        const std::string expected = listed == kinds.end() ? "07" : listed->second;
        EXPECT_EQ(IncomeKindText(code), expected) << code;
        EXPECT_EQ(IncomeKindCode(code), std::stoi(expected)) << code;
        EXPECT_EQ(IsIncomeKind8_10_17(code), expected == "08" || expected == "10" || expected == "17") << code;
    }
}

TEST(IncomeKinds, BoundariesAndGapsOfTheRanges)
{
    struct Case {
        std::int32_t code;
        const char* kind;
    } const cases[] = {
        {2000, "10"}, {2004, "10"}, {2005, "07"}, {2011, "07"}, {2012, "10"}, {2015, "10"}, {2016, "07"},
        {1529, "07"}, {1530, "03"}, {1533, "03"}, {1534, "07"}, {1535, "03"}, {1538, "03"}, {1539, "07"},
        {1540, "10"}, {1541, "07"}, {1542, "10"}, {1543, "07"}, {1544, "03"}, {1549, "03"}, {1550, "10"},
        {1551, "03"}, {1552, "03"}, {1553, "07"}, {1199, "07"}, {1200, "17"}, {1203, "17"}, {1204, "07"},
        {1214, "07"}, {1399, "07"}, {1400, "08"}, {1402, "08"}, {1403, "07"}, {2200, "07"}, {2201, "10"},
        {2210, "10"}, {2211, "07"}, {2759, "07"}, {2760, "10"}, {2763, "10"}, {2764, "07"}, {2798, "07"},
        {2799, "10"}, {2800, "10"}, {2801, "07"}, {9536, "07"}, {9537, "03"}, {9539, "07"}, {9552, "03"},
        {9553, "07"}, {0, "07"}, {-1010, "07"}, {101000, "07"}, {2147483647, "07"}, {-2147483647 - 1, "07"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IncomeKindText(c.code), c.kind) << c.code;
}

TEST(IncomeKinds, OtherRateLinesHaveFourKinds)
{
    struct Case {
        std::int32_t code;
        const char* text;
        int kind;
    } const cases[] = {
        {1005, "22", 22}, {1010, "21", 21}, {6015, "15", 15}, {1000, "20", 20},
        {1530, "20", 20}, {0, "20", 20},    {6014, "20", 20}, {1006, "20", 20},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeductionKindText(c.code), c.text) << c.code;
        EXPECT_EQ(DeductionKindCode(c.code), c.kind) << c.code;
    }
}
