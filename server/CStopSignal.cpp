// SIGINT and SIGTERM handling for the serving command.
#include "server/CStopSignal.h"

#include <atomic>
#include <chrono>
#include <csignal>

namespace {

std::atomic<int> g_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "the flag is set from a signal handler");

extern "C" void RaiseStopFlag(int signal)
{
    g_signal.store(signal);
}

} // namespace

CStopSignal::CStopSignal(std::function<void()> stop) : m_stop(std::move(stop))
{
    g_signal.store(0);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGINT, RaiseStopFlag);
    std::signal(SIGTERM, RaiseStopFlag);
    m_watcher = std::thread([this] { Watch(); });
}

CStopSignal::~CStopSignal()
{
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_finished = true;
    }
    m_done.notify_all();
    m_watcher.join();
}

int CStopSignal::Received() const
{
    return g_signal.load();
}

void CStopSignal::Watch()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    while (!m_finished) {
        if (g_signal.load() != 0) {
            lock.unlock();
            m_stop();
            return;
        }
        m_done.wait_for(lock, std::chrono::milliseconds(50));
    }
}
