#pragma once

#include <initializer_list>
#include <utility>

#include <QSettings>
#include <QString>
#include <QVariant>

class QRect;

// The program's settings in the user's configuration: organisation "ORVEX", application
// "Форвета". Each value is a whole number, but for the print program's path.
class ProgramSettings {
public:
    ProgramSettings();

    // "Стандартная панель": the button bar is shown. On when the value is missing.
    bool showStdToolbar() const;
    // "Подписи под кнопками": captions under the bar's buttons. On when the value is missing.
    bool textLabels() const;
    // The outside program that previews and prints the declaration; empty when none is set.
    QString printProgram() const;

    // Each writer gives false, and writes nothing, when the settings cannot be written.
    bool setShowStdToolbar(bool value);
    bool setTextLabels(bool value);
    bool setPrintProgram(const QString& program);
    // The main window's last placement: maximised or not, and its frame in pixels. Written when
    // the window goes; the next start does not apply it.
    bool setWindowPlacement(bool fullScreen, const QRect& frame);

private:
    bool flag(const QString& name) const;
    bool write(const std::initializer_list<std::pair<const char*, QVariant>>& values);

    QSettings settings_;
};
