#pragma once

#include <functional>

#include <QString>

class QWidget;

// The program's help prompt: a short explanation with a link to a page of the help. The
// prompt itself belongs to the main window's part of the program, which pages do not include;
// pages ask for it through here.
using HelpPromptShower = std::function<void(QWidget* owner, const QString& message, const QString& topic)>;

// Shows the prompt modally over `owner`. Until a shower is set, the message alone is shown in an
// ordinary message box, without the link.
void showHelpPrompt(QWidget* owner, const QString& message, const QString& topic);

// Sets what shows the prompt from now on; an empty shower brings back the message box.
void setHelpPromptShower(HelpPromptShower shower);
