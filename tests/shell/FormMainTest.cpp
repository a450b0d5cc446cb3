#include "shell/FormMain.h"

#include <deque>

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QScrollArea>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "controls/CheckDialogs.h"
#include "controls/CheckRun.h"
#include "controls/DeclModified.h"
#include "controls/FlashButton.h"
#include "controls/ItemList.h"
#include "controls/MessageBox.h"
#include "model/Cp1251.h"
#include "model/DayDate.h"
#include "model/StorageErrors.h"
#include "pages/deductions/FrameDeductData.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
#include "pages/income/RateLines.h"
#include "pages/income/Sourse.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/PageTestSupport.h"

namespace {

QSettings& storedSettings()
{
    static QSettings settings(QStringLiteral("ORVEX"), QStringLiteral("Форвета"));
    settings.sync();
    return settings;
}

class FormMainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        storedSettings().clear();
        storedSettings().sync();
        MessageBox::setAnswerer([this](const MessageBox::Message& message) {
            messages.push_back(message);
            return QMessageBox::Ok;
        });
    }
    void TearDown() override
    {
        MessageBox::setAnswerer({});
        storedSettings().clear();
    }

    std::unique_ptr<TFormMain> start(const QStringList& arguments = {})
    {
        return std::make_unique<TFormMain>(arguments, folder.path() + u'/');
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    void writeFile(const QString& name, const QByteArray& data)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }

    // A declaration file written by the model, with a tax office and three income kinds.
    QString savedDeclaration(const QString& name)
    {
        mTDeclaration declaration;
        declaration.TaxOfficeCode = "7701";
        declaration.SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindTrata);
        declaration.SaveToFile(QFile::encodeName(path(name)).toStdString());
        return path(name);
    }

    QTemporaryDir folder;
    std::vector<MessageBox::Message> messages;
};

TEST_F(FormMainTest, StartsWithANewUnnamedDeclarationOnTheConditionsPage)
{
    const auto window = start();

    EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Форвета"));
    EXPECT_TRUE(window->fileName().isEmpty());
    EXPECT_TRUE(window->isSaved());
    EXPECT_TRUE(messages.empty());

    const mTDeclaration& declaration = window->declaration();
    EXPECT_EQ(declaration.IncomeKinds(), IncomeKindSources);
    EXPECT_TRUE(declaration.TaxOfficeCode.empty());
    EXPECT_EQ(declaration.Signer, 0);
    EXPECT_EQ(declaration.DeclarationDate, today());

    ASSERT_NE(window->currentPage(), nullptr);
    EXPECT_EQ(window->currentPage()->parentWidget(), window->PnlFormContainer);
    EXPECT_EQ(window->pageHost().currentPageName(), QStringLiteral("TfrInitialData"));
    EXPECT_EQ(window->currentButton(), window->fbInitialData);
    EXPECT_TRUE(window->fbInitialData->isDown());
    EXPECT_EQ(window->size(), QSize(1014, 693));
}

TEST_F(FormMainTest, SectionButtonsFollowIncomeKindsAndDeclarationType)
{
    const auto window = start();
    const struct {
        const char* name;
        std::uint8_t kinds;
        std::uint8_t type;
        bool russian, foreign, business, deduction, refund;
    } cases[] = {
        {"new declaration", IncomeKindSources, DeclarationOrdinary, true, false, false, true, false},
        {"no income kinds", 0, DeclarationOrdinary, false, false, false, false, false},
        {"all kinds", 15, DeclarationOrdinary, true, true, true, true, true},
        {"non-resident", 15, DeclarationNonResident, true, true, true, false, true},
        {"closing a business", IncomeKindBusiness, DeclarationClosingBusiness, false, false, true, true, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        window->declaration().SetIncomeKinds(test.kinds);
        window->declaration().DeclarationType = test.type;
        window->updateSectionButtons();
        EXPECT_TRUE(window->fbInitialData->isEnabled());
        EXPECT_TRUE(window->fbPrsonInfo->isEnabled());
        EXPECT_EQ(window->fbRussianIncome->isEnabled(), test.russian);
        EXPECT_EQ(window->fbForeignIncome->isEnabled(), test.foreign);
        EXPECT_EQ(window->fbBusinessIncome->isEnabled(), test.business);
        EXPECT_EQ(window->fbDeduction->isEnabled(), test.deduction);
        EXPECT_EQ(window->fbKudaTratit->isEnabled(), test.refund);
    }
}

TEST_F(FormMainTest, OpensTheFileNamedOnTheCommandLine)
{
    const QString file = savedDeclaration(QStringLiteral("Иванов 2021.fv1"));

    for (const QStringList& arguments : {QStringList{file}, QStringList{QStringLiteral("-P"), file}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const auto window = start(arguments);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Иванов 2021.fv1 - Форвета"));
        EXPECT_EQ(window->fileName(), file);
        EXPECT_EQ(window->declaration().TaxOfficeCode, "7701");
        EXPECT_TRUE(window->fbForeignIncome->isEnabled());
        EXPECT_TRUE(window->fbKudaTratit->isEnabled());
        EXPECT_TRUE(window->isSaved());
    }
}

TEST_F(FormMainTest, ThreeArgumentsOpenNothing)
{
    const QString file = savedDeclaration(QStringLiteral("a.fv1"));
    const auto window = start({QStringLiteral("-p"), file, file});
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Форвета"));
    EXPECT_TRUE(window->declaration().TaxOfficeCode.empty());
}

TEST_F(FormMainTest, FileThatCannotBeLoadedGivesItsMessageAndANewDeclaration)
{
    writeFile(QStringLiteral("garbage.fv1"), QByteArray("this is no declaration file at all"));
    writeFile(QStringLiteral("empty.fv1"), QByteArray());
    QByteArray truncated;
    {
        QFile whole(savedDeclaration(QStringLiteral("whole.fv1")));
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        truncated = whole.readAll();
        truncated.chop(truncated.size() / 2);
    }
    writeFile(QStringLiteral("truncated.fv1"), truncated);

    for (const char* name : {"garbage.fv1", "empty.fv1", "truncated.fv1", "missing.fv1"}) {
        SCOPED_TRACE(name);
        const QString file = path(QLatin1String(name));
        QString modelMessage;
        try {
            mTDeclaration().LoadFromFile(QFile::encodeName(file).toStdString());
            FAIL() << "the model loaded it";
        } catch (const mEPrivBase& error) {
            // The window shows each of the model's lines on a line of its own.
            modelMessage = QString::fromUtf8(error.what()).replace(u'\r', u'\n');
        }
        messages.clear();

        const auto window = start({file});

        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
        EXPECT_EQ(messages[0].caption, QStringLiteral("Форвета"));
        EXPECT_EQ(messages[0].text, modelMessage);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Без имени - Форвета"));
        EXPECT_TRUE(window->fileName().isEmpty());
        EXPECT_EQ(window->declaration().IncomeKinds(), IncomeKindSources);
        EXPECT_TRUE(window->declaration().TaxOfficeCode.empty());
        EXPECT_NE(window->currentPage(), nullptr);
    }
}

TEST_F(FormMainTest, EditsMarkTheDeclarationChangedExceptWhileAPageIsBuilt)
{
    const auto window = start();
    EXPECT_EQ(declModifiedReceiver(), window.get());
    {
        const PageLoadingScope building;
        sendDeclModified();
    }
    EXPECT_TRUE(window->isSaved());

    sendDeclModified();
    EXPECT_FALSE(window->isSaved());
}

TEST_F(FormMainTest, SectionButtonShowsItsPage)
{
    const auto window = start();
    ScriptedCheckAnswers leaving;
    leaving.answers = {CheckSkipAll};
    userClick(window->fbPrsonInfo);

    ASSERT_EQ(leaving.shown.size(), 1u) << "the conditions page checks itself as it is left";
    EXPECT_EQ(leaving.shown[0].message, QStringLiteral("Не введен номер инспекции"));
    EXPECT_EQ(window->pageHost().currentPageName(), QStringLiteral("TfrPersonNaim"));
    EXPECT_EQ(window->currentButton(), window->fbPrsonInfo);
    EXPECT_TRUE(window->fbPrsonInfo->isDown());
    EXPECT_FALSE(window->fbInitialData->isDown());
    EXPECT_TRUE(window->isSaved()) << "building a page is no edit";

    TThinkingFrame* shown = window->currentPage();
    userClick(window->fbPrsonInfo);
    EXPECT_EQ(window->currentPage(), shown) << "the page shown is not made again";

    // A click by the button's accelerator key moves the strip as well.
    window->fbDeduction->click();
    const auto* deductions = qobject_cast<TfrFrameDeductData*>(window->currentPage());
    ASSERT_NE(deductions, nullptr) << "the deductions section's container";
    EXPECT_EQ(deductions->currentButton(), deductions->fbConstructionDeduct) << "it opens on the property tab";
    EXPECT_NE(qobject_cast<TfrMultyConstructionDeduct*>(deductions->currentPage()), nullptr);
    EXPECT_TRUE(window->fbDeduction->isDown());
    EXPECT_FALSE(window->fbPrsonInfo->isDown());
}

// Every section switch puts the keyboard focus into the page shown; a list page focuses its list
// with the first row selected, so that a reopened declaration shows its data at once.
TEST_F(FormMainTest, ASectionSwitchFocusesThePageAndOpensTheFirstRow)
{
    mTDeclaration saved;
    saved.TaxOfficeCode = "7701";
    saved.SetIncomeKinds(IncomeKindSources | IncomeKindForeign | IncomeKindBusiness | IncomeKindTrata);
    saved.GetSource(saved.AddSource())->Name = "ООО \"Ромашка\"";
    saved.GetSource(saved.AddSource())->Name = "АО \"Лютик\"";
    saved.GetCurrencyIncome(saved.AddCurrencyIncome())->SourceName = "Apple Inc.";
    saved.GetBusiness(saved.AddBusiness())->ActivityKind = "1";
    saved.GetTrata(saved.AddTrata())->IsRefund = 1;
    const QString file = path(QStringLiteral("lists.fv1"));
    saved.SaveToFile(QFile::encodeName(file).toStdString());

    const auto window = start({file});
    window->show();
    ScriptedCheckAnswers leaving;
    leaving.answers = std::deque<int>(30, CheckSkipAll);
    struct Section {
        const char* name;
        TFlashButton* button;
        bool listPage;
    };
    const Section sections[] = {
        {"personal data", window->fbPrsonInfo, false},  {"sources", window->fbRussianIncome, true},
        {"foreign income", window->fbForeignIncome, true}, {"business", window->fbBusinessIncome, true},
        {"refund", window->fbKudaTratit, true},           {"deductions", window->fbDeduction, false},
        {"conditions", window->fbInitialData, false},
    };
    for (const Section& section : sections) {
        SCOPED_TRACE(section.name);
        userClick(section.button);
        TThinkingFrame* page = window->currentPage();
        QWidget* focused = window->focusWidget();
        ASSERT_NE(focused, nullptr);
        EXPECT_TRUE(page->isAncestorOf(focused)) << focused->objectName().toStdString();
        if (section.listPage) {
            auto* list = page->findChild<QTreeWidget*>(QStringLiteral("lvSourseIncomeInfo"));
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(focused, list);
            EXPECT_EQ(selectedRow(list), 0);
        }
        EXPECT_TRUE(window->isSaved()) << "opening a row is no edit";
    }
    userClick(window->fbRussianIncome);
    auto* sources = qobject_cast<TfrSourse*>(window->currentPage());
    ASSERT_NE(sources, nullptr);
    EXPECT_EQ(sources->sourceIndex(), 0) << "the first source's lines are shown";
    EXPECT_TRUE(sources->rateFrame()->fbAddIncome->isEnabled());
}

// A conditions page whose check always asks to fix element 3.
class RefusingPage : public TThinkingFrame {
public:
    RefusingPage(QWidget* owner, DeclarationSlot& declaration, std::vector<std::uint16_t>& focused)
        : TThinkingFrame(owner, declaration), focused_(focused)
    {
    }
    void SaveData() override {}
    std::uint16_t CheckData() override { return 3; }
    void FocusError(std::uint16_t code) override { focused_.push_back(code); }

private:
    std::vector<std::uint16_t>& focused_;
};

TEST_F(FormMainTest, PageThatRefusesToBeLeftKeepsItsButtonDown)
{
    const auto window = start();
    std::vector<std::uint16_t> focused;
    window->pageHost().show(QStringLiteral("TfrInitialData"), [&](QWidget* owner, DeclarationSlot& declaration) {
        return new RefusingPage(owner, declaration, focused);
    });
    TThinkingFrame* refusing = window->currentPage();

    userClick(window->fbDeduction);

    EXPECT_EQ(window->currentPage(), refusing);
    EXPECT_EQ(focused, std::vector<std::uint16_t>{3});
    EXPECT_TRUE(window->fbInitialData->isDown());
    EXPECT_FALSE(window->fbDeduction->isDown());
    EXPECT_EQ(window->currentButton(), window->fbInitialData);
}

// A conditions page with two failing rules, checked through the check dialog.
class CheckedPage : public TThinkingFrame {
public:
    CheckedPage(QWidget* owner, DeclarationSlot& declaration, std::vector<std::uint16_t>& focused)
        : TThinkingFrame(owner, declaration), focused_(focused)
    {
    }
    void SaveData() override {}
    std::uint16_t CheckData() override
    {
        CheckRun run(this, QStringLiteral("Задание условий"));
        run.report(QStringLiteral("Не указана фамилия"), 1);
        run.report(QStringLiteral("Не указан ИНН"), 2);
        return run.result();
    }
    void FocusError(std::uint16_t code) override { focused_.push_back(code); }

private:
    std::vector<std::uint16_t>& focused_;
};

TEST_F(FormMainTest, CheckAnswersDecideWhetherTheSectionChanges)
{
    const struct {
        const char* name;
        std::deque<int> answers;
        bool leaves;
        std::vector<std::uint16_t> focused;
        std::size_t dialogs;
    } cases[] = {
        {"fix the first rule", {CheckFix}, false, {1}, 1},
        {"skip the first, fix the second", {CheckSkip, CheckFix}, false, {2}, 2},
        {"skip all on the first rule", {CheckSkipAll}, true, {}, 1},
        {"skip both rules", {CheckSkip, CheckSkip}, true, {}, 2},
        {"close both dialogs", {CheckClosed, CheckClosed}, true, {}, 2},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const auto window = start();
        std::deque<int> answers = test.answers;
        std::vector<QString> captions;
        CheckDialog::setAnswerer([&](const CheckDialog& dialog) {
            captions.push_back(dialog.windowTitle());
            if (answers.empty()) {
                ADD_FAILURE() << "more check dialogs than answers";
                return int(CheckFix);
            }
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
        std::vector<std::uint16_t> focused;
        window->pageHost().show(QStringLiteral("TfrInitialData"), [&](QWidget* owner, DeclarationSlot& declaration) {
            return new CheckedPage(owner, declaration, focused);
        });

        userClick(window->fbDeduction);
        CheckDialog::setAnswerer({});

        EXPECT_EQ(captions.size(), test.dialogs);
        EXPECT_EQ(captions.front(), QStringLiteral("Проверка: Задание условий"));
        EXPECT_EQ(focused, test.focused);
        EXPECT_EQ(qobject_cast<TfrFrameDeductData*>(window->currentPage()) != nullptr, test.leaves);
        EXPECT_EQ(dynamic_cast<CheckedPage*>(window->currentPage()) != nullptr, !test.leaves);
        EXPECT_EQ(window->fbDeduction->isDown(), test.leaves);
        EXPECT_EQ(window->fbInitialData->isDown(), !test.leaves);
    }
}

TEST_F(FormMainTest, ButtonBarFollowsTheStoredSettings)
{
    const struct {
        const char* name;
        std::optional<int> showStdToolbar;
        std::optional<int> textLabels;
        bool barShown;
        bool captions;
    } cases[] = {
        {"nothing stored", std::nullopt, std::nullopt, true, true},
        {"no captions", 1, 0, true, false},
        {"no bar", 0, 1, false, true},
        {"neither", 0, 0, false, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        storedSettings().clear();
        if (test.showStdToolbar)
            storedSettings().setValue(QStringLiteral("ShowStdToolbar"), *test.showStdToolbar);
        if (test.textLabels)
            storedSettings().setValue(QStringLiteral("TextLabels"), *test.textLabels);
        storedSettings().sync();

        const auto window = start();
        EXPECT_EQ(window->miStdToolbar->isChecked(), test.barShown);
        EXPECT_EQ(window->miTextLabels->isChecked(), test.captions);
        EXPECT_EQ(!window->CoolBarButtons->isHidden(), test.barShown);
        EXPECT_EQ(window->fbExsport->caption(), test.captions ? QStringLiteral("Файл xml") : QString());
        EXPECT_EQ(window->fbCreate->caption(), test.captions ? QStringLiteral("Создать") : QString());
        EXPECT_EQ(window->fbCheck->size(), test.captions ? QSize(80, 47) : QSize(35, 35));
    }
}

TEST_F(FormMainTest, MenuTogglesAreStoredAndApplied)
{
    const auto window = start();

    window->miTextLabels->trigger();
    EXPECT_EQ(storedSettings().value(QStringLiteral("TextLabels")).toInt(), 0);
    EXPECT_TRUE(window->fbOpen->caption().isEmpty());
    EXPECT_EQ(window->fbOpen->size(), QSize(35, 35));

    window->miTextLabels->trigger();
    EXPECT_EQ(storedSettings().value(QStringLiteral("TextLabels")).toInt(), 1);
    EXPECT_EQ(window->fbOpen->caption(), QStringLiteral("Открыть"));
    EXPECT_EQ(window->fbOpen->size(), QSize(80, 47));

    window->miStdToolbar->trigger();
    EXPECT_EQ(storedSettings().value(QStringLiteral("ShowStdToolbar")).toInt(), 0);
    EXPECT_TRUE(window->CoolBarButtons->isHidden());
    window->miStdToolbar->trigger();
    EXPECT_EQ(storedSettings().value(QStringLiteral("ShowStdToolbar")).toInt(), 1);
    EXPECT_FALSE(window->CoolBarButtons->isHidden());
}

TEST_F(FormMainTest, WindowPlacementIsStoredWhenTheWindowGoes)
{
    auto window = start();
    const QRect frame = window->frameGeometry();
    window.reset();
    EXPECT_EQ(storedSettings().value(QStringLiteral("FullScreen")).toInt(), 0);
    EXPECT_EQ(storedSettings().value(QStringLiteral("wLeft")).toInt(), frame.left());
    EXPECT_EQ(storedSettings().value(QStringLiteral("wTop")).toInt(), frame.top());
    EXPECT_EQ(storedSettings().value(QStringLiteral("wWidth")).toInt(), frame.width());
    EXPECT_EQ(storedSettings().value(QStringLiteral("wHeight")).toInt(), frame.height());
}

TEST_F(FormMainTest, WindowIsNeverSmallerThan750By550)
{
    const auto window = start();
    window->resize(600, 400);
    EXPECT_EQ(window->size(), QSize(750, 550));
}

TEST_F(FormMainTest, AtTheSmallestSizeOnlyThePageScrollsAndEverySectionIsReachable)
{
    const auto window = start();
    window->show();
    window->resize(750, 550);
    QCoreApplication::processEvents();

    auto* pageScroller = qobject_cast<QScrollArea*>(window->PnlFormContainer->parentWidget()->parentWidget());
    ASSERT_NE(pageScroller, nullptr);
    EXPECT_FALSE(pageScroller->isAncestorOf(window->PnlSelectGroup)) << "the sections scroll away with the page";

    auto* sectionScroller = qobject_cast<QScrollArea*>(window->PnlSelectGroup->parentWidget()->parentWidget());
    ASSERT_NE(sectionScroller, nullptr);
    QWidget* column = sectionScroller->viewport();
    EXPECT_GE(column->width(), window->fbKudaTratit->width()) << "the scroll bar covers the buttons";
    sectionScroller->ensureWidgetVisible(window->fbKudaTratit, 0, 0);
    const QRect lastButton(window->fbKudaTratit->mapTo(column, QPoint()), window->fbKudaTratit->size());
    EXPECT_TRUE(column->rect().contains(lastButton)) << "the last section cannot be scrolled into view";
}

TEST_F(FormMainTest, StartsWithEachReferenceFileMissingOrDamaged)
{
    const struct {
        const char* fileName;
        std::optional<ReferenceElement> ReferenceDirectories::*loaded;
    } files[] = {
        {"InspectionNumbers.xml", &ReferenceDirectories::inspections},
        {"Oksm.xml", &ReferenceDirectories::countries},
        {"Sp_OKVED2.xml", &ReferenceDirectories::activityCodes},
        {"CurrencyRates.xml", &ReferenceDirectories::currencyRates},
    };
    const QByteArray sound = QByteArray::fromStdString(cp1251::fromUtf8(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Root><Item Code=\"643\">РОССИЯ</Item></Root>"));
    const QByteArray damaged("<Root><Item Code=\"0101\">");

    for (const auto& odd : files) {
        for (const bool present : {false, true}) {
            SCOPED_TRACE(std::string(odd.fileName) + (present ? " damaged" : " missing"));
            for (const auto& file : files) {
                QFile::remove(path(QLatin1String(file.fileName)));
                if (&file != &odd)
                    writeFile(QLatin1String(file.fileName), sound);
            }
            if (present)
                writeFile(QLatin1String(odd.fileName), damaged);
            messages.clear();

            const auto window = start();

            ASSERT_EQ(messages.size(), present ? 1u : 0u);
            if (present) {
                EXPECT_TRUE(messages[0].text.contains(QLatin1String(odd.fileName))) << messages[0].text.toStdString();
            }
            for (const auto& file : files) {
                const auto& directory = window->referenceDirectories().*file.loaded;
                ASSERT_EQ(directory.has_value(), &file != &odd) << file.fileName;
                if (directory) {
                    EXPECT_EQ(directory->children.at(0).text, QStringLiteral("РОССИЯ"));
                }
            }
            EXPECT_NE(window->currentPage(), nullptr) << "the program runs on";
        }
    }
}

TEST_F(FormMainTest, PagesReachTheWindowThroughTheProgramContext)
{
    auto window = start();
    EXPECT_EQ(programContext(), window.get());
    EXPECT_EQ(programContext()->programFolder(), folder.path() + u'/');
    EXPECT_NE(programContext()->helpViewer(), nullptr) << "the built-in help";
    window.reset();
    EXPECT_EQ(programContext(), nullptr);
    EXPECT_EQ(declModifiedReceiver(), nullptr);
}

TEST_F(FormMainTest, MenusHoldTheirCommands)
{
    const auto window = start();
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"&Файл", {"&Создать", "&Открыть", "Со&хранить", "Сохранить &как...", "", "В&ыход"}},
        {"&Декларация", {"Про&смотр", "&Печать", "&Экспорт в xml", "Про&верить"}},
        {"&Настройки", {"&Стандартная панель", "&Подписи под кнопками", "", "Программа пе&чати..."}},
        {"&Справка", {"&Справка", "", "&О программе"}},
    };
    const QList<QAction*> menus = window->menuBar()->actions();
    ASSERT_EQ(menus.size(), qsizetype(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].first.toStdString());
        EXPECT_EQ(menus[i]->text(), expected[i].first);
        QStringList items;
        for (const QAction* item : menus[i]->menu()->actions())
            items << item->text();
        EXPECT_EQ(items, expected[i].second);
    }
}

// Preview and Print too: without a print program they say so when used.
TEST_F(FormMainTest, EveryCommandIsEnabledAndQuitCloses)
{
    const auto window = start();
    for (QAction* command : {window->CreateDoc, window->OpenDoc, window->SaveDoc, window->SaveAsDoc,
                             window->PreviewDoc, window->PrintDoc, window->ExportDoc, window->CheckDoc,
                             window->About, window->Help, window->miPrintProgram})
        EXPECT_TRUE(command->isEnabled()) << command->text().toStdString();
    for (const TFlashButton* button : {window->fbSave, window->fbView, window->fbPrint})
        EXPECT_TRUE(button->isEnabled()) << button->objectName().toStdString();

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->Quit->trigger();
    EXPECT_FALSE(window->isVisible()) << "an unchanged declaration closes without asking";
    EXPECT_TRUE(messages.empty());
}

} // namespace
