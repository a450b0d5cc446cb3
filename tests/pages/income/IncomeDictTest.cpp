// The income and deduction code dictionary: the document generated from resources/IncomeDict.txt,
// its generator, and the program's reading of it.
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"
#include "pages/income/IncomeDict.h"
#include "tests/support/SourceTreeFiles.h"

namespace {

const QString Table = sourceTreeFile("resources/IncomeDict.txt");
const QString Dictionary = sourceTreeFile("resources/IncomeDict.xml");
const QString Generator = sourceTreeFile("scripts/generate-income-dict");

std::string xpath(const std::string& expression)
{
    return xpathValue(Dictionary, expression);
}

std::string count(const std::string& path)
{
    return xpath("count(" + path + ")");
}

// The codes of the elements an XPath selects, in document order, blank-separated.
std::string codes(const std::string& path)
{
    std::string joined;
    for (int index = 1;; ++index) {
        const std::string code = xpath("string((" + path + ")[" + std::to_string(index) + "]/@Code)");
        if (code.empty())
            return joined;
        joined += (joined.empty() ? "" : " ") + code;
    }
}

TEST(IncomeDictDocument, IsWindows1251WithCrLfAndTwoBlankIndentation)
{
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(Dictionary) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
    const QByteArray bytes = fileBytes(Dictionary);
    EXPECT_TRUE(bytes.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<IncomeDict>\r\n"));
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.back(), QByteArray());
    for (qsizetype index = 0; index + 1 < lines.size(); ++index) {
        const QByteArray& line = lines[index];
        SCOPED_TRACE(index + 1);
        ASSERT_TRUE(line.endsWith('\r'));
        const bool wellIndented = index < 2 || line == "</IncomeDict>\r" || line.startsWith("  <Income ")
            || line == "  </Income>\r" || line.startsWith("    <Deduction ");
        ASSERT_TRUE(wellIndented) << line.toStdString();
    }
}

// Every fact the pages rely on, so that the table can be edited safely.
TEST(IncomeDictDocument, HoldsWhatThePagesRelyOn)
{
    EXPECT_EQ(count("/IncomeDict/*"), "145");
    EXPECT_EQ(count("/IncomeDict/Income"), "145");
    EXPECT_EQ(count("//Deduction"), "213");
    EXPECT_EQ(count("/IncomeDict/Income/Deduction"), "213");
    EXPECT_EQ(count("/IncomeDict/Income[Deduction]"), "77");
    EXPECT_EQ(count("/IncomeDict/@*"), "0");

    // The total income comes first and carries the deductions an employer grants.
    EXPECT_EQ(xpath("string(/IncomeDict/Income[1]/@Code)"), "0000");
    EXPECT_EQ(xpath("string(/IncomeDict/Income[1]/@Stav)"), "0");
    EXPECT_EQ(xpath("string(/IncomeDict/Income[1]/@Name)"), "Совокупный доход ");
    EXPECT_EQ(xpath("string(/IncomeDict/Income[1]/@SaleDate)"), "False");
    EXPECT_EQ(count("/IncomeDict/Income[1]/@*"), "4");
    EXPECT_EQ(codes("/IncomeDict/Income[1]/Deduction"),
              "104 105 126 127 128 129 130 131 132 133 134 135 136 137 138 139 140 141 142 143 144 145 146 147 "
              "148 149 311 312 320 321 323 324 325 326 327 328");
    EXPECT_EQ(xpath("string(/IncomeDict/Income[1]/Deduction[@Code=\"104\"]/@Name)"),
              "Стандартный вычет (500 рублей в месяц на налогоплательщика)");

    const struct {
        const char* path;
        const char* count;
    } counts[] = {
        {"//Income[@Stav=\"13/15\"]", "99"}, {"//Income[@Stav=\"13\"]", "33"}, {"//Income[@Stav=\"35\"]", "4"},
        {"//Income[@Stav=\"15\"]", "2"},      {"//Income[@Stav=\"9\"]", "2"},   {"//Income[@Stav=\"30\"]", "1"},
        {"//Income[@Stav=\"5\"]", "1"},       {"//Income[@Stav=\"77\"]", "1"},  {"//Income[@Stav=\"888\"]", "1"},
        {"//Income[@Stav=\"0\"]", "1"},       {"//Income[@RF=\"True\"]", "111"}, {"//Income[@RF]", "111"},
        {"//Income[@Foreign=\"True\"]", "102"}, {"//Income[@Foreign]", "102"},
        {"//Income[@NRez=\"True\"]", "115"},  {"//Income[@NRez]", "115"},
        {"//Income[@NRez13=\"True\"]", "15"}, {"//Income[@NRez13]", "15"},
        {"//Income[@NoNA=\"True\"]", "9"},    {"//Income[@NoNA]", "9"},
        {"//Income[@IT=\"True\"]", "12"},     {"//Income[@IT]", "12"},
        {"//Income[@SaleDate=\"True\"]", "41"}, {"//Income[@SaleDate=\"False\"]", "1"}, {"//Income[@SaleDate]", "42"},
        {"//Income[not(@Code) or not(@Name) or not(@Stav)]", "0"},
        {"//Deduction[count(@*) != 7]", "0"},
        {"//Deduction[@Code=\"0\"]", "76"},
        {"//Deduction[@Code=\"0\"][@Name=\"Не предоставлять вычет\"][@Visible=\"False\"][@MaxSum=\"0\"]", "76"},
        {"/IncomeDict/Income[position() > 1][Deduction][Deduction[last()]/@Code != \"0\"]", "0"},
        {"//Deduction[@Stav=\" \"]", "204"},
        {"//Deduction[@Stav=\"20\" or @Stav=\"25\" or @Stav=\"30\" or @Stav=\"40\"]", "9"},
        {"//Deduction[@MaxSum=\"0\"]", "135"},
    };
    for (const auto& fact : counts) {
        SCOPED_TRACE(fact.path);
        EXPECT_EQ(count(fact.path), fact.count);
    }

    EXPECT_EQ(codes("//Income[@IT]"), "5002 5005 5009 5011 5013 5014 5017 5020 5024 5026 5028 5029");
    EXPECT_EQ(codes("//Income[@NoNA]"), "1510 1510 1511 1512 1512 1520 1520 1521 1521");
    // Codes that stand more than once, each time with other attributes.
    EXPECT_EQ(codes("/IncomeDict/Income[@Code = preceding-sibling::Income/@Code]"),
              "1010 1401 1510 1512 1520 1521 2000 2002 2012 2720 2760 4800 4800");
    EXPECT_EQ(count("/IncomeDict/Income[@Code=\"1010\"][1][@Stav=\"13/15\"][@RF][@Foreign]"), "1");
    EXPECT_EQ(count("/IncomeDict/Income[@Code=\"1010\"][2][@Stav=\"15\"][@NRez13][not(@RF)]"), "1");
    EXPECT_EQ(xpath("concat(//Income[@Code=\"4800\"][1]/@Stav, \" \", //Income[@Code=\"4800\"][2]/@Stav, \" \", "
                    "//Income[@Code=\"4800\"][3]/@Stav)"),
              "13 15 77");

    // The MaxSum texts are amounts with a decimal comma, from one known set.
    EXPECT_EQ(count("//Deduction[not(@MaxSum=\"0\" or @MaxSum=\"999999,99\" or @MaxSum=\"999999999999,99\" or "
                    "@MaxSum=\"4000\" or @MaxSum=\"250000\" or @MaxSum=\"120000\" or @MaxSum=\"1000000\" or "
                    "@MaxSum=\"42500\" or @MaxSum=\"6000\" or @MaxSum=\"36000\" or @MaxSum=\"2000000,00\" or "
                    "@MaxSum=\"99999999,99\" or @MaxSum=\"12000\" or @MaxSum=\"9999999,99\" or @MaxSum=\"10000\" or "
                    "@MaxSum=\"50000\")]"),
              "0");
}

TEST(IncomeDictDocument, HoldsTheRowsThePagesName)
{
    const struct {
        const char* path;
        const char* count;
    } rows[] = {
        {"//Income[@Code=\"2720\"][1][@Stav=\"13\"][@RF][@NRez][not(@Foreign)]", "1"},
        {"//Income[@Code=\"2720\"][1]/Deduction[@Code=\"501\"][@Visible=\"True\"][@Enabled=\"True\"]"
         "[@Equivalent=\"True\"][@MaxSum=\"4000\"]",
         "1"},
        {"//Income[@Code=\"1510\"][1][@Stav=\"13\"][@NoNA][@NRez][@SaleDate=\"True\"]", "1"},
        {"//Income[@Code=\"1510\"][1]/Deduction[@Code=\"901\"][@Enabled=\"False\"][@Equivalent=\"True\"]"
         "[@MaxSum=\"1000000\"]",
         "1"},
        {"//Income[@Code=\"6014\"][@Stav=\"13/15\"]/Deduction[@Code=\"914\"][@Equivalent=\"True\"][@MaxSum=\"42500\"]",
         "1"},
        {"//Income[@Code=\"6015\"][@Stav=\"13/15\"][@NRez13][not(@RF)][not(@Foreign)][not(@NRez)]", "1"},
        {"//Income[@Code=\"6015\"]/Deduction[@Code=\"915\"][@Equivalent=\"True\"][@MaxSum=\"42500\"]", "1"},
        {"//Income[@Code=\"1003\"][@Stav=\"888\"][not(@RF)][not(@NoNA)][not(@Foreign)][not(@NRez)][not(@NRez13)]",
         "1"},
        {"//Income[@Code=\"6024\"][@Stav=\"30\"][@Foreign][not(@RF)][not(@NRez)][not(@NRez13)]", "1"},
        {"//Income[@Code=\"2610\"][@Stav=\"35\"][@RF]", "1"},
        {"//Income[@Code=\"1110\"][@Stav=\"9\"][@RF]", "1"},
        {"//Income[@Code=\"2799\"]/Deduction[@Code=\"599\"]", "1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(count(row.path), row.count);
    }
    EXPECT_EQ(codes("//Income[@Code=\"1510\"][1]/Deduction"), "901 903 0");

    // The deductions of sales and of property rights, each under the income it reduces; a sale of
    // property is taxed at 13 % whatever the year's income, so no sale is offered at 15 %.
    const struct {
        const char* code;
        const char* deductions;
    } sales[] = {
        {"1510", "901 903 0"}, {"1511", "904 903 0"}, {"1512", "902 903 0"}, {"1520", "906 903 0"},
        {"1521", "906 903 0"}, {"1540", "315 905 0"}, {"1542", "316 907 0"}, {"1550", "314 0"},
        {"1560", "317 0"},     {"1570", "318 0"},     {"4900", "908 0"},     {"4910", "910 0"},
        {"4920", "912 0"},     {"1544", "225 0"},     {"1010", ""},          {"1012", ""},
        {"4800", ""},          {"2721", ""},
    };
    for (const auto& sale : sales) {
        SCOPED_TRACE(sale.code);
        EXPECT_EQ(codes("//Income[@Code=\"" + std::string(sale.code) + "\"][1]/Deduction"), sale.deductions);
        EXPECT_EQ(codes("//Income[@Code=\"" + std::string(sale.code) + "\"][last()]/Deduction"), sale.deductions);
    }
    for (const char* code : {"1510", "1511", "1512", "1520", "1521", "2721"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(count("//Income[@Code=\"" + std::string(code) + "\"][@Stav!=\"13\"]"), "0");
    }
    EXPECT_EQ(xpath("string(//Income[@Code=\"1511\"]/@Name)"),
              "Доходы от продажи доли (ее части) в жилом доме, квартире, комнате, садовом доме, земельном участке");
    EXPECT_EQ(xpath("string(//Income[@Code=\"1512\"][1]/@Name)"), "Доходы от продажи иного недвижимого имущества");
    const struct {
        const char* path;
        const char* maxSum;
    } caps[] = {
        {"//Income[@Code=\"1510\"][1]/Deduction[@Code=\"901\"]", "1000000"},
        {"//Income[@Code=\"1511\"]/Deduction[@Code=\"904\"]", "1000000"},
        {"//Income[@Code=\"1512\"][1]/Deduction[@Code=\"902\"]", "250000"},
        {"//Income[@Code=\"1520\"][1]/Deduction[@Code=\"906\"]", "250000"},
        {"//Income[@Code=\"1521\"][1]/Deduction[@Code=\"906\"]", "250000"},
        {"//Income[@Code=\"1540\"]/Deduction[@Code=\"905\"]", "250000"},
        {"//Income[@Code=\"1542\"]/Deduction[@Code=\"907\"]", "250000"},
        {"//Income[@Code=\"2762\"]/Deduction[@Code=\"508\"]", "50000"},
        {"//Income[@Code=\"2763\"]/Deduction[@Code=\"512\"]", "4000"},
    };
    for (const auto& cap : caps) {
        SCOPED_TRACE(cap.path);
        EXPECT_EQ(xpath("string(" + std::string(cap.path) + "/@MaxSum)"), cap.maxSum);
        EXPECT_EQ(xpath("string(" + std::string(cap.path) + "/@Equivalent)"), "True");
    }
    EXPECT_EQ(codes("//Income[@Code=\"2720\"][1]/Deduction"), "501 0");

    // Author's fees: the costs actually made, or a fixed share of the income.
    const char* const percentages[] = {"20", "30", "30", "25", "40", "25", "20", "20", "30"};
    for (int code = 2201; code <= 2209; ++code) {
        SCOPED_TRACE(code);
        const std::string income = "//Income[@Code=\"" + std::to_string(code) + "\"][1]";
        EXPECT_EQ(codes(income + "/Deduction"), "404 405 0");
        EXPECT_EQ(xpath("string(" + income + "/Deduction[@Code=\"405\"]/@Stav)"), percentages[code - 2201]);
        EXPECT_EQ(xpath("string(" + income + "/Deduction[@Code=\"405\"]/@Enabled)"), "False");
    }
}

TEST(IncomeDictDocument, IsWhatTheGeneratorMakesOfTheTable)
{
    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("IncomeDict.xml"));
    ASSERT_EQ(runCommand(quoted(Generator) + " " + quoted(Table) + " " + quoted(target) + " 2>&1").second, 0);
    EXPECT_EQ(fileBytes(target), fileBytes(Dictionary));
}

TEST(IncomeDictGenerator, RefusesADamagedTableWithoutWriting)
{
    const QByteArray table = fileBytes(Table);
    const QByteArray firstIncome = "0000 0     NotSale";
    const QByteArray anyIncome = "\n2000 13/15 ";
    const QByteArray anyDeduction = "\n    - 104 -  V,E   6000 ";
    ASSERT_TRUE(table.contains(firstIncome) && table.contains(anyIncome) && table.contains(anyDeduction));
    const struct {
        const char* fault;
        QByteArray damaged;
    } cases[] = {
        {"an unknown rate", QByteArray(table).replace(anyIncome, "\n2000 14 ")},
        {"an unknown flag", QByteArray(table).replace(anyIncome, "\n2000 13/15 Abroad ")},
        {"a three-digit income code", QByteArray(table).replace(anyIncome, "\n200 13/15 ")},
        {"a deduction flag other than V, E and Q", QByteArray(table).replace(anyDeduction, "\n    - 104 -  V,X   6000 ")},
        {"a maximum sum with a decimal point", QByteArray(table).replace(anyDeduction, "\n    - 104 -  V,E   6000.00 ")},
        {"a percentage over 100", QByteArray(table).replace(anyDeduction, "\n    - 104 150  V,E   6000 ")},
        {"a name with no windows-1251 code", QByteArray(table).replace("\"Дивиденды\"", "\"Дивиденды ✓\"")},
        {"an empty name", QByteArray(table).replace("\"Дивиденды\"", "\" \"")},
        {"another income before the total", QByteArray(table).replace(firstIncome, "0001 0     NotSale")},
        {"a line of neither kind", table + "\n2000 13/15 RF \"unclosed\n"},
    };
    QTemporaryDir folder;
    const QString damagedTable = folder.filePath(QStringLiteral("IncomeDict.txt"));
    const QString target = folder.filePath(QStringLiteral("IncomeDict.xml"));
    const QByteArray before = "<earlier/>";
    for (const auto& item : cases) {
        SCOPED_TRACE(item.fault);
        ASSERT_NE(item.damaged, table);
        ASSERT_TRUE(writeBytes(damagedTable, item.damaged));
        ASSERT_TRUE(writeBytes(target, before));
        const auto [output, status] =
            runCommand(quoted(Generator) + " " + quoted(damagedTable) + " " + quoted(target) + " 2>&1");
        EXPECT_EQ(status, 1);
        EXPECT_NE(output.find("line"), std::string::npos) << output;
        EXPECT_EQ(fileBytes(target), before);
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary file is left";
}

TEST(IncomeDict, ReadsTheBuiltInDictionary)
{
    const IncomeDict& dictionary = IncomeDict::builtIn();
    ASSERT_EQ(dictionary.incomes().size(), 145u);
    EXPECT_EQ(dictionary.employerDeductions().code, "0000");
    EXPECT_EQ(dictionary.employerDeductions().deductions.size(), 36u);

    // A code that stands twice is found as its first entry.
    const DictionaryIncome* dividends = dictionary.income(u"1010");
    ASSERT_NE(dividends, nullptr);
    EXPECT_EQ(dividends->rates, "13/15");
    EXPECT_TRUE(dividends->russian && dividends->foreign && dividends->nonResident);
    EXPECT_FALSE(dividends->nonResidentAtRate);

    const DictionaryIncome* flat = dictionary.income(u"1510");
    ASSERT_NE(flat, nullptr);
    EXPECT_TRUE(flat->saleDate && flat->notAgentIncome && !flat->russian);
    const DictionaryDeduction* saleDeduction = flat->deduction(u"901");
    ASSERT_NE(saleDeduction, nullptr);
    EXPECT_FALSE(saleDeduction->enabled);
    EXPECT_TRUE(saleDeduction->equivalent);
    EXPECT_EQ(saleDeduction->maxSum, Currency::fromWholeRoubles(1000000));
    EXPECT_EQ(flat->deduction(u"501"), nullptr);

    const DictionaryIncome* fees = dictionary.income(u"2204");
    ASSERT_NE(fees, nullptr);
    EXPECT_EQ(fees->deduction(u"405")->percent, 25);
    EXPECT_EQ(fees->deduction(u"404")->percent, 0);
    EXPECT_EQ(dictionary.employerDeductions().deduction(u"126")->maxSum, Currency::fromUnits(999999'9900));
    const DictionaryDeduction* none = dictionary.income(u"2720")->deduction(u"0");
    ASSERT_NE(none, nullptr);
    EXPECT_FALSE(none->visible);
    EXPECT_EQ(none->maxSum, Currency());

    // Unknown codes are no income at all, never a neighbour's.
    EXPECT_EQ(dictionary.income(u"9999"), nullptr);
    EXPECT_EQ(dictionary.income(u""), nullptr);
    EXPECT_EQ(unknownIncomeCodeMessage(u"9999"), "Код дохода 9999 не найден в справочнике видов доходов");
}

TEST(IncomeDict, RefusesADamagedDictionary)
{
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><IncomeDict>"
                            "<Income Stav=\"0\" Code=\"0000\" Name=\"Совокупный доход \"/>";
    const struct {
        const char* fault;
        QByteArray text;
    } cases[] = {
        {"no income", "<IncomeDict/>"},
        {"the total income not first", "<IncomeDict><Income Stav=\"13\" Code=\"2000\" Name=\"x\"/></IncomeDict>"},
        {"an income without a rate", head + "<Income Code=\"2000\" Name=\"x\"/></IncomeDict>"},
        {"a deduction without a maximum", head + "<Income Stav=\"13\" Code=\"2000\" Name=\"x\"><Deduction Code=\"0\" "
                                                 "Name=\"y\" Stav=\" \" Visible=\"False\" Enabled=\"False\" "
                                                 "Equivalent=\"False\"/></Income></IncomeDict>"},
        {"a maximum that is no amount", head + "<Income Stav=\"13\" Code=\"2000\" Name=\"x\"><Deduction Code=\"0\" "
                                                  "Name=\"y\" Stav=\" \" Visible=\"False\" Enabled=\"False\" "
                                                  "Equivalent=\"False\" MaxSum=\"4000 руб.\"/></Income></IncomeDict>"},
        {"a percentage that is no number", head + "<Income Stav=\"13\" Code=\"2000\" Name=\"x\"><Deduction Code=\"0\" "
                                                  "Name=\"y\" Stav=\"x\" Visible=\"False\" Enabled=\"False\" "
                                                  "Equivalent=\"False\" MaxSum=\"0\"/></Income></IncomeDict>"},
    };
    for (const auto& item : cases) {
        SCOPED_TRACE(item.fault);
        EXPECT_THROW(IncomeDict{parseReferenceXml(item.text)}, ReferenceFileError);
    }
}

} // namespace
