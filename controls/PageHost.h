#pragma once

#include <functional>

#include <QPointer>
#include <QString>

#include "controls/ThinkingFrame.h"

class QWidget;

// Shows one page at a time, filling a container, and leaves pages by the page protocol. The
// main window's page panel has one; so has every page that hosts pages of its own.
class TPageHost {
public:
    using PageFactory = std::function<TThinkingFrame*(QWidget* container, DeclarationSlot& declaration)>;

    TPageHost(QWidget* container, DeclarationSlot& declaration);
    ~TPageHost();
    TPageHost(const TPageHost&) = delete;
    TPageHost& operator=(const TPageHost&) = delete;

    TThinkingFrame* currentPage() const { return current_; }
    // The name the current page was shown under: its class, or the section it stands for.
    const QString& currentPageName() const { return currentName_; }

    // Leaves the current page for the page `pageName` made by `create`. Asking for the page
    // already shown does nothing. Otherwise the current page saves and checks its data: an
    // element code keeps it, focused on that element, and gives false; 0 replaces it by the
    // new page. True when the page asked for is shown.
    bool switchTo(const QString& pageName, const PageFactory& create);

    // Shows a new page without asking the current one anything (start-up, New, Open). Every
    // page shown gets the keyboard focus (TThinkingFrame::focusFirst).
    void show(const QString& pageName, const PageFactory& create);

    // Frees the current page; the container stays empty.
    void clear();

private:
    QWidget* container_;
    DeclarationSlot& declaration_;
    QPointer<TThinkingFrame> current_;
    QString currentName_;
};
