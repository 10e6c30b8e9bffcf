#pragma once

#include "interface/InterfaceHost.h"
#include "interface/InterfaceRules.h"

#include <QUrl>

#include <functional>

namespace interface {

// Opens an address in the desktop's default browser; tests replace it.
extern std::function<bool(const QUrl& url)> OpenUrl;

// Opens the link's page; when no browser can be started, a message names
// the address.
void OpenWebLink(TWebLink link, TInterfaceHost& host);

} // namespace interface
