#include <QWidget>

#include <gtest/gtest.h>

#include "controls/SideBySideLayout.h"

namespace {

// A widget of a fixed preferred size.
class Block : public QWidget {
public:
    explicit Block(QSize hint) : hint_(hint) {}
    QSize sizeHint() const override { return hint_; }

private:
    QSize hint_;
};

struct Laid {
    QWidget owner;
    Block* left = new Block({200, 50});
    Block* right = new Block({100, 80});
    SideBySideLayout* layout = new SideBySideLayout(10);

    Laid()
    {
        left->setParent(&owner);
        right->setParent(&owner);
        layout->addWidget(left);
        layout->addWidget(right);
        owner.setLayout(layout);
    }
};

TEST(SideBySideLayout, SideBySideWhereTheWidthHoldsThemElseOneUnderTheOther)
{
    const struct {
        int width;
        QRect left;
        QRect right;
        int height;
    } cases[] = {
        // 200 + 10 + 100 fit: the 40 pixels to spare are shared out.
        {350, {0, 0, 220, 50}, {230, 0, 120, 80}, 80},
        {310, {0, 0, 200, 50}, {210, 0, 100, 80}, 80},
        // One pixel too narrow: each takes the whole width, one under the other.
        {309, {0, 0, 309, 50}, {0, 60, 309, 80}, 140},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.width);
        Laid laid;
        laid.layout->setGeometry(QRect(0, 0, test.width, 500));
        EXPECT_EQ(laid.left->geometry(), test.left);
        EXPECT_EQ(laid.right->geometry(), test.right);
        EXPECT_EQ(laid.layout->heightForWidth(test.width), test.height);
    }
    Laid laid;
    EXPECT_EQ(laid.layout->sizeHint(), QSize(310, 80));
}

} // namespace
