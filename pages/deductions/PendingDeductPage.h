#pragma once

#include "controls/ThinkingFrame.h"

class QString;

// Stands in for a deductions page the program does not have yet: it shows which deductions the
// tab is for, holds no data, leaves the model alone and never refuses to be left.
class TPendingDeductPage : public TThinkingFrame {
    Q_OBJECT

public:
    TPendingDeductPage(QWidget* owner, DeclarationSlot& declaration, const QString& title, const QString& purpose);

    void SaveData() override {}
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t) override {}
};
