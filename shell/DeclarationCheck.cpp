#include "shell/DeclarationCheck.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QPushButton>
#include <QString>

#include "computation/PropertySaleIncome.h"
#include "computation/Residency.h"
#include "computation/Summary.h"
#include "computation/TaxArithmetic.h"
#include "computation/TaxYearFigures.h"
#include "controls/CheckDialogs.h"
#include "controls/DisplayFormat.h"
#include "export/ExchangeDocument.h"
#include "export/FieldCheck.h"
#include "export/FieldPlaces.h"
#include "export/TaxBaseElements.h"
#include "model/DayDate.h"
#include "model/Declaration.h"
#include "model/IncomeKinds.h"
#include "model/Trimmed.h"
#include "pages/deductions/InvestmentAccountRules.h"
#include "pages/deductions/SocialDeductionRules.h"
#include "pages/income/ApplicationRules.h"
#include "pages/income/BusinessRules.h"
#include "pages/income/ConditionsRules.h"
#include "pages/income/CurrencyRules.h"
#include "pages/income/PersonRules.h"

namespace {

const QString ConditionsTitle = QStringLiteral("Задание условий");
const QString DeclarantTitle = QStringLiteral("Сведения о декларанте");
const QString RussiaTitle = QStringLiteral("Доходы в РФ");
const QString ForeignTitle = QStringLiteral("Доходы в валюте");
const QString BusinessTitle = QStringLiteral("Доходы от предпринимательской деятельности");
const QString SimplifiedTitle = QStringLiteral("Общая проверка данных");

const QString NonResidentForeignIncomeMessage =
    QStringLiteral("Нерезидент облагается налогом только по доходам от источников в Российской Федерации: доходы, "
                   "полученные за пределами Российской Федерации, в расчет не включаются. Удалите эти доходы в "
                   "разделе «Доходы за пределами РФ» или, если в %1 году вы были налоговым резидентом Российской "
                   "Федерации, смените на этой странице тип декларации на «3-НДФЛ».")
        .arg(TaxYear);

bool isBlank(const std::string& value)
{
    return Trimmed(value).empty();
}

// Whether the value fails the rules of its field in the exchange file.
bool refusedBy(std::string_view element, std::string_view attribute, std::string_view value)
{
    return !FieldValueFailure(FieldFacetOf(element, attribute), value).empty();
}

bool isKind8_10_17(const mTIncome& line)
{
    return IsIncomeKind8_10_17(line.IncomeCode);
}

// Sum of amount less expense deduction over the lines of income kinds 08, 10 and 17.
Currency kind8_10_17Base(const OwnedList<mTIncome>& lines)
{
    Currency base;
    for (const auto& line : lines) {
        if (isKind8_10_17(*line))
            base += line->Amount - line->Deduction;
    }
    return base;
}

bool hasKind8_10_17Line(const OwnedList<mTIncome>& lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const auto& line) { return isKind8_10_17(*line); });
}

Currency agentDeductions(const mbTSourse& source)
{
    Currency sum;
    for (const auto& deduct : source.SSCDeducts)
        sum += deduct->Sum;
    return sum;
}

Currency withheldTax(const mbTSourse& source)
{
    Currency sum = source.WithheldTax13 + source.WithheldTax15 + source.WithheldTax99;
    for (const auto& line : source.Incomes99)
        sum += line->WithheldTax;
    return sum;
}

// What the exchange file refuses of a payment source: its name, ИНН, КПП and OKTMO.
QString sourceFileFailure(const mbTSourse& source)
{
    if (isBlank(source.Name))
        return QStringLiteral("По данному источнику выплаты не указано наименование");
    const bool organisation = source.Inn.size() == 10 && !source.Kpp.empty();
    if (organisation && refusedBy("ИстЮЛ", "ИННЮЛ", source.Inn))
        return QStringLiteral("ИНН источника выплаты введен неверно: не сходятся контрольные цифры");
    if (organisation && refusedBy("ИстЮЛ", "КПП", source.Kpp))
        return QStringLiteral("КПП источника выплаты введен неверно: девять знаков, из них первые четыре и "
                              "последние три цифры, первые две не 00");
    if (!organisation && !isBlank(source.Inn) && refusedBy("ИстФЛИн", "ИННФЛ", source.Inn))
        return QStringLiteral("ИНН источника выплаты введен неверно: ИНН организации состоит из 10 цифр и "
                              "указывается вместе с КПП, ИНН физического лица состоит из 12 цифр");
    if (!source.Oktmo.empty() && refusedBy("ДоходИстРФ", "ОКТМО", source.Oktmo))
        return QStringLiteral("ОКТМО источника выплаты должен содержать 8 или 11 цифр");
    return {};
}

// What the exchange file refuses of a foreign income that the form above the fields names.
QString foreignFileFailure(const mTCurrencyIncome& income)
{
    if (isBlank(income.SourceName))
        return QStringLiteral("По данному источнику выплаты не указано наименование источника");
    if (refusedBy("РасчДохНалИно", "ОКСМИст", income.SourceCountry))
        return QStringLiteral("По данному источнику выплаты не указан код страны источника выплаты");
    if (refusedBy("РасчДохНалИно", "ОКСМЗач", income.CreditCountry))
        return QStringLiteral("По данному источнику выплаты не указан код страны зачисления выплаты");
    // 0, the day of a date never entered, is refused as well.
    if (refusedBy("РасчДохНалИно", "ДатаДох", dateText(income.IncomeDate)))
        return QStringLiteral("По данному источнику выплаты не указана дата получения дохода");
    if (income.TaxAmount > Currency() && refusedBy("РасчДохНалИно", "ДатаУплНал", dateText(income.TaxPaymentDate)))
        return QStringLiteral("По данному источнику выплаты не указана дата уплаты налога");
    return {};
}

// True when two employers of the older 13 % records granted standard deductions in one month.
bool standardDeductionsAtOnce(const OwnedList<mTThirteenPercent>& employers)
{
    for (int month = 0; month < mTThirteenPercent::MonthCount; ++month) {
        const auto granting = std::count_if(employers.begin(), employers.end(), [month](const auto& employer) {
            return employer->HasMonthDeduction(month);
        });
        if (granting > 1)
            return true;
    }
    return false;
}

bool hasAmount(const OwnedList<mTIncome>& lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const auto& line) { return line->Amount != Currency(); });
}

// An income kind ticked on the conditions page whose own page holds no income.
struct EmptyIncomeKind {
    CheckSection section;
    QString title;
    QString message;
};

QString emptyKindMessage(const QString& kind, const QString& page)
{
    return QStringLiteral("На странице «Задание условий» отмечены ") + kind + QStringLiteral(", но на странице «")
           + page
           + QStringLiteral("» не введено ни одного дохода. Введите их на этой странице или снимите отметку на "
                            "странице «Задание условий».");
}

std::optional<EmptyIncomeKind> emptyTickedKind(const mTDeclaration& d)
{
    const bool sourcesHold = std::any_of(d.Sources.begin(), d.Sources.end(), [](const auto& source) {
        return hasAmount(source->Incomes13) || hasAmount(source->Incomes15) || hasAmount(source->Incomes99);
    });
    if (d.HasIncomeKind(IncomeKindSources) && !sourcesHold)
        return EmptyIncomeKind{CheckIncome13, RussiaTitle,
                               emptyKindMessage(QStringLiteral("доходы, полученные в РФ"),
                                                QStringLiteral("Доходы, полученные в РФ"))};
    const bool foreignHold = std::any_of(d.CurrencyIncomes.begin(), d.CurrencyIncomes.end(),
                                         [](const auto& income) { return income->IncomeAmount != Currency(); });
    if (d.HasIncomeKind(IncomeKindForeign) && ForeignIncomesCount(d) && !foreignHold)
        return EmptyIncomeKind{CheckForeign, ForeignTitle,
                               emptyKindMessage(QStringLiteral("доходы за пределами РФ"),
                                                QStringLiteral("Доходы за пределами РФ"))};
    const bool businessHolds = std::any_of(d.BusinessIncomes.begin(), d.BusinessIncomes.end(),
                                           [](const auto& activity) { return activity->IncomeSum != Currency(); });
    if (d.HasIncomeKind(IncomeKindBusiness) && d.DeclarationType != DeclarationClosingBusiness && !businessHolds)
        return EmptyIncomeKind{CheckBusiness, BusinessTitle,
                               emptyKindMessage(QStringLiteral("доходы от предпринимательской деятельности"),
                                                QStringLiteral("Предприниматели"))};
    return std::nullopt;
}

// The block whose page holds the field the exchange file refused, `place` where it is known, and the
// element it focuses there.
TCheckAllResult exportRefusalPlace(const ExportError& refusal, const FieldPlace* place)
{
    const auto item = std::uint16_t(std::max(refusal.item(), 1));
    if (!place)
        return {CheckConditions, ConditionsIncomeKinds};
    switch (place->page) {
    case FieldPage::Conditions:
        return {CheckConditions, refusal.attribute() == "КодНО"  ? std::uint16_t(ConditionsTaxOffice)
                                 : refusal.element() == "СвПред" ? std::uint16_t(ConditionsAuthorityDocument)
                                                                 : std::uint16_t(ConditionsRepresentativeName)};
    case FieldPage::Declarant: {
        const std::pair<std::string_view, PersonElement::Element> fields[] = {
            {"Фамилия", PersonElement::SurName},        {"Имя", PersonElement::FirstName},
            {"Отчество", PersonElement::Patronymic},    {"ИННФЛ", PersonElement::Inn},
            {"КодВидДок", PersonElement::DocumentKind}, {"СерНомДок", PersonElement::DocumentSeries},
            {"ДатаРожд", PersonElement::BirthDate}};
        for (const auto& [attribute, element] : fields)
            if (refusal.attribute() == attribute)
                return {CheckDeclarant, element};
        return {CheckDeclarant, PersonElement::SurName};
    }
    case FieldPage::RussianIncome:
    case FieldPage::RussianSource: return {CheckIncome13, 1};
    case FieldPage::ForeignIncome: return {CheckForeign, item};
    case FieldPage::Business: return {CheckBusiness, item};
    case FieldPage::PropertyDeduction: return {CheckSimplifiedProperty, item};
    case FieldPage::SocialDeduction: return {CheckSocial, item};
    case FieldPage::InvestmentDeduction: return {CheckInvestment, 1};
    case FieldPage::Applications: return {CheckApplications, item};
    }
    return {CheckConditions, ConditionsIncomeKinds};
}

// One run of the check: the dialog, the declaration and what the run has found so far.
class WholeCheck {
public:
    WholeCheck(QWidget* owner, mTDeclaration& declaration) : dialog_(owner), d_(declaration) {}

    TCheckAllResult run();

private:
    bool passing() const { return result_.Element == 0; }
    // A block starts only while nothing has failed, and names itself as the one that ran last.
    bool begin(CheckSection section);
    void report(std::uint16_t section, const QString& title, const QString& message, std::uint16_t code);
    // A finding that leaves the declaration right to file: "Пропустить" goes on with the check
    // as though nothing were found, "Исправить" ends it with the element to correct.
    void warn(const QString& title, const QString& message, std::uint16_t code);
    void rule(bool fails, std::uint16_t section, const QString& title, const QString& message, std::uint16_t code);
    // Reports the first item whose failure text is not empty, with its 1-based number as code.
    template <typename Items, typename Failure>
    void perItem(std::uint16_t section, const QString& title, const Items& items, Failure failureOf);
    template <typename Items, typename Fails>
    void perItem(std::uint16_t section, const QString& title, const QString& message, const Items& items, Fails fails);

    void checkConditions(bool hasIncome);
    void checkDeclarant();
    void checkSources();
    void checkSimplifiedDeductions();
    void checkForeignIncome();
    void checkBusiness();
    void checkApplications();
    void checkDeductions();
    void checkResidence(bool oktmoRequired);
    // Whatever the exchange file would still refuse, named by its page and field.
    void checkExport(const kTSvodSum& svod);
    void offerRefund();

    TfmCheckAllError dialog_;
    mTDeclaration& d_;
    TCheckAllResult result_;
};

bool WholeCheck::begin(CheckSection section)
{
    if (!passing())
        return false;
    result_.Section = section;
    return true;
}

void WholeCheck::report(std::uint16_t section, const QString& title, const QString& message, std::uint16_t code)
{
    result_.Section = section;
    dialog_.SetPage(title);
    dialog_.SetMessage(message);
    result_.Element = dialog_.exec() == CheckFix ? code : CheckCancelled;
}

void WholeCheck::warn(const QString& title, const QString& message, std::uint16_t code)
{
    dialog_.SetPage(title);
    dialog_.SetMessage(message);
    const QString cancelText = dialog_.Button2->text();
    dialog_.Button2->setText(QStringLiteral("Пропустить"));
    const bool fix = dialog_.exec() == CheckFix;
    dialog_.Button2->setText(cancelText);
    if (fix)
        result_.Element = code;
}

void WholeCheck::rule(bool fails, std::uint16_t section, const QString& title, const QString& message,
                      std::uint16_t code)
{
    if (fails && passing())
        report(section, title, message, code);
}

template <typename Items, typename Failure>
void WholeCheck::perItem(std::uint16_t section, const QString& title, const Items& items, Failure failureOf)
{
    if (!passing())
        return;
    std::uint16_t number = 0;
    for (const auto& item : items) {
        ++number;
        if (const QString message = failureOf(*item); !message.isEmpty()) {
            report(section, title, message, number);
            return;
        }
    }
}

template <typename Items, typename Fails>
void WholeCheck::perItem(std::uint16_t section, const QString& title, const QString& message, const Items& items,
                         Fails fails)
{
    perItem(section, title, items, [&](const auto& item) { return fails(item) ? message : QString(); });
}

TCheckAllResult WholeCheck::run()
{
    // The computation stores the refund that the final offer is about; declarations with
    // business income are computed too, so that the offer never rests on an earlier run's refund.
    // Where the computation fails, or section 1 needs a row under the taxpayer's own OKTMO (tax
    // to pay, or no refund row of a payer's), the OKTMO of the place of residence is required,
    // and so it is with business income.
    const auto svod = std::make_unique<kTSvodSum>();
    const bool computed = svod->Calculate(d_);
    const bool hasIncome = HasTaxBaseElements(d_, *svod);
    const bool oktmoRequired = !computed || d_.BusinessCount() > 0;

    checkConditions(hasIncome);
    checkDeclarant();
    if (d_.HasIncomeKind(IncomeKindSources))
        checkSources();
    if (d_.HasIncomeKind(IncomeKindForeign))
        checkForeignIncome();
    if (d_.HasIncomeKind(IncomeKindBusiness))
        checkBusiness();
    if (d_.HasIncomeKind(IncomeKindTrata))
        checkApplications();
    if (d_.IncomeKinds() != 0)
        checkDeductions();
    checkResidence(oktmoRequired);
    checkExport(*svod);
    offerRefund();
    return result_;
}

void WholeCheck::checkConditions(bool hasIncome)
{
    if (!begin(CheckConditions))
        return;
    // Here a cancelled rule does not end the block: the user sees every missing condition.
    const auto goesOn = [this] { return passing() || result_.Element == CheckCancelled; };
    const auto conditionRule = [this, &goesOn](bool fails, const QString& message, std::uint16_t code) {
        if (fails && goesOn())
            report(CheckConditions, ConditionsTitle, message, code);
    };
    for (const ConditionsFailure& failure : headerFailures(d_))
        conditionRule(true, failure.message, failure.element);
    // A non-resident is taxed on income from Russian sources only. The computation leaves the
    // foreign incomes out, so the declaration is right to file; but the user entered them and is
    // told, the more so as the box of foreign income is out of reach on a non-resident's page.
    const bool foreignIncomesLeftOut =
        d_.HasIncomeKind(IncomeKindForeign) && !ForeignIncomesCount(d_) && d_.CurrencyIncomeCount() > 0;
    if (foreignIncomesLeftOut && goesOn())
        warn(ConditionsTitle, NonResidentForeignIncomeMessage, ConditionsIncomeKinds);
    // The exchange file has no form without a taxed income: the export would refuse it. Where a
    // kind is ticked and its page holds nothing, that page is the one to open.
    if (!hasIncome && goesOn()) {
        if (const std::optional<EmptyIncomeKind> empty = emptyTickedKind(d_)) {
            report(empty->section, empty->title, empty->message, 1);
            return;
        }
    }
    conditionRule(!hasIncome,
                  QStringLiteral("В декларации не указано ни одного дохода. Отметьте на этой странице виды "
                                 "полученных доходов и введите их на страницах доходов"),
                  ConditionsIncomeKinds);
}

void WholeCheck::checkDeclarant()
{
    if (!begin(CheckDeclarant))
        return;
    for (const PersonFailure& failure : personFailures(d_)) {
        if (!failure.reminder) {
            report(CheckDeclarant, DeclarantTitle, failure.message, failure.element);
            return;
        }
    }
}

void WholeCheck::checkSources()
{
    if (!begin(CheckIncome13))
        return;
    const auto& sources = d_.Sources;
    const bool ordinary = IsOrdinaryDeclaration(d_);
    const QString at13 = QStringLiteral("Доходы, облагаемые по ставке 13%");
    const QString lessThanWithheld =
        QStringLiteral("По данному источнику выплаты общая сумма дохода меньше удержанной суммы");

    perItem(CheckIncome13, QStringLiteral("Доходы, облагаемые ставкой 13%"), lessThanWithheld, sources,
            [](const mbTSourse& source) { return source.Total13() < source.WithheldTax13; });
    perItem(CheckIncome13, QStringLiteral("Доходы, полученный в РФ"),
            QStringLiteral("По данному источнику не указаны доходы"), sources, [](const mbTSourse& source) {
                return source.Income13Count() == 0 && source.Income15Count() == 0 && source.Income99Count() == 0;
            });
    if (ordinary) {
        perItem(CheckIncome13, at13,
                QStringLiteral("В данном источнике в разделе 13% суммарная база по видам 08, 10, 17 превысила 5 "
                               "миллионов рублей. Либо у вас неправильно заполнена справка 2-НДФЛ, либо данные со "
                               "справки 2-НДФЛ введены некорректно"),
                sources, [](const mbTSourse& source) {
                    return kind8_10_17Base(source.Incomes13) - agentDeductions(source) > RateBand
                           && source.WithheldTax13 > Currency();
                });
        perItem(CheckIncome13, at13,
                QStringLiteral("По данному источнику выплаты общая сумма дохода, облагаемого по ставке 13% меньше "
                               "суммы предоставленных стандартных, социальных и имущественных вычетов"),
                sources, [](const mbTSourse& source) { return agentDeductions(source) > source.Total13(); });
        perItem(CheckIncome15, RussiaTitle,
                QStringLiteral("В источнике дохода не должны присутствовать доходы, облагаемые по ставке 15%, если "
                               "отсутствуют доходы, облагаемые по ставке 13%"),
                sources,
                [](const mbTSourse& source) { return source.Income13Count() == 0 && source.Income15Count() > 0; });
        perItem(CheckIncome13, RussiaTitle,
                QStringLiteral("В источнике дохода не должны присутствовать доходы, облагаемые по ставке 15%, если по "
                               "ставке 13% удержано менее %1 рублей")
                    .arg(groupedRoublesText(ThirteenPercentTaxCeiling)),
                sources, [](const mbTSourse& source) {
                    return source.WithheldTax13 < ThirteenPercentTaxCeiling && source.Income15Count() > 0;
                });
    }
    perItem(CheckIncome15, QStringLiteral("Доходы, облагаемые по ставке 15%"), lessThanWithheld, sources,
            [](const mbTSourse& source) { return source.Total15() < source.WithheldTax15; });
    perItem(CheckSourceOktmo, RussiaTitle, QStringLiteral("Для данного источника дохода нужно указать ОКТМО"), sources,
            [](const mbTSourse& source) { return source.Oktmo.empty() && withheldTax(source) > Currency(); });
    // What the exchange file holds of the payer, corrected in the source's own dialog.
    perItem(CheckSourceOktmo, RussiaTitle, sources, sourceFileFailure);
    perItem(CheckIncome13, at13,
            QStringLiteral("По данному источнику сумма удержанного налога указана с копейками: налог указывается в "
                           "целых рублях"),
            sources, [](const mbTSourse& source) {
                const auto kopecks = [](Currency tax) { return tax.units() % Currency::UnitsPerRouble != 0; };
                return kopecks(source.WithheldTax13) || kopecks(source.WithheldTax15) || kopecks(source.WithheldTax99)
                       || std::any_of(source.Incomes99.begin(), source.Incomes99.end(),
                                      [&](const auto& line) { return kopecks(line->WithheldTax); });
            });
    perItem(CheckIncome13, at13,
            QStringLiteral("По данному источнику в доходе от продажи недвижимости не указан кадастровый номер "
                           "объекта: откройте этот доход в списке доходов по ставке 13% и введите номер"),
            sources, [](const mbTSourse& source) {
                return std::any_of(source.Incomes13.begin(), source.Incomes13.end(), [](const auto& line) {
                    return FollowsCadastralRule(*line) && isBlank(line->CadastralNumber);
                });
            });
    if (ordinary)
        checkSimplifiedDeductions();
}

// Deductions that employers granted in the simplified procedure stand against the income of
// kinds 08, 10 and 17 and the tax withheld from it.
void WholeCheck::checkSimplifiedDeductions()
{
    const mTConstructionDeduct& property = d_.ConstructionDeduct;
    const Currency simplifiedProperty = property.SimplifiedDeduction + property.SimplifiedInterestDeduction;
    Currency simplified = simplifiedProperty;
    for (const auto& account : d_.InvDeduct.IISList) {
        if (account->SimplifiedSign)
            simplified += account->PaidIn;
    }
    // Without such deductions there is nothing to compare; a line whose expense deduction
    // exceeds its amount must not read as one.
    if (simplified <= Currency())
        return;
    const std::uint16_t section = simplifiedProperty > Currency() ? CheckSimplifiedProperty : CheckInvestment;

    Currency base;
    Currency withheld;
    for (const auto& source : d_.Sources) {
        base += kind8_10_17Base(source->Incomes13) + kind8_10_17Base(source->Incomes15);
        if (hasKind8_10_17Line(source->Incomes13))
            withheld += source->WithheldTax13;
        if (hasKind8_10_17Line(source->Incomes15))
            withheld += source->WithheldTax15;
    }
    rule(base < simplified, section, SimplifiedTitle,
         QStringLiteral("Общая сумма вычетов, предоставленных в упрощенном порядке превысила сумму доходов вида 08, "
                        "10 и 17"),
         1);
    rule(withheld < TaxAtRate(simplified, Rate13), section, SimplifiedTitle,
         QStringLiteral("Общая сумма удержанного РФ налога по доходам вида 08, 10 и 17 не соответствует указанным в "
                        "декларации вычетам, предоставленным в упрощенном порядке"),
         1);
}

void WholeCheck::checkForeignIncome()
{
    if (!begin(CheckForeign))
        return;
    using enum CurrencyIncomeRule;
    const auto& incomes = d_.CurrencyIncomes;
    const std::int32_t fixedProfitItem = d_.KIKItemNumber();
    // Here each group of rules is tried over every income before the next group; within a group
    // an income is held to the first rule it fails.
    const auto tryRules = [&](std::initializer_list<CurrencyIncomeRule> rules) {
        perItem(CheckForeign, ForeignTitle, incomes, [&](const mTCurrencyIncome& income) {
            const std::vector<CurrencyIncomeRule> failed = failedRules(income, fixedProfitItem);
            const auto first = std::find_first_of(failed.begin(), failed.end(), rules.begin(), rules.end());
            return first == failed.end() ? QString() : ruleMessage(*first);
        });
    };
    tryRules({CurrencyCode});
    tryRules({Rate});
    // An amount whose rouble value lies beyond the range is stored with none.
    tryRules({IncomeRoubles, TaxRoubles});
    tryRules({IncomeCode});
    tryRules({FixedProfitNumber});
    // The exchange file holds the foreign incomes that the computation counts.
    if (ForeignIncomesCount(d_))
        perItem(CheckForeign, ForeignTitle, incomes, foreignFileFailure);
    tryRules({DividendsWithFixedProfit, ProfitWithFixedProfit, CompanyNumberMissing, CompanyNumberMalformed,
              ProfitOrder});
    tryRules({DeductionSum});
}

void WholeCheck::checkBusiness()
{
    if (!begin(CheckBusiness))
        return;
    const std::vector<BusinessFailure> activities = declarationBusinessFailures(d_);
    if (!activities.empty()) {
        const BusinessFailure& first = activities.front();
        report(CheckBusiness, BusinessTitle, first.message, std::uint16_t(first.activity + 1));
        return;
    }
    // Away from the quarter's field, the message says why every quarter needs a code.
    const std::vector<OktmoFailure> quarters = oktmoFailures(d_);
    if (!quarters.empty())
        report(CheckBusiness, BusinessTitle,
               quarters.front().message
                   + QStringLiteral(". (Если выбрано, что код ОКТМО менялся, то нужно заполнить код ОКТМО на каждый "
                                    "квартал)"),
               std::uint16_t(FirstOktmoElement + quarters.front().quarter));
}

void WholeCheck::checkApplications()
{
    if (!begin(CheckApplications))
        return;
    std::uint16_t number = 0;
    for (const auto& application : d_.Tratas) {
        ++number;
        const QString message = applicationFailure(*application);
        rule(!message.isEmpty(), CheckApplications, applicationCheckTitle(*application), message, number);
        if (!passing())
            return;
    }
}

void WholeCheck::checkDeductions()
{
    if (begin(CheckSocial)) {
        rule(IsOrdinaryDeclaration(d_) && d_.SocialDeduct.Granted && socialDeductionIsEmpty(d_.SocialDeduct),
             CheckSocial, QStringLiteral("Социальные вычеты"),
             QStringLiteral("Не введены данные по социальным налоговым вычетам"), 1);
    }
    if (begin(CheckStandard)) {
        // An entrepreneur's month table, or business income, accounts for the months itself.
        const mTStandartDeduct& standard = d_.StandardDeduct;
        rule(standard.Granted && !standard.HasBusinessMonths && d_.HasIncomeKind(IncomeKindSources)
                 && !d_.HasIncomeKind(IncomeKindBusiness) && standardDeductionsAtOnce(d_.OldThirteenPercent),
             CheckStandard, QStringLiteral("Стандартные вычеты"),
             QStringLiteral("Вы не могли получать стандартные вычеты работая в нескольких местах ОДНОВРЕМЕННО."), 2);
    }
    if (begin(CheckInvestment)) {
        const QString failure = accountsOverLimitFailure(d_.InvDeduct);
        rule(!failure.isEmpty(), CheckInvestment, QStringLiteral("Инвестиционный налоговый вычет"), failure, 1);
    }
}

void WholeCheck::checkResidence(bool oktmoRequired)
{
    if (!begin(CheckConditions))
        return;
    rule(residenceOktmoMalformed(d_), CheckConditions, ConditionsTitle,
         QStringLiteral("Код ОКТМО (по месту жительства) должен содержать 8 или 11 символов"), ConditionsOktmo);
    rule(Trimmed(d_.Person.Address.OKTMO).empty() && oktmoRequired, CheckConditions, ConditionsTitle,
         QStringLiteral("Не введен код ОКТМО (8 или 11 симв.) по месту жительства"), ConditionsOktmo);
}

void WholeCheck::checkExport(const kTSvodSum& svod)
{
    if (!passing())
        return;
    try {
        BuildExchangeDocument(d_, svod, today(), "00000000-0000-0000-0000-000000000000");
    } catch (const ExportError& refusal) {
        const FieldPlace* field = FindFieldPlace(refusal.element(), refusal.attribute());
        const TCheckAllResult place = exportRefusalPlace(refusal, field);
        const QString page = field ? QString::fromUtf8(FieldPageCaption(field->page)) : ConditionsTitle;
        // The refusal names the page and the field; the path after it is for the support staff.
        QString message = QString::fromUtf8(refusal.what());
        message.remove(QStringLiteral("Ошибка в выгрузке. "));
        report(place.Section, page, QStringLiteral("Файл обмена не будет сформирован. ") + message, place.Element);
    }
}

void WholeCheck::offerRefund()
{
    if (!begin(CheckApplications) || d_.SectionOneSum <= Currency() || d_.TrataCount() > 0)
        return;
    dialog_.SetPage(QStringLiteral("Оформление возврата"));
    dialog_.SetMessage(QStringLiteral("По результатам расчета введенных данных образовалась сумма к возврату, равная ")
                       + currencyDisplayText(d_.SectionOneSum)
                       + QStringLiteral(" руб. Настоятельно рекомендуется распорядиться этой суммой в рамках "
                                        "Декларации"));
    dialog_.Button1->setText(QStringLiteral("Распорядиться"));
    dialog_.Button2->setText(QStringLiteral("Пропустить"));
    if (dialog_.exec() == CheckFix) {
        d_.SetIncomeKinds(d_.IncomeKinds() | IncomeKindTrata);
        result_.Element = 1;
    }
}

} // namespace

TCheckAllResult checkWholeDeclaration(QWidget* owner, mTDeclaration& declaration)
{
    return WholeCheck(owner, declaration).run();
}
