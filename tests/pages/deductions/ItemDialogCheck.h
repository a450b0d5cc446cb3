#pragma once

#include <QString>

#include <gtest/gtest.h>

#include "controls/MaskedEdit.h"
#include "pages/deductions/ItemDialog.h"
#include "tests/controls/ScriptedCheckAnswers.h"
#include "tests/support/UserTyping.h"

// Types the organisation's requisites and the contract number into an item dialog, as the user does.
template <typename Dialog>
void typeRequisites(Dialog& dialog, const char* name, const char* inn, const char* kpp, const char* number)
{
    typeText(dialog.meSourseName, QString::fromUtf8(name));
    typeText(dialog.meINN, QString::fromUtf8(inn));
    typeText(dialog.meKPP, QString::fromUtf8(kpp));
    typeText(dialog.meNomDog, QString::fromUtf8(number));
}

// What "Да" led to. Without a message: the dialog closed as confirmed and showed no check. With
// one: a single check that cannot be skipped showed it under `caption`, and the dialog stays open
// with the focus on the control named `focused`.
inline void expectCheckOutcome(const TItemDialog& dialog, const ScriptedCheckAnswers& checks, const QString& caption,
                               const char* message, const char* focused)
{
    if (!message) {
        EXPECT_TRUE(checks.shown.empty());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), TItemDialog::Confirmed);
        return;
    }
    ASSERT_EQ(checks.shown.size(), 1u);
    EXPECT_EQ(checks.shown[0].caption, caption);
    EXPECT_EQ(checks.shown[0].message, QString::fromUtf8(message));
    EXPECT_FALSE(checks.shown[0].skip);
    EXPECT_FALSE(checks.shown[0].skipAll);
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_NE(dialog.focusWidget(), nullptr);
    EXPECT_EQ(dialog.focusWidget()->objectName(), QString::fromUtf8(focused));
}
