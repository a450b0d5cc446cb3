#pragma once

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

#include "controls/ItemList.h"

// Tab order against what the user sees: the controls Tab stops at, in the order they stand on
// the screen, and in the order Tab really walks them.

// Shows the window and waits until it is active, as Tab needs; whether it became active.
inline bool showActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

inline QString controlName(const QWidget* widget)
{
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The controls inside `area` Tab stops at (enabled, shown, taking Tab), top to bottom and left
// to right within a line; controls stand on one line when their heights overlap by half the
// smaller one or more. A list's command buttons come right after the list wherever they stand.
inline QStringList screenOrder(QWidget* area)
{
    struct Placed {
        QWidget* widget;
        QRect rect;
    };
    std::vector<Placed> placed;
    for (QWidget* widget : area->findChildren<QWidget*>()) {
        if ((widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus || !widget->isEnabled() || !widget->isVisible() ||
            widget->focusProxy())
            continue;
        placed.push_back({widget, QRect(widget->mapTo(area, QPoint()), widget->size())});
    }
    std::sort(placed.begin(), placed.end(),
              [](const Placed& a, const Placed& b) { return a.rect.center().y() < b.rect.center().y(); });
    std::vector<std::vector<Placed>> lines;
    for (const Placed& p : placed) {
        if (!lines.empty()) {
            const QRect& last = lines.back().front().rect;
            const int overlap = std::min(last.bottom(), p.rect.bottom()) - std::max(last.top(), p.rect.top()) + 1;
            if (2 * overlap >= std::min(last.height(), p.rect.height())) {
                lines.back().push_back(p);
                continue;
            }
        }
        lines.push_back({p});
    }
    QList<QWidget*> order;
    for (std::vector<Placed>& line : lines) {
        std::sort(line.begin(), line.end(), [](const Placed& a, const Placed& b) { return a.rect.left() < b.rect.left(); });
        for (const Placed& p : line)
            order << p.widget;
    }
    QList<QWidget*> afterTheirList;
    for (QWidget* widget : order) {
        if (auto* list = qobject_cast<QTreeWidget*>(widget))
            afterTheirList << listCommandButtons(list);
    }
    QStringList names;
    for (QWidget* widget : order) {
        if (afterTheirList.contains(widget))
            continue;
        names << controlName(widget);
        if (auto* list = qobject_cast<QTreeWidget*>(widget)) {
            for (QWidget* button : listCommandButtons(list)) {
                if (order.contains(button))
                    names << controlName(button);
            }
        }
    }
    return names;
}

// The controls inside `area` Tab walks from the first of them, by key presses, until it leaves
// the area or comes back round.
inline QStringList tabWalkWithin(QWidget* area, QWidget* first)
{
    first->setFocus(Qt::TabFocusReason);
    QStringList names;
    QWidget* focused = QApplication::focusWidget();
    for (int guard = 0; focused && area->isAncestorOf(focused) && guard < 200; ++guard) {
        names << controlName(focused);
        QTest::keyClick(focused, Qt::Key_Tab);
        focused = QApplication::focusWidget();
        if (focused == first)
            break;
    }
    return names;
}

// Tab from the first control on the screen walks every control of `area` in screen order.
inline void expectTabFollowsTheScreen(QWidget* area)
{
    const QStringList onScreen = screenOrder(area);
    ASSERT_FALSE(onScreen.isEmpty()) << "nothing to Tab to";
    QWidget* first = nullptr;
    for (QWidget* widget : area->findChildren<QWidget*>()) {
        if (controlName(widget) == onScreen.front() && widget->isVisible()) {
            first = widget;
            break;
        }
    }
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(tabWalkWithin(area, first).join(u' ').toStdString(), onScreen.join(u' ').toStdString());
}
