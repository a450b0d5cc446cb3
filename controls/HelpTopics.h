#pragma once

#include <QString>

class QWidget;

// The program's help file in the program folder and the pages of it that the program opens.
inline constexpr const char* HelpFileName = "Forv2021.chm";
inline constexpr const char* MainHelpTopic = "runprogramm.htm>Main"; // the main page in the window type "Main"
inline constexpr const char* SounHelpTopic = "EditSOUN.htm";

// True when a viewer of the help file was bound at start.
bool isHelpAvailable();
// Why the help links are disabled; shown as their hint and by the help command.
QString helpUnavailableText();

// Shows a page of the help file ("EditSOUN.htm", or a page followed by ">" and a window type).
// Without a viewer the user is told that help is not available; a missing help file is reported.
void openHelpTopic(QWidget* parent, const QString& topic);
