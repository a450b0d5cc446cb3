#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

// Sales of securities and derivatives and the operations of investment partnerships. Their
// expenses are counted in the securities sheets, so a foreign income of theirs may state its
// expense deduction as 0, and a dictionary deduction of theirs may exceed the income.
inline constexpr std::array<std::int32_t, 36> SecuritiesAndPartnershipIncomes{
    1530, 1531, 1532, 1533, 1535, 1536, 1537, 1538, 1539, 1541, 1544, 1545,
    1546, 1547, 1548, 1549, 1551, 1552, 1553, 1554, 5002, 5005, 5009, 5011,
    5013, 5014, 5017, 5020, 5024, 5026, 5028, 5029, 9537, 9538, 9551, 9552,
};

inline bool IsSecuritiesOrPartnershipIncome(std::int32_t incomeCode)
{
    return std::find(SecuritiesAndPartnershipIncomes.begin(), SecuritiesAndPartnershipIncomes.end(), incomeCode)
           != SecuritiesAndPartnershipIncomes.end();
}
