#include "controls/FieldRefusal.h"

#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString Message = QStringLiteral("Сумма указывается в полных рублях, без копеек");

// The message stands under its field, or over it where the screen ends below the field, and never
// leaves the screen's foot.
TEST(FieldRefusal, StandsUnderTheFieldOrOverItAtTheFootOfTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct {
        const char* name;
        int windowTop; // from the top of the screen
        bool under;
    } cases[] = {
        {"at the top of the screen", 40, true},
        {"at the foot of the screen", screen.height() - 40, false},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        QWidget window;
        window.setGeometry(screen.left() + 40, screen.top() + test.windowTop, 300, 30);
        auto* field = new QLineEdit(&window);
        field->setGeometry(0, 0, 200, 24);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        FieldRefusal refusal(*field);
        refusal.showMessage(Message);
        EXPECT_EQ(refusal.shownMessage(), Message);
        const auto* label = field->findChild<QLabel*>(QStringLiteral("fieldRefusal"));
        ASSERT_NE(label, nullptr);
        const QRect shown = label->geometry();
        const int fieldTop = field->mapToGlobal(QPoint(0, 0)).y();
        const int fieldBottom = field->mapToGlobal(QPoint(0, field->height())).y();
        // A window system may draw a frame around the message's own window: a few pixels either way.
        if (test.under)
            EXPECT_GE(shown.top(), fieldBottom);
        else
            EXPECT_LT(shown.center().y(), fieldTop);
        EXPECT_LE(shown.bottom(), screen.bottom());
        refusal.hideMessage();
        EXPECT_EQ(refusal.shownMessage(), QString());
    }
}

} // namespace
