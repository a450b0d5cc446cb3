#include "shell/DeclarationCheck.h"

#include <functional>
#include <memory>
#include <stdexcept>

#include <QPushButton>

#include <gtest/gtest.h>

#include "export/ExchangeFile.h"
#include "model/DayDate.h"
#include "pages/income/ConditionsRules.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/support/ExchangeSchema.h"

namespace {

Currency roubles(long long value)
{
    return Currency::fromWholeRoubles(value);
}

Currency kopecks(long long value)
{
    return Currency::fromUnits(value * 100);
}

mbTSourse& source(mTDeclaration& declaration, std::size_t number)
{
    return *declaration.GetSource(number - 1);
}

void removeSources(mTDeclaration& declaration)
{
    while (declaration.SourceCount() > 0)
        declaration.DeleteSource(0);
}

// The only source is a salary of `salary` roubles with `withheld` tax.
void onlyEmployer(mTDeclaration& declaration, long long salary, Currency withheld)
{
    removeSources(declaration);
    addEmployer(declaration, "ООО \"Ромашка\"", salary).WithheldTax13 = withheld;
}

void addSimplifiedIisPayment(mTDeclaration& declaration, Currency paidIn)
{
    bmTInfoIIS& account = *declaration.InvDeduct.GetInfoIIS(declaration.InvDeduct.AddInfoIIS());
    account.PaidIn = paidIn;
    account.SimplifiedSign = 1;
}

struct RuleCase {
    const char* name;
    std::function<void(mTDeclaration&)> spoil;
    const char* title;
    const char* message;
    std::uint16_t section;
    std::uint16_t element;
};

const char* const NoIncome = "В декларации не указано ни одного дохода. Отметьте на этой странице виды полученных "
                             "доходов и введите их на страницах доходов";
const char* const NoIncomeInRussia =
    "На странице «Задание условий» отмечены доходы, полученные в РФ, но на странице «Доходы, полученные в РФ» не "
    "введено ни одного дохода. Введите их на этой странице или снимите отметку на странице «Задание условий».";
const char* const NoForeignIncome =
    "На странице «Задание условий» отмечены доходы за пределами РФ, но на странице «Доходы за пределами РФ» не "
    "введено ни одного дохода. Введите их на этой странице или снимите отметку на странице «Задание условий».";
const char* const NoBusinessIncome =
    "На странице «Задание условий» отмечены доходы от предпринимательской деятельности, но на странице "
    "«Предприниматели» не введено ни одного дохода. Введите их на этой странице или снимите отметку на странице "
    "«Задание условий».";
const char* const KikNumberWrong =
    "По данному источнику номер КИК указан некорректно (состоит из двух букв и пяти цифр)";
const char* const QuarterOktmo = "Код ОКТМО должен содержать 8 или 11 числовых символов. (Если выбрано, что код ОКТМО "
                                 "менялся, то нужно заполнить код ОКТМО на каждый квартал)";

// Each declaration breaks exactly one rule.
const RuleCase ruleCases[] = {
    {"no tax office", [](mTDeclaration& d) { d.TaxOfficeCode.clear(); }, "Задание условий",
     "Не введен номер инспекции", 1, 1},
    {"a tax office of three digits", [](mTDeclaration& d) { d.TaxOfficeCode = "770"; }, "Задание условий",
     "Номер инспекции должен состоять из 4 цифр", 1, 1},
    {"representative without a name",
     [](mTDeclaration& d) {
         d.Signer = 1;
         d.RepresentativeName = "  ";
         d.RepresentativeDocument = "Доверенность 77 АБ 1234567";
     },
     "Задание условий", "Не указаны ФИО подписанта-представителя", 1, 3},
    {"representative without a document",
     [](mTDeclaration& d) {
         d.Signer = 1;
         d.RepresentativeName = "Петров Петр Петрович";
     },
     "Задание условий", "Не указан документ, подтверждающий полномочия представителя", 1, 4},
    // The exchange file holds no declaration without income: said here, before an export is tried.
    {"no income kinds at all",
     [](mTDeclaration& d) {
         d.SetIncomeKinds(0);
         d.SocialDeduct.Granted = 1;
     },
     "Задание условий", NoIncome, 1, 2},
    // A ticked kind whose page holds nothing: that page is the one to open.
    {"income in Russia ticked without income", removeSources, "Доходы в РФ", NoIncomeInRussia, 4, 1},
    {"income in Russia ticked with sources of no amount",
     [](mTDeclaration& d) {
         for (std::size_t i = 0; i < d.SourceCount(); ++i) {
             d.GetSource(i)->GetIncome13(0).Amount = Currency();
             d.GetSource(i)->WithheldTax13 = Currency();
         }
     },
     "Доходы в РФ", NoIncomeInRussia, 4, 1},
    {"foreign income ticked without income",
     [](mTDeclaration& d) {
         removeSources(d);
         d.SetIncomeKinds(IncomeKindForeign);
     },
     "Доходы в валюте", NoForeignIncome, 7, 1},
    {"business ticked without income",
     [](mTDeclaration& d) {
         removeSources(d);
         d.SetIncomeKinds(IncomeKindBusiness);
     },
     "Доходы от предпринимательской деятельности", NoBusinessIncome, 8, 1},
    {"no surname", [](mTDeclaration& d) { d.Person.Name.SurName.clear(); }, "Сведения о декларанте",
     "Не введена фамилия", 2, 1},
    {"no first name", [](mTDeclaration& d) { d.Person.Name.FirstName.clear(); }, "Сведения о декларанте",
     "Не введено имя", 2, 2},
    {"organisation's INN", [](mTDeclaration& d) { d.Person.Name.INN = "7707083893"; }, "Сведения о декларанте",
     "Длина ИНН должна быть равна 12 цифрам", 2, 4},
    {"INN with a wrong check digit", [](mTDeclaration& d) { d.Person.Name.INN = "770700010055"; },
     "Сведения о декларанте", "Номер ИНН введен неверно", 2, 4},
    {"entrepreneur without INN",
     [](mTDeclaration& d) {
         d.Person.Name.INN.clear();
         d.TaxpayerCategory = 0;
     },
     "Сведения о декларанте", "Лицам имеющим доходы от предпринимательской деятельности необходимо ввести ИНН", 2, 4},
    {"no INN and no identity document",
     [](mTDeclaration& d) {
         d.Person.Name.INN = " ";
         d.Person.Document.DocKind = 0;
     },
     "Сведения о декларанте", "Не указан документ, удостоверяющий личность", 2, 5},
    {"withheld more than the 13 % income", [](mTDeclaration& d) { source(d, 2).WithheldTax13 = roubles(100'001); },
     "Доходы, облагаемые ставкой 13%", "По данному источнику выплаты общая сумма дохода меньше удержанной суммы", 4, 2},
    {"source without income", [](mTDeclaration& d) { d.GetSource(d.AddSource())->Name = "ИП Сидоров"; },
     "Доходы, полученный в РФ", "По данному источнику не указаны доходы", 4, 3},
    {"base of kinds 08, 10, 17 above 5 million",
     [](mTDeclaration& d) {
         source(d, 2).AddIncome13(incomeLine(2000, roubles(5'000'000), 2));
         source(d, 2).WithheldTax13 = roubles(663'000);
     },
     "Доходы, облагаемые по ставке 13%",
     "В данном источнике в разделе 13% суммарная база по видам 08, 10, 17 превысила 5 миллионов рублей. Либо у вас "
     "неправильно заполнена справка 2-НДФЛ, либо данные со справки 2-НДФЛ введены некорректно",
     4, 2},
    {"employer's deductions above the 13 % income",
     [](mTDeclaration& d) {
         auto deduct = std::make_unique<mbTSSCDeduct>();
         deduct->Code = 126;
         deduct->Sum = roubles(100'001);
         source(d, 1).AddSSCDeduct(std::move(deduct));
     },
     "Доходы, облагаемые по ставке 13%",
     "По данному источнику выплаты общая сумма дохода, облагаемого по ставке 13% меньше суммы предоставленных "
     "стандартных, социальных и имущественных вычетов",
     4, 1},
    {"15 % lines without 13 % lines",
     [](mTDeclaration& d) {
         source(d, 2).DeleteIncome13(0);
         source(d, 2).WithheldTax13 = Currency();
         source(d, 2).AddIncome15(incomeLine(2000, roubles(100'000), 12));
     },
     "Доходы в РФ",
     "В источнике дохода не должны присутствовать доходы, облагаемые по ставке 15%, если отсутствуют доходы, облагаемые "
     "по ставке 13%",
     5, 2},
    {"15 % lines below 650 000 withheld at 13 %",
     [](mTDeclaration& d) { source(d, 1).AddIncome15(incomeLine(2000, roubles(100'000), 12)); }, "Доходы в РФ",
     "В источнике дохода не должны присутствовать доходы, облагаемые по ставке 15%, если по ставке 13% удержано менее "
     "650 000 рублей",
     4, 1},
    {"withheld more than the 15 % income", [](mTDeclaration& d) { source(d, 2).WithheldTax15 = roubles(1); },
     "Доходы, облагаемые по ставке 15%", "По данному источнику выплаты общая сумма дохода меньше удержанной суммы", 5,
     2},
    {"tax withheld at other rates without the source's OKTMO",
     [](mTDeclaration& d) {
         source(d, 2).Oktmo.clear();
         source(d, 2).WithheldTax13 = Currency();
         auto line = incomeLine(2000, roubles(1'000));
         line->WithheldTax = roubles(300);
         source(d, 2).AddIncome99(std::move(line));
     },
     "Доходы в РФ", "Для данного источника дохода нужно указать ОКТМО", 77, 2},
    {"simplified property deduction above the income",
     [](mTDeclaration& d) { d.ConstructionDeduct.SimplifiedDeduction = kopecks(20'000'001); }, "Общая проверка данных",
     "Общая сумма вычетов, предоставленных в упрощенном порядке превысила сумму доходов вида 08, 10 и 17", 11, 1},
    {"simplified investment deduction above the income",
     [](mTDeclaration& d) { addSimplifiedIisPayment(d, roubles(200'001)); }, "Общая проверка данных",
     "Общая сумма вычетов, предоставленных в упрощенном порядке превысила сумму доходов вида 08, 10 и 17", 14, 1},
    // 13 % of 50 roubles is 6,50, a whole 7 roubles.
    {"withheld below 13 % of the simplified deductions",
     [](mTDeclaration& d) {
         onlyEmployer(d, 100, roubles(6));
         addSimplifiedIisPayment(d, roubles(50));
     },
     "Общая проверка данных",
     "Общая сумма удержанного РФ налога по доходам вида 08, 10 и 17 не соответствует указанным в декларации вычетам, "
     "предоставленным в упрощенном порядке",
     14, 1},
    {"foreign income without currency",
     [](mTDeclaration& d) {
         addForeignIncome(d);
         addForeignIncome(d).CurrencyCode.clear();
     },
     "Доходы в валюте", "По данному источнику выплаты не указан код валюты", 7, 2},
    {"foreign income without rate", [](mTDeclaration& d) { addForeignIncome(d).IncomeDateRate = Currency(); },
     "Доходы в валюте", "По данному источнику выплаты не указан курс валюты", 7, 1},
    {"foreign income without rate units", [](mTDeclaration& d) { addForeignIncome(d).IncomeDateUnits = 0; },
     "Доходы в валюте", "По данному источнику выплаты не указан курс валюты", 7, 1},
    // 999 999 999 999,99 at 99 999,9999 roubles a unit is more than an amount holds.
    {"foreign income beyond the range in roubles",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeDateRate = Currency::fromUnits(999'999'999);
         income.IncomeAmount = Currency::fromUnits(9'999'999'999'999'900);
     },
     "Доходы в валюте",
     "По данному источнику выплаты сумма дохода в рублях вне допустимого диапазона. Проверьте сумму дохода в валюте "
     "и курс валюты на дату получения дохода",
     7, 1},
    {"foreign tax beyond the range in roubles",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.TaxDateRate = Currency::fromUnits(999'999'999);
         income.TaxAmount = Currency::fromUnits(9'999'999'999'999'900);
     },
     "Доходы в валюте",
     "По данному источнику выплаты сумма налога в рублях вне допустимого диапазона. Проверьте сумму налога в валюте "
     "и курс валюты на дату уплаты налога",
     7, 1},
    {"foreign income without code", [](mTDeclaration& d) { addForeignIncome(d).IncomeCode = 0; }, "Доходы в валюте",
     "По данному источнику выплаты не указан код дохода", 7, 1},
    {"dividends of a controlled company with a bad number",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 1003;
         income.CompanyNumber = "AB12345";
     },
     "Доходы в валюте",
     "Номер КИК указан некорректно (состоит из двух букв и пяти цифр, если КИК несколько - номер можно не указывать "
     "или указать любой по выбору)",
     7, 1},
    {"dividends of a controlled company beside its fixed profit",
     [](mTDeclaration& d) {
         addForeignIncome(d);
         addForeignIncome(d).IncomeCode = 1012;
         d.SetKIKItemNumber(1);
     },
     "Доходы в валюте",
     "В одной декларации не нужно отражать фиксированную прибыль КИК и доход в виде дивидендов от КИК", 7, 2},
    {"profit of a controlled company beside its fixed profit",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 1000;
         income.CompanyNumber = "AB123456";
         income.ProfitMethod = 1;
         d.SetKIKItemNumber(1);
     },
     "Доходы в валюте", "В одной декларации нельзя заявлять и фиксированную прибыль КИК и доход в виде прибыли КИК", 7,
     1},
    {"profit of a controlled company without its number",
     [](mTDeclaration& d) { addForeignIncome(d).IncomeCode = 1000; }, "Доходы в валюте",
     "По данному источнику необходимо указать номер КИК", 7, 1},
    {"profit of a controlled company with a bad number",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 1000;
         income.CompanyNumber = "AB12345";
     },
     "Доходы в валюте", KikNumberWrong, 7, 1},
    {"profit of a controlled company without the way of its profit",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 1000;
         income.CompanyNumber = "AB123456";
     },
     "Доходы в валюте", "По данному источнику не указан порядок определения прибыли КИК", 7, 1},
    {"foreign deduction without its sum", [](mTDeclaration& d) { addForeignIncome(d).DeductionCode = 601; },
     "Доходы в валюте", "По данному источнику выплаты не указана сумма вычета", 7, 1},
    {"documented expenses beside the 20 % norm",
     [](mTDeclaration& d) {
         addBusiness(d, "1");
         addBusiness(d, "2").ExpensesConfirmed = 0;
         addBusiness(d, "5").ExpensesConfirmed = 0;
     },
     "Доходы от предпринимательской деятельности",
     "Нельзя одновременно пользоваться и подтвержденными расходами и нормативом 20%.", 8, 3},
    {"expense parts above the total",
     [](mTDeclaration& d) {
         addBusiness(d);
         addBusiness(d).ExpenseSum = kopecks(49'999'950);
     },
     "Доходы от предпринимательской деятельности",
     "Общие расходы (499999,5) меньше суммы расходов материальных, на оплату труда, прочих и амортизационных "
     "отчислений (500000)",
     8, 2},
    {"OKTMO of the second quarter",
     [](mTDeclaration& d) {
         addBusiness(d);
         d.OKTMOChanged = 1;
         d.OKTMO1 = "45382000";
         d.OKTMO2 = "4538200";
         d.OKTMO3 = "45382000000";
     },
     "Доходы от предпринимательской деятельности", QuarterOktmo, 8, 32752},
    {"OKTMO of a quarter without business records",
     [](mTDeclaration& d) {
         d.SetIncomeKinds(d.IncomeKinds() | IncomeKindBusiness);
         d.OKTMOChanged = 1;
     },
     "Доходы от предпринимательской деятельности", QuarterOktmo, 8, 32751},
    {"refund of no sum",
     [](mTDeclaration& d) {
         addRefundApplication(d).RefundSum = Currency();
         addOffsetApplication(d);
     },
     "Возврат излишне уплаченного налога",
     "Нужно указать сумму возврата или поставить признак возврата всей суммы излишне уплаченного налога", 12, 1},
    {"refund without a bank", [](mTDeclaration& d) { addRefundApplication(d).BankName.clear(); },
     "Возврат излишне уплаченного налога", "Не указано наименование банка", 12, 1},
    {"refund with a short BIC", [](mTDeclaration& d) { addRefundApplication(d).BankBik = "04452522"; },
     "Возврат излишне уплаченного налога", "БИК не указан или имеет недопустимую длину", 12, 1},
    {"refund without the kind of account", [](mTDeclaration& d) { addRefundApplication(d).AccountKind = 0; },
     "Возврат излишне уплаченного налога", "Не указан вид счета", 12, 1},
    {"refund with a short account",
     [](mTDeclaration& d) { addRefundApplication(d).AccountNumber = "4081781009991000431"; },
     "Возврат излишне уплаченного налога", "Номер счета не указан или имеет недопустимую длину", 12, 1},
    {"offset without a tax office",
     [](mTDeclaration& d) {
         addRefundApplication(d);
         addOffsetApplication(d).TaxOfficeCode = "770";
     },
     "Зачет излишне уплаченного налога", "Не указан код налогового органа", 12, 2},
    {"offset with a short KBK", [](mTDeclaration& d) { addOffsetApplication(d).Kbk = "1821010201001100011"; },
     "Зачет излишне уплаченного налога",
     "КБК налога (недоимки, пени штрафа) не указан или имеет недостаточное количество числовых символов", 12, 1},
    {"offset with a bad OKTMO", [](mTDeclaration& d) { addOffsetApplication(d).Oktmo = "453820001"; },
     "Зачет излишне уплаченного налога", "ОКТМО должен содержать 8 или 11 числовых символов", 12, 1},
    {"offset of no sum", [](mTDeclaration& d) { addOffsetApplication(d).OffsetSum = Currency(); },
     "Зачет излишне уплаченного налога",
     "Не указана сумма, перечисляемая на уплату налога (недоимки, пени штрафа)", 12, 1},
    {"offset without its purpose", [](mTDeclaration& d) { addOffsetApplication(d).OffsetPurpose = 0; },
     "Зачет излишне уплаченного налога",
     "Не указано, в счет чего перечисляется сумма: налога или недоимки (пени штрафа)", 12, 1},
    {"offset with a period half typed", [](mTDeclaration& d) { addOffsetApplication(d).Note = "ГД.  .2021"; },
     "Зачет излишне уплаченного налога",
     "Налоговый (расчетный) период (код) не заполнен или заполнен не полностью", 12, 1},
    {"social deduction claimed and empty", [](mTDeclaration& d) { d.SocialDeduct.Granted = 1; }, "Социальные вычеты",
     "Не введены данные по социальным налоговым вычетам", 10, 1},
    {"standard deductions at two employers in one month",
     [](mTDeclaration& d) {
         d.StandardDeduct.Granted = 1;
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(2, roubles(1'400));
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(3, roubles(1'400));
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(3, roubles(1'400));
     },
     "Стандартные вычеты", "Вы не могли получать стандартные вычеты работая в нескольких местах ОДНОВРЕМЕННО.", 9, 2},
    {"investment accounts above 400 000",
     [](mTDeclaration& d) {
         addInvestmentAccount(d, roubles(300'000));
         addInvestmentAccount(d, kopecks(10'000'001));
     },
     "Инвестиционный налоговый вычет",
     "Общая сумма денежных средств на ИИС, заявляемая к вычету не может превосходить 400 000 рублей", 14, 1},
    {"OKTMO of residence of a bad length", [](mTDeclaration& d) { d.Person.Address.OKTMO = " 453820001 "; },
     "Задание условий", "Код ОКТМО (по месту жительства) должен содержать 8 или 11 символов", 1, 10},
    {"OKTMO of residence with a letter", [](mTDeclaration& d) { d.Person.Address.OKTMO = "4538200A"; },
     "Задание условий", "Код ОКТМО (по месту жительства) должен содержать 8 или 11 символов", 1, 10},
    {"no OKTMO of residence with neither tax to pay nor a refund",
     [](mTDeclaration& d) { d.Person.Address.OKTMO.clear(); }, "Задание условий",
     "Не введен код ОКТМО (8 или 11 симв.) по месту жительства", 1, 10},
    {"no OKTMO of residence with tax to pay",
     [](mTDeclaration& d) {
         d.Person.Address.OKTMO.clear();
         source(d, 1).WithheldTax13 = roubles(12'000);
     },
     "Задание условий", "Не введен код ОКТМО (8 или 11 симв.) по месту жительства", 1, 10},
    {"no OKTMO of residence with business income",
     [](mTDeclaration& d) {
         d.Person.Address.OKTMO.clear();
         addBusiness(d);
     },
     "Задание условий", "Не введен код ОКТМО (8 или 11 симв.) по месту жительства", 1, 10},
};

TEST(DeclarationCheck, ACheckedDeclarationPassesWithoutADialog)
{
    const auto declaration = checkedDeclaration();
    ScriptedCheckAnswers script;
    const TCheckAllResult result = checkWholeDeclaration(nullptr, *declaration);
    EXPECT_EQ(result.Element, 0);
    EXPECT_TRUE(script.shown.empty()) << script.shown.front().message.toStdString();
    EXPECT_EQ(declaration->IncomeKinds(), IncomeKindSources);
}

// "Исправить" ends the check with the rule's element; anything else ends it cancelled. Either way
// the first failure is the only one shown.
TEST(DeclarationCheck, EachRuleReportsItsSectionAndElement)
{
    for (const RuleCase& test : ruleCases) {
        SCOPED_TRACE(test.name);
        for (const int answer : {int(CheckFix), int(CheckSkip), int(CheckClosed)}) {
            SCOPED_TRACE(answer);
            const auto declaration = checkedDeclaration();
            test.spoil(*declaration);
            ScriptedCheckAnswers script;
            script.answers = {answer};

            const TCheckAllResult result = checkWholeDeclaration(nullptr, *declaration);

            ASSERT_EQ(script.shown.size(), 1u);
            EXPECT_EQ(script.shown[0].caption, QStringLiteral("Проверка: ") + QString::fromUtf8(test.title));
            EXPECT_EQ(script.shown[0].message, QString::fromUtf8(test.message));
            EXPECT_EQ(result.Section, test.section);
            EXPECT_EQ(result.Element, answer == CheckFix ? test.element : CheckCancelled);
        }
    }
}

struct PassCase {
    const char* name;
    std::function<void(mTDeclaration&)> change;
};

// Values at the edge of a rule, and rules that do not apply to the declaration.
const PassCase passCases[] = {
    {"a non-resident's source breaks resident rules only",
     [](mTDeclaration& d) {
         d.DeclarationType = DeclarationNonResident;
         source(d, 1).AddIncome15(incomeLine(2000, roubles(100'000), 12));
         d.SocialDeduct.Granted = 1;
     }},
    {"a foreign income whose deduction needs no sum",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 1530;
         income.DeductionCode = 201;
     }},
    {"dividends of a controlled company without a number",
     [](mTDeclaration& d) { addForeignIncome(d).IncomeCode = 1003; }},
    {"investment accounts of exactly 400 000",
     [](mTDeclaration& d) {
         addInvestmentAccount(d, roubles(400'000));
     }},
    {"withheld exactly 13 % of the simplified deductions, rounded up",
     [](mTDeclaration& d) {
         onlyEmployer(d, 100, roubles(7));
         addSimplifiedIisPayment(d, roubles(50));
     }},
    {"an expense deduction above its income without simplified deductions",
     [](mTDeclaration& d) { source(d, 1).GetIncome13(0).Deduction = roubles(150'000); }},
    {"no OKTMO of residence with a refund only",
     [](mTDeclaration& d) {
         d.Person.Address.OKTMO.clear();
         source(d, 2).WithheldTax13 = roubles(14'000);
     }},
    {"quarters' OKTMO unchanged", [](mTDeclaration& d) {
         addBusiness(d);
         d.OKTMO2 = "1";
     }},
    {"documented and normed expenses of kinds other than 1 and 5",
     [](mTDeclaration& d) {
         addBusiness(d, "2");
         addBusiness(d, "3").ExpensesConfirmed = 0;
     }},
    {"standard deductions at two employers in different months",
     [](mTDeclaration& d) {
         d.StandardDeduct.Granted = 1;
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(2, roubles(1'400));
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(3, roubles(1'400));
     }},
    {"a refund of the whole sum without an amount",
     [](mTDeclaration& d) {
         mTTrata& application = addRefundApplication(d);
         application.RefundSum = Currency();
         application.AllIn = 1;
     }},
    {"a closing business without income has its business sheet",
     [](mTDeclaration& d) {
         d.DeclarationType = DeclarationClosingBusiness;
         d.SetIncomeKinds(IncomeKindBusiness);
     }},
    // The nearest case on the silent side of each rule that has a threshold or a condition.
    {"no INN beside an identity document and no business",
     [](mTDeclaration& d) { d.Person.Name.INN.clear(); }},
    {"withheld exactly the 13 % income", [](mTDeclaration& d) { source(d, 2).WithheldTax13 = roubles(100'000); }},
    {"a source with income at other rates only",
     [](mTDeclaration& d) {
         mbTSourse& other = *d.GetSource(d.AddSource());
         other.Name = "ИП Сидоров";
         other.Oktmo = "45382000";
         other.AddIncome99(incomeLine(2000, roubles(1'000)));
     }},
    {"base of kinds 08, 10, 17 of exactly 5 million",
     [](mTDeclaration& d) { onlyEmployer(d, 5'000'000, roubles(650'000)); }},
    {"base of kinds 08, 10, 17 of 5 million after the employer's deductions",
     [](mTDeclaration& d) {
         onlyEmployer(d, 5'000'100, roubles(650'000));
         auto deduct = std::make_unique<mbTSSCDeduct>();
         deduct->Code = 126;
         deduct->Sum = roubles(100);
         source(d, 1).AddSSCDeduct(std::move(deduct));
     }},
    {"base of kinds 08, 10, 17 above 5 million with no tax withheld",
     [](mTDeclaration& d) { onlyEmployer(d, 5'000'001, Currency()); }},
    {"employer's deductions exactly the 13 % income",
     [](mTDeclaration& d) {
         auto deduct = std::make_unique<mbTSSCDeduct>();
         deduct->Code = 126;
         deduct->Sum = roubles(100'000);
         source(d, 1).AddSSCDeduct(std::move(deduct));
     }},
    {"15 % lines beside exactly 650 000 withheld at 13 %",
     [](mTDeclaration& d) {
         onlyEmployer(d, 5'000'000, roubles(650'000));
         source(d, 1).AddIncome15(incomeLine(2000, roubles(100'000), 12));
         source(d, 1).WithheldTax15 = roubles(15'000);
     }},
    {"withheld exactly the 15 % income",
     [](mTDeclaration& d) {
         onlyEmployer(d, 5'000'000, roubles(650'000));
         source(d, 1).AddIncome15(incomeLine(2000, roubles(100'000), 12));
         source(d, 1).WithheldTax15 = roubles(100'000);
     }},
    {"no OKTMO of a source that withheld no tax",
     [](mTDeclaration& d) {
         source(d, 2).Oktmo.clear();
         source(d, 2).WithheldTax13 = Currency();
         source(d, 2).AddIncome99(incomeLine(2000, roubles(1'000)));
     }},
    {"simplified property deduction of exactly the income",
     [](mTDeclaration& d) { d.ConstructionDeduct.SimplifiedDeduction = roubles(200'000); }},
    {"simplified investment deduction of exactly the income",
     [](mTDeclaration& d) { addSimplifiedIisPayment(d, roubles(200'000)); }},
    {"dividends of a controlled company with a number of eight characters",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 1003;
         income.CompanyNumber = "AB123456";
     }},
    {"dividends of a controlled company without its fixed profit",
     [](mTDeclaration& d) { addForeignIncome(d).IncomeCode = 1012; }},
    {"profit of a controlled company in full without its fixed profit",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.IncomeCode = 1000;
         income.CompanyNumber = "AB123456";
         income.ProfitMethod = 1;
     }},
    {"foreign deduction with its sum",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.DeductionCode = 601;
         income.DeductionSum = roubles(1);
     }},
    {"the 20 % norm for kinds 1 and 5 alike",
     [](mTDeclaration& d) {
         addBusiness(d, "1").ExpensesConfirmed = 0;
         addBusiness(d, "5").ExpensesConfirmed = 0;
     }},
    {"expense parts above the total under the 20 % norm",
     [](mTDeclaration& d) {
         mTBusinessNew& activity = addBusiness(d);
         activity.ExpensesConfirmed = 0;
         activity.ExpenseSum = Currency();
     }},
    {"quarters' OKTMO changed, of 8 and 11 characters",
     [](mTDeclaration& d) {
         addBusiness(d);
         d.OKTMOChanged = 1;
         d.OKTMO1 = "45382000";
         d.OKTMO2 = "45382000001";
         d.OKTMO3 = "45383000";
     }},
    {"social deduction claimed with one sum",
     [](mTDeclaration& d) {
         d.SocialDeduct.Granted = 1;
         d.SocialDeduct.CharitySum = roubles(1'000);
     }},
    {"standard deductions at two employers in one month beside business income",
     [](mTDeclaration& d) {
         d.StandardDeduct.Granted = 1;
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(3, roubles(1'400));
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(3, roubles(1'400));
         addBusiness(d);
     }},
    {"standard deductions at two employers in one month, not claimed",
     [](mTDeclaration& d) {
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(3, roubles(1'400));
         d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(3, roubles(1'400));
     }},
    {"investment accounts above 400 000, not claimed",
     [](mTDeclaration& d) { d.InvDeduct.GetInfoIIS(d.InvDeduct.AddInfoIIS())->PaidIn = roubles(500'000); }},
    {"OKTMO of residence of 11 characters", [](mTDeclaration& d) { d.Person.Address.OKTMO = "45382000001"; }},
    {"a non-resident's box of foreign income ticked without incomes",
     [](mTDeclaration& d) {
         d.DeclarationType = DeclarationNonResident;
         d.SetIncomeKinds(d.IncomeKinds() | IncomeKindForeign);
     }},
    {"OKTMO of residence of 8 characters between spaces",
     [](mTDeclaration& d) { d.Person.Address.OKTMO = " 45382000 "; }},
    // The date of a payment and its rate belong to a tax paid abroad; where none was paid the
    // exchange file carries neither.
    {"a foreign income with no tax paid abroad and no date of payment",
     [](mTDeclaration& d) {
         mTCurrencyIncome& income = addForeignIncome(d);
         income.TaxPaymentDate = 0;
         income.TaxDateUnits = 0;
         income.TaxDateRate = Currency();
         income.SetTaxAmount(Currency());
     }},
};

TEST(DeclarationCheck, DeclarationsAtTheEdgeOfARulePass)
{
    for (const PassCase& test : passCases) {
        SCOPED_TRACE(test.name);
        const auto declaration = checkedDeclaration();
        test.change(*declaration);
        ScriptedCheckAnswers script;
        EXPECT_EQ(checkWholeDeclaration(nullptr, *declaration).Element, 0);
        // A deduction may leave a refund to offer; that is no failure.
        for (const auto& shown : script.shown) {
            if (shown.caption != QStringLiteral("Проверка: Оформление возврата"))
                ADD_FAILURE() << shown.caption.toStdString() << ": " << shown.message.toStdString();
        }
    }
}

// Every block of the check has something to look at, and nothing to say.
TEST(DeclarationCheck, ARichValidDeclarationPassesWithoutADialog)
{
    const auto declaration = checkedDeclaration();
    mTDeclaration& d = *declaration;
    addEmployer(d, "ПАО \"Лютик\"", 5'000'000).WithheldTax13 = roubles(650'000);
    source(d, 3).AddIncome15(incomeLine(2000, roubles(200'000), 12));
    source(d, 3).WithheldTax15 = roubles(30'000);
    mbTSourse& other = *d.GetSource(d.AddSource());
    other.Name = "ИП Сидоров";
    other.AddIncome99(incomeLine(2000, roubles(5'000)));
    addForeignIncome(d);
    mTCurrencyIncome& dividends = addForeignIncome(d);
    dividends.IncomeCode = 1003;
    dividends.CompanyNumber = "AB123456";
    addBusiness(d, "1");
    addBusiness(d, "5");
    d.SocialDeduct.Granted = 1;
    d.SocialDeduct.CharitySum = roubles(10'000);
    d.SocialDeduct.MedicalSum = roubles(20'000);
    d.StandardDeduct.Granted = 1;
    d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(2, roubles(1'400));
    d.GetThirteenPercent(d.AddThirteenPercent())->SetMonthDeduction(3, roubles(1'400));
    addInvestmentAccount(d, roubles(400'000));
    addRefundApplication(d);
    ASSERT_EQ(d.IncomeKinds(), IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);

    ScriptedCheckAnswers script;
    const TCheckAllResult result = checkWholeDeclaration(nullptr, d);
    EXPECT_EQ(result.Element, 0);
    for (const auto& shown : script.shown)
        ADD_FAILURE() << shown.caption.toStdString() << ": " << shown.message.toStdString();
}

TEST(DeclarationCheck, TheFirstFailureEndsTheCheckWhateverTheAnswer)
{
    const auto declaration = checkedDeclaration();
    declaration->Person.Name.FirstName.clear();
    source(*declaration, 1).Oktmo.clear();
    declaration->SocialDeduct.Granted = 1;
    declaration->Person.Address.OKTMO = "1";
    for (const int answer : {int(CheckFix), int(CheckSkip)}) {
        ScriptedCheckAnswers script;
        script.answers = {answer, answer, answer};
        const TCheckAllResult result = checkWholeDeclaration(nullptr, *declaration);
        ASSERT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(script.shown[0].message, QStringLiteral("Не введено имя"));
        EXPECT_EQ(result.Section, CheckDeclarant);
    }
}

// In the conditions block a cancelled rule lets the next ones show; a rule to correct stops them.
TEST(DeclarationCheck, ConditionsShowEveryFailureUntilOneIsToBeCorrected)
{
    const struct {
        const char* name;
        std::deque<int> answers;
        std::size_t shown;
        std::uint16_t element;
    } cases[] = {
        {"all cancelled", {CheckSkip, CheckSkip, CheckClosed, CheckSkip}, 4, CheckCancelled},
        {"the third corrected", {CheckSkip, CheckSkip, CheckFix}, 3, 4},
        {"the first corrected", {CheckFix}, 1, 1},
    };
    const QString messages[] = {
        QStringLiteral("Не введен номер инспекции"), QStringLiteral("Не указаны ФИО подписанта-представителя"),
        QStringLiteral("Не указан документ, подтверждающий полномочия представителя"), QString::fromUtf8(NoIncome)};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        mTDeclaration declaration;
        declaration.Signer = 1;
        ScriptedCheckAnswers script;
        script.answers = test.answers;

        const TCheckAllResult result = checkWholeDeclaration(nullptr, declaration);

        ASSERT_EQ(script.shown.size(), test.shown);
        for (std::size_t i = 0; i < test.shown; ++i) {
            EXPECT_EQ(script.shown[i].caption, QStringLiteral("Проверка: Задание условий"));
            EXPECT_EQ(script.shown[i].message, messages[i]);
        }
        EXPECT_EQ(result.Section, CheckConditions);
        EXPECT_EQ(result.Element, test.element);
    }
}

// 100 000 of salary, of which 13 000 is due: 1 001 withheld too much is the refund.
TEST(DeclarationCheck, ARefundIsOfferedForDisposalWhenNoApplicationIsMade)
{
    const struct {
        const char* name;
        int answer;
        std::uint16_t element;
        std::uint8_t kinds;
    } cases[] = {
        {"dispose", CheckFix, 1, IncomeKindSources | IncomeKindTrata},
        {"skip", CheckSkip, 0, IncomeKindSources},
        {"close", CheckClosed, 0, IncomeKindSources},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const auto declaration = checkedDeclaration();
        source(*declaration, 2).WithheldTax13 = roubles(14'001);
        QStringList buttons;
        CheckDialog::setAnswerer([&](const CheckDialog& dialog) {
            const auto& whole = dynamic_cast<const TfmCheckAllError&>(dialog);
            buttons = {dialog.windowTitle(), dialog.message(), whole.Button1->text(), whole.Button2->text()};
            return test.answer;
        });
        const TCheckAllResult result = checkWholeDeclaration(nullptr, *declaration);
        CheckDialog::setAnswerer({});

        EXPECT_EQ(buttons, QStringList({QStringLiteral("Проверка: Оформление возврата"),
                                        QStringLiteral("По результатам расчета введенных данных образовалась сумма к "
                                                       "возврату, равная 1001 руб. Настоятельно рекомендуется "
                                                       "распорядиться этой суммой в рамках Декларации"),
                                        QStringLiteral("Распорядиться"), QStringLiteral("Пропустить")}));
        EXPECT_EQ(result.Section, CheckApplications);
        EXPECT_EQ(result.Element, test.element);
        EXPECT_EQ(declaration->IncomeKinds(), test.kinds);
        EXPECT_EQ(declaration->SectionOneSum, roubles(1'001));
    }
}

const char* const NonResidentForeignIncome =
    "Нерезидент облагается налогом только по доходам от источников в Российской Федерации: доходы, полученные за "
    "пределами Российской Федерации, в расчет не включаются. Удалите эти доходы в разделе «Доходы за пределами РФ» "
    "или, если в 2021 году вы были налоговым резидентом Российской Федерации, смените на этой странице тип "
    "декларации на «3-НДФЛ».";

// A non-resident's foreign incomes are left out of the computation, and the declaration is right
// to file without them: the user is told, and may correct them or go on.
TEST(DeclarationCheck, ANonResidentsForeignIncomesAreShownAsLeftOut)
{
    const struct {
        const char* name;
        int answer;
        std::uint16_t section; // passed by, the check runs to its last block
        std::uint16_t element;
    } cases[] = {
        {"correct", CheckFix, CheckConditions, ConditionsIncomeKinds},
        {"skip", CheckSkip, CheckApplications, 0},
        {"close", CheckClosed, CheckApplications, 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const auto declaration = checkedDeclaration();
        declaration->DeclarationType = DeclarationNonResident;
        addForeignIncome(*declaration);
        QStringList shown;
        CheckDialog::setAnswerer([&](const CheckDialog& dialog) {
            const auto& whole = dynamic_cast<const TfmCheckAllError&>(dialog);
            shown << dialog.windowTitle() << dialog.message() << whole.Button1->text() << whole.Button2->text();
            return test.answer;
        });
        const TCheckAllResult result = checkWholeDeclaration(nullptr, *declaration);
        CheckDialog::setAnswerer({});

        EXPECT_EQ(shown, QStringList({QStringLiteral("Проверка: Задание условий"),
                                      QString::fromUtf8(NonResidentForeignIncome), QStringLiteral("Исправить"),
                                      QStringLiteral("Пропустить")}));
        EXPECT_EQ(result.Section, test.section);
        EXPECT_EQ(result.Element, test.element);
        EXPECT_EQ(declaration->CurrencyIncomeCount(), 1u);
    }
}

// Without them the non-resident has no income at all: the warning is followed by the rule that
// stops the export, whose dialog offers to cancel again.
TEST(DeclarationCheck, ANonResidentWithForeignIncomesOnlyHasNoIncome)
{
    const auto declaration = checkedDeclaration();
    declaration->DeclarationType = DeclarationNonResident;
    removeSources(*declaration);
    declaration->SetIncomeKinds(0);
    addForeignIncome(*declaration);
    QStringList messages;
    QStringList cancelButtons;
    CheckDialog::setAnswerer([&](const CheckDialog& dialog) {
        messages << dialog.message();
        cancelButtons << dynamic_cast<const TfmCheckAllError&>(dialog).Button2->text();
        return int(CheckSkip);
    });

    const TCheckAllResult result = checkWholeDeclaration(nullptr, *declaration);
    CheckDialog::setAnswerer({});

    EXPECT_EQ(messages, QStringList({QString::fromUtf8(NonResidentForeignIncome), QString::fromUtf8(NoIncome)}));
    EXPECT_EQ(cancelButtons, QStringList({QStringLiteral("Пропустить"), QStringLiteral("Отмена")}));
    EXPECT_EQ(result.Section, CheckConditions);
    EXPECT_EQ(result.Element, CheckCancelled);
}

TEST(DeclarationCheck, NoRefundOfferBesideAnApplication)
{
    const auto declaration = checkedDeclaration();
    source(*declaration, 2).WithheldTax13 = roubles(14'000);
    addRefundApplication(*declaration);
    ScriptedCheckAnswers script;
    EXPECT_EQ(checkWholeDeclaration(nullptr, *declaration).Element, 0);
    EXPECT_TRUE(script.shown.empty());
    EXPECT_EQ(declaration->SectionOneSum, roubles(1'000));
}

// Every value the exchange file would refuse of what the user entered: the export refuses the
// declaration, and the whole check has said so first, on the page where the value is entered.
struct RefusalCase {
    const char* name;
    std::function<void(mTDeclaration&)> spoil;
    const char* title;
    const char* message; // the message, or its end where it quotes the export's own refusal
    std::uint16_t section;
    std::uint16_t element;
};

const RefusalCase refusalCases[] = {
    {"a sale of real estate without its cadastral number",
     [](mTDeclaration& d) {
         auto line = incomeLine(1510, roubles(3'000'000));
         line->PropertyFlag = 1;
         line->ContractPrice = roubles(3'000'000);
         line->CadastralValue = roubles(2'000'000);
         source(d, 2).AddIncome13(std::move(line));
         source(d, 2).WithheldTax13 = roubles(403'000);
     },
     "Доходы, облагаемые по ставке 13%",
     "По данному источнику в доходе от продажи недвижимости не указан кадастровый номер объекта: откройте этот доход "
     "в списке доходов по ставке 13% и введите номер",
     4, 2},
    {"a source without its name", [](mTDeclaration& d) { source(d, 2).Name.clear(); }, "Доходы в РФ",
     "По данному источнику выплаты не указано наименование", 77, 2},
    {"a source with a wrong ИНН", [](mTDeclaration& d) { source(d, 1).Inn = "7707083894"; }, "Доходы в РФ",
     "ИНН источника выплаты введен неверно: не сходятся контрольные цифры", 77, 1},
    {"a source with a wrong КПП", [](mTDeclaration& d) { source(d, 2).Kpp = "0036010A1"; }, "Доходы в РФ",
     "КПП источника выплаты введен неверно: девять знаков, из них первые четыре и последние три цифры, первые две "
     "не 00",
     77, 2},
    {"a person paying with a short ИНН",
     [](mTDeclaration& d) {
         source(d, 2).Inn = "77070838";
         source(d, 2).Kpp.clear();
     },
     "Доходы в РФ",
     "ИНН источника выплаты введен неверно: ИНН организации состоит из 10 цифр и указывается вместе с КПП, ИНН "
     "физического лица состоит из 12 цифр",
     77, 2},
    {"a source with an OKTMO of nine digits", [](mTDeclaration& d) { source(d, 1).Oktmo = "453820001"; },
     "Доходы в РФ", "ОКТМО источника выплаты должен содержать 8 или 11 цифр", 77, 1},
    {"no birth date", [](mTDeclaration& d) { d.Person.Document.BirthDate = 0; }, "Сведения о декларанте",
     "Не указана дата рождения", 2, 7},
    {"no document series without ИНН",
     [](mTDeclaration& d) {
         d.Person.Name.INN.clear();
         d.Person.Document.DocSeriesNumber.clear();
     },
     "Сведения о декларанте", "Не указаны серия и номер документа, удостоверяющего личность", 2, 6},
    {"a foreign source without its name",
     [](mTDeclaration& d) {
         addForeignIncome(d);
         addForeignIncome(d).SourceName.clear();
     },
     "Доходы в валюте", "По данному источнику выплаты не указано наименование источника", 7, 2},
    {"a foreign source without its country", [](mTDeclaration& d) { addForeignIncome(d).SourceCountry.clear(); },
     "Доходы в валюте", "По данному источнику выплаты не указан код страны источника выплаты", 7, 1},
    {"a foreign source credited to no country", [](mTDeclaration& d) { addForeignIncome(d).CreditCountry = "84"; },
     "Доходы в валюте", "По данному источнику выплаты не указан код страны зачисления выплаты", 7, 1},
    {"a foreign income without its date", [](mTDeclaration& d) { addForeignIncome(d).IncomeDate = 0; },
     "Доходы в валюте", "По данному источнику выплаты не указана дата получения дохода", 7, 1},
    {"foreign tax without the date it was paid", [](mTDeclaration& d) { addForeignIncome(d).TaxPaymentDate = 0; },
     "Доходы в валюте", "По данному источнику выплаты не указана дата уплаты налога", 7, 1},
    {"a foreign income dated past the years the file holds",
     [](mTDeclaration& d) { addForeignIncome(d).IncomeDate = *encodeDate(2100, 1, 1); }, "Доходы в валюте",
     "По данному источнику выплаты не указана дата получения дохода", 7, 1},
    {"foreign tax paid before the years the file holds",
     [](mTDeclaration& d) { addForeignIncome(d).TaxPaymentDate = *encodeDate(1899, 12, 31); }, "Доходы в валюте",
     "По данному источнику выплаты не указана дата уплаты налога", 7, 1},
    // The rest is said in the export's own words, which name the page and the field.
    {"an investment account without its contract number",
     [](mTDeclaration& d) {
         addInvestmentAccount(d, roubles(10'000));
         addInvestmentAccount(d, roubles(10'000)).ContractNumber.clear();
     },
     "Вычеты",
     "Файл обмена не будет сформирован. Не заполнено поле «Номер договора» на странице «Вычеты». Для службы "
     "поддержки: Файл/Документ/НДФЛ3/ВычСоцИнв219/РасчПенсВзнос/РасчСумИнвВыч[2]/@НомДог.",
     14, 1},
    {"an investment account with a wrong ИНН",
     [](mTDeclaration& d) { addInvestmentAccount(d, roubles(10'000)).ParticipantINN = "7707083894"; }, "Вычеты",
     "поле «ИНН» на странице «Вычеты» не является ИНН: не сходятся контрольные цифры, номер введен неверно. Для "
     "службы поддержки: Файл/Документ/НДФЛ3/ВычСоцИнв219/РасчПенсВзнос/РасчСумИнвВыч/@ИННЮЛ.",
     14, 1},
    {"tax withheld with kopecks", [](mTDeclaration& d) { source(d, 2).WithheldTax13 = kopecks(1'300'050); },
     "Доходы, облагаемые по ставке 13%",
     "По данному источнику сумма удержанного налога указана с копейками: налог указывается в целых рублях", 4, 2},
};

TEST(DeclarationCheck, WhatTheExportWouldRefuseIsCaughtOnItsPage)
{
    for (const RefusalCase& test : refusalCases) {
        SCOPED_TRACE(test.name);
        const auto declaration = checkedDeclaration();
        test.spoil(*declaration);
        const ExportResult exported = ExportDeclarationXml({}, *declaration, ExportMode::Text);
        EXPECT_FALSE(exported.ok) << "the export takes it";

        ScriptedCheckAnswers script;
        script.answers = {int(CheckFix)};
        const TCheckAllResult result = checkWholeDeclaration(nullptr, *declaration);

        ASSERT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(script.shown[0].caption, QStringLiteral("Проверка: ") + QString::fromUtf8(test.title));
        EXPECT_TRUE(script.shown[0].message.endsWith(QString::fromUtf8(test.message)))
            << script.shown[0].message.toStdString();
        EXPECT_EQ(result.Section, test.section);
        EXPECT_EQ(result.Element, test.element);
    }
}

// What passes the check is exported, valid against the format's schema: the declarations that pass
// every rule above.
TEST(DeclarationCheck, ADeclarationThatPassesTheCheckExports)
{
    for (const PassCase& test : passCases) {
        SCOPED_TRACE(test.name);
        const auto declaration = checkedDeclaration();
        test.change(*declaration);
        ScriptedCheckAnswers script;
        script.answers = {int(CheckSkip)}; // a refund offered is left as it is
        if (checkWholeDeclaration(nullptr, *declaration).Element != 0)
            continue; // reported by the test of the passing cases
        const ExportResult exported = ExportDeclarationXml({}, *declaration, ExportMode::Text);
        EXPECT_TRUE(exported.ok) << exported.error;
        if (exported.ok) {
            EXPECT_EQ(exchangeSchemaErrorsOfText(exported.text), "");
        }
    }
}

// Figures the computation cannot hold: the check ends in the failure the main window reports, and
// the export makes no file.
TEST(DeclarationCheck, TotalsBeyondTheRangeAreRefusedByTheComputation)
{
    // The largest amount a field takes, 999 999 999 999,99, ten thousand times; or two quarters
    // of 500 trillion: more than an amount holds (922 337 203 685 477,5807).
    const Currency largest = Currency::fromUnits(9'999'999'999'999'900);
    const Currency half = roubles(500'000'000'000'000);
    struct Case {
        const char* name;
        std::function<void(mTDeclaration&)> spoil;
    };
    const Case cases[] = {
        {"ten thousand lines of the largest amount",
         [&](mTDeclaration& d) {
             mbTSourse& employer = source(d, 1);
             for (int i = 0; i < 10'000; ++i) {
                 auto line = std::make_unique<mTIncome>();
                 line->IncomeCode = 2000;
                 line->Month = 1;
                 line->Amount = largest;
                 employer.AddIncome13(std::move(line));
             }
         }},
        {"business quarters", [&](mTDeclaration& d) { addBusiness(d).QuarterIncome = {half, half, {}, {}}; }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto declaration = checkedDeclaration();
        test.spoil(*declaration);
        ScriptedCheckAnswers script;
        EXPECT_THROW(checkWholeDeclaration(nullptr, *declaration), std::overflow_error);
        const ExportResult exported = ExportDeclarationXml({}, *declaration, ExportMode::Text);
        EXPECT_FALSE(exported.ok);
        EXPECT_FALSE(exported.error.empty());
    }
}

} // namespace
