#pragma once

#include "interface/InterfaceHost.h"
#include "interface/InterfaceRules.h"
#include "ui/Environment.h"

namespace interface {

// Opens the link's page through the environment's browser; when none can be
// started, a message names the address.
void OpenWebLink(TWebLink link, TInterfaceHost& host, const ui::TEnvironment& environment);

} // namespace interface
