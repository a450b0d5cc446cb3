#pragma once

#include <QLabel>

#include "controls/ThinkingFrame.h"
#include "tests/support/PageTestSupport.h"

// The title a section's page shows; empty for no page or a page without one.
inline QString pageTitle(const TThinkingFrame* page)
{
    const auto* title = page ? page->findChild<QLabel*>(QStringLiteral("lbTitle")) : nullptr;
    return title ? title->text() : QString();
}
