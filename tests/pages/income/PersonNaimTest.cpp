#include "pages/income/PersonNaim.h"

#include <deque>
#include <functional>
#include <vector>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/CountryChooser.h"
#include "controls/DtpPanel.h"
#include "controls/MaskedDocEdit.h"
#include "controls/MaskedEdit.h"
#include "controls/ReferenceDocument.h"
#include "model/DayDate.h"
#include "pages/income/DocTypeDialog.h"
#include "pages/income/DocumentSeriesLayout.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SavedDeclaration.h"
#include "tests/support/TestProgramContext.h"
#include "tests/support/UserTyping.h"

namespace {

const char* const ValidInn = "500100732259";
const char* const Passport = "Паспорт гражданина РФ";

void fillPerson(mTPersonInformation& person)
{
    person.Name.SurName = "Иванова-Петрова";
    person.Name.FirstName = "Анна";
    person.Name.Patronymic = "Сергеевна";
    person.Name.INN = ValidInn;
    person.Document.DocKind = 21;
    person.Document.DocKindName = Passport;
    person.Document.DocSeriesNumber = "45 06 123456";
    person.Document.BirthDate = *encodeDate(1984, 2, 29);
    person.HomePhone.Number = "84951234567";
    person.Foreigner.CountryCode = "276";
    person.Foreigner.CountryName = "ГЕРМАНИЯ";
}

// A small country directory; its last row is the entry for persons without citizenship.
ReferenceElement countries()
{
    return parseReferenceXml(QStringLiteral("<?xml version=\"1.0\"?>\n"
                                            "<Oksm>\n"
                                            "  <Country Code=\"276\">ГЕРМАНИЯ</Country>\n"
                                            "  <Country Code=\"643\">РОССИЯ</Country>\n"
                                            "  <Country Code=\"999\">ОСОБАЯ ЗАПИСЬ</Country>\n"
                                            "</Oksm>\n")
                                 .toUtf8());
}

// Opens the picker with the page's button and answers it.
void pickDocument(TfrPersonNaim& page, std::function<void(TfmDocType&)> answer)
{
    ModalAnswer<TfmDocType> picked(std::move(answer));
    page.bnDocType->click();
    ASSERT_TRUE(picked.shown);
}

void chooseRow(TfmDocType& picker, const char* code)
{
    const QList<QTreeWidgetItem*> rows = picker.lvDocType->findItems(QString::fromLatin1(code), Qt::MatchExactly, 0);
    ASSERT_EQ(rows.size(), 1);
    picker.lvDocType->setCurrentItem(rows.front());
    picker.bnYes->click();
}

class PersonNaimTest : public ::testing::Test {
protected:
    mTPersonInformation& person() { return window.declaration->Person; }
    TfrPersonNaim* showPage() { return page = window.show<TfrPersonNaim>(); }

    UserEditCounter counter;
    PageWindow window;
    TfrPersonNaim* page = nullptr;
};

TEST_F(PersonNaimTest, LooksAsItShould)
{
    showPage();
    EXPECT_EQ(page->gbPersonName->title(), QStringLiteral("  Ф.И.О."));
    EXPECT_EQ(page->gbDoc->title(), QStringLiteral("  Сведения о документе, удостоверяющем личность"));
    EXPECT_EQ(page->gbGr->title(), QStringLiteral("  Данные о гражданстве"));
    EXPECT_EQ(page->GroupBox2->title(), QStringLiteral("Контактный телефон"));
    const std::pair<QLabel*, const char*> labels[] = {
        {page->Label1, "Фамилия"},         {page->Label2, "Имя"},
        {page->Label3, "Отчество"},        {page->lbINN, "ИНН"},
        {page->lbBirthDate, "Дата рождения"}, {page->Label4, "Вид документа"},
        {page->lbSerial, "Серия и номер"}, {page->lbCitizenship, "Код страны"},
        {page->Label5, "Подсказка: Если вы указали свой ИНН, то поля \"Вид документа\" и \"Серия и номер\" можно не "
                       "заполнять."},
    };
    for (const auto& [label, caption] : labels)
        EXPECT_EQ(label->text(), QString::fromUtf8(caption));
    EXPECT_EQ(page->bnDocType->text(), QStringLiteral("..."));
    EXPECT_EQ(page->bnGrazhd->text(), QStringLiteral("..."));

    const struct {
        TMaskedEdit* edit;
        TEditTypeControlEnum type;
        int length;
        bool enabled;
    } edits[] = {
        {page->meSurName, edtNone, 60, true},     {page->meName, edtNone, 60, true},
        {page->mePatronymic, edtNone, 60, true},  {page->meINN, edtDigital, 12, true},
        {page->meHomePhone, edtDigital, 20, true}, {page->meKodGrazhd, edtNone, 32, false},
        {page->meCitizenship, edtNone, 70, false},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.edit->objectName().toStdString());
        EXPECT_EQ(edit.edit->editType(), edit.type);
        EXPECT_EQ(edit.edit->wholeLength(), edit.length);
        EXPECT_EQ(edit.edit->isEnabled(), edit.enabled);
    }
    EXPECT_FALSE(page->meSerial->isEnabled()) << "no document kind yet";
    EXPECT_FALSE(page->bnGrazhd->isEnabled()) << "no country directory";
    EXPECT_EQ(page->dtBirthDate->maxDate(), today());
    EXPECT_EQ(page->meKodGrazhd->text(), QStringLiteral("643"));
    EXPECT_EQ(page->meCitizenship->text(), QStringLiteral("РОССИЯ"));
}

TEST_F(PersonNaimTest, ADeclarationLoadedAndSavedBackIsUnchanged)
{
    const struct {
        const char* title;
        std::function<void(mTPersonInformation&)> fill;
    } cases[] = {
        {"everything entered", fillPerson},
        {"a new declaration", [](mTPersonInformation&) {}},
        {"a kind without name keeps its series",
         [](mTPersonInformation& person) {
             person.Document.DocKind = 21;
             person.Document.DocSeriesNumber = "45 06 123456";
         }},
        {"values the page would not let be typed",
         [](mTPersonInformation& person) {
             fillPerson(person);
             person.Name.SurName = std::string(70, 'X') + " Ёжиков ";
             person.Name.INN = "12345";
             person.HomePhone.Number = "+7 (495) 123-45-67";
             person.Document.BirthDate = *encodeDate(1850, 1, 1);
         }},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        test.fill(fresh.declaration->Person);
        const QByteArray before = fileBytes(*fresh.declaration);
        fresh.show<TfrPersonNaim>()->SaveData();
        EXPECT_EQ(fileBytes(*fresh.declaration), before);
    }
    EXPECT_EQ(counter.userEdits, 0) << "filling a page is no edit";
}

TEST_F(PersonNaimTest, EachEditWritesItsOwnField)
{
    fillPerson(person());
    showPage();
    using Field = std::function<std::string&(mTPersonInformation&)>;
    const struct {
        TMaskedEdit* edit;
        Field field;
        const char* typed;
    } edits[] = {
        {page->meSurName, [](mTPersonInformation& p) -> std::string& { return p.Name.SurName; }, "Сидорова"},
        {page->meName, [](mTPersonInformation& p) -> std::string& { return p.Name.FirstName; }, "Мария"},
        {page->mePatronymic, [](mTPersonInformation& p) -> std::string& { return p.Name.Patronymic; }, "Ивановна"},
        {page->meINN, [](mTPersonInformation& p) -> std::string& { return p.Name.INN; }, "770708389312"},
        {page->meHomePhone, [](mTPersonInformation& p) -> std::string& { return p.HomePhone.Number; },
         "89165550011"},
    };
    for (const auto& edit : edits) {
        SCOPED_TRACE(edit.edit->objectName().toStdString());
        mTPersonInformation expected = person();
        edit.field(expected) = edit.typed;
        const int editsBefore = counter.userEdits;
        typeText(edit.edit, QString::fromUtf8(edit.typed));
        EXPECT_GT(counter.userEdits, editsBefore);
        page->SaveData();
        EXPECT_EQ(person(), expected) << "the field and nothing else";
    }

    // Names take at most 60 characters, and only what windows-1251 holds.
    const QString longest(60, QChar(u'Я'));
    typeText(page->meSurName, longest);
    page->meSurName->end(false);
    page->meSurName->insert(QStringLiteral("Я"));
    page->mePatronymic->end(false);
    page->mePatronymic->insert(QStringLiteral(" ≠"));
    page->SaveData();
    EXPECT_EQ(person().Name.SurName, longest.toStdString());
    EXPECT_EQ(person().Name.Patronymic, "Ивановна");
}

TEST_F(PersonNaimTest, CheckRulesAndTheControlEachFailureFocuses)
{
    const QString surname = QStringLiteral("Не введена фамилия");
    const QString name = QStringLiteral("Не введено имя");
    const QString innLength = QStringLiteral("Длина ИНН должна быть равна 12 цифрам");
    const QString innWrong = QStringLiteral("Номер ИНН введен неверно");
    const QString innEmpty = QStringLiteral("Не указан ИНН");
    const QString noDocument = QStringLiteral("Не указан документ, удостоверяющий личность");
    const QString noSeries = QStringLiteral("Не указаны серия и номер документа, удостоверяющего личность");
    using Person = std::function<void(mTPersonInformation&)>;
    const Person noInn = [](mTPersonInformation& p) { p.Name.INN.clear(); };
    const Person noKind = [](mTPersonInformation& p) { p.Document = mTPersonDoc(); };
    const Person noSurname = [](mTPersonInformation& p) { p.Name.SurName.clear(); };
    const Person noName = [](mTPersonInformation& p) { p.Name.FirstName.clear(); };
    const Person noSeriesNumber = [](mTPersonInformation& p) { p.Document.DocSeriesNumber.clear(); };
    const struct {
        const char* title;
        std::vector<Person> changes; // to a person with every value valid
        std::deque<int> answers;
        std::vector<QString> shown;
        std::uint16_t result;
        const char* focused; // the control focused for the element; nullptr: none
    } cases[] = {
        {"all valid", {}, {}, {}, 0, nullptr},
        {"valid ИНН, no document", {noKind}, {}, {}, 0, nullptr},
        {"no surname", {noSurname}, {CheckFix}, {surname}, TfrPersonNaim::SurName, "meSurName"},
        {"no name", {noName}, {CheckFix}, {name}, TfrPersonNaim::FirstName, "meName"},
        {"ИНН of 10 digits", {[](mTPersonInformation& p) { p.Name.INN = "7707083893"; }}, {CheckFix}, {innLength},
         TfrPersonNaim::Inn, "meINN"},
        {"ИНН with a wrong check digit", {[](mTPersonInformation& p) { p.Name.INN = "500100732258"; }}, {CheckFix},
         {innWrong}, TfrPersonNaim::Inn, "meINN"},
        {"no ИНН", {noInn}, {CheckFix}, {innEmpty}, TfrPersonNaim::Inn, "meINN"},
        {"no ИНН skipped, no document", {noInn, noKind}, {CheckSkip, CheckFix}, {innEmpty, noDocument},
         TfrPersonNaim::DocumentKind, "bnDocType"},
        {"wrong ИНН skipped, no document", {[](mTPersonInformation& p) { p.Name.INN = "000000000000"; }, noKind},
         {CheckSkip, CheckFix}, {innWrong, noDocument}, TfrPersonNaim::DocumentKind, "bnDocType"},
        {"no ИНН, all skipped: the document rule is not asked", {noInn, noKind}, {CheckSkipAll}, {innEmpty}, 0,
         nullptr},
        {"no ИНН skipped, a document given", {noInn}, {CheckSkip}, {innEmpty}, 0, nullptr},
        {"a document kind without series", {noSeriesNumber}, {CheckFix}, {noSeries}, TfrPersonNaim::DocumentSeries,
         "meSerial"},
        {"no ИНН and a document kind without series", {noInn, noSeriesNumber}, {CheckSkip, CheckFix},
         {innEmpty, noSeries}, TfrPersonNaim::DocumentSeries, "meSerial"},
        {"no surname, all skipped", {noSurname, noInn, noKind}, {CheckSkipAll}, {surname}, 0, nullptr},
        {"everything missing, each rule skipped", {noSurname, noName, noInn, noKind},
         {CheckSkip, CheckSkip, CheckSkip, CheckSkip}, {surname, name, innEmpty, noDocument}, 0, nullptr},
        {"a closed dialog goes on", {noInn, noKind}, {CheckClosed, CheckFix}, {innEmpty, noDocument},
         TfrPersonNaim::DocumentKind, "bnDocType"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.title);
        PageWindow fresh;
        mTPersonInformation& checked = fresh.declaration->Person;
        fillPerson(checked);
        for (const Person& change : test.changes)
            change(checked);
        TfrPersonNaim* shown = fresh.show<TfrPersonNaim>();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh.window));
        shown->SaveData();
        std::uint16_t result = 0;
        std::vector<QString> messages;
        {
            ScriptedCheckAnswers checks;
            checks.answers = test.answers;
            result = shown->CheckData();
            for (const ScriptedCheckAnswers::Shown& dialog : checks.shown) {
                EXPECT_EQ(dialog.caption, QStringLiteral("Проверка: Сведения о декларанте"));
                EXPECT_TRUE(dialog.skip && dialog.skipAll);
                messages.push_back(dialog.message);
            }
        }
        EXPECT_EQ(messages, test.shown);
        EXPECT_EQ(result, test.result);
        if (!test.focused)
            continue;
        // The document kind's element opens the list of kinds as well.
        ModalAnswer<TfmDocType> picker([](TfmDocType& dialog) { dialog.reject(); });
        shown->FocusError(result);
        EXPECT_EQ(picker.shown, result == TfrPersonNaim::DocumentKind);
        ASSERT_NE(fresh.window.focusWidget(), nullptr);
        EXPECT_EQ(fresh.window.focusWidget()->objectName().toStdString(), test.focused);
    }
}

TEST_F(PersonNaimTest, FocusErrorOfThePatronymicAndOfUnknownCodes)
{
    showPage();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.window));
    page->FocusError(TfrPersonNaim::Patronymic);
    EXPECT_EQ(window.window.focusWidget(), page->mePatronymic);
    for (const std::uint16_t unknown : {0, 8, 100}) {
        page->FocusError(unknown);
        EXPECT_EQ(window.window.focusWidget(), page->mePatronymic);
    }
}

TEST_F(PersonNaimTest, ASeriesFromTheFileSurvivesForEveryDocumentKind)
{
    std::vector<std::uint16_t> codes;
    for (const IdentityDocumentKind& kind : IdentityDocumentKinds)
        codes.push_back(std::uint16_t(QString::fromUtf8(kind.code.data(), qsizetype(kind.code.size())).toUShort()));
    // Kinds of earlier years.
    for (const std::uint16_t old : {1, 2, 4, 5, 6, 9, 18, 26, 99})
        codes.push_back(old);
    const char* const series[] = {
        "45 06 123456", "IV-АБ 123456", "АБ 1234567", "12 1234567", "N 123 456 789 ABC DEFGHI", "пп  12", "",
    };
    for (const std::uint16_t code : codes) {
        for (const char* text : series) {
            SCOPED_TRACE(std::to_string(code) + " " + text);
            PageWindow fresh;
            mTPersonDoc& document = fresh.declaration->Person.Document;
            document.DocKind = code;
            document.DocKindName = "Вид " + std::to_string(code);
            document.DocSeriesNumber = text;
            const QByteArray before = fileBytes(*fresh.declaration);
            TfrPersonNaim* shown = fresh.show<TfrPersonNaim>();
            EXPECT_TRUE(shown->meSerial->isEnabled());
            EXPECT_EQ(shown->meSerial->editType(), documentSeriesLayout(code));
            shown->SaveData();
            EXPECT_EQ(fileBytes(*fresh.declaration), before);
        }
    }
}

TEST(DocumentSeriesLayout, OneLayoutPerDocumentKind)
{
    const struct {
        std::uint16_t code;
        TDocumentMaskEnum layout;
    } cases[] = {
        {1, edtR_BB},   {3, edtR_BB},   {2, edt99},      {9, edt99},      {22, edt99},     {4, edtBB},
        {6, edtBB},     {7, edtBB0},    {24, edtBB0},    {26, edtBB0},    {27, edtBB0},    {21, edt99_},
        {5, edtNone1},  {8, edtNone1},  {10, edtNone1},  {11, edtNone1},  {12, edtNone1},  {13, edtNone1},
        {14, edtNone1}, {15, edtNone1}, {18, edtNone1},  {19, edtNone1},  {23, edtNone1},  {91, edtNone1},
        {0, edtNone1},  {99, edtNone1}, {65535, edtNone1},
    };
    for (const auto& test : cases)
        EXPECT_EQ(documentSeriesLayout(test.code), test.layout) << test.code;
}

TEST_F(PersonNaimTest, ChoosingAnotherDocumentKindStartsAnEmptySeriesInItsLayout)
{
    showPage();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.window));
    pickDocument(*page, [](TfmDocType& picker) { chooseRow(picker, "21"); });
    EXPECT_EQ(page->pnlDocType->text(), QString::fromUtf8(Passport));
    EXPECT_TRUE(page->meSerial->isEnabled());
    EXPECT_EQ(page->meSerial->editType(), edt99_);
    EXPECT_GT(counter.userEdits, 0);

    page->meSerial->setFocus();
    QTest::keyClicks(page->meSerial, QStringLiteral("1234567890"));
    EXPECT_EQ(page->meSerial->text(), QStringLiteral("12 34 567890"));
    page->SaveData();
    EXPECT_EQ(person().Document.DocKind, 21);
    EXPECT_EQ(person().Document.DocKindName, Passport);
    EXPECT_EQ(person().Document.DocSeriesNumber, "12 34 567890");

    // Each kind has its own layout: the old series goes.
    pickDocument(*page, [](TfmDocType& picker) { chooseRow(picker, "03"); });
    EXPECT_EQ(page->meSerial->text(), QString());
    EXPECT_EQ(page->meSerial->editType(), edtR_BB);
    page->meSerial->setFocus();
    QTest::keyClicks(page->meSerial, QStringLiteral("1v-"));
    EXPECT_EQ(page->meSerial->text(), QStringLiteral("IV-"));
    page->SaveData();
    EXPECT_EQ(person().Document.DocKind, 3);
    EXPECT_EQ(person().Document.DocKindName, "Свидетельство о рождении");
    EXPECT_EQ(person().Document.DocSeriesNumber, "IV-");

    // Free text takes the 20 characters that the older kinds' series may hold.
    pickDocument(*page, [](TfmDocType& picker) { chooseRow(picker, "11"); });
    const QString twenty = QStringLiteral("ВЖ-123/2015 от 01.02");
    ASSERT_EQ(twenty.size(), 20);
    typeText(page->meSerial, twenty);
    EXPECT_EQ(page->meSerial->text(), twenty);
}

TEST_F(PersonNaimTest, PickingTheShownDocumentOrCancellingChangesNothing)
{
    fillPerson(person());
    showPage();
    const QByteArray before = fileBytes(*window.declaration);
    pickDocument(*page, [](TfmDocType& picker) { picker.bnYes->click(); }); // the preselected row
    pickDocument(*page, [](TfmDocType& picker) { chooseRow(picker, "21"); });
    pickDocument(*page, [](TfmDocType& picker) {
        picker.lvDocType->setCurrentItem(picker.lvDocType->topLevelItem(0));
        picker.bnCansel->click();
    });
    pickDocument(*page, [](TfmDocType& picker) { picker.reject(); });
    EXPECT_EQ(counter.userEdits, 0);
    page->SaveData();
    EXPECT_EQ(fileBytes(*window.declaration), before);
}

TEST_F(PersonNaimTest, PickingTheShownKindUnderAnOlderNameKeepsTheSeries)
{
    fillPerson(person());
    person().Document.DocKindName = "Паспорт гражданина Российской Федерации";
    showPage();
    pickDocument(*page, [](TfmDocType& picker) { picker.bnYes->click(); });
    EXPECT_EQ(page->pnlDocType->text(), QString::fromUtf8(Passport));
    EXPECT_EQ(page->meSerial->text(), QStringLiteral("45 06 123456"));
    EXPECT_GT(counter.userEdits, 0);
    page->SaveData();
    EXPECT_EQ(person().Document.DocKindName, Passport);
    EXPECT_EQ(person().Document.DocSeriesNumber, "45 06 123456");
}

TEST_F(PersonNaimTest, TheCountryPickerSetsTheCitizenship)
{
    TestProgramContext context;
    TfmGrazhd chooser(&window.window, countries());
    context.countries = &chooser;
    showPage();
    ASSERT_TRUE(page->bnGrazhd->isEnabled());

    // The same country again is no change.
    {
        ModalAnswer<TfmGrazhd> answer([](TfmGrazhd& picker) {
            EXPECT_EQ(picker.FCode(), QStringLiteral("643"));
            picker.bnYes->click();
        });
        page->bnGrazhd->click();
        ASSERT_TRUE(answer.shown);
    }
    EXPECT_EQ(counter.userEdits, 0);

    const struct {
        int row;
        const char* code;
        const char* name;
    } choices[] = {
        {0, "276", "ГЕРМАНИЯ"},
        {2, "999", "ДЛЯ ЛИЦ БЕЗ ГРАЖДАНСТВА"},
    };
    for (const auto& choice : choices) {
        SCOPED_TRACE(choice.code);
        const int editsBefore = counter.userEdits;
        ModalAnswer<TfmGrazhd> answer([&](TfmGrazhd& picker) {
            picker.lvGrazhd->setCurrentItem(picker.lvGrazhd->topLevelItem(choice.row));
            picker.bnYes->click();
        });
        page->bnGrazhd->click();
        ASSERT_TRUE(answer.shown);
        EXPECT_GT(counter.userEdits, editsBefore);
        page->SaveData();
        EXPECT_EQ(person().Foreigner.CountryCode, choice.code);
        EXPECT_EQ(person().Foreigner.CountryName, choice.name);
    }

    // Cancelled, the picker leaves the citizenship alone.
    ModalAnswer<TfmGrazhd> cancelled([](TfmGrazhd& picker) {
        picker.lvGrazhd->setCurrentItem(picker.lvGrazhd->topLevelItem(1));
        picker.bnCansel->click();
    });
    page->bnGrazhd->click();
    page->SaveData();
    EXPECT_EQ(person().Foreigner.CountryCode, "999");
}

TEST_F(PersonNaimTest, TheBirthDateCannotBeAfterToday)
{
    showPage();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.window));
    auto* edit = page->dtBirthDate->findChild<TTestMaskD*>();
    ASSERT_NE(edit, nullptr);
    const auto typeDate = [&](double dayCount) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        edit->home(false);
        QTest::keyClicks(edit, QString::fromStdString(dateText(dayCount)).remove(QLatin1Char('.')));
        QTest::keyClick(edit, Qt::Key_Tab);
    };

    const double birthday = *encodeDate(1990, 7, 15);
    typeDate(birthday);
    EXPECT_GT(counter.userEdits, 0);
    page->SaveData();
    EXPECT_EQ(person().Document.BirthDate, birthday);

    typeDate(today() + 1);
    page->SaveData();
    EXPECT_EQ(person().Document.BirthDate, birthday) << "tomorrow is refused, not replaced";
    EXPECT_EQ(edit->displayText(), QString::fromStdString(dateText(today() + 1)));
    {
        ScriptedCheckAnswers checks;
        EXPECT_EQ(page->CheckData(), TfrPersonNaim::BirthDate);
        EXPECT_EQ(checks.shown.size(), 1u);
    }
    typeDate(today());
    page->SaveData();
    EXPECT_EQ(person().Document.BirthDate, today());
}

} // namespace
