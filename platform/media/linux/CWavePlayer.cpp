// One hidden player: loads the clip at construction, opens a device per play, feeds it from the callback.
#include "platform/media/linux/CWavePlayer.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

#include "platform/media/linux/CPlayerHub.h"
#include "platform/media/MCIWnd.h"

CWavePlayer::CWavePlayer(CPlayerHub& hub, void* parent, const std::string& hostPath)
    : m_hub(hub), m_parent(parent)
{
    if (hostPath.empty())
        m_error = "The file could not be found.";
    else if (!SDL_LoadWAV(hostPath.c_str(), &m_spec, &m_clip, &m_clipLength))
        m_error = SDL_GetError();
}

CWavePlayer::~CWavePlayer()
{
    ReleaseDevice();
    if (m_clip)
        SDL_FreeWAV(m_clip);
}

long CWavePlayer::Mode()
{
    std::lock_guard lock(m_mutex);
    if (!m_clip)
        return MCI_MODE_NOT_READY;
    return m_playing ? MCI_MODE_PLAY : MCI_MODE_STOP;
}

std::string CWavePlayer::Error()
{
    std::lock_guard lock(m_mutex);
    return m_error;
}

long CWavePlayer::SetTimeFormat(const char* format)
{
    // Positions are never reported, so milliseconds is the only unit worth accepting.
    return format && strcasecmp(format, "ms") == 0 ? 0 : MCIERR_BAD_TIME_FORMAT;
}

long CWavePlayer::Play()
{
    std::unique_lock lock(m_mutex);
    if (!m_clip)
        return MCIERR_FILE_NOT_FOUND;
    if (m_playing)
        return 0;
    lock.unlock();

    std::string initError;
    if (!m_hub.EnsureAudio(initError)) {
        lock.lock();
        m_error = initError;
        return MCIERR_HARDWARE;
    }

    SDL_AudioSpec wanted = m_spec;
    wanted.callback = &CWavePlayer::Feed;
    wanted.userdata = this;
    // Short device buffers: closing a device waits two buffer lengths for the sound to drain.
    wanted.samples = 256;
    while (wanted.samples < 8192 && wanted.samples * 40 < wanted.freq)
        wanted.samples = static_cast<Uint16>(wanted.samples * 2);
    SDL_AudioSpec obtained{};
    lock.lock();
    m_position = 0;
    m_finishReported = false;
    // The device thread starts paused, so opening under the lock cannot race the first feed.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        m_error = SDL_GetError();
        return MCIERR_HARDWARE;
    }
    m_device = device;
    m_silence = obtained.silence;
    m_playing = true;
    m_error.clear();
    lock.unlock();
    SDL_PauseAudioDevice(device, 0);
    return 0;
}

void CWavePlayer::ReleaseDevice()
{
    SDL_AudioDeviceID device = 0;
    {
        std::lock_guard lock(m_mutex);
        device = m_device;
        m_device = 0;
    }
    // Closing joins the device thread, whose callback takes m_mutex: never close while holding it.
    if (device != 0)
        SDL_CloseAudioDevice(device);
    {
        std::lock_guard lock(m_mutex);
        m_playing = false;
    }
    m_stopped.notify_all();
}

void CWavePlayer::WaitStopped()
{
    std::unique_lock lock(m_mutex);
    m_stopped.wait(lock, [this] { return !m_playing; });
}

void SDLCALL CWavePlayer::Feed(void* self, Uint8* stream, int len)
{
    static_cast<CWavePlayer*>(self)->FeedLocked(stream, len);
}

void CWavePlayer::FeedLocked(Uint8* stream, int len)
{
    std::lock_guard lock(m_mutex);
    const Uint32 wanted = static_cast<Uint32>(len);
    const Uint32 left = m_clipLength - m_position;
    const Uint32 now = std::min(left, wanted);
    std::memcpy(stream, m_clip + m_position, now);
    std::memset(stream + now, m_silence, wanted - now);
    m_position += now;
    // A feed that finds nothing left means the device has taken the clip's last bytes already.
    if (left == 0 && !m_finishReported) {
        m_finishReported = true;
        m_hub.ReportFinished(this);
    }
}
