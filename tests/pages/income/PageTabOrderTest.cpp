#include <functional>
#include <memory>
#include <vector>

#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include "controls/CountryChooser.h"
#include "controls/HelpPromptCall.h"
#include "controls/ItemList.h"
#include "controls/ReferenceDocument.h"
#include "pages/income/BusinessNew.h"
#include "pages/income/CurrencyFrame.h"
#include "pages/income/InitialData.h"
#include "pages/income/KudaTratit.h"
#include "pages/income/PersonNaim.h"
#include "pages/income/Sourse.h"
#include "tests/pages/income/CurrencyFrameFixture.h"
#include "tests/shell/CheckedDeclaration.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/TabOrderCheck.h"
#include "tests/support/TestProgramContext.h"

namespace {

// The page's part of the smallest window, and of a wide one.
constexpr int NarrowPage = 520;
constexpr int NarrowPageHeight = 460;
constexpr int WidePage = 1200;
constexpr int WidePageHeight = 800;

// The page as the main window shows it: filling a container in a scroll area, so that a page
// higher than the window scrolls instead of being squeezed.
struct ScrolledPage {
    explicit ScrolledPage(QSize viewport) : declaration(std::make_unique<mTDeclaration>())
    {
        scroller.setFrameShape(QFrame::NoFrame);
        scroller.setWidgetResizable(true);
        scroller.setWidget(container);
        auto* layout = new QVBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
        scroller.resize(viewport + QSize(scroller.verticalScrollBar()->sizeHint().width(), 0));
    }

    DeclarationSlot declaration;
    QScrollArea scroller;
    QWidget* container = new QWidget;
};

using PageShower = std::function<QWidget*(ScrolledPage&)>;

// Builds the page as the main window does, shows it and does to it what `prepare` does.
template <typename Page>
PageShower shown(std::function<void(Page&)> prepare = {})
{
    return [prepare](ScrolledPage& host) -> QWidget* {
        Page* page = nullptr;
        {
            const PageLoadingScope loading;
            page = new Page(host.container, host.declaration);
        }
        host.container->layout()->addWidget(page);
        host.scroller.show();
        if (prepare)
            prepare(*page);
        return page;
    };
}

template <typename Page>
PageShower withFirstRow(std::function<void(Page&)> more = {})
{
    return shown<Page>([more](Page& page) {
        selectRow(page.lvSourseIncomeInfo, 0);
        if (more)
            more(page);
    });
}

// The second row opened once the page has settled with the first one open, which shows and
// enables other controls.
template <typename Page>
void openSecondRowLater(Page& page)
{
    QTest::qWait(20);
    selectRow(page.lvSourseIncomeInfo, 1);
}

void representative(mTDeclaration& declaration)
{
    declaration.Signer = 1;
}

void person(mTDeclaration& declaration)
{
    mTPersonInformation& person = declaration.Person;
    person.Name.SurName = "Иванов";
    person.Name.INN = "500100732259";
    person.Document.DocKind = 21;
    person.Document.DocKindName = "Паспорт гражданина Российской Федерации";
    person.Document.DocSeriesNumber = "45 06 123456";
    person.Foreigner.CountryCode = "643";
}

// An employer with wages and dividends at 13 %, which show the profit tax field, and a deduction
// granted.
void employer(mTDeclaration& declaration)
{
    mbTSourse& source = *declaration.GetSource(declaration.AddSource());
    source.Name = "ООО Ромашка";
    source.AddIncome13(incomeLine(2000, roubles(1000), 1));
    source.AddIncome13(incomeLine(1010, roubles(1000), 6));
    auto deduct = std::make_unique<mbTSSCDeduct>();
    deduct->Code = 104;
    source.AddSSCDeduct(std::move(deduct));
}

void nonResidentEmployer(mTDeclaration& declaration)
{
    declaration.DeclarationType = DeclarationNonResident;
    employer(declaration);
}

// A controlled foreign company's profit in dollars, its rates typed.
void companyProfit(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindForeign);
    addCompanyProfit(declaration).AutoRate = 0;
}

// Shares sold abroad: an income whose expenses are deducted.
void sharesSold(mTDeclaration& declaration)
{
    companyProfit(declaration);
    mTCurrencyIncome& sale = *declaration.GetCurrencyIncome(declaration.CurrencyIncomeCount() - 1);
    sale.IncomeCode = 1530;
    sale.IncomeCodeName = "Доходы от реализации ценных бумаг";
    sale.DeductionCode = 201;
}

// Its deduction shows no sum; the second income's deduction does.
void deductionSumShownLater(mTDeclaration& declaration)
{
    companyProfit(declaration);
    declaration.GetCurrencyIncome(0)->IncomeCode = 1211;
    sharesSold(declaration);
}

void activity(mTDeclaration& declaration, const char* kind, bool documented)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindBusiness);
    mTBusinessNew& added = *declaration.GetBusiness(declaration.AddBusiness());
    added.ActivityKind = kind;
    added.ActivityCode = "47.11";
    added.ExpensesConfirmed = documented ? 1 : 0;
}

// An entrepreneur with documented expenses, a farm household and an OKTMO code that changed.
void farmWithOktmoChanges(mTDeclaration& declaration)
{
    activity(declaration, "1", true);
    declaration.OKTMOChanged = 1;
    declaration.IsPeasantFarm = 1;
}

void normEntrepreneur(mTDeclaration& declaration)
{
    activity(declaration, "1", false);
}

// A notary, who has no choice of the expense norm, before an entrepreneur, who has.
void notaryThenEntrepreneur(mTDeclaration& declaration)
{
    activity(declaration, "2", true);
    farmWithOktmoChanges(declaration);
}

void refund(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindTrata);
    declaration.GetTrata(declaration.AddTrata())->IsRefund = 1;
}

void offset(mTDeclaration& declaration)
{
    declaration.SetIncomeKinds(declaration.IncomeKinds() | IncomeKindTrata);
    declaration.GetTrata(declaration.AddTrata())->IsRefund = 0;
}

void nothing(mTDeclaration&) {}

// The declaration's type may be changed once the user has read the warning.
void unlockType(TfrInitialData& page)
{
    setHelpPromptShower([](QWidget*, const QString&, const QString&) {});
    page.Button1->click();
    setHelpPromptShower({});
}

struct Case {
    const char* name;
    int width;
    std::function<void(mTDeclaration&)> fill;
    PageShower show;
};

} // namespace

// Tab walks every page of income as its controls stand on the screen, row by row from the top and
// left to right, a list's buttons right after the list, in the smallest window and a wide one,
// with the page filled so that its optional controls show, also when they show only once the
// page has settled.
TEST(PageTabOrderTest, TabFollowsTheScreen)
{
    const Case cases[] = {
        {"conditions, narrow", NarrowPage, nothing, shown<TfrInitialData>()},
        {"conditions, wide", WidePage, nothing, shown<TfrInitialData>()},
        {"conditions, representative, type unlocked, narrow", NarrowPage, representative,
         shown<TfrInitialData>(unlockType)},
        {"conditions, representative, type unlocked, wide", WidePage, representative,
         shown<TfrInitialData>(unlockType)},
        {"conditions, representative chosen on the page, wide", WidePage, nothing,
         shown<TfrInitialData>([](TfrInitialData& page) {
             unlockType(page);
             page.rbGiveTrustFase->click();
         })},
        {"person, narrow", NarrowPage, person, shown<TfrPersonNaim>()},
        {"person, wide", WidePage, person, shown<TfrPersonNaim>()},
        {"sources, narrow", NarrowPage, employer, withFirstRow<TfrSourse>()},
        {"sources, wide", WidePage, employer, withFirstRow<TfrSourse>()},
        {"sources, a line selected, narrow", NarrowPage, employer,
         withFirstRow<TfrSourse>([](TfrSourse& page) { selectRow(page.rateFrame()->lvIncome, 0); })},
        {"sources, 15 %, wide", WidePage, employer,
         withFirstRow<TfrSourse>([](TfrSourse& page) { page.fb15->click(); })},
        {"sources, non-resident, narrow", NarrowPage, nonResidentEmployer, withFirstRow<TfrSourse>()},
        {"foreign income, narrow", NarrowPage, companyProfit, withFirstRow<TfrCurrency>()},
        {"foreign income, wide", WidePage, companyProfit, withFirstRow<TfrCurrency>()},
        {"foreign income with a deduction, narrow", NarrowPage, sharesSold, withFirstRow<TfrCurrency>()},
        {"foreign income with a deduction, wide", WidePage, sharesSold, withFirstRow<TfrCurrency>()},
        {"foreign income, a deduction without a sum then one with it, narrow", NarrowPage, deductionSumShownLater,
         withFirstRow<TfrCurrency>(openSecondRowLater<TfrCurrency>)},
        {"foreign income, a deduction without a sum then one with it, wide", WidePage, deductionSumShownLater,
         withFirstRow<TfrCurrency>(openSecondRowLater<TfrCurrency>)},
        {"business, documented, narrow", NarrowPage, farmWithOktmoChanges, withFirstRow<TfrBusinessNew>()},
        {"business, documented, wide", WidePage, farmWithOktmoChanges, withFirstRow<TfrBusinessNew>()},
        {"business, by the norm, wide", WidePage, normEntrepreneur, withFirstRow<TfrBusinessNew>()},
        {"business, a notary's activity then an entrepreneur's, narrow", NarrowPage, notaryThenEntrepreneur,
         withFirstRow<TfrBusinessNew>(openSecondRowLater<TfrBusinessNew>)},
        {"applications, refund, narrow", NarrowPage, refund, withFirstRow<TfrKudaTratit>()},
        {"applications, refund, wide", WidePage, refund, withFirstRow<TfrKudaTratit>()},
        {"applications, offset, narrow", NarrowPage, offset, withFirstRow<TfrKudaTratit>()},
        {"applications, offset, wide", WidePage, offset, withFirstRow<TfrKudaTratit>()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // The choosers are there, so that their buttons are enabled.
        TestProgramContext context;
        context.taxOfficeAnswer = [](const QString&) { return std::nullopt; };
        const QString countryDirectory = QStringLiteral("<Oksm><Country Code=\"643\">РОССИЯ</Country></Oksm>");
        TfmGrazhd countries(nullptr, parseReferenceXml(countryDirectory.toUtf8()));
        context.countries = &countries;
        ScrolledPage host(QSize(c.width, c.width == NarrowPage ? NarrowPageHeight : WidePageHeight));
        c.fill(*host.declaration);
        QWidget* page = c.show(host);
        ASSERT_TRUE(showActive(host.scroller));
        QTest::qWait(20);
        expectTabFollowsTheScreen(page);
    }
}
