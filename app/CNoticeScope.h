// Shows the "please wait" notice for the life of one long step and takes it down however the step ends.
#pragma once

#include <string>

#include "app/CWaitNoticeDlg.h"
#include "res/resource.h"

// The notice is down once the scope is left, also when an exception leaves it, so that the command
// dispatcher's error box never appears beneath it. A box that must not show under the notice goes after
// the scope's end (a block of its own where needed).
class CNoticeScope
{
public:
    CNoticeScope(CWaitNoticeDlg& notice, const std::string& text) : m_notice(notice)
    {
        m_notice.m_strText = text;
        m_notice.Create(IDD_WAIT_NOTICE);
    }
    ~CNoticeScope() { m_notice.DestroyWindow(); }
    CNoticeScope(const CNoticeScope&) = delete;
    CNoticeScope& operator=(const CNoticeScope&) = delete;

private:
    CWaitNoticeDlg& m_notice;
};
