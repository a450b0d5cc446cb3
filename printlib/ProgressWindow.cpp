#include "ProgressWindow.h"

#include "ProgressWindowPlugin.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

namespace {

constexpr const char* kPluginFile = "libORVEXPDOCeProgressQt.so";
// QApplication::exec(): present only where Qt Widgets is loaded into the process. Looking for it
// costs nothing and keeps the plugin, and Qt with it, out of processes that have no GUI.
constexpr const char* kQtWidgetsSymbol = "_ZN12QApplication4execEv";

class PluginProgressView final : public ProgressView {
public:
    PluginProgressView(const ProgressWindowApi& api, void* window) : api_(api), window_(window) {}
    ~PluginProgressView() override { Close(); }
    PluginProgressView(const PluginProgressView&) = delete;
    PluginProgressView& operator=(const PluginProgressView&) = delete;

    void ShowTitle(std::u16string_view title) override
    {
        if (window_)
            api_.showTitle(window_, title.data(), title.size());
    }
    void ShowStatus(std::u16string_view status) override
    {
        if (window_)
            api_.showStatus(window_, status.data(), status.size());
    }
    void ShowCount(std::u16string_view count) override
    {
        if (window_)
            api_.showCount(window_, count.data(), count.size());
    }
    bool CancelRequested() override { return window_ && api_.cancelRequested(window_) != 0; }
    void Close() override
    {
        if (window_)
            api_.close(window_);
        window_ = nullptr;
    }

private:
    const ProgressWindowApi& api_;
    void* window_;
};

// The plugin's calls, loaded once and kept: Qt's code must not be unmapped while the process
// runs. Null when there is no plugin or it does not match.
const ProgressWindowApi* pluginApi()
{
    static std::once_flag loaded;
    static const ProgressWindowApi* api = nullptr;
    std::call_once(loaded, [] {
        void* plugin = ::dlopen(ProgressWindowPluginPath().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!plugin)
            return;
        const auto entry = reinterpret_cast<ProgressWindowEntry>(::dlsym(plugin, ORVEXPDOC_PROGRESS_WINDOW_ENTRY));
        const ProgressWindowApi* found = entry ? entry() : nullptr;
        if (found && found->version == ORVEXPDOC_PROGRESS_WINDOW_API_VERSION)
            api = found;
    });
    return api;
}

} // namespace

std::string ProgressWindowPluginPath()
{
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&OpenProgressWindow), &info) == 0 || info.dli_fname == nullptr)
        return kPluginFile;
    const std::string library = info.dli_fname;
    const std::size_t slash = library.rfind('/');
    return slash == std::string::npos ? kPluginFile : library.substr(0, slash + 1) + kPluginFile;
}

std::unique_ptr<ProgressView> OpenProgressWindow(std::intptr_t ownerWindow)
{
    if (::dlsym(RTLD_DEFAULT, kQtWidgetsSymbol) == nullptr)
        return nullptr;
    const ProgressWindowApi* api = pluginApi();
    if (!api)
        return nullptr;
    void* window = api->open(ownerWindow);
    if (!window)
        return nullptr;
    return std::make_unique<PluginProgressView>(*api, window);
}
