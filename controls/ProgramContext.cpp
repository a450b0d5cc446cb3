#include "controls/ProgramContext.h"

namespace {

ProgramContext* currentContext = nullptr;

} // namespace

ProgramContext* programContext()
{
    return currentContext;
}

void setProgramContext(ProgramContext* context)
{
    currentContext = context;
}
