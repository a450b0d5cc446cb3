#pragma once

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

#include "controls/FlashButton.h"
#include "controls/ThinkingFrame.h"

// Presses and releases the left button over the button, as a user's click.
inline void userClick(TFlashButton* button)
{
    const QPoint at(10, 10);
    QMouseEvent pressEvent(QEvent::MouseButtonPress, at, button->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(button, &pressEvent);
    QMouseEvent releaseEvent(QEvent::MouseButtonRelease, at, button->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(button, &releaseEvent);
}

// The title a section's page shows; empty for no page or a page without one.
inline QString pageTitle(const TThinkingFrame* page)
{
    const auto* title = page ? page->findChild<QLabel*>(QStringLiteral("lbTitle")) : nullptr;
    return title ? title->text() : QString();
}
