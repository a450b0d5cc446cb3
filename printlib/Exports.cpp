// The library's exported functions. Each runs its work in the call frame, which turns every
// failure into 0 and the one-line report in the last-error text.

#include "ORVEXPDOCe.h"

#include "CallFrame.h"
#include "Md5.h"
#include "SSError.h"
#include "WideText.h"

#include <algorithm>

using CallFrame::OnEntry;
using CallFrame::raiseInvalidParameters;

namespace {

constexpr std::u16string_view kVersion = u"3.3.2";

enum Md5Mode : int32_t { kDigestText = 0, kDigestFile = 1 };

} // namespace

extern "C" {

int32_t ORVEXPDOCVersion(char16_t* buffer, int32_t* size)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        if (size == nullptr)
            raiseInvalidParameters(__LINE__);
        CallFrame::copyTextOut(kVersion, buffer, size);
        return 1;
    });
}

int32_t GetLastErrorORVEXPDOCW(char16_t* buffer, int32_t* size)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        if (size == nullptr)
            raiseInvalidParameters(__LINE__);
        CallFrame::copyTextOut(CallFrame::lastError(), buffer, size);
        return 1;
    });
}

int32_t IsErrorORVEXPDOC(int32_t* length)
{
    const auto textLength = static_cast<int32_t>(CallFrame::lastErrorLength());
    if (length != nullptr)
        *length = textLength;
    return textLength != 0 ? 1 : 0;
}

int32_t ClearErrorORVEXPDOC(void)
{
    CallFrame::clearLastError();
    return 1;
}

int32_t MD5HashW(const char16_t* text, int32_t mode, char16_t* output)
{
    return CallFrame::run(OnEntry::ClearLastError, [&] {
        const std::u16string_view argument(text != nullptr ? text : u"");
        if (argument.empty() || (mode != kDigestText && mode != kDigestFile) || output == nullptr)
            raiseInvalidParameters(__LINE__);
        const Md5::Digest digest = mode == kDigestFile
                                       ? Md5::ofFile(WideText::toUtf8(argument), SSError::kSourceExports)
                                       : Md5::ofText(argument);
        const std::u16string hex = Md5::hex(digest);
        std::copy(hex.begin(), hex.end(), output);
        return 1;
    });
}

} // extern "C"
