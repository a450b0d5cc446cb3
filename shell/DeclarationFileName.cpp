#include "shell/DeclarationFileName.h"

#include <QFile>
#include <QRegularExpression>

#include "model/Declaration.h"
#include "model/DocumentStorage.h"

namespace {

const QString Extension = QStringLiteral(".fv1");

} // namespace

bool hasDeclarationExtension(const QString& fileName)
{
    return fileName.endsWith(Extension, Qt::CaseInsensitive);
}

QString withDeclarationExtension(const QString& fileName)
{
    if (hasDeclarationExtension(fileName))
        return fileName;
    static const QRegularExpression earlierYear(QStringLiteral("\\.fv[02-9l]$"),
                                                QRegularExpression::CaseInsensitiveOption);
    QString name = fileName;
    name.remove(earlierYear);
    return name + Extension;
}

bool isThisYearsDeclarationFile(const QString& fileName)
{
    try {
        mTFileLoader loader(QFile::encodeName(fileName).toStdString(), true);
        mTDocumentStorage storage(loader);
        storage.Open();
        return storage.DocName() == mTDeclaration::DocumentName;
    } catch (const mEPrivBase&) {
        return false;
    }
}
