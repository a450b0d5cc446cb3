#include "shell/CommandLine.h"

QString declarationFileArgument(const QStringList& arguments)
{
    if (arguments.size() != 1 && arguments.size() != 2)
        return {};
    if (arguments.first().toLower() == u"-p")
        return arguments.value(1);
    return arguments.first();
}
