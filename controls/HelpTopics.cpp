#include "controls/HelpTopics.h"

#include <QWidget>

#include "controls/HelpViewer.h"
#include "controls/MessageBox.h"
#include "controls/ProgramContext.h"
#include "controls/ThinkingFrame.h"

namespace {

HelpViewer* boundViewer()
{
    const ProgramContext* context = programContext();
    return context ? context->helpViewer() : nullptr;
}

struct PageTopic {
    const char* pageClass;
    const char* topic;
};

// Every input page has its topic; a nested page (a deduction tab) has its own, a rate frame of a
// payment source shares its page's.
constexpr PageTopic PageTopics[] = {
    {"TfrInitialData", ConditionsHelpTopic},
    {"TfrPersonNaim", PersonHelpTopic},
    {"TfrSourse", RussianIncomeHelpTopic},
    {"TfrCurrency", ForeignIncomeHelpTopic},
    {"TfrBusinessNew", BusinessIncomeHelpTopic},
    {"TfrFrameDeductData", DeductionsHelpTopic},
    {"TfrFrameStandartDeduct", StandardDeductionsHelpTopic},
    {"TfrFramePensDeduct", SocialDeductionsHelpTopic},
    {"TfrMultyConstructionDeduct", PropertyDeductionHelpTopic},
    {"TfrCB", SecuritiesDeductionsHelpTopic},
    {"TfrKudaTratit", RefundHelpTopic},
};

} // namespace

QString helpPageOfTopic(const QString& topic)
{
    return topic.section(u'>', 0, 0).trimmed();
}

QString pageHelpTopic(const QString& pageClass)
{
    for (const PageTopic& entry : PageTopics)
        if (pageClass == QLatin1String(entry.pageClass))
            return QLatin1String(entry.topic);
    return {};
}

QString helpTopicAround(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (qobject_cast<const TThinkingFrame*>(widget))
            if (QString topic = pageHelpTopic(QLatin1String(widget->metaObject()->className())); !topic.isEmpty())
                return topic;
    return {};
}

bool isHelpAvailable()
{
    return boundViewer() != nullptr;
}

QString helpUnavailableText()
{
    return QStringLiteral("Справка недоступна: окно справки открывается только из главного окна программы.");
}

void openHelpTopic(QWidget* parent, const QString& topic)
{
    HelpViewer* viewer = boundViewer();
    if (!viewer) {
        MessageBox::show(parent, QMessageBox::Information, QStringLiteral("Форвета"), helpUnavailableText());
        return;
    }
    viewer->displayTopic(helpPageOfTopic(topic));
}
