// A request form checked and sent through the service client.
#include "names/NameRequestForm.h"

#include "service/ServiceRequest.h"

namespace namelist {

CommandOutcome SendRequestForm(service::CServiceClient& client, const RequestForm& form)
{
    if (form.strRecordName.empty() || form.strRequester.empty() || form.strEmail.empty())
        return CommandOutcome::Failed("Please fill out all the required fields.", "Incomplete request");
    if (!client.SendNameRequest(service::NameRequest(form.strRecordName, form.strRequester, form.strEmail,
                                                     form.strPronunciation, form.strComments)))
        return CommandOutcome::Silent();
    return CommandOutcome{true, {}, {}};
}

} // namespace namelist
