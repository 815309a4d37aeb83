// A request for a name to be recorded: the form's fields and their sending to the service.
#pragma once

#include <string>

#include "names/CommandOutcome.h"
#include "service/CServiceClient.h"

namespace namelist {

// The fields of a request form, kept by the front end so that the next form opens filled in.
struct RequestForm
{
    std::string strRecordName;
    std::string strRequester;
    std::string strEmail;
    std::string strPronunciation;
    std::string strComments;
};

// A form without its name, requester or e-mail gives the "Incomplete request" box and sends nothing.
// Otherwise sends it as typed (the service reads the envelope without escapes) under the client's
// notice; succeeded, with nothing left to show, once the service took it and its answer was shown: the
// front end then empties its form. A failure has been told through the client (a cancelled login silently).
CommandOutcome SendRequestForm(service::CServiceClient& client, const RequestForm& form);

} // namespace namelist
