#include "shell/ReferenceFiles.h"

#include <QDir>
#include <QFileInfo>

#include "controls/MessageBox.h"

namespace {

QString failureText(const QString& path, const ReferenceFileError& error)
{
    const QString file = QDir::toNativeSeparators(path);
    const QString consequence = QStringLiteral("Программа продолжит работу без этого справочника.");
    if (error.line > 0) {
        return QStringLiteral("Файл справочника %1 поврежден (строка %2, позиция %3).\n%4")
            .arg(file)
            .arg(error.line)
            .arg(error.column)
            .arg(consequence);
    }
    return QStringLiteral("Не удалось прочитать файл справочника %1 (%2).\n%3").arg(file, error.description, consequence);
}

std::optional<ReferenceElement> loadDirectory(const QString& programFolder, const char* fileName, QWidget* messageParent)
{
    const QString path = programFolder + QLatin1String(fileName);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    try {
        return readReferenceFile(path);
    } catch (const ReferenceFileError& error) {
        MessageBox::show(messageParent, QMessageBox::Warning, QStringLiteral("Форвета"), failureText(path, error));
        return std::nullopt;
    }
}

} // namespace

ReferenceDirectories loadReferenceDirectories(const QString& programFolder, QWidget* messageParent)
{
    ReferenceDirectories directories;
    directories.inspections = loadDirectory(programFolder, InspectionsFileName, messageParent);
    directories.countries = loadDirectory(programFolder, CountriesFileName, messageParent);
    directories.activityCodes = loadDirectory(programFolder, ActivityCodesFileName, messageParent);
    directories.currencyRates = loadDirectory(programFolder, CurrencyRatesFileName, messageParent);
    return directories;
}
