// One hidden player: a wave clip loaded in memory and, while it plays, an SDL audio device of its own.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include <SDL.h>

class CPlayerHub;

struct CWavePlayer
{
public:
    CWavePlayer(CPlayerHub& hub, void* parent, const std::string& hostPath);
    ~CWavePlayer();
    CWavePlayer(const CWavePlayer&) = delete;
    CWavePlayer& operator=(const CWavePlayer&) = delete;

    void* Parent() const { return m_parent; }
    long Mode();
    std::string Error();
    long SetTimeFormat(const char* format);
    long Play();
    // Closes the audio device if one is open; called by the hub once the clip has run out, and by stop.
    void ReleaseDevice();
    void WaitStopped();

private:
    static void SDLCALL Feed(void* self, Uint8* stream, int len);
    void FeedLocked(Uint8* stream, int len);

    CPlayerHub& m_hub;
    void* m_parent;

    Uint8* m_clip = nullptr;
    Uint32 m_clipLength = 0;
    SDL_AudioSpec m_spec{};

    std::mutex m_mutex;
    std::condition_variable m_stopped;
    std::string m_error;
    SDL_AudioDeviceID m_device = 0;
    Uint8 m_silence = 0;
    Uint32 m_position = 0;
    bool m_playing = false;
    bool m_finishReported = false;
};
