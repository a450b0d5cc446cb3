#include "controls/CheckRun.h"

CheckRun::CheckRun(QWidget* owner, const QString& section) : dialog_(owner)
{
    dialog_.SetTitle(section);
}

void CheckRun::report(const QString& message, std::uint16_t code)
{
    if (over_)
        return;
    dialog_.SetMessage(message);
    switch (dialog_.exec()) {
    case CheckFix:
        over_ = true;
        result_ = code;
        break;
    case CheckSkipAll:
        over_ = true;
        break;
    default:
        break;
    }
}
