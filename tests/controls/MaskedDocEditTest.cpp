#include "controls/MaskedDocEdit.h"

#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "controls/DeclModified.h"
#include "tests/controls/DeclModifiedCounter.h"
#include "tests/controls/DialogWithDefaultButton.h"

namespace {

QString u8(const char* text)
{
    return QString::fromUtf8(text);
}

// Types the text key by key; QTest::keyClicks takes ASCII only.
void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(c), Qt::NoModifier);
    }
}

// Roman numerals the usual way, with CD for 400, as an oracle for numbers below 400.
QString classicRoman(int number)
{
    static const std::pair<int, const char*> table[] = {{100, "C"}, {90, "XC"}, {50, "L"}, {40, "XL"}, {10, "X"},
                                                        {9, "IX"},  {5, "V"},   {4, "IV"}, {1, "I"}};
    QString roman;
    for (const auto& [value, letters] : table) {
        for (; number >= value; number -= value)
            roman += QLatin1String(letters);
    }
    return roman;
}

TEST(RomanNumeralTest, AgreesWithTheUsualFormBelowFourHundred)
{
    for (int number = 0; number < 400; ++number)
        EXPECT_EQ(IntToRoman(number), classicRoman(number)) << number;
}

TEST(RomanNumeralTest, HundredsAreRepeatedAndReadingInvertsWriting)
{
    EXPECT_EQ(IntToRoman(400), QStringLiteral("CCCC"));
    EXPECT_EQ(IntToRoman(949), QStringLiteral("CCCCCCCCCXLIX"));
    for (int number = 0; number < 1000; ++number)
        EXPECT_EQ(RomanToInt(IntToRoman(number)), number) << number;

    const struct {
        const char* text;
        int value;
    } read[] = {{"", 0}, {" XC ", 90}, {"IIII", 4}, {"IC", 99}, {"VX", 5}, {"XAX", 20}, {"xiv", 0}};
    for (const auto& test : read)
        EXPECT_EQ(RomanToInt(u8(test.text)), test.value) << test.text;
}

// Stands in for the main window: counts every notification, and the ones that mark the
// declaration modified, which are those not sent while a page is being built.
class MainWindowStandIn : public DeclModifiedCounter {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == DeclModifiedEvent::EventType && !isPageLoading())
            ++modified;
        return DeclModifiedCounter::event(event);
    }

    int modified = 0;
};

class MaskedDocEditTest : public ::testing::Test {
protected:
    void SetUp() override { setDeclModifiedReceiver(&mainWindow); }
    void TearDown() override { setDeclModifiedReceiver(nullptr); }

    MainWindowStandIn mainWindow;
};

TEST_F(MaskedDocEditTest, TypingBuildsTheLayout)
{
    const struct {
        const char* name;
        TDocumentMaskEnum type;
        const char* typed;
        const char* expected;
    } cases[] = {
        {"letters, space put in, upper case", edtBB, "аб123456", "АБ 123456"},
        {"letters, seventh digit refused", edtBB, "аб1234567", "АБ 123456"},
        {"letters, typed space refused", edtBB, "аб 12", "АБ 12"},
        {"letters, digit first refused", edtBB, "1аб", "АБ"},
        {"letters, Latin and Ё refused", edtBB, "abЁё", ""},
        {"letters, third letter refused", edtBB, "абв1", "АБ 1"},
        {"letters, one letter takes no digit", edtBB, "а1", "А"},
        {"letters, 7 digits", edtBB0, "вс12345678", "ВС 1234567"},
        {"letters, 5 digits", edtBB5, "юя123456", "ЮЯ 12345"},
        {"digits 2 and 7", edt99, "1234567890", "12 3456789"},
        {"digits 2 and 7, letters and space refused", edt99, "1a2 б3", "12 3"},
        {"digits 2, 2 and 6", edt99_, "1234567890", "12 34 567890"},
        {"digits 2, 2 and 6, eleventh refused", edt99_, "12345678901", "12 34 567890"},
        {"Roman: 4 refused", edtR_BB, "4", ""},
        {"Roman: look-alikes", edtR_BB, "1у-аб1", "IV-АБ 1"},
        {"Roman: Cyrillic look-alikes", edtR_BB, "лххс", "LXX"},
        {"Roman: IIII not canonical", edtR_BB, "IIII", "III"},
        {"Roman: XC canonical", edtR_BB, "xc", "XC"},
        {"Roman: at most 9", edtR_BB, "CCCCCCCCCC", "CCCCCCCCC"},
        {"Roman: whole series and number", edtR_BB, "xix-жщ1234567", "XIX-ЖЩ 123456"},
        {"Roman: second hyphen refused", edtR_BB, "IV--", "IV-"},
        {"Roman: Latin letters behind the hyphen refused", edtR_BB, "IV-AB", "IV-"},
        {"Roman: one letter takes no digit", edtR_BB, "IV-а1", "IV-А"},
        {"Roman: space refused", edtR_BB, "I V", "IV"},
        {"free text, 20 at most", edtNone1, "abcdefghij klmnopqrstuv", "abcdefghij klmnopqrs"},
        {"free text, 14 at most", edtNone2, "Ab 1-ж,2345678901", "Ab 1-ж,2345678"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TMaskedDocEdit edit;
        edit.setEditType(test.type);
        typeText(&edit, u8(test.typed));
        EXPECT_EQ(edit.text(), u8(test.expected));
    }
}

TEST_F(MaskedDocEditTest, TypingInsideTheTextAndOverASelection)
{
    const struct {
        const char* name;
        TDocumentMaskEnum type;
        const char* before;
        int selectionStart;
        int selectionLength; // 0: the caret stands at selectionStart
        const char* typed;
        const char* expected;
        int caret;
    } cases[] = {
        {"whole text replaced", edtBB, "АБ 123456", 0, 9, "вг7", "ВГ 7", 4},
        {"number replaced", edtBB, "АБ 123456", 3, 6, "78", "АБ 78", 5},
        {"letter replaced", edtBB, "АБ 123456", 1, 1, "в", "АВ 123456", 2},
        {"caret before the space steps over it", edtBB, "АБ 123", 2, 0, "4", "АБ 4123", 4},
        {"full number takes no digit in between", edtBB, "АБ 123456", 5, 0, "7", "АБ 123456", 5},
        {"middle group replaced", edt99_, "12 34 567890", 3, 2, "56", "12 56 567890", 5},
        {"Roman part replaced", edtR_BB, "IV-АБ 123456", 0, 2, "хх", "XX-АБ 123456", 2},
        {"Roman part kept canonical", edtR_BB, "IV-АБ 1", 2, 0, "I", "IV-АБ 1", 2},
        {"hyphen replaced by a hyphen", edtR_BB, "IV-АБ", 2, 1, "-", "IV-АБ", 3},
        {"full free text, selection replaced", edtNone1, "abcdefghijklmnopqrst", 5, 5, "z", "abcdezklmnopqrst", 6},
        {"full free text takes nothing more", edtNone2, "abcdefghijklmn", 14, 0, "o", "abcdefghijklmn", 14},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TMaskedDocEdit edit;
        edit.setEditType(test.type);
        edit.setText(u8(test.before));
        edit.setCursorPosition(test.selectionStart);
        if (test.selectionLength > 0)
            edit.setSelection(test.selectionStart, test.selectionLength);
        typeText(&edit, u8(test.typed));
        EXPECT_EQ(edit.text(), u8(test.expected));
        EXPECT_EQ(edit.cursorPosition(), test.caret);
    }
}

TEST_F(MaskedDocEditTest, PasteIsTakenWholeOrNotAtAll)
{
    const struct {
        const char* name;
        TDocumentMaskEnum type;
        const char* before;
        const char* pasted;
        const char* expected;
    } cases[] = {
        {"digits as letters", edtBB, "", "12 34", ""},
        {"digits as letters over a text", edtBB, "АБ 1", "12 34", "АБ 1"},
        {"letters shown in upper case", edtBB, "", "аб 123456", "АБ 123456"},
        {"number too long", edtBB, "", "АБ 1234567", ""},
        {"without the space", edtBB0, "", "АБ1234567", ""},
        {"number behind the series", edtBB5, "АБ", " 12345", "АБ 12345"},
        {"passport", edt99_, "", "12 34 567890", "12 34 567890"},
        {"a group too many", edt99, "", "12 34 56", ""},
        {"Roman with look-alikes", edtR_BB, "", "1у-аб 123456", "IV-АБ 123456"},
        {"Roman not canonical", edtR_BB, "", "IIII-АБ 1", ""},
        {"Roman with a letter that is none", edtR_BB, "", "IVD-АБ", ""},
        {"Roman alone", edtR_BB, "", "XC", "XC"},
        {"free text too long", edtNone2, "", "123456789012345", ""},
        {"free text", edtNone1, "ab", "cd", "abcd"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        TMaskedDocEdit edit;
        edit.setEditType(test.type);
        edit.setText(u8(test.before));
        edit.end(false);
        QGuiApplication::clipboard()->setText(u8(test.pasted));
        mainWindow.received = 0;

        QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);

        EXPECT_EQ(edit.text(), u8(test.expected));
        EXPECT_EQ(mainWindow.received, test.expected == std::string_view(test.before) ? 0 : 1)
            << "a refused paste is no change";
    }
}

TEST_F(MaskedDocEditTest, DeletingKeepsTheLayout)
{
    TMaskedDocEdit full;
    full.setText(QStringLiteral("abcdefghijklmnopqrst"));
    full.end(false);
    QTest::keyClick(&full, Qt::Key_Backspace);
    EXPECT_EQ(full.text(), QStringLiteral("abcdefghijklmnopqrs")) << "a full free text can be shortened";

    TMaskedDocEdit series;
    series.setEditType(edtBB);
    series.setText(u8("АБ 123456"));
    series.setCursorPosition(3);
    QTest::keyClick(&series, Qt::Key_Backspace);
    EXPECT_EQ(series.text(), u8("АБ 123456")) << "series and number may not run together";
    series.end(false);
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(&series, Qt::Key_Backspace);
    EXPECT_EQ(series.text(), u8("АБ"));
    series.selectAll();
    QTest::keyClick(&series, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(series.text(), QString());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u8("АБ"));
}

TEST_F(MaskedDocEditTest, ProgramTextIsTakenAsItIsAndCanBeRepaired)
{
    TMaskedDocEdit edit;
    edit.setEditType(edtBB);
    edit.setText(QStringLiteral("12 34"));
    EXPECT_EQ(edit.text(), QStringLiteral("12 34"));

    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_5);
    EXPECT_EQ(edit.text(), QStringLiteral("12 34")) << "typing is judged as ever";
    edit.selectAll();
    typeText(&edit, u8("ав1"));
    EXPECT_EQ(edit.text(), u8("АВ 1")) << "typing over it all is the user's own text";

    edit.setText(u8("аб 1"));
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), u8("АБ ")) << "a shortened text is shown as the layout wants it";

    edit.setEditType(edt99);
    EXPECT_EQ(edit.text(), u8("АБ ")) << "a new layout leaves the text alone";
}

TEST_F(MaskedDocEditTest, EveryChangeNotifiesAndPageBuildingIsNoEdit)
{
    TMaskedDocEdit edit;
    edit.setEditType(edtBB);
    QSignalSpy changes(&edit, &QLineEdit::textChanged);
    {
        const PageLoadingScope building;
        edit.setText(u8("АБ 123456"));
    }
    EXPECT_EQ(mainWindow.modified, 0) << "the page filling its controls";
    EXPECT_EQ(mainWindow.received, 1);

    edit.selectAll();
    typeText(&edit, u8("вг1х2"));
    EXPECT_EQ(edit.text(), u8("ВГ 12"));
    EXPECT_EQ(mainWindow.modified, 4) << "the space comes with the digit; the refused letter sends nothing";

    edit.setText(u8("ВГ 12"));
    EXPECT_EQ(mainWindow.received, 5) << "the text it already has is no change";
    EXPECT_EQ(changes.count(), 5);
}

TEST_F(MaskedDocEditTest, UndoTakesBackOneTypedCharacter)
{
    TMaskedDocEdit edit;
    edit.setEditType(edt99);
    typeText(&edit, QStringLiteral("123"));
    EXPECT_EQ(edit.text(), QStringLiteral("12 3"));
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), QStringLiteral("12"));
}

TEST_F(MaskedDocEditTest, EnterIsLeftToTheDialog)
{
    QDialog dialog;
    auto* edit = new TMaskedDocEdit(&dialog);
    placeAboveDefaultButton(dialog, edit);
    QSignalSpy returnPressed(edit, &QLineEdit::returnPressed);

    dialog.show();
    typeText(edit, QStringLiteral("12"));
    QTest::keyClick(edit, Qt::Key_Return);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(returnPressed.count(), 0);
    EXPECT_EQ(edit->text(), QStringLiteral("12"));
}

} // namespace
