#include "export/Uuid.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TEST(Uuid, IsARandomVersion4UuidInUpperCase)
{
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) {
        const std::string uuid = NewUuidText();
        ASSERT_EQ(uuid.size(), 36u) << uuid;
        for (std::size_t k = 0; k < uuid.size(); ++k) {
            if (k == 8 || k == 13 || k == 18 || k == 23)
                EXPECT_EQ(uuid[k], '-') << uuid;
            else
                EXPECT_TRUE((uuid[k] >= '0' && uuid[k] <= '9') || (uuid[k] >= 'A' && uuid[k] <= 'F')) << uuid;
        }
        EXPECT_EQ(uuid[14], '4') << uuid;
        EXPECT_NE(std::string("89AB").find(uuid[19]), std::string::npos) << uuid;
        seen.insert(uuid);
    }
    EXPECT_EQ(seen.size(), 200u);
}

} // namespace
