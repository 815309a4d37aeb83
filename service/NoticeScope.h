// Shows the "please wait" notice for the life of one long step and takes it down however the step ends.
#pragma once

#include <string>

#include "service/ServiceUi.h"

namespace service {

// The notice is down once the scope is left, also when an exception leaves it, so that the command
// dispatcher's error box never appears beneath it. A box that must not show under the notice goes after
// the scope's end (a block of its own where needed).
class CNoticeScope
{
public:
    CNoticeScope(IServiceUi& ui, const std::string& text) : m_ui(ui) { m_ui.ShowNotice(text); }
    ~CNoticeScope() { m_ui.HideNotice(); }
    CNoticeScope(const CNoticeScope&) = delete;
    CNoticeScope& operator=(const CNoticeScope&) = delete;

private:
    IServiceUi& m_ui;
};

} // namespace service
