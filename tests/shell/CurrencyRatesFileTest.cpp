// The currency rate directory shipped with the program, resources/CurrencyRates.xml, and its
// generator scripts/generate-currency-rates.
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "controls/ReferenceDocument.h"
#include "pages/income/CurrencyRates.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/GeneratorRuns.h"

namespace {

const QString ShippedDirectory = sourceTreeFile("resources/CurrencyRates.xml");
const QString Generator = sourceTreeFile("scripts/generate-currency-rates");

std::string xpath(const std::string& expression)
{
    return xpathValue(ShippedDirectory, expression);
}

std::string rateXpath(const char* code, const char* date, const char* attribute)
{
    return xpath(std::string("string(/CurrencyRates/Currency[@Code=\"") + code + "\"]/Rate[@Date=\"" + date + "\"]/@"
                 + attribute + ")");
}

const ReferenceElement& shippedRoot()
{
    static const ReferenceElement root = readReferenceFile(ShippedDirectory);
    return root;
}

TEST(CurrencyRatesFile, ShippedDirectoryHoldsTheIsoCurrenciesAndTheBanksRatesOf2021)
{
    EXPECT_EQ(runCommand("xmllint --noout " + quoted(ShippedDirectory) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
    EXPECT_TRUE(fileBytes(ShippedDirectory).startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"));
    // The currencies of ISO 4217 with a numeric code, as iso-codes 4.15.0 lists them.
    EXPECT_EQ(xpath("count(/CurrencyRates/Currency)"), "181");
    EXPECT_EQ(xpath("count(/CurrencyRates/*)"), "181");

    const struct {
        const char* code;
        const char* name;
        const char* rates; // each of 2021 and the last one of 2020
    } currencies[] = {
        {"840", "Доллар США", "249"}, {"978", "Евро", "249"},           {"949", "Турецкая лира", "249"},
        {"051", "Армянский драм", "249"}, {"975", "Болгарский лев", "249"}, {"756", "Швейцарский франк", "0"},
        {"643", "Российский рубль", "0"}, {"944", "Азербайджанский манат", "0"}, {"981", "Лари", "0"},
    };
    for (const auto& currency : currencies) {
        SCOPED_TRACE(currency.code);
        const std::string element = std::string("/CurrencyRates/Currency[@Code=\"") + currency.code + "\"]";
        EXPECT_EQ(xpath("count(" + element + ")"), "1");
        EXPECT_EQ(xpath("string(" + element + "/@Name)"), currency.name);
        EXPECT_EQ(xpath("count(" + element + "/Rate)"), currency.rates);
        EXPECT_EQ(xpath("count(" + element + "/*)"), currency.rates);
    }
    EXPECT_EQ(xpath("count(//Rate[not(contains(@Date, \".2021\")) and @Date != \"31.12.2020\"])"), "0");

    // Figures of the bank's exports, with the decimal comma and all four decimals.
    const struct {
        const char* code;
        const char* date;
        const char* rate;
        const char* quantity;
    } rates[] = {
        {"840", "31.12.2020", "73,8757", "1"},   {"840", "01.01.2021", "73,8757", "1"},
        {"840", "16.01.2021", "73,5453", "1"},   {"840", "01.07.2021", "72,7234", "1"},
        {"840", "31.12.2021", "74,2926", "1"},   {"978", "12.01.2021", "90,8123", "1"},
        {"978", "30.12.2021", "83,2040", "1"},   {"949", "31.12.2020", "10,0887", "1"},
        {"949", "12.01.2021", "10,0102", "1"},   {"949", "13.01.2021", "99,6048", "10"},
        {"949", "31.12.2021", "57,8432", "10"},  {"051", "13.01.2021", "14,1933", "100"},
        {"051", "31.12.2021", "15,5164", "100"}, {"975", "01.07.2021", "44,2195", "1"},
    };
    for (const auto& rate : rates) {
        SCOPED_TRACE(std::string(rate.code) + " " + rate.date);
        EXPECT_EQ(rateXpath(rate.code, rate.date, "Rate"), rate.rate);
        EXPECT_EQ(rateXpath(rate.code, rate.date, "Quantity"), rate.quantity);
    }
}

TEST(CurrencyRatesFile, ShippedDirectoryIsOrderedByCodeAndDate)
{
    const ReferenceElement& root = shippedRoot();
    ASSERT_EQ(root.children.size(), 181u);
    const QRegularExpression threeDigits(QStringLiteral("^[0-9]{3}$"));
    const QRegularExpression rateForm(QStringLiteral("^[0-9]{1,5},[0-9]{4}$"));
    const QRegularExpression quantityForm(QStringLiteral("^[1-9][0-9]{0,6}$"));
    QString previousCode;
    for (const ReferenceElement& currency : root.children) {
        const QString code = currency.attribute(u"Code");
        SCOPED_TRACE(code.toStdString());
        EXPECT_TRUE(threeDigits.match(code).hasMatch());
        EXPECT_GT(code, previousCode);
        EXPECT_FALSE(currency.attribute(u"Name").isEmpty());
        previousCode = code;
        QDate previousDate;
        for (const ReferenceElement& rate : currency.children) {
            const QDate date = QDate::fromString(rate.attribute(u"Date"), QStringLiteral("dd.MM.yyyy"));
            SCOPED_TRACE(rate.attribute(u"Date").toStdString());
            EXPECT_TRUE(date.isValid());
            EXPECT_GT(date, previousDate);
            EXPECT_TRUE(rateForm.match(rate.attribute(u"Rate")).hasMatch());
            EXPECT_TRUE(quantityForm.match(rate.attribute(u"Quantity")).hasMatch());
            previousDate = date;
        }
    }
}

TEST(CurrencyRatesFile, ProgramFindsTheRateInForceOnAnyDayOf2021)
{
    const struct {
        const char* name;
        const char* code;
        QDate date;
        const char* rate; // nullptr: none
        const char* quantity;
    } cases[] = {
        {"New Year's day", "840", {2021, 1, 1}, "73,8757", "1"},
        {"the holidays after it", "840", {2021, 1, 10}, "73,8757", "1"},
        {"the last day of 2020", "949", {2020, 12, 31}, "10,0887", "1"},
        {"a Sunday", "840", {2021, 1, 17}, "73,5453", "1"},
        {"a Sunday after the nominal changed", "949", {2021, 1, 17}, "99,2059", "10"},
        {"the last day of 2021", "978", {2021, 12, 31}, "84,0695", "1"},
        {"New Year's day of 2022", "840", {2022, 1, 1}, "74,2926", "1"},
        {"before the directory's rates", "840", {2020, 12, 30}, nullptr, nullptr},
        {"a currency without rates", "756", {2021, 6, 1}, nullptr, nullptr},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const std::optional<CurrencyRate> found = findRate(&shippedRoot(), QString::fromLatin1(test.code), test.date);
        ASSERT_EQ(found.has_value(), test.rate != nullptr);
        if (found) {
            EXPECT_EQ(found->rate.toStdString(), test.rate);
            EXPECT_EQ(found->quantity.toStdString(), test.quantity);
        }
    }
}

// A bank export of a few days around New Year, newest first as the bank writes it.
const std::string ExportHeader = "nominal;data;curs;cdx\n";
const std::string ExportRows = "1 000;13.01.2021;74.2663;Доллар США\n"
                               "1;12.01.2021;74.5157;Доллар США\n"
                               "1;01.01.2021;73.8757;Доллар США\n"
                               "1;31.12.2020;73.8757;Доллар США\n"
                               "1;30.12.2020;73.6567;Доллар США\n"
                               "1;11.01.2022;75.1315;Доллар США\n";

class CurrencyRatesGeneratorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // Runs the generator on an export of USD; gives its exit status and what it reported.
    std::pair<std::string, int> generate(const std::string& exportUtf8, const char* exportName = "cbr-rates-USD.csv")
    {
        const QString rates = folder.filePath(QLatin1String(exportName));
        EXPECT_TRUE(writeBytes(rates, QByteArray::fromStdString(exportUtf8)));
        return runCommand("python3 " + quoted(Generator) + " " + quoted(rates) + " " + quoted(target())
                          + " 2>&1 >/dev/null");
    }
    QString target() const { return folder.filePath(QStringLiteral("CurrencyRates.xml")); }

    QTemporaryDir folder;
};

TEST_F(CurrencyRatesGeneratorTest, WritesTheRatesInForceIn2021InDateOrder)
{
    ASSERT_EQ(generate(ExportHeader + ExportRows).second, 0);

    EXPECT_EQ(runCommand("xmllint --noout " + quoted(target()) + " 2>&1"), (std::pair<std::string, int>{"", 0}));
    const QByteArray written = fileBytes(target());
    EXPECT_TRUE(written.startsWith("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<CurrencyRates>\n"));
    EXPECT_TRUE(written.contains("  <Currency Code=\"840\" Name=\"\xC4\xEE\xEB\xEB\xE0\xF0 \xD1\xD8\xC0\">\n"
                                 "    <Rate Date=\"31.12.2020\" Rate=\"73,8757\" Quantity=\"1\"/>\n"
                                 "    <Rate Date=\"01.01.2021\" Rate=\"73,8757\" Quantity=\"1\"/>\n"
                                 "    <Rate Date=\"12.01.2021\" Rate=\"74,5157\" Quantity=\"1\"/>\n"
                                 "    <Rate Date=\"13.01.2021\" Rate=\"74,2663\" Quantity=\"1000\"/>\n"
                                 "  </Currency>\n"));
    EXPECT_EQ(xpathValue(target(), "count(//Rate)"), "4");
    EXPECT_EQ(xpathValue(target(), "string(/CurrencyRates/Currency[@Code=\"978\"]/@Name)"), "Евро");
}

TEST_F(CurrencyRatesGeneratorTest, RefusesAFaultyExportAndKeepsTheTarget)
{
    const struct {
        const char* name;
        std::string text;
        const char* exportName;
        const char* reported; // what the message names
    } cases[] = {
        {"date out of the calendar", ExportHeader + ExportRows + "1;32.01.2021;74.0000;Доллар США\n",
         "cbr-rates-USD.csv", "cbr-rates-USD.csv, line 8"},
        {"date not DD.MM.YYYY", ExportHeader + "1;2021-01-05;74.0000;Доллар США\n" + ExportRows, "cbr-rates-USD.csv",
         "cbr-rates-USD.csv, line 2"},
        {"rate with letters", ExportHeader + "1;05.01.2021;7x.0000;Доллар США\n" + ExportRows, "cbr-rates-USD.csv",
         "line 2"},
        {"rate of zero", ExportHeader + "1;05.01.2021;0.0000;Доллар США\n" + ExportRows, "cbr-rates-USD.csv",
         "line 2"},
        {"negative rate", ExportHeader + "1;05.01.2021;-74.0000;Доллар США\n" + ExportRows, "cbr-rates-USD.csv",
         "line 2"},
        {"rate of six whole digits", ExportHeader + "1;05.01.2021;100000.0000;Доллар США\n" + ExportRows,
         "cbr-rates-USD.csv", "line 2"},
        {"rate of five decimals", ExportHeader + "1;05.01.2021;74.00001;Доллар США\n" + ExportRows,
         "cbr-rates-USD.csv", "line 2"},
        {"rate with a decimal comma", ExportHeader + "1;05.01.2021;74,0000;Доллар США\n" + ExportRows,
         "cbr-rates-USD.csv", "line 2"},
        {"nominal of zero", ExportHeader + "0;05.01.2021;74.0000;Доллар США\n" + ExportRows, "cbr-rates-USD.csv",
         "line 2"},
        {"nominal of eight digits", ExportHeader + "10000000;05.01.2021;74.0000;Доллар США\n" + ExportRows,
         "cbr-rates-USD.csv", "line 2"},
        {"nominal badly grouped", ExportHeader + "1 00;05.01.2021;74.0000;Доллар США\n" + ExportRows,
         "cbr-rates-USD.csv", "line 2"},
        {"nominal missing", ExportHeader + ";05.01.2021;74.0000;Доллар США\n" + ExportRows, "cbr-rates-USD.csv",
         "line 2"},
        {"another currency's name", ExportHeader + ExportRows + "1;05.01.2021;74.0000;Евро\n", "cbr-rates-USD.csv",
         "line 8"},
        {"name not Russian", ExportHeader + "1;05.01.2021;74.0000;US Dollar\n" + ExportRows, "cbr-rates-USD.csv",
         "line 2"},
        {"a field short", ExportHeader + "1;05.01.2021;74.0000\n" + ExportRows, "cbr-rates-USD.csv", "line 2"},
        {"a day twice", ExportHeader + "1;12.01.2021;74.0000;Доллар США\n" + ExportRows, "cbr-rates-USD.csv",
         "line 4"},
        {"not UTF-8", ExportHeader + "1;05.01.2021;74.0000;\xC4\xEE\xEB\xEB\xE0\xF0\n" + ExportRows,
         "cbr-rates-USD.csv", "line 2"},
        {"no header line", ExportRows, "cbr-rates-USD.csv", "cbr-rates-USD.csv"},
        {"no rate before 2021", ExportHeader + "1;12.01.2021;74.5157;Доллар США\n", "cbr-rates-USD.csv",
         "cbr-rates-USD.csv"},
        {"no rate of 2021", ExportHeader + "1;31.12.2020;73.8757;Доллар США\n", "cbr-rates-USD.csv",
         "cbr-rates-USD.csv"},
        {"no letter code in the name", ExportHeader + ExportRows, "rates.csv", "rates.csv"},
        {"unknown letter code", ExportHeader + ExportRows, "cbr-rates-XYZ.csv", "XYZ"},
    };
    // The generator reads the currency from the export's name.
    std::vector<RefusedInput> inputs;
    for (const auto& test : cases)
        inputs.push_back(
            {test.name, QLatin1String(test.exportName), QByteArray::fromStdString(test.text), {}, test.reported});
    expectEachRefused(Generator, folder.path(), QStringLiteral("CurrencyRates.xml"), inputs);
}

} // namespace
