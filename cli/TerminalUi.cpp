// Boxes as lines on standard error, the notice and the progress as one line rewritten in place.
#include "cli/TerminalUi.h"

#include <cstdlib>
#include <utility>

#include "platform/console/Console.h"

namespace cli {

namespace {

// Characters, not bytes, so that the line is cleared to its real width.
std::size_t Width(const std::string& text)
{
    std::size_t width = 0;
    for (const char c : text)
        width += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    return width;
}

std::string Bytes(std::uint64_t count)
{
    if (count < 1024)
        return std::to_string(count) + " B";
    const std::uint64_t tenths = count * 10 / 1024;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " KiB";
}

} // namespace

CTerminalUi::CTerminalUi(bool progress, std::string proxyUser)
    : m_progress(progress), m_proxyUser(std::move(proxyUser))
{
}

std::vector<std::string> CTerminalUi::TakeMessages()
{
    return std::exchange(m_messages, {});
}

void CTerminalUi::ShowStep(std::size_t done, std::size_t total, const std::string& name)
{
    const std::string count = std::to_string(done);
    const std::string of = std::to_string(total);
    m_step = "[" + std::string(of.size() - count.size(), ' ') + count + "/" + of + "] " + name;
    Status(m_step);
}

void CTerminalUi::ClearStatus()
{
    Status("");
}

void CTerminalUi::Status(const std::string& text)
{
    if (!m_progress)
        return;
    const std::size_t width = Width(text);
    std::string line = "\r" + text;
    if (width < m_statusWidth)
        line += std::string(m_statusWidth - width, ' ') + "\r" + text;
    m_statusWidth = width;
    console::Write(console::Stream::Error, line);
}

void CTerminalUi::ShowMessage(const std::string& text, const char*, bool)
{
    m_messages.push_back(text);
}

bool CTerminalUi::AskProxyCredentials(std::string& user, std::string& password)
{
    const bool typing =
        console::IsTerminal(console::Stream::Input) && console::IsTerminal(console::Stream::Error);
    const char* kNoLogin =
        "the proxy asks for a login: give --proxy-user USER and the password on a terminal "
        "or in ZENTRIMO_PROXY_PASSWORD";
    user = m_proxyUser;
    if (user.empty()) {
        if (!typing) {
            m_messages.push_back(kNoLogin);
            return false;
        }
        ClearStatus();
        console::Write(console::Stream::Error, "The proxy asks for a login.\nUser name: ");
        const std::optional<std::string> typed = console::ReadLine(true);
        if (!typed || typed->empty())
            return false;
        user = *typed;
    }
    if (const char* fromEnvironment = std::getenv("ZENTRIMO_PROXY_PASSWORD")) {
        password = fromEnvironment;
        return true;
    }
    if (!typing) {
        m_messages.push_back(kNoLogin);
        return false;
    }
    ClearStatus();
    console::Write(console::Stream::Error, "Password for " + user + " at the proxy: ");
    const std::optional<std::string> typed = console::ReadLine(false);
    if (!typed)
        return false;
    password = *typed;
    return true;
}

void CTerminalUi::ShowNotice(const std::string& text)
{
    Status(m_step.empty() ? text : m_step);
}

void CTerminalUi::HideNotice()
{
    if (m_step.empty())
        ClearStatus();
}

void CTerminalUi::ShowDownloadProgress(std::uint64_t received)
{
    if (!m_step.empty())
        Status(m_step + "  " + Bytes(received));
}

std::string CTerminalUi::PickSavedArchive(const std::string&)
{
    return m_savedArchive;
}

} // namespace cli
