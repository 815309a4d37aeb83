// The hidden players on the system's media player window (vfw32): created without a file, then
// opened, so that a missing or broken clip leaves a player that will not play instead of a modal
// "MCI Error" box that waits for the user.
#include "platform/media/detail/MediaBackend.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Players in creation order with the parent they were created for.
std::vector<std::pair<HWND, HMCIWND>>& Players()
{
    static std::vector<std::pair<HWND, HMCIWND>> players;
    return players;
}

std::wstring Wide(const char* text)
{
    if (!text || !*text)
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

void Forget(HMCIWND player)
{
    auto& players = Players();
    players.erase(std::remove_if(players.begin(), players.end(),
                                 [player](const auto& entry) { return entry.second == player; }),
                  players.end());
}

} // namespace

HMCIWND MCIWndCreate(HWND parent, void* instance, unsigned long style, const char* file)
{
    // Never shown: no WS_VISIBLE, no play bar, no menu, no error box. A child needs a parent.
    DWORD windowStyle = (static_cast<DWORD>(style) & ~static_cast<DWORD>(WS_VISIBLE)) | MCIWNDF_NOPLAYBAR |
                        MCIWNDF_NOMENU | MCIWNDF_NOERRORDLG | MCIWNDF_NOTIFYMODE;
    if (!parent)
        windowStyle &= ~static_cast<DWORD>(WS_CHILD);
    HINSTANCE module = instance ? static_cast<HINSTANCE>(instance) : GetModuleHandleW(nullptr);
    HMCIWND player = MCIWndCreateW(parent, module, windowStyle, nullptr);
    if (!player)
        return nullptr;
    // The player window shows itself whatever the style says; a player here is never seen.
    ::ShowWindow(player, SW_HIDE);
    // Players of a window that is gone went with it (children end with their parent).
    auto& players = Players();
    players.erase(std::remove_if(players.begin(), players.end(),
                                 [](const auto& entry) { return !IsWindow(entry.second); }),
                  players.end());
    players.emplace_back(parent, player);
    const std::wstring path = Wide(file);
    if (!path.empty())
        ::SendMessageW(player, MCIWNDM_OPENW, 0, reinterpret_cast<LPARAM>(path.c_str()));
    return player;
}

long MCIWndSendMessage(HMCIWND player, unsigned message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (!player || !IsWindow(player))
        return MCIERR_UNRECOGNIZED_COMMAND;
    return static_cast<long>(::SendMessageW(player, message, wParam, lParam));
}

void MCIWndWaitStopped(HMCIWND player)
{
    // The player window reports the end of playback through its own messages, so keep them flowing.
    while (player && IsWindow(player) && ::SendMessageW(player, MCIWNDM_GETMODEA, 0, 0) == MCI_MODE_PLAY) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

std::string MCIWndGetError(HMCIWND player)
{
    if (!player || !IsWindow(player))
        return "Invalid player.";
    char text[256] = {};
    const long code =
        static_cast<long>(::SendMessageW(player, MCIWNDM_GETERRORA, 255, reinterpret_cast<LPARAM>(text)));
    return code == 0 ? std::string() : std::string(text);
}

void MCIWndDestroy(HMCIWND player)
{
    Forget(player);
    if (player && IsWindow(player))
        ::DestroyWindow(player); // the player closes its device as it goes
}

void MCIWndDestroyChildren(HWND parent)
{
    std::vector<HMCIWND> ended;
    for (const auto& [owner, player] : Players())
        if (owner == parent)
            ended.push_back(player);
    for (HMCIWND player : ended)
        MCIWndDestroy(player);
}
