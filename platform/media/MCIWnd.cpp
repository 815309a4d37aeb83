// The message interface of the hidden players over CPlayerHub and CWavePlayer.
#include "platform/media/MCIWnd.h"

#include "platform/fs/WinPath.h"
#include "platform/media/CPlayerHub.h"
#include "platform/media/CWavePlayer.h"

HMCIWND MCIWndCreate(void* parent, void*, unsigned long, const char* file)
{
    const std::string hostPath = file ? winpath::ToHost(file).string() : std::string();
    return CPlayerHub::Instance().Create(parent, hostPath);
}

long MCIWndSendMessage(HMCIWND player, unsigned message, std::uintptr_t, std::intptr_t lParam)
{
    if (!player || !CPlayerHub::Instance().Owns(player))
        return MCIERR_UNRECOGNIZED_COMMAND;
    switch (message)
    {
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

void MCIWndWaitStopped(HMCIWND player)
{
    if (player && CPlayerHub::Instance().Owns(player))
        player->WaitStopped();
}

std::string MCIWndGetError(HMCIWND player)
{
    return player && CPlayerHub::Instance().Owns(player) ? player->Error() : std::string("Invalid player.");
}

void MCIWndDestroy(HMCIWND player)
{
    CPlayerHub::Instance().Destroy(player);
}

void MCIWndDestroyChildren(void* parent)
{
    CPlayerHub::Instance().DestroyChildren(parent);
}
