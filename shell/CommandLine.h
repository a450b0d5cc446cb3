#pragma once

#include <QString>
#include <QStringList>

// The declaration file named on the command line; `arguments` leaves out the program itself.
// One argument is the file. Of two, the second is the file when the first is "-p" in any case,
// else the first is. Empty for any other count, and for "-p" alone.
QString declarationFileArgument(const QStringList& arguments);
