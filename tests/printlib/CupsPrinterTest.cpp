#include "CupsPrinter.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(CupsPrinterTest, UnknownPrinterIsNamedInTheError)
{
    const std::string report =
        utf8(errorReport([] { CupsPrinter::open(u"Нет такого принтера 7f3c"); }));
    EXPECT_NE(report.find("Не удалось открыть принтер: Нет такого принтера 7f3c."), std::string::npos) << report;
}

} // namespace
