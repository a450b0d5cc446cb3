#include "controls/HelpPromptCall.h"

#include "controls/MessageBox.h"

namespace {

HelpPromptShower& currentShower()
{
    static HelpPromptShower shower;
    return shower;
}

} // namespace

void showHelpPrompt(QWidget* owner, const QString& message, const QString& topic)
{
    if (const HelpPromptShower& shower = currentShower()) {
        shower(owner, message, topic);
        return;
    }
    MessageBox::show(owner, QMessageBox::Information, QStringLiteral("Форвета"), message);
}

void setHelpPromptShower(HelpPromptShower shower)
{
    currentShower() = std::move(shower);
}
