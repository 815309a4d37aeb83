// Turns SIGINT and SIGTERM into one call of a stop function on an ordinary thread.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A signal handler may do next to nothing, so it only raises a flag; a watcher thread looks at
// the flag every 50 ms and calls stop there. One instance at a time per process.
class CStopSignal
{
public:
    explicit CStopSignal(std::function<void()> stop);
    // Restores the default dispositions and ends the watcher without calling stop.
    ~CStopSignal();
    CStopSignal(const CStopSignal&) = delete;
    CStopSignal& operator=(const CStopSignal&) = delete;

    // The signal that arrived, or 0.
    int Received() const;

private:
    void Watch();

    std::function<void()> m_stop;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_watcher;
};
