#include "shell/ProgramSettings.h"

#include <QRect>

ProgramSettings::ProgramSettings() : settings_(QStringLiteral("ORVEX"), QStringLiteral("Форвета")) {}

bool ProgramSettings::flag(const QString& name) const
{
    bool isNumber = false;
    const int value = settings_.value(name).toInt(&isNumber);
    return !isNumber || value != 0;
}

bool ProgramSettings::showStdToolbar() const
{
    return flag(QStringLiteral("ShowStdToolbar"));
}

bool ProgramSettings::textLabels() const
{
    return flag(QStringLiteral("TextLabels"));
}

QString ProgramSettings::printProgram() const
{
    return settings_.value(QStringLiteral("PrintProgram")).toString();
}

bool ProgramSettings::write(const std::initializer_list<std::pair<const char*, QVariant>>& values)
{
    if (!settings_.isWritable())
        return false;
    for (const auto& [name, value] : values)
        settings_.setValue(QLatin1String(name), value);
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

bool ProgramSettings::setShowStdToolbar(bool value)
{
    return write({{"ShowStdToolbar", value ? 1 : 0}});
}

bool ProgramSettings::setTextLabels(bool value)
{
    return write({{"TextLabels", value ? 1 : 0}});
}

bool ProgramSettings::setPrintProgram(const QString& program)
{
    return write({{"PrintProgram", program}});
}

bool ProgramSettings::setWindowPlacement(bool fullScreen, const QRect& frame)
{
    return write({{"FullScreen", fullScreen ? 1 : 0},
                  {"wLeft", frame.left()},
                  {"wTop", frame.top()},
                  {"wWidth", frame.width()},
                  {"wHeight", frame.height()}});
}
