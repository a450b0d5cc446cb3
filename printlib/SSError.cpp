#include "SSError.h"

#include "ErrorTexts.h"
#include "SystemReason.h"
#include "WideText.h"

#include <cerrno>

namespace SSError {

namespace {

constexpr std::u16string_view kDescriptionLabel = u"Описание: ";
constexpr std::u16string_view kNestedSeparator = u"\n--------------------------\n";

bool isLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Codes print as signed 32-bit decimals and upper-case hexadecimal without leading zeros.
std::u16string codeText(uint32_t code)
{
    return WideText::decimal(static_cast<int32_t>(code)) + u" (0x" + WideText::hexUpper(code) + u")";
}

// A source id names its source through the string table; renderer parts report 10000 plus it.
std::optional<std::u16string_view> sourceText(int sourceId)
{
    return ErrorTexts::load(sourceId >= kRendererSourceOffset ? sourceId - kRendererSourceOffset : sourceId);
}

std::u16string systemErrorText(int errnum)
{
    if (errnum == kSystemErrorCancelled)
        return u"Операция была отменена пользователем.";
    return SystemReason::text(errnum);
}

// What sets a detail off from a message that has no place left for it: a blank after a full
// stop, else a colon and a blank.
std::u16string_view detailSeparator(std::u16string_view text)
{
    return !text.empty() && text.back() == u'.' ? u" " : u": ";
}

// Fills the message's "%" places with the details in order: every run of characters other than
// "%" is followed by the next unused detail, so a message without "%" still shows its detail,
// set off by a separator.
std::u16string fillMessage(std::u16string_view message, const std::vector<std::u16string>& details)
{
    std::u16string description;
    std::size_t nextDetail = 0;
    if (!message.empty() && message.front() == u'%' && !details.empty())
        description = details[nextDetail++];
    std::size_t at = 0;
    while (at < message.size()) {
        const std::size_t start = message.find_first_not_of(u'%', at);
        if (start == std::u16string_view::npos)
            break;
        std::size_t end = message.find(u'%', start);
        if (end == std::u16string_view::npos)
            end = message.size();
        description += message.substr(start, end - start);
        if (nextDetail < details.size()) {
            if (end == message.size())
                description += detailSeparator(description);
            description += details[nextDetail++];
        }
        at = end;
    }
    return description;
}

// A description that holds a whole earlier report keeps it, separated from the outer fields.
std::u16string nestDescription(std::u16string description)
{
    if (description.find(kDescriptionLabel) == std::u16string::npos)
        return description;
    return std::u16string(WideText::trimmed(description)) + std::u16string(kNestedSeparator);
}

std::u16string mergeNestedLabels(std::u16string report)
{
    return WideText::replaceAll(report, u"Описание: Описание: ", kDescriptionLabel);
}

std::u16string genericComDescription(uint32_t hresult)
{
    if (hresult >= 0x80040200 && hresult <= 0x8004FFFF && (hresult & 0xFFFF) != 0x0200)
        return u"IDispatch error #" + WideText::decimal(static_cast<int>(hresult & 0xFFFF) - 0x200);
    return u"Unknown error 0x" + WideText::hexUpper(hresult);
}

} // namespace

CError::CError(int kind, std::u16string report)
    : kind_(kind), report_(std::move(report)), utf8Report_(WideText::toUtf8(report_))
{
}

std::u16string CError::oneLineReport() const
{
    std::u16string text = report();
    WideText::replaceAll(text, kDescriptionLabel, u"");
    if (kind_ == kCom) {
        WideText::replaceAll(text, u"\nКод(COM): ", u"[Код(COM):");
        WideText::replaceAll(text, u"\nИсточник(COM): ", u"\\Источник(COM):");
        WideText::replaceAll(text, u"\nИсточник ошибки: ", u"\\Источник ошибки:");
    } else {
        WideText::replaceAll(text, u"\nКод     : ", u"[");
        WideText::replaceAll(text, u"\nОписание(DLL): ", u"\\");
        WideText::replaceAll(text, u"\nКод(DLL): ", u"\\");
        WideText::replaceAll(text, u"\nИсточник ошибки: ", u"\\");
    }
    std::erase(text, u'\n');
    return text + u"]";
}

const std::u16string& CBldErrorBase::report(bool rebuild)
{
    if (report_.empty() || rebuild)
        report_ = buildReport();
    return report_;
}

std::u16string CBldErrorBase::trimTrailingLineBreaks(std::u16string text)
{
    while (!text.empty() && isLineBreak(text.back()))
        text.pop_back();
    return text;
}

std::u16string CBldErrorBase::lineBreaksToBlanks(std::u16string text)
{
    for (auto& c : text) {
        if (isLineBreak(c))
            c = u' ';
    }
    return text;
}

CBldPrgError::CBldPrgError(int sourceId, int line, uint32_t code, bool captureSystemError)
    : sourceId_(sourceId), line_(line), code_(code), systemError_(captureSystemError ? errno : 0)
{
}

std::u16string CBldPrgError::sourceName() const
{
    if (const auto name = sourceText(sourceId_))
        return std::u16string(*name);
    return u"наименование: " + WideText::decimal(sourceId_);
}

std::u16string CBldPrgError::buildReport() const
{
    const int id = messageId(code_);
    const auto message = ErrorTexts::load(id);
    const std::u16string pattern = message ? std::u16string(*message)
                                           : WideText::decimal(id) + u" - не найден в строковой таблице";
    std::u16string description = lineBreaksToBlanks(trimTrailingLineBreaks(fillMessage(pattern, details_)));
    description = nestDescription(std::move(description));
    const std::u16string systemText = systemError_ != 0 ? systemErrorText(systemError_) : std::u16string();

    return mergeNestedLabels(std::u16string(kDescriptionLabel) + description
                             + u"\nКод     : " + codeText(code_)
                             + u"\nОписание(DLL): " + systemText
                             + u"\nКод(DLL): " + codeText(static_cast<uint32_t>(systemError_))
                             + u"\nИсточник ошибки: " + sourceName()
                             + u" (строка: " + WideText::decimal(line_) + u")\n");
}

int CBldPrgError::severity() const
{
    if (code_ == 0)
        return 1;
    if (facility() == 0)
        return code_ < 30001 ? 1 : 4;
    constexpr int kByTopBits[] = {0, 4, 2, 1};
    return kByTopBits[code_ >> 30];
}

int CBldPrgError::facility() const
{
    return static_cast<int>((code_ >> 16) & 0xFFF);
}

CBldPrgError& CBldPrgError::setSystemError(int errnum)
{
    systemError_ = errnum;
    return *this;
}

CBldPrgError& CBldPrgError::addDetail(std::u16string_view text)
{
    details_.push_back(lineBreaksToBlanks(trimTrailingLineBreaks(std::u16string(text))));
    return *this;
}

CBldPrgError& CBldPrgError::addDetail(std::string_view utf8Text)
{
    return addDetail(std::u16string_view(WideText::fromUtf8(utf8Text)));
}

CBldPrgError& CBldPrgError::addNumberDetail(int64_t number)
{
    details_.push_back(WideText::decimal(number));
    return *this;
}

CPrgErrorException CBldPrgError::exception()
{
    return CPrgErrorException(report());
}

void CBldPrgError::raise()
{
    throw exception();
}

CBldComError::CBldComError(int sourceId, int line, uint32_t hresult, std::u16string description,
                           std::u16string comSource, std::u16string comDescription)
    : sourceId_(sourceId)
    , line_(line)
    , code_(hresult)
    , description_(std::move(description))
    , comSource_(std::move(comSource))
    , comDescription_(std::move(comDescription))
{
    const bool hasErrorInfo = !comSource_.empty() || !comDescription_.empty();
    if (hresult == kHresultWithErrorInfo && hasErrorInfo)
        code_ = kErrComWithErrorInfo;
    if (description_.empty() && !hasErrorInfo)
        description_ = genericComDescription(hresult);
    description_ = trimTrailingLineBreaks(std::move(description_));
}

std::u16string CBldComError::sourceName() const
{
    if (const auto name = sourceText(sourceId_))
        return std::u16string(*name);
    return u"Не известен";
}

std::u16string CBldComError::buildReport() const
{
    std::u16string description = description_;
    if (!comDescription_.empty()) {
        WideText::replaceAll(description, u"Неопознанная ошибка", u"");
        description = description.empty() ? comDescription_ : description + u" (" + comDescription_ + u")";
    }
    description = nestDescription(std::move(description));

    return mergeNestedLabels(std::u16string(kDescriptionLabel) + description
                             + u"\nКод(COM): " + codeText(code_)
                             + u"\nИсточник(COM): " + comSource_
                             + u"\nИсточник ошибки: " + sourceName()
                             + u" (строка: " + WideText::decimal(line_) + u")\n");
}

CComErrorException CBldComError::exception()
{
    return CComErrorException(report());
}

void CBldComError::raise()
{
    throw exception();
}

CComError CComError::fromSystemError(int errnum, int sourceId, int line)
{
    return CComError(sourceId, line, hresultFromErrno(errnum), systemErrorText(errnum));
}

} // namespace SSError
