// The request-new-name exchange on the shared transport.
#include "service/NameRequestCall.h"

#include "service/NoticeScope.h"
#include "service/ServiceTexts.h"
#include "service/XmlText.h"

namespace service {

bool SendNameRequest(CServiceTransport& transport, IServiceUi& ui, const std::string& request)
{
    CNoticeScope notice(ui, kSendingRequestNotice);
    const ServiceOutcome outcome = transport.Exchange(request);
    if (outcome.kind != ServiceOutcome::Kind::Reply)
        return false;
    ui.ShowMessage(XmlValue(outcome.replyText, "rm", "Read", ""), nullptr, false);
    return true;
}

} // namespace service
