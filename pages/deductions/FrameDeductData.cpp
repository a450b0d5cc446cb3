#include "pages/deductions/FrameDeductData.h"

#include <QEvent>
#include <QFrame>
#include <QShortcut>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <numeric>

#include "controls/FlashButton.h"
#include "controls/PageHost.h"
#include "pages/deductions/DeductPages.h"

namespace {

constexpr int TabStripHeight = 40;
constexpr int TabHeight = 36;

TFlashButton* tab(QWidget* strip, const QString& name, int left, int width, const QString& hint)
{
    auto* button = new TFlashButton(strip);
    button->setObjectName(name);
    button->setGeometry(left, (TabStripHeight - TabHeight) / 2, width, TabHeight);
    button->setGroupIndex(1);
    button->setToolTip(hint);
    return button;
}

// Keeps the tabs where they are put while the strip is wide enough; a narrower strip (a small
// main window) narrows them towards their captions, so that the page under them need not scroll
// sideways.
class TabStripLayout : public QObject {
public:
    TabStripLayout(QFrame* strip, std::array<TFlashButton*, 4> tabs) : QObject(strip), strip_(strip), tabs_(tabs)
    {
        for (std::size_t i = 0; i < tabs_.size(); ++i) {
            natural_[i] = tabs_[i]->geometry();
            least_[i] = std::min(natural_[i].width(), tabs_[i]->fontMetrics().horizontalAdvance(tabs_[i]->caption()) +
                                                          CaptionPadding);
        }
        strip_->setMinimumWidth(natural_[0].left() + std::accumulate(least_.begin(), least_.end(), 0) +
                                2 * strip_->frameWidth());
        strip_->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == strip_ && event->type() == QEvent::Resize)
            place();
        return false;
    }

private:
    static constexpr int CaptionPadding = 12;

    void place()
    {
        const int naturalRight = natural_.back().right() + 1;
        const int available = strip_->width() - 2 * strip_->frameWidth();
        if (available >= naturalRight) {
            for (std::size_t i = 0; i < tabs_.size(); ++i)
                tabs_[i]->setGeometry(natural_[i]);
            return;
        }
        const int leastSum = std::accumulate(least_.begin(), least_.end(), 0);
        const int spare = std::max(0, available - natural_[0].left() - leastSum);
        const int slack = naturalRight - natural_[0].left() - leastSum;
        int left = natural_[0].left();
        for (std::size_t i = 0; i < tabs_.size(); ++i) {
            const int width = least_[i] + (natural_[i].width() - least_[i]) * spare / std::max(1, slack);
            tabs_[i]->setGeometry(left, natural_[i].top(), width, natural_[i].height());
            left += width;
        }
    }

    QFrame* strip_;
    std::array<TFlashButton*, 4> tabs_;
    std::array<QRect, 4> natural_;
    std::array<int, 4> least_{};
};

// The page numbers of the whole-declaration check.
DeductPage pageOfNumber(int number)
{
    switch (number) {
    case 0: return DeductPage::Standard;
    case 1: return DeductPage::Social;
    case 5: return DeductPage::Securities;
    default: return DeductPage::Property;
    }
}

} // namespace

TfrFrameDeductData::TfrFrameDeductData(QWidget* owner, DeclarationSlot& declaration)
    : TThinkingFrame(owner, declaration), pnlDeductData(new QFrame(this)), PnlFormContainer(new QWidget(this))
{
    setObjectName(QStringLiteral("TfrFrameDeductData"));
    pnlDeductData->setObjectName(QStringLiteral("pnlDeductData"));
    pnlDeductData->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlDeductData->setFixedHeight(TabStripHeight);
    fbConstructionDeduct =
        tab(pnlDeductData, QStringLiteral("fbConstructionDeduct"), 1, 169,
            QStringLiteral("Имущественный налоговый вычет по расходам на приобретение или строительство объекта "
                           "жилого имущества"));
    fbPensDeduct = tab(pnlDeductData, QStringLiteral("fbPensDeduct"), 170, 144,
                       QStringLiteral("Социальные налоговые вычеты"));
    fbStandartDeduct = tab(pnlDeductData, QStringLiteral("fbStandartDeduct"), 314, 144,
                           QStringLiteral("Стандартные налоговые вычеты"));
    fbCB = tab(pnlDeductData, QStringLiteral("fbCB"), 458, 269,
               QStringLiteral("Убытки прошлых налоговых периодов по операциям с ЦБ и инвестиционные вычеты"));
    fbStandartDeduct->setCaption(QStringLiteral("Стандартные"));
    fbConstructionDeduct->setCaption(QStringLiteral("Имущественный"));
    fbPensDeduct->setCaption(QStringLiteral("Социальные"));
    fbCB->setCaption(QStringLiteral("Инвестиционные и убытки по ЦБ"));
    new TabStripLayout(pnlDeductData, {fbConstructionDeduct, fbPensDeduct, fbStandartDeduct, fbCB});

    PnlFormContainer->setObjectName(QStringLiteral("PnlFormContainer"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlDeductData);
    layout->addWidget(PnlFormContainer, 1);
    pages_ = std::make_unique<TPageHost>(PnlFormContainer, Declaration);

    if (Declaration->DeclarationType != DeclarationClosingBusiness) {
        showPage(DeductPage::Property);
    } else {
        showPage(DeductPage::Standard);
        for (TFlashButton* other : {fbConstructionDeduct, fbPensDeduct, fbCB})
            other->setEnabled(false);
    }

    for (DeductPage page : {DeductPage::Standard, DeductPage::Social, DeductPage::Property, DeductPage::Securities})
        connect(tabOf(page), &TFlashButton::clicked, this, [this, page] { tabClicked(page); });

    // The keys of a tab widget, from anywhere on the section. X11 reports Shift+Tab as Backtab.
    const auto tabKey = [this](QKeyCombination key, int step) {
        auto* shortcut = new QShortcut(QKeySequence(key), this, this, [this, step] { switchTabBy(step); });
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    };
    tabKey(Qt::CTRL | Qt::Key_Tab, 1);
    tabKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1);
    tabKey(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, -1);
}

void TfrFrameDeductData::switchTabBy(int step)
{
    // In their order on the strip.
    const std::array<TFlashButton*, 4> tabs{fbConstructionDeduct, fbPensDeduct, fbStandartDeduct, fbCB};
    const int count = static_cast<int>(tabs.size());
    const int at = static_cast<int>(std::find(tabs.begin(), tabs.end(), FCurrentButton) - tabs.begin());
    for (int tried = 1; tried < count; ++tried) {
        TFlashButton* next = tabs[((at + step * tried) % count + count) % count];
        if (next->isEnabled()) {
            next->click();
            return;
        }
    }
}

// The page host frees the page shown before the strip and the container go.
TfrFrameDeductData::~TfrFrameDeductData() = default;

TThinkingFrame* TfrFrameDeductData::currentPage() const
{
    return pages_->currentPage();
}

void TfrFrameDeductData::SaveData()
{
    currentPage()->SaveData();
}

std::uint16_t TfrFrameDeductData::CheckData()
{
    return currentPage()->CheckData();
}

void TfrFrameDeductData::FocusError(std::uint16_t code)
{
    currentPage()->FocusError(code);
}

void TfrFrameDeductData::ShowDeductPage(int page, std::uint16_t element)
{
    const DeductPage target = pageOfNumber(page);
    if (pages_->currentPageName() != deductPageName(target))
        showPage(target);
    currentPage()->FocusError(element);
}

TFlashButton* TfrFrameDeductData::tabOf(DeductPage page) const
{
    switch (page) {
    case DeductPage::Standard: return fbStandartDeduct;
    case DeductPage::Social: return fbPensDeduct;
    case DeductPage::Property: return fbConstructionDeduct;
    case DeductPage::Securities: return fbCB;
    }
    return nullptr;
}

void TfrFrameDeductData::tabClicked(DeductPage page)
{
    TFlashButton* clicked = tabOf(page);
    if (pages_->switchTo(deductPageName(page), deductPageFactory(page))) {
        // Also when the click came from the keyboard, which leaves the tab as it was.
        clicked->setDown(true);
        FCurrentButton = clicked;
    } else {
        // The page shown refused to be left: its tab goes down again, the clicked one up.
        FCurrentButton->setDown(true);
    }
}

void TfrFrameDeductData::showPage(DeductPage page)
{
    pages_->show(deductPageName(page), deductPageFactory(page));
    FCurrentButton = tabOf(page);
    FCurrentButton->setDown(true);
}
