#pragma once

#include "controls/ThinkingFrame.h"

class QString;

// Stands in for a page the program does not have yet: it shows the page's title and purpose,
// holds no data, leaves the model alone and never refuses to be left.
class TPendingPage : public TThinkingFrame {
    Q_OBJECT

public:
    TPendingPage(QWidget* owner, DeclarationSlot& declaration, const QString& title, const QString& purpose);

    void SaveData() override {}
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t) override {}
};
