#pragma once

#include "controls/ThinkingFrame.h"

// A page with no fields: holds no data, leaves the model alone and never refuses to be left.
// Tests show it where the window needs some page that is none of the program's.
class BlankPage : public TThinkingFrame {
public:
    BlankPage(QWidget* owner, DeclarationSlot& declaration) : TThinkingFrame(owner, declaration) {}

    void SaveData() override {}
    std::uint16_t CheckData() override { return 0; }
    void FocusError(std::uint16_t) override {}
};

// Makes a blank page, for the window's page host.
inline TThinkingFrame* makeBlankPage(QWidget* container, DeclarationSlot& declaration)
{
    return new BlankPage(container, declaration);
}
