#include "controls/DeletionQuestion.h"

#include <QAbstractButton>
#include <QSignalBlocker>

#include "controls/MessageBox.h"

bool userAgreesToDelete(QWidget* owner, const QStringList& records)
{
    QStringList named = records;
    named.removeAll(QString());
    if (named.isEmpty())
        return true;
    const QString last = named.takeLast();
    const QString listed = named.isEmpty() ? last : named.join(QStringLiteral(", ")) + QStringLiteral(" и ") + last;
    return MessageBox::show(owner, QMessageBox::Question, QStringLiteral("Форвета"),
                            QStringLiteral("Удалить ") + listed + u'?', QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

QString countedRecords(const QString& what, const QString& unit, std::size_t count)
{
    return count == 0 ? QString() : QStringLiteral("%1 (%2: %3)").arg(what, unit).arg(count);
}

QString namedRecord(const QString& what, const QString& name)
{
    const QString trimmed = name.trimmed();
    return trimmed.isEmpty() ? what : what + QStringLiteral(" «") + trimmed + QStringLiteral("»");
}

bool rowDeletionConfirmed(QWidget* list, const QString& row, const QStringList& contents)
{
    if (row.isEmpty())
        return true;
    return userAgreesToDelete(list, QStringList{row} + contents);
}

bool boxChangeConfirmed(QAbstractButton* box, const QStringList& records)
{
    if (userAgreesToDelete(box, records))
        return true;
    const QSignalBlocker kept(box);
    box->setChecked(!box->isChecked());
    return false;
}
