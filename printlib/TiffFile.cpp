#include "TiffFile.h"

#include "InputFile.h"
#include "SSError.h"
#include "SystemReason.h"
#include "WideText.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

TIFFExtendProc previousExtender = nullptr;

const std::vector<TIFFFieldInfo>& privateFields()
{
    static const std::vector<TIFFFieldInfo> fields = [] {
        static char textName[] = "OrvexPrivateText";
        static char chainName[] = "OrvexChainedBytes";
        std::vector<TIFFFieldInfo> list;
        list.push_back({TiffTag::kPrivateText, TIFF_VARIABLE, TIFF_VARIABLE, TIFF_ASCII, FIELD_CUSTOM, 1, 0, textName});
        for (uint32_t base : TiffTag::kChainBases)
            for (uint32_t item = 0; item < TiffTag::kChainLength; ++item)
                list.push_back({base + item, TIFF_VARIABLE2, TIFF_VARIABLE2, TIFF_BYTE, FIELD_CUSTOM, 1, 1, chainName});
        return list;
    }();
    return fields;
}

void registerPrivateFields(TIFF* tiff)
{
    const std::vector<TIFFFieldInfo>& fields = privateFields();
    TIFFMergeFieldInfo(tiff, fields.data(), static_cast<uint32_t>(fields.size()));
    if (previousExtender)
        previousExtender(tiff);
}

// Opens a handle on `fd`, which the handle then owns; libtiff closes the descriptor only with a
// handle it made, so a failure closes it here.
TIFF* openDescriptor(int fd, const std::string& name, const char* mode, TIFFOpenOptions* options)
{
    TIFF* tiff = TIFFFdOpenExt(fd, name.c_str(), mode, options);
    if (!tiff)
        ::close(fd);
    return tiff;
}

struct OpenOptionsFree {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

} // namespace

TiffFile::TiffFile(const std::string& path, const char* mode) : path_(path), state_(std::make_unique<State>())
{
    open([&](TIFFOpenOptions* options) {
        if (std::string_view(mode).starts_with('r') && std::string_view(mode).find('+') == std::string_view::npos)
            return openForReading(path, mode, options);
        return TIFFOpenExt(path.c_str(), mode, options);
    });
}

TiffFile::TiffFile(int fd, const std::string& name, const char* mode) : path_(name), state_(std::make_unique<State>())
{
    open([&](TIFFOpenOptions* options) -> TIFF* {
        const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        if (own < 0) {
            state_->systemError = errno;
            return nullptr;
        }
        return openDescriptor(own, name, mode, options);
    });
}

void TiffFile::open(const std::function<TIFF*(TIFFOpenOptions*)>& opening)
{
    static std::once_flag extenderSet;
    std::call_once(extenderSet, [] { previousExtender = TIFFSetTagExtender(registerPrivateFields); });

    const std::unique_ptr<TIFFOpenOptions, OpenOptionsFree> options(TIFFOpenOptionsAlloc());
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), onError, state_.get());
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), onWarning, nullptr);
    errno = 0;
    tiff_ = opening(options.get());
    if (!tiff_ && state_->message.empty())
        state_->message = WideText::toUtf8(SystemReason::text(errno != 0 ? errno : EIO));
}

// A file read is opened as InputFile opens it, so that a FIFO or a folder given as a TIFF is
// refused at once instead of blocking the opening.
TIFF* TiffFile::openForReading(const std::string& path, const char* mode, TIFFOpenOptions* options)
{
    InputFile file(path);
    if (!file.isOpen()) {
        state_->systemError = file.error();
        errno = file.error();
        return nullptr;
    }
    const int fd = file.release();
    // Read, not mapped: a mapped file that another program cuts short while it is read kills the
    // process (SIGBUS) instead of failing the read, and every unmapping costs a flush of the
    // address space on every processor.
    return openDescriptor(fd, path, (std::string(mode) + "m").c_str(), options);
}

TiffFile::~TiffFile()
{
    if (tiff_)
        TIFFClose(tiff_);
}

bool TiffFile::close()
{
    TIFF* tiff = tiff_;
    tiff_ = nullptr;
    const bool flushed = TIFFFlush(tiff) == 1;
    TIFFClose(tiff);
    return flushed;
}

int TiffFile::onError(TIFF*, void* state, const char* module, const char* format, va_list arguments)
{
    State& errors = *static_cast<State*>(state);
    errors.systemError = errno;
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    errors.message = module && *module ? std::string(module) + ": " + text : std::string(text);
    return 1;
}

// Warnings (unknown tags, odd but readable values) do not stop the work and are not shown.
int TiffFile::onWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

void raiseTiffWriteError(const TiffFile& file, const std::string& targetPath, int line)
{
    SSError::CPrgError(SSError::kSourceTifOperation, line, SSError::kErrFileWrite)
        .setSystemError(file.systemError())
        .addDetail(std::string_view(targetPath))
        .raise();
}
