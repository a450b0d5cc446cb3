#pragma once

#include <string>
#include <utility>

#include <QFile>
#include <QString>

#include "tests/support/RunCommand.h"

// A file of the source tree, from its path relative to the top folder.
inline QString sourceTreeFile(const char* relativePath)
{
    return QStringLiteral(FORV_SOURCE_TREE "/") + QLatin1String(relativePath);
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline std::string quoted(const QString& path)
{
    return "'" + path.toStdString() + "'";
}

// The value of an XPath expression over an XML file, as xmllint gives it in UTF-8; empty when
// xmllint fails.
inline std::string xpathValue(const QString& file, const std::string& expression)
{
    auto [value, status] = runCommand("xmllint --encode UTF-8 --xpath '" + expression + "' " + quoted(file));
    if (status != 0)
        return {};
    if (!value.empty() && value.back() == '\n')
        value.pop_back();
    return value;
}
