#include "controls/CheckRun.h"

#include <QWidget>

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

void focusElement(std::uint16_t code, std::initializer_list<std::pair<std::uint16_t, QWidget*>> elements)
{
    for (const auto& [element, control] : elements) {
        if (element == code) {
            control->setFocus();
            return;
        }
    }
}
