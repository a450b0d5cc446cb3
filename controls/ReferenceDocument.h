#pragma once

#include <stdexcept>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>

// One element of a reference directory read from XML (tax offices, countries, activity codes,
// currency rates). The directories use element nesting, attributes and text only.
struct ReferenceElement {
    QString name;
    std::vector<std::pair<QString, QString>> attributes;
    // The element's own character data, trimmed; the text of child elements is not included.
    QString text;
    std::vector<ReferenceElement> children;

    // Empty when the element has no such attribute.
    QString attribute(QStringView attributeName) const;
};

// A reference file that cannot be read: it is missing, unreadable or not well-formed XML.
class ReferenceFileError : public std::runtime_error {
public:
    ReferenceFileError(const QString& description, qint64 line = 0, qint64 column = 0);

    QString description;
    qint64 line;   // 0 when the fault has no place in the text
    qint64 column;
};

// The document element of an XML text. A text declared as windows-1251 is decoded by the
// program's own code page table; external entities are never fetched. Throws ReferenceFileError.
ReferenceElement parseReferenceXml(const QByteArray& data);
// The same for a file, which must be a regular file of at most 64 MB; the opening never waits
// (on a FIFO, say). Throws ReferenceFileError.
ReferenceElement readReferenceFile(const QString& path);
