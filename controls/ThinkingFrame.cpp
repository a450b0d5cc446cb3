#include "controls/ThinkingFrame.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "controls/DeclModified.h"

TThinkingFrame::TThinkingFrame(QWidget* owner, DeclarationSlot& declaration)
    : QFrame(owner), Declaration(declaration)
{
}

TThinkingFrame::~TThinkingFrame() = default;

void TThinkingFrame::SetEditable(bool value)
{
    // Qt draws a disabled edit on the window background and an enabled one on the base colour.
    const auto setEnabled = [value](const auto& widgets) {
        for (QWidget* widget : widgets)
            widget->setEnabled(value);
    };
    setEnabled(findChildren<QLineEdit*>());
    setEnabled(findChildren<QAbstractSpinBox*>());
    setEnabled(findChildren<QComboBox*>());
    setEnabled(findChildren<QTextEdit*>());
    setEnabled(findChildren<QPlainTextEdit*>());
}

void TThinkingFrame::focusFirst()
{
    // The focus chain runs through the whole window; the page's widgets are a part of it.
    for (QWidget* widget = nextInFocusChain(); widget && widget != this; widget = widget->nextInFocusChain()) {
        if (isAncestorOf(widget) && widget->isEnabled() && widget->isVisibleTo(this)
            && (widget->focusPolicy() & Qt::TabFocus) != 0) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    setFocus(Qt::OtherFocusReason);
}

void TThinkingFrame::declarationModified()
{
    if (!loading_)
        sendDeclModified();
}

TThinkingFrame::LoadingScope::LoadingScope(TThinkingFrame& page) : page_(page), wasLoading_(page.loading_)
{
    page_.loading_ = true;
}

TThinkingFrame::LoadingScope::~LoadingScope()
{
    page_.loading_ = wasLoading_;
}
