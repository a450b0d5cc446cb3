#pragma once

#include <functional>

class QUrl;

// Opens a web address in the user's browser; false when no browser could be started.
bool openWebLink(const QUrl& address);

// From now on addresses are handed to `opener` instead of the browser; an empty opener hands
// them to the browser again. For tests.
void setWebLinkOpener(std::function<bool(const QUrl&)> opener);
