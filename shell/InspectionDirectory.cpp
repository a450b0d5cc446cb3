#include "shell/InspectionDirectory.h"

#include <string>

#include <QDir>
#include <QSaveFile>

#include "controls/ReferenceDocument.h"
#include "model/Cp1251.h"

namespace {

// XML 1.0 holds no control character but tab and the line breaks, and a name holds none of those.
bool holdsControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

QString escaped(const QString& text, bool inAttribute)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'&')
            result += QStringLiteral("&amp;");
        else if (c == u'<')
            result += QStringLiteral("&lt;");
        else if (c == u'>')
            result += QStringLiteral("&gt;");
        else if (c == u'"' && inAttribute)
            result += QStringLiteral("&quot;");
        else
            result += c;
    }
    return result;
}

QString officeLine(const Inspection& office)
{
    if (holdsControlCharacter(office.code) || holdsControlCharacter(office.name)) {
        throw InspectionDirectoryError(
            QStringLiteral("Код или наименование инспекции %1 содержит управляющие символы.").arg(office.code));
    }
    return QStringLiteral("  <Inspection Code=\"%1\">%2</Inspection>\n")
        .arg(escaped(office.code, true), escaped(office.name, false));
}

} // namespace

InspectionDirectoryError::InspectionDirectoryError(const QString& message) : std::runtime_error(message.toStdString())
{
}

QByteArray inspectionDirectoryXml(const InspectionDirectory& directory)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n");
    text += QStringLiteral("<Inspections Version=\"%1\" Date=\"%2\">\n")
                .arg(escaped(directory.version, true), escaped(directory.date, true));
    for (const Inspection& office : directory.offices)
        text += officeLine(office);
    text += QStringLiteral("</Inspections>\n");
    try {
        return QByteArray::fromStdString(cp1251::fromUtf8(text.toStdString()));
    } catch (const cp1251::EncodeError& error) {
        throw InspectionDirectoryError(QStringLiteral("Справочник инспекций нельзя записать в кодировке "
                                                      "windows-1251: %1")
                                           .arg(QString::fromUtf8(error.what())));
    }
}

void writeInspectionDirectory(const QString& path, const InspectionDirectory& directory)
{
    const QByteArray data = inspectionDirectoryXml(directory);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        throw InspectionDirectoryError(QStringLiteral("Не удалось записать файл %1: %2")
                                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}

std::vector<Inspection> inspectionsOf(const ReferenceElement& root)
{
    std::vector<Inspection> offices;
    offices.reserve(root.children.size());
    for (const ReferenceElement& child : root.children)
        offices.push_back({child.attribute(u"Code"), child.text});
    return offices;
}

std::optional<QString> inspectionName(const ReferenceElement& root, const QString& code)
{
    // An office without a code is no answer to an empty field.
    if (code.isEmpty())
        return std::nullopt;
    for (const ReferenceElement& child : root.children) {
        if (child.attribute(u"Code") == code)
            return child.text;
    }
    return std::nullopt;
}
