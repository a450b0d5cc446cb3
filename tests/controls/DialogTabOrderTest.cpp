// Tab in the shared dialogs walks their controls as they stand: row by row from the top, left to
// right within a row, in each state that shows, hides or disables some of them.

#include <functional>
#include <memory>

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "controls/CheckDialogs.h"
#include "controls/ConfirmDialog.h"
#include "controls/CountryChooser.h"
#include "controls/ReferenceDocument.h"
#include "tests/support/TabOrderCheck.h"

namespace {

ReferenceElement countries()
{
    return parseReferenceXml(QStringLiteral("<?xml version=\"1.0\"?>\n"
                                            "<Oksm>\n"
                                            "  <Country Code=\"276\">ГЕРМАНИЯ</Country>\n"
                                            "  <Country Code=\"643\">РОССИЯ</Country>\n"
                                            "  <Country Code=\"840\">СОЕДИНЕННЫЕ ШТАТЫ</Country>\n"
                                            "</Oksm>\n")
                                 .toUtf8());
}

// An input dialog as the pages make it: its fields in two rows, then "Да" and "Нет".
class TwoRowDialog : public TConfirmDialog {
public:
    TwoRowDialog() : TConfirmDialog(nullptr, QStringLiteral("TwoRowDialog"), QStringLiteral("Ввод"))
    {
        auto* left = named(QStringLiteral("edLeft"));
        auto* right = named(QStringLiteral("edRight"));
        auto* below = named(QStringLiteral("edBelow"));
        auto* fields = new QGridLayout;
        fields->addWidget(left, 0, 0);
        fields->addWidget(right, 0, 1);
        fields->addWidget(below, 1, 0, 1, 2);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(fields);
        layout->addLayout(createButtons());
    }

private:
    QLineEdit* named(const QString& name)
    {
        auto* field = new QLineEdit(this);
        field->setObjectName(name);
        return field;
    }
};

struct DialogCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    const char* onScreen;
};

template <typename Dialog>
std::unique_ptr<QDialog> checkDialog(const std::function<void(Dialog&)>& prepare = {})
{
    auto dialog = std::make_unique<Dialog>(nullptr);
    dialog->SetMessage(QStringLiteral("Не указан код дохода"));
    if (prepare)
        prepare(*dialog);
    return dialog;
}

TEST(DialogTabOrderTest, TabFollowsTheScreen)
{
    const ReferenceElement countryDirectory = countries();
    const DialogCase cases[] = {
        {"country chooser, a country chosen",
         [&] {
             auto chooser = std::make_unique<TfmGrazhd>(nullptr, countryDirectory);
             chooser->SelectByCode(QStringLiteral("643"));
             return std::unique_ptr<QDialog>(std::move(chooser));
         },
         "lvGrazhd bnYes bnCansel"},
        {"page check, every answer", [] { return checkDialog<TfmCheckError>(); }, "Button1 Button2 Button3"},
        {"page check, the rule cannot be passed by",
         [] { return checkDialog<TfmCheckError>([](TfmCheckError& dialog) { dialog.Button2->setEnabled(false); }); },
         "Button1 Button3"},
        {"page check, the rule cannot be passed by and the rest not left",
         [] {
             return checkDialog<TfmCheckError>([](TfmCheckError& dialog) {
                 dialog.Button2->setEnabled(false);
                 dialog.Button3->setEnabled(false);
             });
         },
         "Button1"},
        {"whole declaration check", [] { return checkDialog<TfmCheckAllError>(); }, "Button1 Button2"},
        {"input dialog", [] { return std::make_unique<TwoRowDialog>(); }, "edLeft edRight edBelow bnOk bnCansel"},
    };
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QDialog> dialog = c.make();
        ASSERT_TRUE(showActive(*dialog));
        EXPECT_EQ(screenOrder(dialog.get()).join(u' ').toStdString(), c.onScreen);
        expectTabFollowsTheScreen(dialog.get());
    }
}

// A button enabled again takes its place between its neighbours.
TEST(DialogTabOrderTest, AnAnswerEnabledAgainFallsIntoPlace)
{
    TfmCheckError dialog(nullptr);
    dialog.Button2->setEnabled(false);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.Button2->setEnabled(true);
    EXPECT_EQ(tabWalkWithin(&dialog, dialog.Button1).join(u' ').toStdString(), "Button1 Button2 Button3");
}

} // namespace
