#include "controls/FileReadFailure.h"

#include <QFileInfo>

#include "model/SystemErrorText.h"

QString fileReadFailureText(const QString& path, const RegularFileFailure& failure, std::uint64_t maxSize)
{
    switch (failure.kind) {
    case RegularFileFailure::NotRegular:
        return QFileInfo(path).isDir() ? QStringLiteral("это папка, а не файл") : QStringLiteral("это не обычный файл");
    case RegularFileFailure::TooLarge:
        return QStringLiteral("файл больше %1 МБ").arg(maxSize >> 20);
    case RegularFileFailure::System:
        break;
    }
    return QString::fromStdString(systemErrorText(failure.error));
}
