// Owns every player, the audio subsystem and the thread that releases devices whose clip has ended.
#include "platform/media/linux/CPlayerHub.h"

#include <algorithm>

#include <SDL.h>

#include "platform/media/linux/CWavePlayer.h"

CPlayerHub& CPlayerHub::Instance()
{
    static CPlayerHub hub;
    return hub;
}

CPlayerHub::CPlayerHub() : m_reaper([this] { Reap(); }) {}

CPlayerHub::~CPlayerHub()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_work.notify_all();
    m_reaper.join();
    std::vector<std::unique_ptr<CWavePlayer>> players;
    {
        std::lock_guard lock(m_mutex);
        players.swap(m_players);
        m_finished.clear();
    }
    players.clear(); // each player closes its own device
    if (m_audioUp)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

CWavePlayer* CPlayerHub::Create(void* parent, const std::string& hostPath)
{
    auto player = std::make_unique<CWavePlayer>(*this, parent, hostPath);
    CWavePlayer* raw = player.get();
    std::lock_guard lock(m_mutex);
    m_players.push_back(std::move(player));
    return raw;
}

bool CPlayerHub::Owns(CWavePlayer* player)
{
    std::lock_guard lock(m_mutex);
    return std::any_of(m_players.begin(), m_players.end(),
                       [player](const auto& p) { return p.get() == player; });
}

void CPlayerHub::Destroy(CWavePlayer* player)
{
    std::unique_lock reapLock(m_reapMutex);
    DestroyLocked(reapLock, player);
}

void CPlayerHub::DestroyChildren(void* parent)
{
    std::unique_lock reapLock(m_reapMutex);
    std::vector<CWavePlayer*> children;
    {
        std::lock_guard lock(m_mutex);
        for (const auto& p : m_players)
            if (p->Parent() == parent)
                children.push_back(p.get());
    }
    for (CWavePlayer* child : children)
        DestroyLocked(reapLock, child);
}

void CPlayerHub::DestroyLocked(std::unique_lock<std::mutex>&, CWavePlayer* player)
{
    std::unique_ptr<CWavePlayer> owned;
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_players.begin(), m_players.end(),
                               [player](const auto& p) { return p.get() == player; });
        if (it == m_players.end())
            return;
        owned = std::move(*it);
        m_players.erase(it);
    }
    owned->ReleaseDevice();
    // The device thread may have reported the end while it was being closed.
    std::lock_guard lock(m_mutex);
    m_finished.erase(std::remove(m_finished.begin(), m_finished.end(), player), m_finished.end());
}

bool CPlayerHub::EnsureAudio(std::string& error)
{
    std::lock_guard lock(m_mutex);
    if (m_audioUp)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return false;
    }
    m_audioUp = true;
    return true;
}

void CPlayerHub::ReportFinished(CWavePlayer* player)
{
    {
        std::lock_guard lock(m_mutex);
        m_finished.push_back(player);
    }
    m_work.notify_all();
}

void CPlayerHub::Reap()
{
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_work.wait(lock, [this] { return m_quit || !m_finished.empty(); });
            if (m_quit)
                return;
        }
        std::lock_guard reapLock(m_reapMutex);
        CWavePlayer* player = nullptr;
        {
            std::lock_guard lock(m_mutex);
            if (m_finished.empty())
                continue;
            player = m_finished.front();
            m_finished.pop_front();
        }
        // Destroy takes m_reapMutex first, so the player cannot vanish while it is released here.
        player->ReleaseDevice();
    }
}
