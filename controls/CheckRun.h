#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "controls/CheckDialogs.h"

class QWidget;

// One run of the rules of a page's or an input dialog's check, in the order they are tried.
// Each failed rule is shown in one TfmCheckError until the user chooses to fix one, which ends
// the run with that rule's element code, or to skip all the rest, which ends it with 0;
// skipping one rule (or closing a dialog that allows it) goes on with the next.
class CheckRun {
public:
    // The dialog is owned by `owner` and titled with the section's name.
    CheckRun(QWidget* owner, const QString& section);

    // The run's dialog, for callers that disable some of its answers.
    TfmCheckError& dialog() { return dialog_; }

    // Shows a failed rule, unless the run is over already.
    void report(const QString& message, std::uint16_t code);

    bool isOver() const { return over_; }
    // The element code of the rule to fix; 0 when nothing is to be fixed.
    std::uint16_t result() const { return result_; }

private:
    TfmCheckError dialog_;
    bool over_ = false;
    std::uint16_t result_ = 0;
};

// Puts the focus on the control paired with a failed rule's element code, if any.
void focusElement(std::uint16_t code, std::initializer_list<std::pair<std::uint16_t, QWidget*>> elements);
