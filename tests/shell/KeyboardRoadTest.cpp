// A declaration made with the keyboard alone, as a salary earner with two children makes it: from
// a new declaration to the exchange file, every step a key press into whatever has the focus.

#include <functional>

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "shell/FormMain.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/shell/RoadTest.h"
#include "tests/support/TabOrderCheck.h"

namespace {

class KeyboardRoadTest : public RoadTest {
protected:
    void SetUp() override
    {
        RoadTest::SetUp();
        ASSERT_TRUE(showActive(*window));
    }

    // What has the focus now; a key that lands nowhere is a road that stops.
    QWidget* focused()
    {
        QWidget* widget = QApplication::focusWidget();
        if (!widget && !focusLost_) {
            focusLost_ = true;
            ADD_FAILURE() << "nothing has the focus on " << pageName().toStdString();
        }
        return widget ? widget : window.get();
    }

    // Where the keyboard goes: an open menu takes it before the focus does.
    QWidget* keyboardTarget()
    {
        QWidget* popup = QApplication::activePopupWidget();
        return popup ? popup : focused();
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(keyboardTarget(), key, modifiers);
    }
    void press(QChar letter, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::sendKeyEvent(QTest::Click, keyboardTarget(), Qt::Key(letter.toUpper().unicode()), QString(letter),
                            modifiers);
    }
    // Each letter as the keyboard sends it, Cyrillic included.
    void type(const QString& text)
    {
        for (QChar letter : text)
            press(letter);
    }

    // Tab until the control named has the focus; the stops passed on the way are told when it is
    // never reached.
    bool tabTo(const QString& name)
    {
        QStringList passed;
        for (int i = 0; i < 80 && QApplication::focusWidget(); ++i) {
            if (controlName(focused()) == name)
                return true;
            passed << controlName(focused());
            press(Qt::Key_Tab);
        }
        ADD_FAILURE() << "Tab never reaches " << name.toStdString() << "; it passes " << passed.join(u' ').toStdString();
        return false;
    }

    // Tab to the field and type into it, what was there selected and replaced.
    void typeInto(const QString& field, const QString& text)
    {
        if (!tabTo(field))
            return;
        press(Qt::Key_A, Qt::ControlModifier);
        type(text);
    }

    // Presses the key that opens a modal dialog and works the dialog with `keys` once it is up;
    // whether it came up. A dialog the keys leave open, or one without the focus, is closed so
    // the road ends instead of waiting.
    bool inDialog(const std::function<void()>& openingKey, const std::function<void()>& keys)
    {
        QWidget* owner = QApplication::activeWindow();
        QWidget* modalBefore = QApplication::activeModalWidget();
        bool shown = false;
        QObject context;
        std::function<void(int)> poll = [&](int attempt) {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal != modalBefore && modal->isAncestorOf(QApplication::focusWidget())) {
                shown = true;
                keys();
                if (QApplication::activeModalWidget() == modal) {
                    ADD_FAILURE() << "the keys leave " << controlName(modal).toStdString() << " open";
                    qobject_cast<QDialog*>(modal)->reject();
                }
                return;
            }
            if (attempt < 100) {
                QTimer::singleShot(10, &context, [&poll, attempt] { poll(attempt + 1); });
            } else if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && modal != modalBefore) {
                ADD_FAILURE() << controlName(modal).toStdString() << " came up without the focus";
                dialog->reject();
            }
        };
        QTimer::singleShot(0, &context, [&poll] { poll(0); });
        openingKey();
        // The desktop gives the window its activation back when a dialog closes; the test
        // platform leaves that to the test.
        if (owner && QApplication::activeWindow() != owner) {
            owner->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(owner));
        }
        EXPECT_TRUE(shown) << "no dialog came up";
        return shown;
    }

    // Tab to the picker's button, open the picker with Space and choose the code typed there.
    void pickCode(const QString& button, const QString& code)
    {
        tabTo(button);
        inDialog([&] { press(Qt::Key_Space); },
                 [&] {
                     type(code);
                     press(Qt::Key_Return);
                 });
    }

    QString pageName() const { return window->pageHost().currentPageName(); }

private:
    bool focusLost_ = false;
};

TEST_F(KeyboardRoadTest, ASalaryEarnerWithTwoChildrenMakesTheDeclarationWithKeysOnly)
{
    press(Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(pageName(), QStringLiteral("TfrInitialData"));
    typeInto(QStringLiteral("meInspection"), QStringLiteral("7701"));
    typeInto(QStringLiteral("meOKATO"), QStringLiteral("45382000"));
    // The refund goes to the bank: the page of applications is wanted.
    tabTo(QStringLiteral("chbKudaTratit"));
    press(Qt::Key_Space);

    press(Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(pageName(), QStringLiteral("TfrPersonNaim"));
    typeInto(QStringLiteral("meSurName"), QStringLiteral("Иванов"));
    typeInto(QStringLiteral("meName"), QStringLiteral("Иван"));
    typeInto(QStringLiteral("mePatronymic"), QStringLiteral("Иванович"));
    typeInto(QStringLiteral("meINN"), QString::fromLatin1(ValidPersonInn));
    typeInto(QStringLiteral("TTestMaskD"), QStringLiteral("17051980"));
    typeInto(QStringLiteral("meHomePhone"), QStringLiteral("4951234567"));

    press(Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(pageName(), QStringLiteral("TfrSourse"));
    inDialog([&] { press(Qt::Key_Insert); },
             [&] {
                 typeInto(QStringLiteral("meSourseName"), QStringLiteral("ООО Ромашка"));
                 typeInto(QStringLiteral("meINN"), QStringLiteral("7707083893"));
                 typeInto(QStringLiteral("meKPP"), QStringLiteral("773601001"));
                 typeInto(QStringLiteral("meOKATO"), QStringLiteral("45382000"));
                 press(Qt::Key_Return);
             });
    tabTo(QStringLiteral("lvIncome"));
    inDialog([&] { press(Qt::Key_Insert); },
             [&] {
                 pickCode(QStringLiteral("bnIncomeCod"), QStringLiteral("2000"));
                 typeInto(QStringLiteral("meIncomeSum"), QStringLiteral("600000"));
                 typeInto(QStringLiteral("mePropSale"), QStringLiteral("12"));
                 press(Qt::Key_Return);
             });
    typeInto(QStringLiteral("meHoldSum"), QStringLiteral("73632"));
    // The employer's deductions for the two children, as the statement of income shows them.
    for (const char* code : {"126", "127"}) {
        tabTo(QStringLiteral("lvDeduct"));
        inDialog([&] { press(Qt::Key_Insert); },
                 [&] {
                     pickCode(QStringLiteral("bnSubtractCod"), QString::fromLatin1(code));
                     typeInto(QStringLiteral("meSubtractSum"), QStringLiteral("16800"));
                     press(Qt::Key_Return);
                 });
    }

    press(Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(pageName(), QStringLiteral("TfrFrameDeductData"));
    press(Qt::Key_Tab, Qt::ControlModifier);
    // A child's schooling: the social deductions granted, and the sum paid.
    tabTo(QStringLiteral("chbGrantingSocDeduct"));
    press(Qt::Key_Space);
    tabTo(QStringLiteral("lvSumList"));
    inDialog([&] { press(Qt::Key_Insert); },
             [&] {
                 typeInto(QStringLiteral("meChildEduSum"), QStringLiteral("50000"));
                 press(Qt::Key_Return);
             });

    press(Qt::Key_PageDown, Qt::ControlModifier);
    ASSERT_EQ(pageName(), QStringLiteral("TfrKudaTratit"));
    inDialog([&] { press(Qt::Key_Insert); }, [&] { press(Qt::Key_Return); });
    tabTo(QStringLiteral("chbAllIn"));
    press(Qt::Key_Space);
    typeInto(QStringLiteral("meBankNaim"), QStringLiteral("ПАО Сбербанк"));
    typeInto(QStringLiteral("meBIK"), QStringLiteral("044525225"));
    tabTo(QStringLiteral("cbTypeSch"));
    press(Qt::Key_Down);
    typeInto(QStringLiteral("meNumSch"), QStringLiteral("40817810938160925982"));

    ScriptedCheckAnswers checks;
    press(u'д', Qt::AltModifier);
    press(u'в');
    for (const auto& check : checks.shown)
        ADD_FAILURE() << check.caption.toStdString() << ": " << check.message.toStdString();
    ASSERT_FALSE(messages.empty()) << "the check says how it went";
    EXPECT_EQ(messages.back().text, QStringLiteral("Проверка декларации завершена успешно"));

    folders->folders = {exportFolder.path()};
    press(u'д', Qt::AltModifier);
    press(u'э');
    const QStringList files = QDir(exportFolder.path()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const QString file = exportFolder.filePath(files[0]);
    EXPECT_EQ(exchangeSchemaErrors(file.toStdString()), "");
    // What was typed arrived: 600 000 less the children's 2 x 16 800 and the schooling's 50 000
    // is 516 400, taxed 67 132; of the 73 632 withheld, 6 500 comes back to the bank account.
    expectFigures(file, {
        {"surname", "string(//ФИОФЛ/@Фамилия)", "ИВАНОВ"},
        {"birth date", "string(//СведФЛ1/@ДатаРожд)", "17.05.1980"},
        {"employer", "string(//ДоходИстРФ/ИстЮЛ/@ИННЮЛ)", "7707083893"},
        {"salary", "string(//НалБаза[@ВидДоход=\"10\"]/РасчНалБаза/@СумДох)", "600000.00"},
        {"children", "string(//РасчВычСтанд/@ВычСтРеб)", "33600.00"},
        {"schooling", "string(//РасчВычСоцБез219.2/@СумОбуч)", "50000.00"},
        {"base", "string(//НалБаза[@ВидДоход=\"10\"]/РасчНалБаза/@НалБаза)", "516400.00"},
        {"tax", "string(//НалБаза[@ВидДоход=\"10\"]/РасчНалПУ/@Исчисл)", "67132"},
        {"withheld", "string(//НалБаза[@ВидДоход=\"10\"]/РасчНалПУ/@Удерж)", "73632"},
        {"to refund", "string(//СумНалПуИскл227/@ПодлВозв)", "6500"},
        {"refund applied for", "string(//ЗаявВозвр/@Сумма)", "6500.00"},
        {"account", "string(//СвСчБанк/@НомСч)", "40817810938160925982"},
    });
}

} // namespace
