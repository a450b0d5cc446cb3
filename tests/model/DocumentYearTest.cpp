#include "model/DocumentYear.h"

#include <gtest/gtest.h>

#include <optional>

TEST(DocumentYear, OnlyForvAndFourDigitsNameAYear)
{
    const struct {
        const char* docName;
        std::optional<int> year;
    } cases[] = {
        {"Forv2021", 2021},     {"Forv2004", 2004},     {"Forv0000", 0},
        {"Forv202", std::nullopt}, {"Forv20210", std::nullopt}, {"forv2021", std::nullopt},
        {"FORV2021", std::nullopt}, {"Forv-021", std::nullopt}, {"Forv+021", std::nullopt},
        {"Forv 021", std::nullopt}, {"Report", std::nullopt},   {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DocumentYear(c.docName), c.year) << c.docName;
}
