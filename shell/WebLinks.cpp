#include "shell/WebLinks.h"

#include <utility>

#include <QDesktopServices>
#include <QUrl>

namespace {

std::function<bool(const QUrl&)>& openerSlot()
{
    static std::function<bool(const QUrl&)> opener;
    return opener;
}

} // namespace

bool openWebLink(const QUrl& address)
{
    if (const auto& opener = openerSlot())
        return opener(address);
    return QDesktopServices::openUrl(address);
}

void setWebLinkOpener(std::function<bool(const QUrl&)> opener)
{
    openerSlot() = std::move(opener);
}
