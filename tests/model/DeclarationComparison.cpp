#include "DeclarationComparison.h"

#include <gtest/gtest.h>

#include "model/DocumentStorage.h"

namespace {

template <typename T, typename Same>
void expectSameItems(const OwnedList<T>& saved, const OwnedList<T>& loaded, const char* what, Same&& same)
{
    ASSERT_EQ(loaded.count(), saved.count()) << what;
    for (std::size_t i = 0; i < saved.count(); ++i) {
        SCOPED_TRACE(std::string(what) + " " + std::to_string(i));
        same(saved[i], loaded[i]);
    }
}

template <typename T>
void expectEqualItems(const OwnedList<T>& saved, const OwnedList<T>& loaded, const char* what)
{
    expectSameItems(saved, loaded, what, [](const T& a, const T& b) { EXPECT_TRUE(a == b); });
}

void expectSamePayer(const mTSourseIncomeInfo& a, const mTSourseIncomeInfo& b)
{
    EXPECT_EQ(b.PayerText1, a.PayerText1);
    EXPECT_EQ(b.PayerText2, a.PayerText2);
    EXPECT_EQ(b.PayerText3, a.PayerText3);
    EXPECT_EQ(b.PayerText4, a.PayerText4);
    EXPECT_EQ(b.OtherSum, a.OtherSum);
}

void expectSameThirteenPercent(const mTThirteenPercent& a, const mTThirteenPercent& b)
{
    expectSamePayer(a, b);
    expectEqualItems(a.SourceIncomes, b.SourceIncomes, "income line");
    expectEqualItems(a.SSCDeducts, b.SSCDeducts, "employer deduction");
    EXPECT_EQ(b.MonthDeductions, a.MonthDeductions);
    EXPECT_EQ(b.MonthSet, a.MonthSet);
    EXPECT_EQ(b.RecordFlag, a.RecordFlag);
    EXPECT_EQ(b.ExtraSum1, a.ExtraSum1);
    EXPECT_EQ(b.ExtraSum2, a.ExtraSum2);
    EXPECT_EQ(b.ExtraSum3, a.ExtraSum3);
    EXPECT_EQ(b.ClosingFlag, a.ClosingFlag);
    EXPECT_EQ(b.IncomeTotal(), a.IncomeTotal());
}

void expectSameSource(const mbTSourse& a, const mbTSourse& b)
{
    expectEqualItems(a.Incomes13, b.Incomes13, "13 % line");
    expectEqualItems(a.Incomes15, b.Incomes15, "15 % line");
    expectEqualItems(a.Incomes99, b.Incomes99, "other-rate line");
    expectEqualItems(a.SSCDeducts, b.SSCDeducts, "employer deduction");
    EXPECT_EQ(b.Inn, a.Inn);
    EXPECT_EQ(b.Kpp, a.Kpp);
    EXPECT_EQ(b.Oktmo, a.Oktmo);
    EXPECT_EQ(b.Name, a.Name);
    EXPECT_EQ(b.StandardDeductionsHere, a.StandardDeductionsHere);
    EXPECT_EQ(b.SourceReserved, a.SourceReserved);
    EXPECT_EQ(b.IsInvestmentPartnership, a.IsInvestmentPartnership);
    EXPECT_EQ(b.WithheldTax13, a.WithheldTax13);
    EXPECT_EQ(b.WithheldTax15, a.WithheldTax15);
    EXPECT_EQ(b.WithheldTax99, a.WithheldTax99);
    EXPECT_EQ(b.OrgProfitTax13, a.OrgProfitTax13);
    EXPECT_EQ(b.OrgProfitTax15, a.OrgProfitTax15);
    EXPECT_EQ(b.Total13(), a.Total13());
    EXPECT_EQ(b.Total15(), a.Total15());
    EXPECT_EQ(b.Total99(), a.Total99());
}

void expectSameDeductions(const mTDeclaration& a, const mTDeclaration& b)
{
    EXPECT_TRUE(b.StandardDeduct == a.StandardDeduct) << "standard deductions";
    EXPECT_TRUE(b.CBDeduct == a.CBDeduct) << "securities deductions";

    const mTSocialDeduct& sa = a.SocialDeduct;
    const mTSocialDeduct& sb = b.SocialDeduct;
    EXPECT_EQ(sb.Granted, sa.Granted);
    EXPECT_EQ(sb.CharitySum, sa.CharitySum);
    EXPECT_EQ(sb.CharitySum30, sa.CharitySum30);
    EXPECT_EQ(sb.SelfEducationSum, sa.SelfEducationSum);
    EXPECT_EQ(sb.ChildEduList, sa.ChildEduList);
    EXPECT_EQ(sb.MedicalSum, sa.MedicalSum);
    EXPECT_EQ(sb.MedicamentSum, sa.MedicamentSum);
    EXPECT_EQ(sb.ExpensiveMedicalSum, sa.ExpensiveMedicalSum);
    EXPECT_EQ(sb.InsuranceSum, sa.InsuranceSum);
    EXPECT_EQ(sb.ExtraSum1, sa.ExtraSum1);
    EXPECT_EQ(sb.ExtraSum2, sa.ExtraSum2);
    EXPECT_EQ(sb.QualificationSum, sa.QualificationSum);
    expectEqualItems(sa.PensList, sb.PensList, "pension contract");

    const mTConstructionDeduct& ca = a.ConstructionDeduct;
    const mTConstructionDeduct& cb = b.ConstructionDeduct;
    EXPECT_EQ(cb.Granted, ca.Granted);
    EXPECT_EQ(cb.ExtraSum1, ca.ExtraSum1);
    EXPECT_EQ(cb.ExtraSum2, ca.ExtraSum2);
    EXPECT_EQ(cb.PrevYearsDeduction, ca.PrevYearsDeduction);
    EXPECT_EQ(cb.PrevYearsInterestDeduction, ca.PrevYearsInterestDeduction);
    EXPECT_EQ(cb.SimplifiedDeduction, ca.SimplifiedDeduction);
    EXPECT_EQ(cb.SimplifiedInterestDeduction, ca.SimplifiedInterestDeduction);
    expectEqualItems(ca.ObjectList, cb.ObjectList, "property object");

    const mTInvDeduct& ia = a.InvDeduct;
    const mTInvDeduct& ib = b.InvDeduct;
    EXPECT_EQ(ib.Granted, ia.Granted);
    EXPECT_EQ(ib.SecuritiesDeduction, ia.SecuritiesDeduction);
    EXPECT_EQ(ib.PartnershipDeduction, ia.PartnershipDeduction);
    EXPECT_EQ(ib.IISContributionDeduction, ia.IISContributionDeduction);
    EXPECT_EQ(ib.IISDeductionToReturn, ia.IISDeductionToReturn);
    EXPECT_EQ(ib.ApplyIncomeDeduction, ia.ApplyIncomeDeduction);
    expectEqualItems(ia.IISList, ib.IISList, "investment account");
}

} // namespace

std::string declarationBytes(const mTDeclaration& declaration)
{
    std::string bytes;
    mTDocumentStorage storage = mTDocumentStorage::forWriting(bytes);
    declaration.WriteToStorage(storage);
    return bytes;
}

void expectLoadedAsSaved(const mTDeclaration& a, const mTDeclaration& b)
{
    EXPECT_EQ(b.TaxOfficeCode, a.TaxOfficeCode);
    EXPECT_EQ(b.TaxOfficeName, a.TaxOfficeName);
    EXPECT_EQ(b.OptionFlag, a.OptionFlag);
    EXPECT_EQ(b.CorrectionNumber, a.CorrectionNumber);
    EXPECT_EQ(b.DeclarationDate, a.DeclarationDate);
    EXPECT_EQ(b.Signer, a.Signer);
    EXPECT_EQ(b.TaxpayerCategory, a.TaxpayerCategory);
    EXPECT_EQ(b.DeclarationType, a.DeclarationType);
    EXPECT_EQ(b.IncomeKinds(), a.IncomeKinds());
    EXPECT_EQ(b.OptionFlag2, a.OptionFlag2);
    EXPECT_EQ(b.Indicators, a.Indicators);
    EXPECT_EQ(b.ActualAdvancePayments, a.ActualAdvancePayments);
    EXPECT_EQ(b.BusinessSumA, a.HasIncomeKind(IncomeKindBusiness) ? a.BusinessSumA : Currency());
    EXPECT_EQ(b.BusinessSumB, a.BusinessSumB);
    EXPECT_EQ(b.RepresentativeDocument, a.RepresentativeDocument);
    EXPECT_EQ(b.FarmStartDate, a.FarmStartDate);
    EXPECT_EQ(b.IsPeasantFarm, a.IsPeasantFarm);
    EXPECT_EQ(b.RepresentativeName, a.RepresentativeName);
    EXPECT_EQ(b.ForeignerFixedPayments, a.ForeignerFixedPayments);
    EXPECT_EQ(b.CorrectedBase, a.CorrectedBase);
    EXPECT_EQ(b.CorrectedTax, a.CorrectedTax);
    EXPECT_EQ(b.PatentPayments, a.PatentPayments);
    EXPECT_EQ(b.TradeLevy, a.TradeLevy);
    EXPECT_EQ(b.OKTMOChanged, a.OKTMOChanged);
    EXPECT_EQ(b.OKTMO1, a.OKTMO1);
    EXPECT_EQ(b.OKTMO2, a.OKTMO2);
    EXPECT_EQ(b.OKTMO3, a.OKTMO3);
    EXPECT_EQ(b.BusinessText, a.BusinessText);
    EXPECT_EQ(b.SectionOneSum, Currency());

    EXPECT_TRUE(b.Person == a.Person) << "personal data";
    expectSameItems(a.Sources, b.Sources, "source", expectSameSource);
    expectSameItems(a.OldThirteenPercent, b.OldThirteenPercent, "old 13 %", expectSameThirteenPercent);
    expectSameItems(a.OldThirteenPercentNR, b.OldThirteenPercentNR, "old 13 % NR", expectSameThirteenPercent);
    expectEqualItems(a.OldThirtyFivePercent, b.OldThirtyFivePercent, "old 35 %");
    expectEqualItems(a.OldThirtyPercent, b.OldThirtyPercent, "old 30 %");
    expectEqualItems(a.OldNinePercent, b.OldNinePercent, "old 9 %");
    expectEqualItems(a.CurrencyIncomes, b.CurrencyIncomes, "foreign income");
    expectEqualItems(a.BusinessIncomes, b.BusinessIncomes, "business");
    expectEqualItems(a.Tratas, b.Tratas, "application");
    expectSameDeductions(a, b);
}
