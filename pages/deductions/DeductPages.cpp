#include "pages/deductions/DeductPages.h"

#include "controls/PendingPage.h"
#include "pages/deductions/FrameCB.h"
#include "pages/deductions/FramePensDeduct.h"
#include "pages/deductions/FrameStandartDeduct.h"

namespace {

template <typename Page>
TPageHost::PageFactory factoryOf()
{
    return [](QWidget* container, DeclarationSlot& declaration) -> TThinkingFrame* {
        return new Page(container, declaration);
    };
}

TPageHost::PageFactory pendingFactory(const QString& title, const QString& purpose)
{
    return [title, purpose](QWidget* container, DeclarationSlot& declaration) -> TThinkingFrame* {
        return new TPendingPage(container, declaration, title, purpose, TPendingPage::TabHeadingScale);
    };
}

} // namespace

QString deductPageName(DeductPage page)
{
    switch (page) {
    case DeductPage::Standard: return QStringLiteral("TfrFrameStandartDeduct");
    case DeductPage::Social: return QStringLiteral("TfrFramePensDeduct");
    case DeductPage::Property: return QStringLiteral("TfrMultyConstructionDeduct");
    case DeductPage::Securities: return QStringLiteral("TfrCB");
    }
    return {};
}

TPageHost::PageFactory deductPageFactory(DeductPage page)
{
    switch (page) {
    case DeductPage::Standard:
        return factoryOf<TfrFrameStandartDeduct>();
    case DeductPage::Social:
        return factoryOf<TfrFramePensDeduct>();
    case DeductPage::Property:
        return pendingFactory(QStringLiteral("Имущественный налоговый вычет"),
                              QStringLiteral("Имущественный налоговый вычет по расходам на приобретение или "
                                             "строительство объекта жилого имущества"));
    case DeductPage::Securities:
        return factoryOf<TfrCB>();
    }
    return {};
}
