#include "CupsPrinter.h"

#include "ErrorTexts.h"
#include "SSError.h"
#include "WideText.h"

#include <charconv>

namespace {

constexpr int kSource = SSError::kRendererSourceOffset + SSError::kSourceTifOperation;
// CUPS gives media sizes and margins in hundredths of a millimetre.
constexpr double kMillimetresPerCupsUnit = 0.01;
constexpr int kDefaultDpi = 600;

struct DestinationDeleter {
    void operator()(cups_dest_t* destination) const { cupsFreeDests(1, destination); }
};
struct InformationDeleter {
    void operator()(cups_dinfo_t* information) const { cupsFreeDestInfo(information); }
};

class JobOptions {
public:
    JobOptions() = default;
    ~JobOptions() { cupsFreeOptions(count_, options_); }
    JobOptions(const JobOptions&) = delete;
    JobOptions& operator=(const JobOptions&) = delete;
    void add(const char* name, const std::string& value)
    {
        count_ = cupsAddOption(name, value.c_str(), count_, &options_);
    }
    int count() const { return count_; }
    cups_option_t* options() const { return options_; }

private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

std::u16string cupsMessage()
{
    const char* message = cupsLastErrorString();
    return message ? WideText::fromUtf8(message) : std::u16string();
}

// "Не удалось отправить задание на печать." and what CUPS said about the last failure.
std::u16string notSentText()
{
    std::u16string text(ErrorTexts::load(ErrorTexts::kPrintJobNotStarted).value_or(u""));
    if (const std::u16string message = cupsMessage(); !message.empty())
        text += u" " + message;
    return text;
}

[[noreturn]] void raiseNotSent(int line, const std::u16string& text)
{
    SSError::CPrgError(kSource, line, SSError::kErrDetailOnly).addDetail(text).raise();
}

int dotsOf(int hundredthsOfMillimetre, int dpi)
{
    return static_cast<int>(hundredthsOfMillimetre * kMillimetresPerCupsUnit * dpi / 25.4);
}

} // namespace

std::unique_ptr<CupsPrinter> CupsPrinter::open(std::u16string_view name)
{
    const std::string utf8Name = WideText::toUtf8(name);
    std::unique_ptr<cups_dest_t, DestinationDeleter> destination(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.empty() ? nullptr : utf8Name.c_str(), nullptr));
    if (!destination) {
        if (name.empty())
            SSError::CPrgError(kSource, __LINE__, SSError::kErrNoDefaultPrinter).raise();
        SSError::CPrgError(kSource, __LINE__, SSError::kErrOpenPrinter).addDetail(name).raise();
    }
    std::unique_ptr<cups_dinfo_t, InformationDeleter> information(
        cupsCopyDestInfo(CUPS_HTTP_DEFAULT, destination.get()));
    if (!information)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrPrinterProperties)
            .addDetail(WideText::fromUtf8(destination->name) + u" (" + cupsMessage() + u")")
            .raise();
    return std::unique_ptr<CupsPrinter>(new CupsPrinter(destination.release(), information.release()));
}

CupsPrinter::CupsPrinter(cups_dest_t* destination, cups_dinfo_t* information)
    : destination_(destination), information_(information)
{
    if (ipp_attribute_t* resolution = cupsFindDestDefault(CUPS_HTTP_DEFAULT, destination_, information_,
                                                          "printer-resolution")) {
        int yDpi = 0;
        ipp_res_t units = IPP_RES_PER_INCH;
        const int xDpi = ippGetResolution(resolution, 0, &yDpi, &units);
        const double perInch = units == IPP_RES_PER_CM ? 2.54 : 1;
        if (xDpi > 0 && yDpi > 0) {
            properties_.xDpi = static_cast<int>(xDpi * perInch);
            properties_.yDpi = static_cast<int>(yDpi * perInch);
        }
    }
    if (properties_.xDpi <= 0 || properties_.yDpi <= 0)
        properties_.xDpi = properties_.yDpi = kDefaultDpi;
    cups_size_t media{};
    if (cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, destination_, information_, 0, &media) && media.width > 0 &&
        media.length > 0) {
        properties_.paperWidth = media.width * kMillimetresPerCupsUnit;
        properties_.paperHeight = media.length * kMillimetresPerCupsUnit;
        properties_.physicalOffsetX = dotsOf(media.left, properties_.xDpi);
        properties_.physicalOffsetY = dotsOf(media.top, properties_.yDpi);
    }
}

CupsPrinter::~CupsPrinter()
{
    cupsFreeDestInfo(information_);
    cupsFreeDests(1, destination_);
}

void CupsPrinter::submit(std::string_view document, std::u16string_view title, int copies)
{
    const std::string utf8Title = WideText::toUtf8(title);
    char digits[16];
    JobOptions options;
    options.add("copies", std::string(digits, std::to_chars(digits, digits + sizeof digits, copies).ptr));
    // The pages are laid out for the printable area already.
    options.add("print-scaling", "none");
    int job = 0;
    if (cupsCreateDestJob(CUPS_HTTP_DEFAULT, destination_, information_, &job, utf8Title.c_str(), options.count(),
                          options.options()) != IPP_STATUS_OK)
        raiseNotSent(__LINE__, notSentText());
    const bool sent =
        cupsStartDestDocument(CUPS_HTTP_DEFAULT, destination_, information_, job, utf8Title.c_str(), CUPS_FORMAT_PDF,
                              0, nullptr, 1) == HTTP_STATUS_CONTINUE &&
        cupsWriteRequestData(CUPS_HTTP_DEFAULT, document.data(), document.size()) == HTTP_STATUS_CONTINUE &&
        cupsFinishDestDocument(CUPS_HTTP_DEFAULT, destination_, information_) == IPP_STATUS_OK;
    if (!sent) {
        // The message is taken before the cancel replaces it.
        const std::u16string text = notSentText();
        cupsCancelDestJob(CUPS_HTTP_DEFAULT, destination_, job);
        raiseNotSent(__LINE__, text);
    }
}
