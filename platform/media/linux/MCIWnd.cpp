// The message interface of the hidden players over CPlayerHub and CWavePlayer.
#include "platform/media/detail/MediaBackend.h"

#include "platform/fs/WinPath.h"
#include "platform/media/linux/CPlayerHub.h"
#include "platform/media/linux/CWavePlayer.h"

namespace {

HMCIWND ToHandle(CWavePlayer* player)
{
    return reinterpret_cast<HMCIWND>(player);
}

// A handle is only turned back into a player once the hub has confirmed that it made it.
CWavePlayer* ToPlayer(HMCIWND handle)
{
    CWavePlayer* player = reinterpret_cast<CWavePlayer*>(handle);
    return player && CPlayerHub::Instance().Owns(player) ? player : nullptr;
}

} // namespace

HMCIWND MCIWndCreate(HWND parent, void*, unsigned long, const char* file)
{
    const std::string hostPath = file ? winpath::ToHost(file).string() : std::string();
    return ToHandle(CPlayerHub::Instance().Create(parent, hostPath));
}

long MCIWndSendMessage(HMCIWND handle, unsigned message, std::uintptr_t, std::intptr_t lParam)
{
    CWavePlayer* player = ToPlayer(handle);
    if (!player)
        return MCIERR_UNRECOGNIZED_COMMAND;
    switch (message) {
    case MCIWNDM_GETMODEA:
        return player->Mode();
    case MCIWNDM_SETTIMEFORMATA:
        return player->SetTimeFormat(reinterpret_cast<const char*>(lParam));
    case MCI_PLAY:
        return player->Play();
    case MCI_STOP:
        player->ReleaseDevice();
        return 0;
    default:
        return MCIERR_UNRECOGNIZED_COMMAND;
    }
}

void MCIWndWaitStopped(HMCIWND handle)
{
    if (CWavePlayer* player = ToPlayer(handle))
        player->WaitStopped();
}

std::string MCIWndGetError(HMCIWND handle)
{
    CWavePlayer* player = ToPlayer(handle);
    return player ? player->Error() : std::string("Invalid player.");
}

void MCIWndDestroy(HMCIWND handle)
{
    CPlayerHub::Instance().Destroy(reinterpret_cast<CWavePlayer*>(handle));
}

void MCIWndDestroyChildren(HWND parent)
{
    CPlayerHub::Instance().DestroyChildren(parent);
}
