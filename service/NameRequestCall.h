// The request-new-name exchange: the service transport under its own notice, the answer shown.
#pragma once

#include <string>

#include "service/CServiceTransport.h"

namespace service {

// Shows the notice kSendingRequestNotice for the whole exchange (login dialog and boxes included)
// and takes it down on every way out. On success shows the reply's rm in a box captioned with the
// application's name and returns true: the caller then empties its request form. Every failure has
// been told through the transport (a cancelled login silently) and gives false.
bool SendNameRequest(CServiceTransport& transport, IServiceUi& ui, const std::string& request);

} // namespace service
