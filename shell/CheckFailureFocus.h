#pragma once

#include "shell/DeclarationCheck.h"

class TThinkingFrame;

// Puts the page of a failed rule of the whole-declaration check on the element to correct: the
// income page opens its rate frame, the deductions page its inner page, every other page
// focuses the element. A page that has no such frames or inner pages is left as it is.
void focusCheckFailure(TThinkingFrame& page, const TCheckAllResult& failure);
