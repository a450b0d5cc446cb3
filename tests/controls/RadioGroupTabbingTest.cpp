#include "controls/RadioGroupTabbing.h"

#include <memory>
#include <vector>

#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

// An edit, three radio buttons of one group under each other, an edit; shown and active.
struct RadioWindow {
    explicit RadioWindow(bool buttonGroup)
    {
        auto* layout = new QVBoxLayout(&window);
        before = new QLineEdit(&window);
        layout->addWidget(before);
        auto* box = new QWidget(&window);
        auto* column = new QVBoxLayout(box);
        auto* group = buttonGroup ? new QButtonGroup(&window) : nullptr;
        for (const char* name : {"first", "second", "third"}) {
            auto* radio = new QRadioButton(QString::fromLatin1(name), box);
            radio->setObjectName(QString::fromLatin1(name));
            column->addWidget(radio);
            if (group)
                group->addButton(radio);
            radios.push_back(radio);
        }
        layout->addWidget(box);
        after = new QLineEdit(&window);
        layout->addWidget(after);
    }

    void show()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QWidget window;
    QLineEdit* before;
    std::vector<QRadioButton*> radios;
    QLineEdit* after;
};

QString focusName()
{
    const QWidget* focus = QApplication::focusWidget();
    return focus ? focus->objectName() : QString();
}

TEST(RadioGroupTabbingTest, TabIntoAGroupLandsOnItsCheckedButton)
{
    installRadioGroupTabbing(*qApp);
    const struct {
        const char* name;
        bool buttonGroup;
        int checked; // -1: none
        int disabled; // -1: none
        const char* byTab;
        const char* byBacktab;
    } cases[] = {
        {"the second checked", false, 1, -1, "second", "second"},
        {"the third checked", false, 2, -1, "third", "third"},
        {"none checked: the first", false, -1, -1, "first", "first"},
        {"none checked, the first disabled", false, -1, 0, "second", "second"},
        {"the checked one disabled", false, 2, 2, "first", "first"},
        {"a button group, the third checked", true, 2, -1, "third", "third"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        RadioWindow form(test.buttonGroup);
        if (test.checked >= 0)
            form.radios[test.checked]->setChecked(true);
        if (test.disabled >= 0)
            form.radios[test.disabled]->setEnabled(false);
        form.before->setObjectName(QStringLiteral("before"));
        form.after->setObjectName(QStringLiteral("after"));
        form.show();

        form.before->setFocus();
        QTest::keyClick(form.before, Qt::Key_Tab);
        EXPECT_EQ(focusName(), QString::fromLatin1(test.byTab));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focusName(), QStringLiteral("after")) << "one Tab leaves the group";

        QTest::keyClick(form.after, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(focusName(), QString::fromLatin1(test.byBacktab));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(focusName(), QStringLiteral("before"));

        for (std::size_t i = 0; i < form.radios.size(); ++i)
            EXPECT_EQ(form.radios[i]->isChecked(), static_cast<int>(i) == test.checked) << "Tab changed nothing";
    }
}

TEST(RadioGroupTabbingTest, TheTabStopFollowsTheCheckedButtonAndTheArrowsStillWalkTheGroup)
{
    installRadioGroupTabbing(*qApp);
    RadioWindow form(false);
    form.radios[0]->setChecked(true);
    form.show();

    form.radios[0]->setFocus();
    QTest::keyClick(form.radios[0], Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), form.radios[1]);
    EXPECT_TRUE(form.radios[1]->isChecked()) << "the arrow checks the next button, as always";

    form.before->setFocus();
    QTest::keyClick(form.before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.radios[1]);

    form.radios[2]->setChecked(true);
    form.before->setFocus();
    QTest::keyClick(form.before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.radios[2]) << "checked by the program";
}

TEST(RadioGroupTabbingTest, AButtonMadeNoTabStopByItsPageStaysSo)
{
    installRadioGroupTabbing(*qApp);
    RadioWindow form(false);
    form.radios[1]->setFocusPolicy(Qt::NoFocus);
    form.radios[1]->setChecked(true);
    form.show();
    EXPECT_EQ(form.radios[1]->focusPolicy(), Qt::NoFocus);
    form.before->setFocus();
    QTest::keyClick(form.before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.radios[0]) << "the first that takes Tab";
}

} // namespace
