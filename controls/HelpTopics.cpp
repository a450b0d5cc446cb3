#include "controls/HelpTopics.h"

#include <QFileInfo>

#include "controls/HelpViewer.h"
#include "controls/MessageBox.h"
#include "controls/ProgramContext.h"

namespace {

HelpViewer* boundViewer()
{
    const ProgramContext* context = programContext();
    return context ? context->helpViewer() : nullptr;
}

} // namespace

bool isHelpAvailable()
{
    return boundViewer() != nullptr;
}

QString helpUnavailableText()
{
    return QStringLiteral("Справка недоступна: на этом компьютере нет программы просмотра файла справки %1.")
        .arg(QLatin1String(HelpFileName));
}

void openHelpTopic(QWidget* parent, const QString& topic)
{
    HelpViewer* viewer = boundViewer();
    if (!viewer) {
        MessageBox::show(parent, QMessageBox::Information, QStringLiteral("Форвета"), helpUnavailableText());
        return;
    }
    const QString helpFile = programContext()->programFolder() + QLatin1String(HelpFileName);
    if (!QFileInfo::exists(helpFile)) {
        MessageBox::show(parent, QMessageBox::Critical, QStringLiteral("Форвета"),
                         QStringLiteral("Не найден файл справки %1").arg(QLatin1String(HelpFileName)));
        return;
    }
    viewer->displayTopic(helpFile + QStringLiteral("::/") + topic);
}
