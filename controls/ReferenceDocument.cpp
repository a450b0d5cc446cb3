#include "controls/ReferenceDocument.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include <QFile>
#include <QXmlStreamReader>

#include "model/Cp1251.h"
#include "model/RegularFile.h"

namespace {

// Far above any directory the program ships (the largest is under 400 KB).
constexpr std::uint64_t MaxReferenceFileSize = std::uint64_t(64) << 20;

bool declaresCp1251(const QByteArray& data)
{
    QXmlStreamReader probe(data);
    if (probe.readNext() != QXmlStreamReader::StartDocument)
        return false;
    const QString encoding = probe.documentEncoding().toString().toLower();
    return encoding == u"windows-1251" || encoding == u"cp1251";
}

ReferenceElement readElement(QXmlStreamReader& reader)
{
    ReferenceElement element;
    element.name = reader.name().toString();
    for (const QXmlStreamAttribute& attribute : reader.attributes())
        element.attributes.emplace_back(attribute.qualifiedName().toString(), attribute.value().toString());
    while (reader.readNext() != QXmlStreamReader::Invalid) {
        if (reader.isStartElement())
            element.children.push_back(readElement(reader));
        else if (reader.isCharacters())
            element.text += reader.text();
        else if (reader.isEndElement())
            break;
    }
    element.text = element.text.trimmed();
    return element;
}

ReferenceElement readDocument(QXmlStreamReader& reader)
{
    std::optional<ReferenceElement> root;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement)
            root = readElement(reader);
    }
    if (reader.hasError())
        throw ReferenceFileError(reader.errorString(), reader.lineNumber(), reader.columnNumber());
    if (!root)
        throw ReferenceFileError(QStringLiteral("нет корневого элемента"));
    return std::move(*root);
}

} // namespace

QString ReferenceElement::attribute(QStringView attributeName) const
{
    for (const auto& [key, value] : attributes) {
        if (key == attributeName)
            return value;
    }
    return {};
}

ReferenceFileError::ReferenceFileError(const QString& description, qint64 line, qint64 column)
    : std::runtime_error(description.toStdString()), description(description), line(line), column(column)
{
}

ReferenceElement parseReferenceXml(const QByteArray& data)
{
    if (declaresCp1251(data)) {
        const std::string utf8 = cp1251::toUtf8(std::string_view(data.constData(), std::size_t(data.size())));
        QXmlStreamReader reader(QString::fromStdString(utf8));
        return readDocument(reader);
    }
    QXmlStreamReader reader(data);
    return readDocument(reader);
}

ReferenceElement readReferenceFile(const QString& path)
{
    const RegularFileBytes file = readRegularFile(QFile::encodeName(path).toStdString(), MaxReferenceFileSize);
    if (file.failure)
        throw ReferenceFileError(QString::fromStdString(regularFileFailureText(*file.failure, MaxReferenceFileSize)));
    return parseReferenceXml(QByteArray::fromStdString(file.bytes));
}
