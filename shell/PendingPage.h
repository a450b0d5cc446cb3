#pragma once

#include "controls/ThinkingFrame.h"

class QString;

// The page of a section whose input page the program does not have yet: it shows the section's
// title and purpose, holds no data and never refuses to be left.
class TPendingPage : public TThinkingFrame {
    Q_OBJECT

public:
    TPendingPage(QWidget* owner, DeclarationSlot& declaration, const QString& title, const QString& purpose);

    void SaveData() override {}
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t) override {}
};
