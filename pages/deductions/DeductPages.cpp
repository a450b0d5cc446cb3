#include "pages/deductions/DeductPages.h"

#include "pages/deductions/FrameCB.h"
#include "pages/deductions/FrameMultyConstructionDeduct.h"
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
        return factoryOf<TfrMultyConstructionDeduct>();
    case DeductPage::Securities:
        return factoryOf<TfrCB>();
    }
    return {};
}
