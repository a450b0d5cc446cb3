#include "pages/income/FieldRowsLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Two rows of two pairs, a box without a label and a choice wider than the narrow window.
struct Fields {
    Fields()
    {
        layout = new FieldRowsLayout;
        layout->setSpacing(8);
        group.setLayout(layout);
        const auto edit = [this](int width) {
            auto* field = new QLineEdit(&group);
            field->setFixedWidth(width);
            return field;
        };
        sumLabel = new QLabel(QStringLiteral("В сумме"), &group);
        sum = edit(120);
        wholeSum = new QCheckBox(QStringLiteral("Перечислить всю сумму возврата (весь остаток возврата)"), &group);
        bikLabel = new QLabel(QStringLiteral("БИК"), &group);
        bik = edit(90);
        accountLabel = new QLabel(QStringLiteral("Номер счета"), &group);
        account = edit(170);
        kindLabel = new QLabel(QStringLiteral("Зачет в счет"), &group);
        kind = new QComboBox(&group);
        kind->addItem(QStringLiteral("1 – погашения недоимки (задолженности по пеням и штрафам)"));
        kind->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        kbkLabel = new QLabel(QStringLiteral("КБК"), &group);
        kbk = edit(170);
        oktmoLabel = new QLabel(QStringLiteral("ОКТМО"), &group);
        oktmo = edit(100);
        layout->addRow({sumLabel, sum, nullptr, wholeSum});
        layout->addRow({bikLabel, bik, accountLabel, account});
        layout->addRow({kindLabel, kind});
        layout->addRow({kbkLabel, kbk, oktmoLabel, oktmo});
    }

    void showAt(int width)
    {
        group.setFixedSize(width, layout->heightForWidth(width));
        group.show();
        QApplication::processEvents();
    }

    QWidget group;
    FieldRowsLayout* layout;
    QLabel* sumLabel;
    QLineEdit* sum;
    QCheckBox* wholeSum;
    QLabel* bikLabel;
    QLineEdit* bik;
    QLabel* accountLabel;
    QLineEdit* account;
    QLabel* kindLabel;
    QComboBox* kind;
    QLabel* kbkLabel;
    QLineEdit* kbk;
    QLabel* oktmoLabel;
    QLineEdit* oktmo;
};

bool sameLine(const QWidget* a, const QWidget* b)
{
    return a->geometry().center().y() == b->geometry().center().y();
}

bool below(const QWidget* lower, const QWidget* upper)
{
    return lower->geometry().top() > upper->geometry().bottom();
}

TEST(FieldRowsLayoutTest, AWideGroupIsAGridAndANarrowOneAColumn)
{
    Fields fields;
    const int grid = fields.layout->sizeHint().width();
    const int least = fields.layout->minimumSize().width();
    ASSERT_LT(least, grid);
    EXPECT_EQ(least, fields.kind->sizeHint().width()) << "the widest control sets the least width";

    const struct {
        const char* name;
        int width;
        bool asGrid;
    } cases[] = {
        {"wider than the grid", grid + 300, true},
        {"as wide as the grid", grid, true},
        {"a pixel narrower", grid - 1, false},
        {"the least width", least, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fields.showAt(test.width);
        for (QWidget* child : fields.group.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            SCOPED_TRACE(child->metaObject()->className());
            EXPECT_TRUE(fields.group.rect().contains(child->geometry()));
            EXPECT_GE(child->width(), std::min(child->sizeHint().boundedTo(child->maximumSize()).width(), test.width))
                << "its text is cut";
        }
        // Labels beside their fields in either arrangement.
        EXPECT_TRUE(sameLine(fields.bikLabel, fields.bik));
        EXPECT_TRUE(sameLine(fields.kbkLabel, fields.kbk));
        EXPECT_EQ(fields.bik->x(), fields.kbk->x()) << "the fields line up";
        if (test.asGrid) {
            EXPECT_TRUE(sameLine(fields.bik, fields.account));
            EXPECT_TRUE(sameLine(fields.sum, fields.wholeSum));
            EXPECT_EQ(fields.wholeSum->x(), fields.accountLabel->x()) << "a box without a label starts at the label's column";
            EXPECT_EQ(fields.account->x(), fields.oktmo->x());
            EXPECT_TRUE(sameLine(fields.kindLabel, fields.kind));
            EXPECT_EQ(fields.kind->x(), fields.bik->x());
        } else {
            EXPECT_TRUE(below(fields.accountLabel, fields.bik)) << "each pair on a line of its own";
            EXPECT_TRUE(below(fields.oktmo, fields.kbk));
            EXPECT_TRUE(sameLine(fields.accountLabel, fields.account));
            EXPECT_EQ(fields.account->x(), fields.bik->x());
            EXPECT_TRUE(below(fields.wholeSum, fields.sum));
            EXPECT_TRUE(below(fields.bik, fields.wholeSum));
            if (test.width == least) {
                EXPECT_TRUE(below(fields.kind, fields.kindLabel)) << "the wide choice goes under its label";
                EXPECT_EQ(fields.kind->x(), 0);
            } else {
                EXPECT_TRUE(sameLine(fields.kindLabel, fields.kind)) << "beside its label while it fits";
            }
        }
    }
}

TEST(FieldRowsLayoutTest, ANarrowGroupIsTallerAndAHiddenFieldTakesNoLine)
{
    Fields fields;
    const int grid = fields.layout->sizeHint().width();
    const int wideHeight = fields.layout->heightForWidth(grid);
    const int narrowHeight = fields.layout->heightForWidth(grid - 1);
    EXPECT_GT(narrowHeight, wideHeight);
    fields.group.show();
    fields.wholeSum->hide();
    QApplication::processEvents();
    EXPECT_LT(fields.layout->heightForWidth(grid - 1), narrowHeight);
}

} // namespace
