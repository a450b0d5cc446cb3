#include "controls/PendingPage.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// The title is drawn bold and this much larger than the page's font.
constexpr double HeadingScale = 1.6;

} // namespace

TPendingPage::TPendingPage(QWidget* owner, DeclarationSlot& declaration, const QString& title, const QString& purpose)
    : TThinkingFrame(owner, declaration)
{
    auto* heading = new QLabel(title, this);
    heading->setObjectName(QStringLiteral("lbTitle"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * HeadingScale);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* note = new QLabel(purpose, this);
    note->setObjectName(QStringLiteral("lbPurpose"));
    note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(8);
    layout->addWidget(heading);
    layout->addWidget(rule);
    layout->addWidget(note);
    layout->addStretch();
}
