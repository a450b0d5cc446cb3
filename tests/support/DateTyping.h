#pragma once

// Typing into the date field as the user does.

#include <QString>
#include <QTest>

#include "controls/DtpPanel.h"

// Clears the field and types the digits, as the user does after selecting its text; the caret
// stays in the field.
inline void typeDate(TDtpPanel* field, const QString& digits)
{
    auto* edit = field->findChild<TTestMaskD*>();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    edit->home(false);
    QTest::keyClicks(edit, digits);
}

// Types the digits and leaves the field with Tab.
inline void typeDateAndLeave(TDtpPanel* field, const QString& digits)
{
    typeDate(field, digits);
    QTest::keyClick(field->findChild<TTestMaskD*>(), Qt::Key_Tab);
}

// The text the field shows, which may be a date it does not hold.
inline QString shownText(const TDtpPanel* field)
{
    return field->findChild<TTestMaskD*>()->displayText();
}
