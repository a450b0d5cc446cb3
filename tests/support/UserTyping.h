#pragma once

#include <QLineEdit>
#include <QString>

// Types text into an edit as the user does, letters of any alphabet included: the edit's rules
// judge the text as typed, and it counts as the user's edit.
inline void typeText(QLineEdit* edit, const QString& text)
{
    edit->setFocus();
    edit->selectAll();
    edit->del();
    edit->insert(text);
}
