#include "pages/deductions/SocialDeductionRules.h"

#include <algorithm>
#include <iterator>

#include "model/SocialDeduct.h"

bool socialDeductionIsEmpty(const mTSocialDeduct& social)
{
    const Currency sums[] = {social.CharitySum,   social.CharitySum30,        social.SelfEducationSum,
                             social.MedicalSum,   social.MedicamentSum,       social.ExpensiveMedicalSum,
                             social.InsuranceSum, social.QualificationSum};
    return std::all_of(std::begin(sums), std::end(sums), [](Currency sum) { return sum == Currency(); })
           && social.ChildEduCount() == 0 && social.PensCount() == 0;
}
