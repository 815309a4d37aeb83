// The fault seam's counter, shared by the Win32 hooks and the Linux interposers.
#include "tests/support/strict/FaultSeam.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace strict {
namespace {

// Plain atomics: the hooks run on any thread, and before main() in static initialisers.
std::atomic<bool> g_armed{false};
std::atomic<bool> g_fired{false};
std::atomic<bool> g_persistent{false};
std::atomic<unsigned long> g_calls{0};
std::atomic<unsigned long> g_nth{0};
std::atomic<long> g_error{0};

} // namespace

long OsErrorOf(FileFault fault)
{
#ifdef _WIN32
    switch (fault) {
    case FileFault::DiskFull:
        return ERROR_DISK_FULL;
    case FileFault::AccessDenied:
        return ERROR_ACCESS_DENIED;
    case FileFault::IoError:
        break;
    }
    return ERROR_IO_DEVICE;
#else
    switch (fault) {
    case FileFault::DiskFull:
        return ENOSPC;
    case FileFault::AccessDenied:
        return EACCES;
    case FileFault::IoError:
        break;
    }
    return EIO;
#endif
}

void ArmFileFault(unsigned long nth, long osError, bool persistent)
{
    g_armed = false;
    g_calls = 0;
    g_fired = false;
    g_nth = nth;
    g_error = osError;
    g_persistent = persistent;
    g_armed = true;
}

void DisarmFileFault()
{
    g_armed = false;
}

unsigned long FileCallsWhileArmed()
{
    return g_calls;
}

bool FileFaultFired()
{
    return g_fired;
}

bool detail::FileFaultArmed()
{
    return g_armed.load(std::memory_order_acquire);
}

bool detail::FileCallFails(long& osError)
{
    if (!FileFaultArmed())
        return false;
    const unsigned long call = ++g_calls;
    const unsigned long nth = g_nth;
    if (nth == 0 || (call != nth && !(g_persistent && call > nth)))
        return false;
    g_fired = true;
    osError = g_error;
    return true;
}

} // namespace strict
