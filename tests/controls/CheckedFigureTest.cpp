#include "controls/CheckedFigure.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>

#include <QLabel>

#include <gtest/gtest.h>

namespace {

const Currency Largest = Currency::fromUnits(std::numeric_limits<std::int64_t>::max());
const Currency Smallest = Currency::fromUnits(std::numeric_limits<std::int64_t>::min());
const Currency Unit = Currency::fromUnits(1);

TEST(CheckedFigureTest, AFigureBeyondTheRangeIsRefusedInItsPlace)
{
    struct Case {
        const char* name;
        std::function<Currency()> compute;
        const char* text;
    };
    const Case cases[] = {
        {"a sum within the range", [] { return Currency::fromWholeRoubles(1000) + Currency::fromUnits(5000); },
         "1000,5"},
        {"the largest amount", [] { return Largest; }, "922337203685477,5807"},
        {"a unit past the largest", [] { return Largest + Unit; }, "Вне диапазона"},
        {"a unit below the smallest", [] { return Smallest - Unit; }, "Вне диапазона"},
        {"a product past the range", [] { return Currency::fromWholeRoubles(10'000'000'000) * 100'000.0L; },
         "Вне диапазона"},
        {"whole roubles past the range", [] { return Currency::fromWholeRoubles(922'337'203'685'478); },
         "Вне диапазона"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        QLabel panel;
        panel.setToolTip(QStringLiteral("earlier"));
        showFigure(&panel, checkedFigure(test.compute));
        EXPECT_EQ(panel.text(), QString::fromUtf8(test.text));
        const bool refused = panel.text() == QStringLiteral("Вне диапазона");
        EXPECT_EQ(panel.toolTip(),
                  refused ? QStringLiteral("Сумма вне допустимого диапазона: она не может превышать 922337203685477 руб.")
                          : QString());
    }
}

TEST(CheckedFigureTest, AFieldShowsItsFigureInItsOwnWay)
{
    EXPECT_EQ(figureText(Currency(), moneyText), QString());
    EXPECT_EQ(figureText(Currency()), QStringLiteral("0"));
    EXPECT_EQ(figureText(std::nullopt, moneyText), QStringLiteral("Вне диапазона"));
}

TEST(CheckedFigureTest, AClearedFigureLeavesNoRefusalBehind)
{
    QLabel panel;
    showFigure(&panel, std::nullopt);
    ASSERT_FALSE(panel.toolTip().isEmpty());
    clearFigure(&panel);
    EXPECT_EQ(panel.text(), QString());
    EXPECT_EQ(panel.toolTip(), QString());
}

TEST(CheckedFigureTest, OnlyTheRangeIsCaught)
{
    EXPECT_THROW(checkedFigure([]() -> Currency { throw std::runtime_error("another fault"); }), std::runtime_error);
}

} // namespace
