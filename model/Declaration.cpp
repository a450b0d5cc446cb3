#include "model/Declaration.h"

#include "model/DayDate.h"

namespace {

constexpr double FirstOfJanuary2000 = 36526;

// A record exists only while its income kind is on: adding one to the list of a kind that is off
// switches the kind on first, as the general-data page would. So the records that the
// computation and the exchange file see are always those a save keeps.
template <typename T>
std::size_t addNew(mTDeclaration& declaration, IncomeKind kind, OwnedList<T>& list)
{
    if (!declaration.HasIncomeKind(kind))
        declaration.SetIncomeKinds(declaration.IncomeKinds() | kind);
    return list.add(std::make_unique<T>());
}

void clearRecordsOf(mTDeclaration& declaration, IncomeKind kind)
{
    switch (kind) {
    case IncomeKindSources:
        declaration.Sources.clear();
        declaration.OldThirteenPercent.clear();
        declaration.OldThirteenPercentNR.clear();
        declaration.OldThirtyFivePercent.clear();
        declaration.OldThirtyPercent.clear();
        declaration.OldNinePercent.clear();
        break;
    case IncomeKindForeign:
        declaration.CurrencyIncomes.clear();
        break;
    case IncomeKindBusiness:
        declaration.BusinessIncomes.clear();
        break;
    case IncomeKindTrata:
        declaration.Tratas.clear();
        break;
    }
}

} // namespace

const std::array<IdentityDocumentKind, 16> IdentityDocumentKinds{{
    {"03", "Свидетельство о рождении"},
    {"07", "Военный билет"},
    {"08", "Временное удостоверение, выданное взамен военного билета"},
    {"10", "Паспорт иностранного гражданина"},
    {"11", "Свидетельство о рассмотрении ходатайства о признании лица беженцем на территории РФ по существу"},
    {"12", "Вид на жительство в РФ"},
    {"13", "Удостоверение беженца"},
    {"14", "Временное удостоверение личности гражданина РФ"},
    {"15", "Разрешение на временное проживание в РФ"},
    {"19", "Свидетельство о предоставлении временного убежища на территории РФ"},
    {"21", "Паспорт гражданина РФ"},
    {"22", "Загранпаспорт гражданина РФ"},
    {"23", "Свидетельство о рождении, выданное уполномоченным органом иностранного государства"},
    {"24", "Удостоверение личности военнослужащего РФ"},
    {"27", "Военный билет офицера запаса"},
    {"91", "Иные документы"},
}};

mTDeclaration::mTDeclaration() : DeclarationDate(today()), FarmStartDate(FirstOfJanuary2000) {}

void mTDeclaration::SetIncomeKinds(std::uint8_t kinds)
{
    for (const IncomeKind kind : {IncomeKindSources, IncomeKindForeign, IncomeKindTrata, IncomeKindBusiness}) {
        const bool on = (kinds & kind) != 0;
        if (on == HasIncomeKind(kind))
            continue;
        // Switched on, a kind starts from empty lists; switched off, it loses its records.
        clearRecordsOf(*this, kind);
        if (on) {
            incomeKinds_ |= kind;
        } else {
            incomeKinds_ &= static_cast<std::uint8_t>(~kind);
            if (kind == IncomeKindSources) {
                ForeignerFixedPayments = Currency();
                SetInquiryIndicator(0);
            }
        }
    }
}

std::size_t mTDeclaration::AddSource() { return addNew(*this, IncomeKindSources, Sources); }
std::size_t mTDeclaration::AddThirteenPercent() { return addNew(*this, IncomeKindSources, OldThirteenPercent); }
std::size_t mTDeclaration::AddThirteenPercentNR() { return addNew(*this, IncomeKindSources, OldThirteenPercentNR); }
std::size_t mTDeclaration::AddThirtyFivePercent() { return addNew(*this, IncomeKindSources, OldThirtyFivePercent); }
std::size_t mTDeclaration::AddThirtyPercent() { return addNew(*this, IncomeKindSources, OldThirtyPercent); }
std::size_t mTDeclaration::AddNinePercent() { return addNew(*this, IncomeKindSources, OldNinePercent); }
std::size_t mTDeclaration::AddCurrencyIncome() { return addNew(*this, IncomeKindForeign, CurrencyIncomes); }
std::size_t mTDeclaration::AddBusiness() { return addNew(*this, IncomeKindBusiness, BusinessIncomes); }
std::size_t mTDeclaration::AddTrata() { return addNew(*this, IncomeKindTrata, Tratas); }
