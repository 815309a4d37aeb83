// The request-new-name exchange on the shared transport.
#include "service/NameRequestCall.h"

#include "service/ServiceTexts.h"
#include "service/XmlText.h"

namespace service {
namespace {

class NoticeScope
{
public:
    NoticeScope(IServiceUi& ui, const char* text) : m_ui(ui) { m_ui.ShowNotice(text); }
    ~NoticeScope() { m_ui.HideNotice(); }
    NoticeScope(const NoticeScope&) = delete;
    NoticeScope& operator=(const NoticeScope&) = delete;

private:
    IServiceUi& m_ui;
};

} // namespace

bool SendNameRequest(CServiceTransport& transport, IServiceUi& ui, const std::string& request)
{
    NoticeScope notice(ui, kSendingRequestNotice);
    const ServiceOutcome outcome = transport.Exchange(request);
    if (outcome.kind != ServiceOutcome::Kind::Reply)
        return false;
    ui.ShowMessage(XmlValue(outcome.replyText, "rm", "Read", ""), nullptr, false);
    return true;
}

} // namespace service
