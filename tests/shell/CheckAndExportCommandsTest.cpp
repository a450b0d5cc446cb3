#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/FlashButton.h"
#include "controls/MaskedEdit.h"
#include "controls/MessageBox.h"
#include "pages/deductions/FrameDeductData.h"
#include "pages/deductions/FramePensDeduct.h"
#include "pages/income/CurrencyFrame.h"
#include "pages/income/Input13SourseIncome.h"
#include "shell/DeclarationFileDialogs.h"
#include "shell/FormMain.h"
#include "shell/HelpPrompt.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/shell/ExportingWindowTest.h"
#include "tests/support/BlankPage.h"
#include "tests/support/ExchangeSchema.h"
#include "tests/support/PageTestSupport.h"

namespace {

const QString ProductName = QStringLiteral("Форвета");
const QString NoSection = QStringLiteral("NoSection");

// Stands for an input page that holds the first name until it is asked for its data, and
// notes what it is asked to focus.
class FirstNamePage : public TThinkingFrame {
public:
    FirstNamePage(QWidget* owner, DeclarationSlot& declaration, std::string typed)
        : TThinkingFrame(owner, declaration), typed_(std::move(typed))
    {
    }

    void SaveData() override { Declaration->Person.Name.FirstName = typed_; }
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t code) override { focused.push_back(code); }

    std::vector<std::uint16_t> focused;

private:
    std::string typed_;
};

class CheckAndExportCommandsTest : public ExportingWindowTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(ExportingWindowTest::SetUp());
        makeChecked(window->declaration());
        showNoSection();
    }

    mTDeclaration& declaration() { return window->declaration(); }

    // Tests set the declaration up behind the window's back: the page shown then holds no data
    // of it that leaving the page would write over the model.
    void showNoSection()
    {
        window->pageHost().show(NoSection, makeBlankPage);
    }

    QStringList exportedFiles() const { return QDir(exportFolder.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(CheckAndExportCommandsTest, CheckCommandReportsAPassedDeclaration)
{
    ScriptedCheckAnswers script;
    ASSERT_TRUE(window->CheckDoc->isEnabled());
    window->CheckDoc->trigger();

    EXPECT_TRUE(script.shown.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(messages[0].caption, ProductName);
    EXPECT_EQ(messages[0].text, QStringLiteral("Проверка декларации завершена успешно"));
    EXPECT_TRUE(window->isSaved()) << "a check that changes nothing leaves the declaration unchanged";
}

// "Исправить" opens the section of the failed rule and focuses the rule's element there; a failed
// deduction rule opens the deductions section on the page of that deduction. Leaving the page
// again runs its own check.
TEST_F(CheckAndExportCommandsTest, CorrectingARuleOpensItsSection)
{
    const struct {
        const char* name;
        std::function<void(mTDeclaration&)> spoil;
        TFlashButton* TFormMain::*button;
        const char* pageName;
        const char* focused;      // nullptr where the page has no element to focus
        const char* leavingCheck; // what the page's own check says when it is left; nullptr for nothing
    } cases[] = {
        {"residence", [](mTDeclaration& d) { d.Person.Address.OKTMO = "1"; }, &TFormMain::fbInitialData,
         "TfrInitialData", "meOKATO", "Код ОКТМО должен содержать 8 или 11 символов"},
        {"declarant", [](mTDeclaration& d) { d.Person.Name.SurName.clear(); }, &TFormMain::fbPrsonInfo,
         "TfrPersonNaim", "meSurName", "Не введена фамилия"},
        {"source's OKTMO", [](mTDeclaration& d) { d.GetSource(1)->Oktmo.clear(); }, &TFormMain::fbRussianIncome,
         "TfrSourse", nullptr, nullptr},
        {"foreign income", [](mTDeclaration& d) { addForeignIncome(d).CurrencyCode.clear(); },
         &TFormMain::fbForeignIncome, "TfrCurrency", "lvSourseIncomeInfo", "По данному источнику выплаты не указан код валюты"},
        {"business", [](mTDeclaration& d) { addBusiness(d).ExpenseSum = Currency(); }, &TFormMain::fbBusinessIncome,
         "TfrBusinessNew", "lvSourseIncomeInfo",
         "Общие расходы (0) не совпадают с суммой расходов материальных, на оплату труда, прочих и амортизационных "
         "отчислений (500000)"},
        {"social deduction", [](mTDeclaration& d) { d.SocialDeduct.Granted = 1; }, &TFormMain::fbDeduction,
         "TfrFrameDeductData", "meCharitySum", "Не введены данные по социальным налоговым вычетам"},
        {"application", [](mTDeclaration& d) { addOffsetApplication(d).Kbk.clear(); }, &TFormMain::fbKudaTratit,
         "TfrKudaTratit", "lvSourseIncomeInfo",
         "КБК налога (недоимки, пени штрафа) не указан или имеет недостаточное количество числовых символов"},
    };
    // Answers every check dialog, the pages' own ones too.
    ScriptedCheckAnswers script;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        showNoSection();
        makeChecked(declaration());
        test.spoil(declaration());
        window->updateSectionButtons();
        script.shown.clear();
        script.answers = {CheckFix};
        // A source's requisites are fixed in their own dialog, which the page opens.
        std::optional<ModalAnswer<TfmInput13SourseIncome>> requisites;
        if (test.button == &TFormMain::fbRussianIncome)
            requisites.emplace([](TfmInput13SourseIncome& dialog) { dialog.bnCansel->click(); });

        EXPECT_EQ(window->PrepareAndCheck(), 1);
        if (requisites) {
            EXPECT_TRUE(requisites->shown);
        }

        EXPECT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(window->currentButton(), window.get()->*test.button);
        EXPECT_TRUE((window.get()->*test.button)->isDown());
        EXPECT_EQ(window->pageHost().currentPageName(), QString::fromUtf8(test.pageName));
        if (test.button == &TFormMain::fbDeduction) {
            const auto* deductions = qobject_cast<TfrFrameDeductData*>(window->currentPage());
            ASSERT_NE(deductions, nullptr);
            EXPECT_NE(qobject_cast<TfrFramePensDeduct*>(deductions->currentPage()), nullptr);
            EXPECT_EQ(deductions->currentButton(), deductions->fbPensDeduct);
            EXPECT_TRUE(deductions->fbPensDeduct->isDown());
        }
        if (test.focused) {
            ASSERT_NE(window->focusWidget(), nullptr);
            EXPECT_EQ(window->focusWidget()->objectName(), QString::fromUtf8(test.focused));
        }

        // A real page checks itself as it is left; "Пропустить все" lets the user go on.
        script.shown.clear();
        script.answers = {CheckSkipAll};
        userClick(window->fbInitialData == window->currentButton() ? window->fbPrsonInfo : window->fbInitialData);
        if (test.leavingCheck) {
            ASSERT_EQ(script.shown.size(), 1u);
            EXPECT_EQ(script.shown[0].message, QString::fromUtf8(test.leavingCheck));
        } else {
            EXPECT_TRUE(script.shown.empty());
        }
    }
    EXPECT_TRUE(messages.empty());
}

// Of several foreign incomes, "Исправить" opens the one the check refused, wherever it stands.
TEST_F(CheckAndExportCommandsTest, CorrectingAForeignIncomeOpensTheRefusedOne)
{
    const struct {
        const char* name;
        int refused; // 0-based
        std::function<void(mTCurrencyIncome&)> spoil;
        const char* message;
    } cases[] = {
        {"the first without its currency", 0, [](mTCurrencyIncome& i) { i.CurrencyCode.clear(); },
         "По данному источнику выплаты не указан код валюты"},
        {"the second without its currency", 1, [](mTCurrencyIncome& i) { i.CurrencyCode.clear(); },
         "По данному источнику выплаты не указан код валюты"},
        {"the third without its income code", 2, [](mTCurrencyIncome& i) { i.IncomeCode = 0; },
         "По данному источнику выплаты не указан код дохода"},
    };
    ScriptedCheckAnswers script;
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        showNoSection();
        makeChecked(declaration());
        for (int i = 0; i < 3; ++i)
            addForeignIncome(declaration()).SourceName = "Источник " + std::to_string(i + 1);
        test.spoil(*declaration().GetCurrencyIncome(std::size_t(test.refused)));
        window->updateSectionButtons();
        script.shown.clear();
        script.answers = {CheckFix};

        EXPECT_EQ(window->PrepareAndCheck(), 1);

        ASSERT_EQ(script.shown.size(), 1u);
        EXPECT_EQ(script.shown[0].message, QString::fromUtf8(test.message));
        const auto* page = qobject_cast<TfrCurrency*>(window->currentPage());
        ASSERT_NE(page, nullptr);
        const QTreeWidget* list = page->lvSourseIncomeInfo;
        ASSERT_EQ(list->topLevelItemCount(), 3);
        ASSERT_NE(list->currentItem(), nullptr);
        EXPECT_EQ(list->indexOfTopLevelItem(list->currentItem()), test.refused);
        EXPECT_EQ(list->currentItem()->text(0), QStringLiteral("Источник %1").arg(test.refused + 1));
        EXPECT_TRUE(list->currentItem()->isSelected());

        script.answers = {CheckSkipAll};
        userClick(window->fbInitialData);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(CheckAndExportCommandsTest, CancellingTheCheckStaysOnThePage)
{
    declaration().Person.Name.SurName.clear();
    for (const int answer : {int(CheckSkip), int(CheckClosed)}) {
        ScriptedCheckAnswers script;
        script.answers = {answer};
        EXPECT_EQ(window->PrepareAndCheck(), 2);
        window->CheckDoc->trigger();
        EXPECT_EQ(script.shown.size(), 2u);
        EXPECT_EQ(window->pageHost().currentPageName(), NoSection);
        EXPECT_EQ(window->currentButton(), window->fbInitialData);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(CheckAndExportCommandsTest, TheCurrentPageHandsOverItsDataBeforeTheCheck)
{
    declaration().Person.Name.FirstName.clear();
    FirstNamePage* page = nullptr;
    window->pageHost().show(QStringLiteral("TfrPersonNaim"), [&](QWidget* container, DeclarationSlot& slot) {
        page = new FirstNamePage(container, slot, "Петр");
        return page;
    });
    ScriptedCheckAnswers script;

    EXPECT_EQ(window->PrepareAndCheck(), 0);
    EXPECT_TRUE(script.shown.empty());
    EXPECT_EQ(declaration().Person.Name.FirstName, "Петр");
}

TEST_F(CheckAndExportCommandsTest, ThePageAlreadyShownIsKeptAndFocused)
{
    FirstNamePage* page = nullptr;
    window->pageHost().show(QStringLiteral("TfrPersonNaim"), [&](QWidget* container, DeclarationSlot& slot) {
        page = new FirstNamePage(container, slot, "");
        return page;
    });
    ScriptedCheckAnswers script;
    script.answers = {CheckFix};

    EXPECT_EQ(window->PrepareAndCheck(), 1);

    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].message, QStringLiteral("Не введено имя"));
    EXPECT_EQ(window->currentPage(), page);
    EXPECT_EQ(page->focused, std::vector<std::uint16_t>{2});
    EXPECT_EQ(window->currentButton(), window->fbPrsonInfo);
    EXPECT_TRUE(window->fbPrsonInfo->isDown());
}

TEST_F(CheckAndExportCommandsTest, DisposingOfTheRefundOpensTheApplicationSection)
{
    declaration().GetSource(1)->WithheldTax13 = Currency::fromWholeRoubles(14'000);
    ASSERT_FALSE(window->fbKudaTratit->isEnabled());
    ScriptedCheckAnswers script;
    script.answers = {CheckFix};

    EXPECT_EQ(window->PrepareAndCheck(), 1);

    ASSERT_EQ(script.shown.size(), 1u);
    EXPECT_EQ(script.shown[0].caption, QStringLiteral("Проверка: Оформление возврата"));
    EXPECT_TRUE(declaration().HasIncomeKind(IncomeKindTrata));
    EXPECT_TRUE(window->fbKudaTratit->isEnabled());
    EXPECT_EQ(window->pageHost().currentPageName(), QStringLiteral("TfrKudaTratit"));
    EXPECT_FALSE(window->isSaved());
}

TEST_F(CheckAndExportCommandsTest, SkippingTheRefundLetsTheCheckPass)
{
    declaration().GetSource(1)->WithheldTax13 = Currency::fromWholeRoubles(14'000);
    ScriptedCheckAnswers script;
    script.answers = {CheckSkip};

    window->CheckDoc->trigger();

    EXPECT_EQ(script.shown.size(), 1u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Проверка декларации завершена успешно"));
    EXPECT_FALSE(declaration().HasIncomeKind(IncomeKindTrata));
    EXPECT_TRUE(window->isSaved());
}

// The exchange file lands in the chosen folder under the name reported, and is one the format's schema accepts.
TEST_F(CheckAndExportCommandsTest, ExportWritesTheExchangeFileIntoTheChosenFolder)
{
    for (const QString& chosen : {exportFolder.path(), exportFolder.path() + u'/'}) {
        SCOPED_TRACE(chosen.toStdString());
        for (const QString& old : exportedFiles())
            QFile::remove(exportFolder.filePath(old));
        messages.clear();
        folders->folders = {chosen};
        ScriptedCheckAnswers script;
        ASSERT_TRUE(window->ExportDoc->isEnabled());

        window->ExportDoc->trigger();

        EXPECT_TRUE(script.shown.empty());
        EXPECT_EQ(folders->captions.back(), ProductName);
        EXPECT_FALSE(folders->windowEnabled.back()) << "the window takes no command while the chooser is open";
        EXPECT_TRUE(window->isEnabled());
        const QStringList files = exportedFiles();
        ASSERT_EQ(files.size(), 1);
        const QRegularExpression fileName(
            QStringLiteral("^NO_NDFL3_7701_7701_770700010054_\\d{8}_[0-9A-Fa-f-]{36}\\.xml$"));
        EXPECT_TRUE(fileName.match(files[0]).hasMatch()) << files[0].toStdString();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].icon, QMessageBox::Information);
        EXPECT_EQ(messages[0].caption, ProductName);
        EXPECT_EQ(messages[0].text, QStringLiteral("Сформирован файл ") + exportFolder.path() + QStringLiteral("/ ")
                                        + files[0]);
        EXPECT_EQ(exchangeSchemaErrors(exportFolder.filePath(files[0]).toStdString()), "");
    }
}

TEST_F(CheckAndExportCommandsTest, ExportWithoutTheTaxpayersInnExplainsFirst)
{
    declaration().Person.Name.INN.clear();
    folders->folders = {exportFolder.path()};
    QString prompted;
    bool linkShown = true;
    bool chooserAskedFirst = false;
    // The prompt is modal: it is answered from the event loop it runs.
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* prompt = qobject_cast<TfmHelp*>(modal);
        if (!prompt) {
            ADD_FAILURE() << "no help prompt";
            if (modal)
                modal->close();
            return;
        }
        chooserAskedFirst = !folders->captions.empty();
        prompted = prompt->lbMessage->text();
        linkShown = !prompt->lbLink->isHidden();
        prompt->bnOk->click();
    });
    ScriptedCheckAnswers script;

    window->ExportDoc->trigger();

    EXPECT_EQ(prompted, QStringLiteral("В Вашей декларации не указан ИНН. Для представления ее в электронном виде "
                                       "через сервис «Личный кабинет налогоплательщика для физических лиц» "
                                       "необходимо указать ИНН."));
    EXPECT_FALSE(linkShown);
    EXPECT_FALSE(chooserAskedFirst);
    EXPECT_EQ(folders->captions.size(), 1u);
    ASSERT_EQ(exportedFiles().size(), 1);
    EXPECT_TRUE(exportedFiles()[0].startsWith(QStringLiteral("NO_NDFL3_7701_7701_")));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(QStringLiteral("Сформирован файл "))) << messages[0].text.toStdString();
}

TEST_F(CheckAndExportCommandsTest, NoFileWithoutAPassedCheckOrAFolder)
{
    const struct {
        const char* name;
        std::function<void(mTDeclaration&)> spoil;
        std::deque<int> answers;
        std::deque<QString> folders;
    } cases[] = {
        {"check cancelled", [](mTDeclaration& d) { d.Person.Name.SurName.clear(); }, {CheckSkip}, {}},
        {"rule to correct", [](mTDeclaration& d) { d.Person.Name.SurName.clear(); }, {CheckFix}, {}},
        {"chooser cancelled", [](mTDeclaration&) {}, {}, {QString()}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        showNoSection();
        makeChecked(declaration());
        test.spoil(declaration());
        folders->folders = test.folders;
        ScriptedCheckAnswers script;
        script.answers = test.answers;

        window->ExportDoc->trigger();

        EXPECT_TRUE(folders->folders.empty()) << "the folder was chosen";
        EXPECT_TRUE(exportedFiles().isEmpty());
        EXPECT_TRUE(messages.empty());
        EXPECT_TRUE(window->isEnabled());
    }
}

// What the export would refuse is caught by the check before it: the user corrects it on its
// page, and no file is written.
TEST_F(CheckAndExportCommandsTest, WhatTheExportWouldRefuseIsCaughtByTheCheck)
{
    makeChecked(declaration());
    declaration().Person.Name.SurName = "Ива\tнов";
    messages.clear();
    folders->folders = {exportFolder.path()};
    ScriptedCheckAnswers script;

    window->ExportDoc->trigger();

    EXPECT_EQ(script.shown.size(), 1u);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(exportedFiles().isEmpty()) << exportedFiles().join(u' ').toStdString();
    EXPECT_TRUE(window->isEnabled());
}

// The user learns why, and the folder holds nothing, not even a temporary file.
TEST_F(CheckAndExportCommandsTest, AFailedExportShowsWhyAndWritesNothing)
{
    const struct {
        const char* name;
        std::function<void(mTDeclaration&)> spoil;
        QString folder;
        QString messageStart;
    } cases[] = {
        {"a folder that is not there", [](mTDeclaration&) {}, exportFolder.filePath(QStringLiteral("missing")),
         QStringLiteral("Ошибка в выгрузке. Папка ")},
        {"a folder no file can be made in, even by the superuser", [](mTDeclaration&) {}, QStringLiteral("/sys"),
         QStringLiteral("Ошибка в выгрузке. Не удалось записать файл /sys/NO_NDFL3_")},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        makeChecked(declaration());
        test.spoil(declaration());
        messages.clear();
        folders->folders = {test.folder};
        ScriptedCheckAnswers script;

        window->ExportDoc->trigger();

        EXPECT_TRUE(script.shown.empty());
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, ProductName);
        EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
        EXPECT_TRUE(messages[0].text.startsWith(test.messageStart)) << messages[0].text.toStdString();
        if (test.folder == u"/sys") {
            // The system's reason is told in Russian, not in the system's English.
            const QString reason = messages[0].text.section(QStringLiteral(": "), -1);
            EXPECT_FALSE(reason.isEmpty() || reason.contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
                << messages[0].text.toStdString();
        }
        EXPECT_TRUE(exportedFiles().isEmpty()) << exportedFiles().join(u' ').toStdString();
        EXPECT_TRUE(window->isEnabled());
    }
}

} // namespace
