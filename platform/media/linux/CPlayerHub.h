// Owns every player, the audio subsystem and the thread that releases devices whose clip has ended.
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct CWavePlayer;

class CPlayerHub
{
public:
    static CPlayerHub& Instance();

    CPlayerHub();
    ~CPlayerHub();
    CPlayerHub(const CPlayerHub&) = delete;
    CPlayerHub& operator=(const CPlayerHub&) = delete;

    CWavePlayer* Create(void* parent, const std::string& hostPath);
    bool Owns(CWavePlayer* player);
    void Destroy(CWavePlayer* player);
    void DestroyChildren(void* parent);

    // Starts SDL's audio subsystem on first use; false with SDL's reason when there is no driver.
    bool EnsureAudio(std::string& error);
    // Called from a device thread: the clip has run out, release the device from elsewhere.
    void ReportFinished(CWavePlayer* player);

private:
    void Reap();
    void DestroyLocked(std::unique_lock<std::mutex>& reapLock, CWavePlayer* player);

    // Lock order: m_reapMutex, then a player's mutex, then m_mutex.
    std::mutex m_reapMutex;
    std::mutex m_mutex;
    std::condition_variable m_work;
    std::vector<std::unique_ptr<CWavePlayer>> m_players;
    std::deque<CWavePlayer*> m_finished;
    bool m_audioUp = false;
    bool m_quit = false;
    std::thread m_reaper;
};
