#include "CallFrame.h"

#include "WideText.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using CallFrame::OnEntry;

class CallFrameTest : public ::testing::Test {
protected:
    void SetUp() override { CallFrame::clearLastError(); }
    static std::string lastError() { return WideText::toUtf8(CallFrame::lastError()); }
};

TEST_F(CallFrameTest, FailuresBecomeZeroAndTheirOneLineReport)
{
    struct Case {
        const char* name;
        void (*fail)();
        std::string reportStart;
    };
    const Case cases[] = {
        {"library error keeps its report",
         [] { SSError::CPrgError(SSError::kSourceDocument, 12, SSError::kErrDetailOnly).addDetail(u"Отсутствуют данные.").raise(); },
         "Отсутствуют данные.[-1073676288 (0xC0010000)\\\\0 (0x0)\\TiffTools (строка: 12)]"},
        {"standard exception is unknown", [] { throw std::runtime_error("boom"); },
         "Неизвестная ошибка[-1073610739 (0xC002000D)\\\\0 (0x0)\\ORVEXPDOC (строка: "},
        {"anything else is unknown", [] { throw 42; },
         "Неизвестная ошибка[-1073610739 (0xC002000D)\\\\0 (0x0)\\ORVEXPDOC (строка: "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CallFrame::run(OnEntry::KeepLastError, [&]() -> int32_t { c.fail(); return 1; }), 0) << c.name;
        EXPECT_EQ(lastError().rfind(c.reportStart, 0), 0u) << c.name << ": " << lastError();
    }
}

TEST_F(CallFrameTest, SuccessClearsOrKeepsTheEarlierError)
{
    CallFrame::run(OnEntry::KeepLastError, []() -> int32_t { throw 1; });
    const std::string earlier = lastError();
    EXPECT_EQ(CallFrame::run(OnEntry::KeepLastError, [] { return 7; }), 7);
    EXPECT_EQ(lastError(), earlier);
    EXPECT_EQ(CallFrame::run(OnEntry::ClearLastError, [] { return 1; }), 1);
    EXPECT_EQ(lastError(), "");
}

TEST_F(CallFrameTest, CopyTextOut)
{
    struct Case {
        const char* name;
        bool withBuffer;
        int32_t capacity;
        std::u16string expected;
    };
    const Case cases[] = {
        {"length only", false, 5, u"#####"},
        {"capacity 0", true, 0, u"#####"},
        {"cut", true, 2, std::u16string(u"ab\0##", 5)},
        {"whole", true, 3, std::u16string(u"abc\0#", 5)},
        {"more room", true, 4, std::u16string(u"abc\0#", 5)},
    };
    for (const auto& c : cases) {
        std::u16string buffer(5, u'#');
        int32_t size = c.capacity;
        CallFrame::copyTextOut(u"abc", c.withBuffer ? buffer.data() : nullptr, &size);
        EXPECT_EQ(size, 3) << c.name;
        EXPECT_EQ(buffer, c.expected) << c.name;
    }
}

} // namespace
