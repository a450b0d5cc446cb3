#include "controls/PageHost.h"

#include <QVBoxLayout>

#include "controls/DeclModified.h"

TPageHost::TPageHost(QWidget* container, DeclarationSlot& declaration)
    : container_(container), declaration_(declaration)
{
    if (!container_->layout()) {
        auto* layout = new QVBoxLayout(container_);
        layout->setContentsMargins(0, 0, 0, 0);
    }
}

TPageHost::~TPageHost()
{
    clear();
}

bool TPageHost::switchTo(const QString& pageName, const PageFactory& create)
{
    if (current_ && currentName_ == pageName)
        return true;
    if (current_) {
        current_->SaveData();
        if (const std::uint16_t code = current_->CheckData(); code != 0) {
            current_->FocusError(code);
            return false;
        }
    }
    show(pageName, create);
    return true;
}

void TPageHost::show(const QString& pageName, const PageFactory& create)
{
    const PageLoadingScope loading;
    // The new page exists before the old one goes, as the pages expect.
    TThinkingFrame* page = create(container_, declaration_);
    container_->layout()->addWidget(page);
    delete current_.data();
    current_ = page;
    currentName_ = pageName;
    page->show();
    // Still while the page loads: a row its list selects is no edit of the user's.
    page->focusFirst();
}

void TPageHost::clear()
{
    delete current_.data();
    current_ = nullptr;
    currentName_.clear();
}
