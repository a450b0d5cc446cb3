#pragma once

#include <cstdint>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "model/Currency.h"
#include "model/Declaration.h"

inline Currency roubles(std::int64_t whole)
{
    return Currency::fromWholeRoubles(whole);
}

// The declaration file as SaveToFile writes it now.
inline QByteArray fileBytes(const mTDeclaration& declaration)
{
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("declaration.fv1"));
    declaration.SaveToFile(name.toStdString());
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
