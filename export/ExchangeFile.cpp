#include "export/ExchangeFile.h"

#include <cerrno>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

#include <sys/stat.h>

#include "computation/Summary.h"
#include "export/ExchangeDocument.h"
#include "export/Uuid.h"
#include "model/AtomicFile.h"
#include "model/DayDate.h"
#include "model/Declaration.h"
#include "model/SystemErrorText.h"

namespace {

const char* const calculationFailed =
    "Ошибка в расчетах. Пожалуйста, свяжитесь с разработчиками через службу поддержки";
const char* const exportFailed = "Ошибка в выгрузке. Пожалуйста, свяжитесь с разработчиками через службу поддержки";

ExportResult failure(std::string message)
{
    return ExportResult{false, {}, std::move(message)};
}

std::string writeFailureReason(const ReplaceFailure& failure)
{
    if (failure.stage == ReplaceFailure::NotRegular)
        return notRegularFileText(failure.error == EISDIR);
    return systemErrorText(failure.error);
}

// `name` has been checked to be a plain file name, so nothing is written outside `folder`.
void writeExchangeFile(const std::filesystem::path& folder, const std::string& name, std::string_view bytes)
{
    const std::string folderText = folder.string();
    struct stat info {};
    if (::stat(folderText.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw ExportError("Ошибка в выгрузке. Папка " + folderText + " не найдена.");

    const std::string target = (folder / name).string();
    if (const std::optional<ReplaceFailure> failure = replaceFileAtomically(target, bytes))
        throw ExportError("Ошибка в выгрузке. Не удалось записать файл " + target + ": "
                          + writeFailureReason(*failure));
}

} // namespace

ExportResult ExportDeclarationXml(const std::filesystem::path& folder, mTDeclaration& Decl, ExportMode mode)
{
    ExportStamp stamp;
    try {
        stamp = ExportStamp{today(), NewUuidText()};
    } catch (...) {
        return failure(exportFailed);
    }
    return ExportDeclarationXml(folder, Decl, mode, stamp);
}

ExportResult ExportDeclarationXml(const std::filesystem::path& folder, mTDeclaration& Decl, ExportMode mode,
                                  const ExportStamp& stamp)
{
    // Never a file with figures that were not computed.
    std::unique_ptr<kTSvodSum> svod;
    try {
        svod = std::make_unique<kTSvodSum>();
        svod->Calculate(Decl); // a False result only says that something is left to pay
    } catch (...) {
        return failure(calculationFailed);
    }

    try {
        const ExchangeDocument exchange = BuildExchangeDocument(Decl, *svod, stamp.date, stamp.uuid);
        std::string bytes = XmlDocumentBytes(exchange.document.get());
        if (mode == ExportMode::Text)
            return ExportResult{true, std::move(bytes), {}};
        const std::string fileName = exchange.fileIdentifier + ".xml";
        writeExchangeFile(folder, fileName, bytes);
        return ExportResult{true, fileName, {}};
    } catch (const ExportError& e) {
        return failure(e.what());
    } catch (...) {
        return failure(exportFailed);
    }
}
