#pragma once

#include <cstdint>
#include <memory>
#include <string>

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

// The declaration as a file written now reads back.
inline std::unique_ptr<mTDeclaration> reloaded(const mTDeclaration& declaration)
{
    QTemporaryDir folder;
    const std::string name = folder.filePath(QStringLiteral("declaration.fv1")).toStdString();
    declaration.SaveToFile(name);
    auto copy = std::make_unique<mTDeclaration>();
    copy->LoadFromFile(name);
    return copy;
}
