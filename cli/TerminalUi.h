// The name commands' user interface on a terminal: boxes become lines, the proxy login a prompt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "names/NamesUi.h"

namespace cli {

class CTerminalUi : public namelist::INamesUi
{
public:
    // progress: show the notice and the progress on standard error (a terminal, no --quiet).
    // proxyUser: --proxy-user, "" when not given.
    CTerminalUi(bool progress, std::string proxyUser);

    // What the boxes of the current step said, oldest first; taken away.
    std::vector<std::string> TakeMessages();

    // The progress line: names done of total and the current name (bytes follow as they come).
    void ShowStep(std::size_t done, std::size_t total, const std::string& name);
    // Clears the progress line, so that a result or a message starts on an empty line.
    void ClearStatus();

    // The archive install-saved installs when none lies beside the program.
    void SetSavedArchive(std::string archive) { m_savedArchive = std::move(archive); }

    void ShowMessage(const std::string& text, const char* caption, bool exclamation) override;
    bool AskProxyCredentials(std::string& user, std::string& password) override;
    void ShowNotice(const std::string& text) override;
    void HideNotice() override;
    void ShowDownloadProgress(std::uint64_t received) override;
    std::string PickSavedArchive(const std::string& initialFolder) override;

private:
    void Status(const std::string& text);

    bool m_progress;
    std::string m_proxyUser;
    std::string m_savedArchive;
    std::vector<std::string> m_messages;
    std::string m_step; // "[ 12/300] Zoë"
    std::size_t m_statusWidth = 0;
};

} // namespace cli
