#pragma once

class QString;
class QTreeWidget;
class QWidget;

// The list of a directory's picker: a read-only row for each entry, its code in the first column
// and its name in the second, one row chosen at a time.
QTreeWidget* createCodeList(QWidget* parent, const char* name, const QString& nameHeading, int codeWidth);
