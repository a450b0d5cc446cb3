#pragma once

#include <cstddef>

#include <QStringList>

class QAbstractButton;
class QWidget;

// Asks before a tick or untick deletes what the user entered, naming each kind of record that
// goes: "Удалить A, B и C?". Empty texts in `records` are skipped; with nothing left nothing is
// asked and the answer is yes. True when the user agreed.
bool userAgreesToDelete(QWidget* owner, const QStringList& records);

// "`what` (`unit`: `count`)", or an empty text when the count is 0, for the list above.
QString countedRecords(const QString& what, const QString& unit, std::size_t count);

// "`what` «`name`»", a row of a list named in a question; `what` alone for a row without a name.
QString namedRecord(const QString& what, const QString& name);

// For a list's delete command: asks before the row `row` goes with what it holds, named in
// `contents` (see countedRecords): "Удалить источник выплат «А» и его доходы (строк: 12)?".
// An empty `row` is a row that holds nothing the user entered: it goes without a question.
// True when the row may go.
bool rowDeletionConfirmed(QWidget* list, const QString& row, const QStringList& contents = {});

// For the handler of a box whose change deletes `records`: asks first, and on "Нет" gives the
// box its former state back without running its handler again. True when the change goes on.
bool boxChangeConfirmed(QAbstractButton* box, const QStringList& records);
