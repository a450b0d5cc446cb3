#include "LibraryVersion.h"

#include "EngineText.h"
#include "ErrorTexts.h"
#include "SSError.h"
#include "WideText.h"

namespace LibraryVersion {

namespace {

constexpr int kSource = SSError::kSourceDocument;

[[noreturn]] void raiseTemplateError(int line, int id, std::initializer_list<std::u16string_view> arguments)
{
    SSError::CPrgError(kSource, line, SSError::kErrDetailOnly)
        .addDetail(EngineText::formatString(id, arguments))
        .raise();
}

int majorOf(std::u16string_view version)
{
    return EngineText::leadingInteger(version.substr(0, version.find_first_of(u".,")));
}

} // namespace

std::u16string SoftwareText()
{
    return EngineText::formatString(ErrorTexts::kSoftwareVersion, {kModuleDescription, kFileVersion});
}

void CheckTemplateVersion(std::u16string_view software, std::u16string_view path)
{
    if (software.find(kModuleDescription) == std::u16string_view::npos)
        return;
    // The description itself ends with a point ("PDF417. Версия: 3.3.0.2"), so the version's
    // end is looked for after the colon.
    const std::size_t colon = software.find(u':');
    const std::size_t end =
        colon == std::u16string_view::npos ? colon : software.find_first_of(u".,", colon + 1);
    if (end == std::u16string_view::npos)
        raiseTemplateError(__LINE__, ErrorTexts::kTemplateVersionUnreadable, {path});
    const int required = EngineText::leadingInteger(WideText::trimmed(software.substr(colon + 1, end - colon - 1)));
    if (majorOf(kVersion) < required)
        raiseTemplateError(__LINE__, ErrorTexts::kTemplateNeedsUpdate,
                           {path, kVersion, WideText::decimal(required)});
}

} // namespace LibraryVersion
