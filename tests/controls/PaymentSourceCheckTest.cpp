#include "controls/PaymentSourceCheck.h"

#include <deque>
#include <vector>

#include <QString>

#include <gtest/gtest.h>

#include "tests/controls/ScriptedCheckAnswers.h"

namespace {

struct Requisites {
    const char* name = "ООО Ромашка";
    const char* inn = "7707083893"; // a valid organisation's number
    const char* kpp = "770701001";
    const char* oktmo = "45382000";
};

const QString Section = QStringLiteral("Доходы, полученные в РФ");

struct Case {
    const char* title;
    Requisites requisites;
    bool option; // allowSkip or askOktmo
    std::deque<int> answers;
    std::uint16_t result;
    // The message of every dialog shown and whether "Пропустить" was offered in it.
    std::vector<std::pair<const char*, bool>> dialogs;
};

// CheckPaymentSource and CheckPaymentSourceShort.
using RequisitesCheck = std::uint16_t (*)(QWidget*, const QString&, const QString&, const QString&, const QString&,
                                          const QString&, bool);

class PaymentSourceCheckTest : public ::testing::Test, protected ScriptedCheckAnswers {
protected:
    // Runs the check on the case's requisites with its answers and compares what the user saw.
    void expectCase(RequisitesCheck check, const Case& test)
    {
        SCOPED_TRACE(test.title);
        answers = test.answers;
        shown.clear();
        const Requisites& r = test.requisites;

        const std::uint16_t result = check(nullptr, Section, QString::fromUtf8(r.name), QString::fromUtf8(r.inn),
                                           QString::fromUtf8(r.kpp), QString::fromUtf8(r.oktmo), test.option);

        EXPECT_EQ(result, test.result);
        ASSERT_EQ(shown.size(), test.dialogs.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].caption, QStringLiteral("Проверка: ") + Section);
            EXPECT_EQ(shown[i].message, QString::fromUtf8(test.dialogs[i].first));
            EXPECT_EQ(shown[i].skip, test.dialogs[i].second) << i;
            EXPECT_FALSE(shown[i].skipAll);
        }
    }
};

const char* const NoName = "Не заполненно поле \"Наименование источника выплаты\"";
const char* const BadOktmo =
    "Код ОКТМО введен некорректно (должно быть 8 или 11 симв.) (При продаже имущества физ.лицу - не нужен)";
const char* const NoOktmo = "Не введен код ОКТМО (8 или 11 симв.) (При продаже имущества физ.лицу - не нужен)";
const char* const InnLength = "Длина ИНН должна быть равна 10 или 12 цифрам";
const char* const InnWrong = "Номер ИНН введен неверно";
const char* const NoKpp = "Отсутствует КПП";
const char* const KppLength = "Длина КПП должна быть равна 9 цифрам";
const char* const KppZeros = "Некорректный КПП";
const char* const NoInn = "Введите ИНН";
const char* const OrganisationInn = "Длина ИНН для юрлиц должна быть равна 10 цифрам";

TEST_F(PaymentSourceCheckTest, FullCheckRules)
{
    const Case cases[] = {
        {"all valid", {}, true, {}, 0, {}},
        {"11-digit OKTMO", {.oktmo = "45382000001"}, false, {}, 0, {}},
        {"blank name", {.name = "  "}, true, {}, SourceNameElement, {{NoName, false}}},
        {"name and OKTMO wrong, skip impossible on the name", {.name = "", .oktmo = "123"}, true, {CheckSkip},
         SourceNameElement, {{NoName, false}}},
        {"OKTMO of 9 characters", {.oktmo = "453820001"}, true, {}, SourceOktmoElement, {{BadOktmo, false}}},
        {"no OKTMO, skipped", {.oktmo = " "}, true, {CheckSkip}, 0, {{NoOktmo, true}}},
        {"no OKTMO, dialog closed", {.oktmo = ""}, true, {CheckClosed}, 0, {{NoOktmo, true}}},
        {"no OKTMO, fixed", {.oktmo = ""}, true, {CheckFix}, SourceOktmoElement, {{NoOktmo, true}}},
        {"no OKTMO, no skipping", {.oktmo = ""}, false, {CheckClosed}, SourceOktmoElement, {{NoOktmo, false}}},
        // The rules go in the order of the dialog's fields: name, ИНН, КПП, ОКТМО.
        {"a wrong ИНН before a missing OKTMO", {.inn = "7707083894", .oktmo = ""}, true, {CheckFix},
         SourceInnElement, {{InnWrong, false}}},
        {"a wrong КПП before a wrong OKTMO", {.kpp = "77070100", .oktmo = "123"}, true, {CheckFix}, SourceKppElement,
         {{KppLength, false}}},
        {"a КПП without ИНН before a missing OKTMO", {.inn = "", .oktmo = ""}, true, {CheckFix}, SourceInnElement,
         {{NoInn, false}}},
        {"a missing OKTMO may be skipped once the rest is right", {.inn = "", .kpp = "", .oktmo = ""}, true,
         {CheckSkip}, 0, {{NoOktmo, true}}},
        {"ИНН of 11 digits", {.inn = "77070838931"}, true, {}, SourceInnElement, {{InnLength, false}}},
        {"wrong ИНН check digit", {.inn = "7707083894"}, true, {}, SourceInnElement, {{InnWrong, false}}},
        {"no ИНН and no КПП: a person selling to a person", {.inn = "", .kpp = ""}, true, {}, 0, {}},
        {"КПП without ИНН", {.inn = ""}, true, {}, SourceInnElement, {{NoInn, false}}},
        {"person's ИНН with a КПП", {.inn = "500100732259"}, true, {}, SourceInnElement, {{OrganisationInn, false}}},
        {"person's ИНН without КПП", {.inn = "500100732259", .kpp = ""}, true, {}, 0, {}},
        {"organisation without КПП", {.kpp = ""}, true, {}, SourceKppElement, {{NoKpp, false}}},
        {"КПП of 8 digits", {.kpp = "77070100"}, true, {}, SourceKppElement, {{KppLength, false}}},
        {"КПП of zeros", {.kpp = "000000000"}, true, {}, SourceKppElement, {{KppZeros, false}}},
    };
    for (const Case& test : cases)
        expectCase(CheckPaymentSource, test);
}

TEST_F(PaymentSourceCheckTest, ShortCheckRules)
{
    const Case cases[] = {
        {"all valid, OKTMO asked", {}, true, {}, 0, {}},
        {"no OKTMO, not asked", {.oktmo = ""}, false, {}, 0, {}},
        {"blank name", {.name = " "}, true, {}, SourceNameElement, {{NoName, false}}},
        {"no OKTMO, asked", {.oktmo = ""}, true, {}, SourceOktmoElement, {{"Не введен код ОКТМО (8 или 11 симв.)", false}}},
        {"person's ИНН", {.inn = "500100732259"}, true, {}, SourceInnElement,
         {{"Длина ИНН должна быть равна 10 цифрам", false}}},
        {"wrong ИНН", {.inn = "7707083894"}, true, {}, SourceInnElement, {{InnWrong, false}}},
        {"no КПП", {.kpp = ""}, true, {}, SourceKppElement, {{NoKpp, false}}},
        {"short КПП", {.kpp = "7707"}, true, {}, SourceKppElement, {{KppLength, false}}},
        {"КПП of zeros", {.kpp = "000000000"}, true, {}, SourceKppElement, {{KppZeros, false}}},
        {"no ИНН", {.inn = ""}, true, {}, SourceInnElement, {{NoInn, false}}},
        {"ИНН with a blank before it", {.inn = " 7707083893"}, true, {}, SourceInnElement, {{OrganisationInn, false}}},
        {"a skip answer cannot pass the rule", {.name = ""}, true, {CheckSkip}, SourceNameElement, {{NoName, false}}},
        {"skip all cannot pass the rule", {.name = ""}, true, {CheckSkipAll}, SourceNameElement, {{NoName, false}}},
    };
    for (const Case& test : cases)
        expectCase(CheckPaymentSourceShort, test);
}

} // namespace
