#pragma once

// One libtiff handle with the messages libtiff reported for it. Every handle knows the library's
// private tags (800 as text, the chained byte tags as byte arrays), so that they are read, kept
// and written like the standard ones.

#include <functional>
#include <memory>
#include <string>
#include <tiffio.h>

namespace TiffTag {
inline constexpr uint32_t kPrivateText = 800;
// The chained byte tags: a value of tag T lives in the items T, T + 1, ... T + kChainLength - 1.
inline constexpr uint32_t kChainBases[] = {50100, 50200, 50300, 50400};
inline constexpr uint32_t kChainLength = 100;
} // namespace TiffTag

class TiffFile {
public:
    // mode as TIFFOpen takes it; a file opened only to read must be a regular file. When opening
    // fails, handle() is null and message() says why.
    TiffFile(const std::string& path, const char* mode);
    // Writes into an open file (an output being written aside): libtiff gets a descriptor of its
    // own on the same file and `name` for its messages.
    TiffFile(int fd, const std::string& name, const char* mode);
    ~TiffFile();

    TiffFile(const TiffFile&) = delete;
    TiffFile& operator=(const TiffFile&) = delete;

    TIFF* handle() const { return tiff_; }
    const std::string& path() const { return path_; }
    // The last error libtiff reported for this handle, or a system error text.
    const std::string& message() const { return state_->message; }
    // The errno seen with the last failure, 0 when none.
    int systemError() const { return state_->systemError; }

    // Flushes written data and closes; false when flushing failed.
    bool close();

private:
    struct State {
        std::string message;
        int systemError = 0;
    };
    // Opens the handle through `opening` with options that report into this file's state.
    void open(const std::function<TIFF*(TIFFOpenOptions*)>& opening);
    TIFF* openForReading(const std::string& path, const char* mode, TIFFOpenOptions* options);
    static int onError(TIFF*, void* state, const char* module, const char* format, va_list arguments);
    static int onWarning(TIFF*, void*, const char*, const char*, va_list);

    std::string path_;
    std::unique_ptr<State> state_;
    TIFF* tiff_ = nullptr;
};

// The write error of `targetPath` (the file the user sees, not the temporary one being written),
// with the system error libtiff saw on the handle.
[[noreturn]] void raiseTiffWriteError(const TiffFile& file, const std::string& targetPath, int line);
