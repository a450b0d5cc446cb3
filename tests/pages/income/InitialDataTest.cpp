#include "pages/income/InitialData.h"

#include <functional>
#include <utility>
#include <vector>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/HelpPromptCall.h"
#include "controls/MaskedEdit.h"
#include "controls/MessageBox.h"
#include "pages/income/ConditionsRules.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/MessageAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/TestProgramContext.h"
#include "tests/support/UserTyping.h"

namespace {

// A source with one line at each rate.
void addSourceWithLines(mTDeclaration& declaration)
{
    mbTSourse& source = *declaration.GetSource(declaration.AddSource());
    source.Name = "ООО \"Ромашка\"";
    for (const auto add : {&mbTSourse::AddIncome13, &mbTSourse::AddIncome15, &mbTSourse::AddIncome99}) {
        auto line = std::make_unique<mTIncome>();
        line->IncomeCode = 2000;
        line->Amount = roubles(1000);
        (source.*add)(std::move(line));
    }
}

// Every field of the page set, with data of every income kind.
void fillConditions(mTDeclaration& declaration)
{
    declaration.TaxOfficeCode = "7701";
    declaration.TaxOfficeName = "ИФНС России № 1 по г. Москве";
    declaration.CorrectionNumber = 2;
    declaration.Person.Address.OKTMO = "45382000";
    declaration.Signer = 1;
    declaration.RepresentativeName = "Петров Петр Петрович";
    declaration.RepresentativeDocument = "Доверенность 77 АБ 123456";
    declaration.TaxpayerCategory = 3;
    declaration.SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
    addSourceWithLines(declaration);
    declaration.AddCurrencyIncome();
    declaration.AddBusiness();
    declaration.AddTrata();
}


class InitialDataTest : public ::testing::Test {
protected:
    InitialDataTest()
    {
        window.declaration->SetIncomeKinds(0);
        setHelpPromptShower([this](QWidget*, const QString&, const QString& topic) { helpTopics.push_back(topic); });
    }
    ~InitialDataTest() override { setHelpPromptShower({}); }

    mTDeclaration& declaration() { return *window.declaration; }
    TfrInitialData* showPage() { return page = window.show<TfrInitialData>(); }

    UserEditCounter counter;
    TestProgramContext context;
    PageWindow window;
    TfrInitialData* page = nullptr;
    std::vector<QString> helpTopics;
};

TEST_F(InitialDataTest, SavesALoadedDeclarationUnchanged)
{
    for (const std::uint8_t type : {DeclarationOrdinary, DeclarationNonResident, DeclarationClosingBusiness}) {
        window.declaration = std::make_unique<mTDeclaration>();
        fillConditions(declaration());
        declaration().DeclarationType = type;
        const QByteArray before = fileBytes(declaration());
        showPage()->SaveData();
        EXPECT_EQ(fileBytes(declaration()), before) << "type " << int(type);
        EXPECT_EQ(counter.userEdits, 0);
        delete page;
    }
}

TEST_F(InitialDataTest, ShowsTheDeclaration)
{
    fillConditions(declaration());
    showPage();
    EXPECT_EQ(page->meInspection->text(), QStringLiteral("7701"));
    EXPECT_EQ(page->meNumVer->value(), 2);
    EXPECT_EQ(page->meOKATO->text(), QStringLiteral("45382000"));
    EXPECT_TRUE(page->rbGiveTrustFase->isChecked());
    EXPECT_TRUE(page->meFIO->isEnabled());
    EXPECT_TRUE(page->rbAdvokat->isChecked());
    EXPECT_TRUE(page->rbSimple->isChecked());
    for (QCheckBox* box : {page->chbIncomeInquiry, page->chbIncomeCurrency, page->chbIncomeBusiness, page->chbKudaTratit})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    // The type is locked until the user asks to change it; without a directory the office is typed.
    EXPECT_FALSE(page->Panel1->isEnabled());
    EXPECT_FALSE(page->bnInspection->isEnabled());
    EXPECT_TRUE(page->meInspection->isEnabled());
}

// The long captions of the income kind and the application boxes stand beside them so as to wrap
// in a narrow window: a click on the caption is a click on its box, and the caption greys with it.
TEST_F(InitialDataTest, AWrappedCaptionActsAsItsBoxsOwn)
{
    showPage();
    const std::pair<QCheckBox*, IncomeKind> boxes[] = {{page->chbIncomeInquiry, IncomeKindSources},
                                                      {page->chbKudaTratit, IncomeKindTrata}};
    for (const auto& [box, kind] : boxes) {
        SCOPED_TRACE(box->objectName().toStdString());
        auto* caption = page->findChild<QLabel*>(box->objectName() + QStringLiteral("Caption"));
        ASSERT_NE(caption, nullptr);
        EXPECT_TRUE(caption->wordWrap());
        EXPECT_TRUE(box->text().isEmpty());
        EXPECT_EQ(box->accessibleName(), caption->text()) << "the box still tells what it is";
        ASSERT_FALSE(box->isChecked());

        const int edits = counter.userEdits;
        QTest::mouseClick(caption, Qt::LeftButton);
        EXPECT_TRUE(box->isChecked());
        EXPECT_GT(counter.userEdits, edits);
        page->SaveData();
        EXPECT_TRUE(declaration().HasIncomeKind(kind));

        box->setEnabled(false);
        EXPECT_FALSE(caption->isEnabled());
        box->setEnabled(true);
        EXPECT_TRUE(caption->isEnabled());
    }
}

TEST_F(InitialDataTest, EachControlWritesItsField)
{
    showPage();
    struct Case {
        const char* what;
        std::function<void(TfrInitialData&)> edit;
        std::function<bool(const mTDeclaration&)> written;
    };
    const Case cases[] = {
        {"tax office", [](TfrInitialData& p) { typeInto(p.meInspection, QStringLiteral("7702")); },
         [](const mTDeclaration& d) { return d.TaxOfficeCode == "7702"; }},
        {"correction", [](TfrInitialData& p) { p.meNumVer->setValue(5); },
         [](const mTDeclaration& d) { return d.CorrectionNumber == 5; }},
        {"OKTMO", [](TfrInitialData& p) { typeInto(p.meOKATO, QStringLiteral("12345678901")); },
         [](const mTDeclaration& d) { return d.Person.Address.OKTMO == "12345678901"; }},
        {"category", [](TfrInitialData& p) { p.rbNotarius->click(); },
         [](const mTDeclaration& d) { return d.TaxpayerCategory == 2; }},
        {"arbitration manager", [](TfrInitialData& p) { p.rbArbitr->click(); },
         [](const mTDeclaration& d) { return d.TaxpayerCategory == 6; }},
        {"representative",
         [](TfrInitialData& p) {
             p.rbGiveTrustFase->click();
             typeText(p.meFIO, QStringLiteral("Петров Петр"));
             typeText(p.meOsn, QStringLiteral("Доверенность"));
         },
         [](const mTDeclaration& d) {
             return d.Signer == 1 && d.RepresentativeName == "Петров Петр" && d.RepresentativeDocument == "Доверенность";
         }},
        {"signing personally drops the representative", [](TfrInitialData& p) { p.rbGiveSelf->click(); },
         [](const mTDeclaration& d) { return d.Signer == 0 && d.RepresentativeName.empty(); }},
        {"sources", [](TfrInitialData& p) { p.chbIncomeInquiry->click(); },
         [](const mTDeclaration& d) { return d.HasIncomeKind(IncomeKindSources); }},
        {"foreign", [](TfrInitialData& p) { p.chbIncomeCurrency->click(); },
         [](const mTDeclaration& d) { return d.HasIncomeKind(IncomeKindForeign); }},
        {"business", [](TfrInitialData& p) { p.chbIncomeBusiness->click(); },
         [](const mTDeclaration& d) { return d.HasIncomeKind(IncomeKindBusiness); }},
        {"application", [](TfrInitialData& p) { p.chbKudaTratit->click(); },
         [](const mTDeclaration& d) { return d.HasIncomeKind(IncomeKindTrata); }},
    };
    for (const Case& c : cases) {
        const int edits = counter.userEdits;
        c.edit(*page);
        page->SaveData();
        EXPECT_TRUE(c.written(declaration())) << c.what;
        EXPECT_GT(counter.userEdits, edits) << c.what;
    }
    // The income boxes switch the sections at once.
    EXPECT_EQ(context.kindsChanges, 4);
}

TEST_F(InitialDataTest, FreeTextTakesWhatTheExchangeFileHolds)
{
    showPage();
    page->rbGiveTrustFase->click();
    typeText(page->meOsn, QStringLiteral("Доверенность ☺"));
    EXPECT_TRUE(page->meOsn->text().isEmpty());
    typeText(page->meOsn, QString(121, u'д'));
    EXPECT_TRUE(page->meOsn->text().isEmpty());
    typeText(page->meOsn, QString(120, u'д'));
    EXPECT_EQ(page->meOsn->text().size(), 120);
}

TEST_F(InitialDataTest, ChecksTheHeaderAndFocusesWhatToFix)
{
    struct Case {
        const char* what;
        std::function<void(mTDeclaration&)> setUp;
        std::vector<QString> messages; // with "Пропустить" answered to each
        std::uint16_t fixed;           // what "Исправить" on the first gives
        const char* focused;
    };
    const auto valid = [](mTDeclaration& d) {
        d.TaxOfficeCode = "7701";
        d.Person.Address.OKTMO = "45382000";
    };
    const Case cases[] = {
        {"valid", valid, {}, 0, nullptr},
        {"no tax office", [&](mTDeclaration& d) { valid(d); d.TaxOfficeCode.clear(); },
         {QStringLiteral("Не введен номер инспекции")}, 1, "meInspection"},
        {"short tax office", [&](mTDeclaration& d) { valid(d); d.TaxOfficeCode = "770"; },
         {QStringLiteral("Номер инспекции должен состоять из 4 цифр")}, 1, "meInspection"},
        {"representative without name and document",
         [&](mTDeclaration& d) {
             valid(d);
             d.Signer = 1;
             d.RepresentativeName = "  ";
         },
         {QStringLiteral("Не указаны ФИО подписанта-представителя"),
          QStringLiteral("Не указан документ, подтверждающий полномочия представителя")},
         3, "meFIO"},
        {"representative without document",
         [&](mTDeclaration& d) {
             valid(d);
             d.Signer = 1;
             d.RepresentativeName = "Петров Петр";
         },
         {QStringLiteral("Не указан документ, подтверждающий полномочия представителя")}, 4, "meOsn"},
        {"OKTMO of 9 digits", [&](mTDeclaration& d) { valid(d); d.Person.Address.OKTMO = "123456789"; },
         {QStringLiteral("Код ОКТМО должен содержать 8 или 11 символов")}, 10, "meOKATO"},
        {"OKTMO of 11 digits", [&](mTDeclaration& d) { valid(d); d.Person.Address.OKTMO = "12345678901"; }, {}, 0,
         nullptr},
        {"no OKTMO", [&](mTDeclaration& d) { valid(d); d.Person.Address.OKTMO.clear(); }, {}, 0, nullptr},
    };
    for (const Case& c : cases) {
        window.declaration = std::make_unique<mTDeclaration>();
        c.setUp(declaration());
        showPage();
        page->SaveData();
        {
            ScriptedCheckAnswers skipping;
            skipping.answers.assign(c.messages.size(), CheckSkip);
            EXPECT_EQ(page->CheckData(), 0) << c.what;
            std::vector<QString> shown;
            for (const auto& dialog : skipping.shown)
                shown.push_back(dialog.message);
            EXPECT_EQ(shown, c.messages) << c.what;
        }
        if (c.fixed != 0) {
            ScriptedCheckAnswers fixing;
            fixing.answers = {CheckFix};
            EXPECT_EQ(page->CheckData(), c.fixed) << c.what;
            page->FocusError(c.fixed);
            ASSERT_NE(window.window.focusWidget(), nullptr) << c.what;
            EXPECT_EQ(window.window.focusWidget()->objectName().toStdString(), c.focused) << c.what;
        }
        delete page;
    }
}

TEST_F(InitialDataTest, TheOktmoRuleIsTitledForTheDeclarant)
{
    declaration().TaxOfficeCode = "7701";
    declaration().Person.Address.OKTMO = "1234";
    showPage();
    ScriptedCheckAnswers answers;
    answers.answers = {CheckFix};
    EXPECT_EQ(page->CheckData(), 10);
    ASSERT_EQ(answers.shown.size(), 1u);
    EXPECT_EQ(answers.shown[0].caption, QStringLiteral("Проверка: Сведения о декларанте"));
}

TEST_F(InitialDataTest, TaxOfficeFromTheDirectoryOrTyped)
{
    context.taxOfficeAnswer = [](const QString&) {
        return std::optional<TaxOfficeChoice>({QStringLiteral("7705"), QStringLiteral("ИФНС России № 5 по г.Москве")});
    };
    declaration().TaxOfficeCode = "7701";
    showPage();
    ASSERT_TRUE(page->bnInspection->isEnabled());
    page->bnInspection->click();
    EXPECT_EQ(context.taxOfficePresets, std::vector<QString>{QStringLiteral("7701")});
    EXPECT_EQ(page->meInspection->text(), QStringLiteral("7705"));
    EXPECT_EQ(counter.userEdits, 1);

    // Typing still works beside the directory.
    typeInto(page->meInspection, QStringLiteral("7706"));
    page->SaveData();
    EXPECT_EQ(declaration().TaxOfficeCode, "7706");

    // A missing office opens the chooser on the field.
    page->FocusError(1);
    EXPECT_EQ(context.taxOfficePresets.size(), 2u);
    EXPECT_EQ(page->meInspection->text(), QStringLiteral("7705"));
}

// The receiving office's name is stored with its code, in the file and after reading it back:
// the chosen office's name, the directory's name for a typed code, none for a code the
// directory lacks; another office's name never stays beside a new code.
TEST_F(InitialDataTest, TheOfficeNameGoesWithItsCode)
{
    const QString fromFile = QStringLiteral("Инспекция, как ее назвал файл");
    const QString first = QStringLiteral("ИФНС России № 1 по г. Москве");
    const QString second = QStringLiteral("ИФНС России № 2 по г. Москве");
    const QString fifth = QStringLiteral("ИФНС России № 5 по г. Москве");
    context.taxOfficeNames = {{QStringLiteral("7701"), first}, {QStringLiteral("7702"), second},
                              {QStringLiteral("7705"), fifth}};
    const auto chooserAnswers = [this](const QString& code, const QString& name) {
        return [this, code, name](TfrInitialData& p) {
            context.taxOfficeAnswer = [code, name](const QString&) { return std::optional(TaxOfficeChoice{code, name}); };
            p.bnInspection->click();
        };
    };
    const auto typed = [](const QString& code) {
        return [code](TfrInitialData& p) { typeInto(p.meInspection, code); };
    };
    struct Case {
        const char* what;
        std::string storedName;
        std::function<void(TfrInitialData&)> act;
        std::string code;
        QString name;
        bool edited;
    };
    const Case cases[] = {
        {"left as read", fromFile.toStdString(), [](TfrInitialData&) {}, "7701", fromFile, false},
        {"chosen", fromFile.toStdString(), chooserAnswers(QStringLiteral("7705"), fifth), "7705", fifth, true},
        {"the office shown chosen again", fromFile.toStdString(), chooserAnswers(QStringLiteral("7701"), first),
         "7701", first, true},
        {"a file without the name, its office chosen", "", chooserAnswers(QStringLiteral("7701"), first), "7701",
         first, true},
        {"the chooser cancelled", fromFile.toStdString(),
         [this](TfrInitialData& p) {
             context.taxOfficeAnswer = [](const QString&) { return std::optional<TaxOfficeChoice>(); };
             p.bnInspection->click();
         },
         "7701", fromFile, false},
        {"typed, in the directory", fromFile.toStdString(), typed(QStringLiteral("7702")), "7702", second, true},
        {"typed, not in the directory", fromFile.toStdString(), typed(QStringLiteral("7799")), "7799", QString(), true},
        {"typed in part", fromFile.toStdString(), typed(QStringLiteral("77")), "77", QString(), true},
        {"erased", fromFile.toStdString(), typed(QString()), "", QString(), true},
        {"typed again as it was", fromFile.toStdString(), typed(QStringLiteral("7701")), "7701", first, true},
        {"chosen, then another typed", fromFile.toStdString(),
         [&](TfrInitialData& p) {
             chooserAnswers(QStringLiteral("7705"), fifth)(p);
             typeInto(p.meInspection, QStringLiteral("7798"));
         },
         "7798", QString(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The directory is there; each case answers the chooser its own way.
        context.taxOfficeAnswer = [](const QString&) { return std::optional<TaxOfficeChoice>(); };
        auto original = std::make_unique<mTDeclaration>();
        fillConditions(*original);
        original->TaxOfficeName = c.storedName;
        window.declaration = reloaded(*original);
        const int edits = counter.userEdits;
        showPage();
        c.act(*page);
        page->SaveData();
        EXPECT_EQ(declaration().TaxOfficeCode, c.code);
        EXPECT_EQ(QString::fromStdString(declaration().TaxOfficeName), c.name);
        EXPECT_EQ(counter.userEdits > edits, c.edited);
        delete page;

        // Read back, the page keeps the name it is given, whatever the directory calls the office.
        window.declaration = reloaded(declaration());
        EXPECT_EQ(QString::fromStdString(declaration().TaxOfficeName), c.name);
        showPage()->SaveData();
        EXPECT_EQ(declaration().TaxOfficeCode, c.code);
        EXPECT_EQ(QString::fromStdString(declaration().TaxOfficeName), c.name);
        delete page;
    }
}

// The whole check's rule that the declaration has no income points at the income kinds.
TEST_F(InitialDataTest, NoIncomeFocusesTheIncomeKinds)
{
    showPage();
    page->FocusError(ConditionsIncomeKinds);
    ASSERT_NE(window.window.focusWidget(), nullptr);
    EXPECT_EQ(window.window.focusWidget(), page->chbIncomeInquiry);
}

TEST_F(InitialDataTest, ACancelledChooserChangesNothing)
{
    context.taxOfficeAnswer = [](const QString&) { return std::optional<TaxOfficeChoice>(); };
    declaration().TaxOfficeCode = "7701";
    showPage();
    page->bnInspection->click();
    EXPECT_EQ(page->meInspection->text(), QStringLiteral("7701"));
    EXPECT_EQ(counter.userEdits, 0);
}

TEST_F(InitialDataTest, UntickingAnIncomeKindAsksBeforeDeleting)
{
    struct Case {
        QCheckBox* TfrInitialData::*box;
        IncomeKind kind;
        std::function<std::size_t(const mTDeclaration&)> count;
        QString question;
    };
    const Case cases[] = {
        {&TfrInitialData::chbIncomeInquiry, IncomeKindSources, &mTDeclaration::SourceCount,
         QStringLiteral("Удалить источники выплаты доходов в РФ со всеми их доходами (источников: 1)?")},
        {&TfrInitialData::chbIncomeCurrency, IncomeKindForeign, &mTDeclaration::CurrencyIncomeCount,
         QStringLiteral("Удалить доходы в иностранной валюте (источников: 1)?")},
        {&TfrInitialData::chbIncomeBusiness, IncomeKindBusiness, &mTDeclaration::BusinessCount,
         QStringLiteral("Удалить доходы от предпринимательской деятельности (видов деятельности: 1)?")},
        {&TfrInitialData::chbKudaTratit, IncomeKindTrata, &mTDeclaration::TrataCount,
         QStringLiteral("Удалить заявления о зачете и возврате налога (заявлений: 1)?")},
    };
    for (const Case& c : cases) {
        window.declaration = std::make_unique<mTDeclaration>();
        fillConditions(declaration());
        showPage();
        counter.userEdits = 0;
        const QByteArray before = fileBytes(declaration());
        {
            MessageAnswers no(QMessageBox::No);
            (page->*c.box)->click();
            EXPECT_EQ(no.texts, QStringList{c.question});
        }
        EXPECT_TRUE((page->*c.box)->isChecked());
        page->SaveData();
        EXPECT_EQ(fileBytes(declaration()), before) << c.question.toStdString();
        EXPECT_EQ(counter.userEdits, 0);
        {
            MessageAnswers yes(QMessageBox::Yes);
            (page->*c.box)->click();
        }
        EXPECT_FALSE(declaration().HasIncomeKind(c.kind));
        EXPECT_EQ(c.count(declaration()), 0u);
        EXPECT_EQ(counter.userEdits, 1);
        // Ticked again, the kind starts empty, and with nothing to lose nothing is asked.
        (page->*c.box)->click();
        MessageAnswers unasked(QMessageBox::No);
        (page->*c.box)->click();
        EXPECT_TRUE(unasked.texts.empty());
        EXPECT_FALSE(declaration().HasIncomeKind(c.kind));
        delete page;
    }
}

TEST_F(InitialDataTest, TheTypeIsChangedOnlyAfterUnlockingAndAgreeing)
{
    fillConditions(declaration());
    showPage();
    page->Button1->click();
    EXPECT_TRUE(page->Panel1->isEnabled());

    const QByteArray before = fileBytes(declaration());
    {
        MessageAnswers no(QMessageBox::No);
        page->rbNeRez->click();
        EXPECT_EQ(no.texts,
                  QStringList{QStringLiteral("Удалить все доходы источников выплаты в РФ (строк: 3); сами "
                                             "источники останутся и доходы в иностранной валюте (источников: "
                                             "1)?")});
    }
    EXPECT_TRUE(page->rbSimple->isChecked());
    EXPECT_TRUE(page->chbIncomeCurrency->isEnabled());
    page->SaveData();
    EXPECT_EQ(fileBytes(declaration()), before);
    EXPECT_EQ(counter.userEdits, 0);

    {
        MessageAnswers yes(QMessageBox::Yes);
        page->rbNeRez->click();
    }
    EXPECT_EQ(declaration().DeclarationType, DeclarationNonResident);
    ASSERT_EQ(declaration().SourceCount(), 1u);
    EXPECT_EQ(declaration().GetSource(0)->Income13Count() + declaration().GetSource(0)->Income15Count()
                  + declaration().GetSource(0)->Income99Count(),
              0u);
    EXPECT_FALSE(declaration().HasIncomeKind(IncomeKindForeign));
    EXPECT_FALSE(page->chbIncomeCurrency->isChecked());
    EXPECT_FALSE(page->chbIncomeCurrency->isEnabled());
    EXPECT_FALSE(page->Panel1->isEnabled());
    EXPECT_GT(counter.userEdits, 0);
    EXPECT_GT(context.kindsChanges, 0);
    EXPECT_FALSE(declaration().HasDeductionsSection());
}

TEST_F(InitialDataTest, ClosingABusinessKeepsOnlyBusinessIncome)
{
    fillConditions(declaration());
    declaration().TaxpayerCategory = 5;
    showPage();
    page->Button1->click();
    {
        MessageAnswers yes(QMessageBox::Yes);
        page->rbNextYear->click();
        EXPECT_EQ(yes.texts, QStringList{QStringLiteral(
                                 "Удалить источники выплаты доходов в РФ со всеми их доходами (источников: 1) и доходы "
                                 "в иностранной валюте (источников: 1)?")});
    }
    page->SaveData();
    EXPECT_EQ(declaration().DeclarationType, DeclarationClosingBusiness);
    EXPECT_EQ(declaration().IncomeKinds(), IncomeKindBusiness | IncomeKindTrata);
    EXPECT_EQ(declaration().BusinessCount(), 1u);
    EXPECT_FALSE(page->chbIncomeInquiry->isEnabled());
    EXPECT_FALSE(page->rbFLProch->isEnabled());
    EXPECT_TRUE(page->rbPredp->isChecked());
    EXPECT_EQ(declaration().TaxpayerCategory, 0);
    EXPECT_TRUE(declaration().HasDeductionsSection());

    // Back to an ordinary declaration with nothing to lose: no question.
    page->Button1->click();
    MessageAnswers unasked(QMessageBox::No);
    page->rbSimple->click();
    EXPECT_TRUE(unasked.texts.empty());
    EXPECT_EQ(declaration().DeclarationType, DeclarationOrdinary);
    EXPECT_TRUE(page->chbIncomeInquiry->isEnabled());
    EXPECT_TRUE(page->rbFLProch->isEnabled());
}

TEST_F(InitialDataTest, ChangingTheTypeFirstShowsTheWarning)
{
    showPage();
    page->Button1->click();
    EXPECT_EQ(helpTopics, std::vector<QString>{QStringLiteral("InitialData.htm")});
    EXPECT_TRUE(page->Panel1->isEnabled());
}

} // namespace
