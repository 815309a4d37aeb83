// The fault seam of the test programs: the Nth file call of the process fails on purpose, the same API on
// both builds, so that a test can run a command with N = 1, 2, ... until it completes (SQLite's I/O-error
// loop).
#pragma once

namespace strict {

// What a failing call reports: ERROR_DISK_FULL / ENOSPC, ERROR_ACCESS_DENIED / EACCES,
// ERROR_IO_DEVICE / EIO.
enum class FileFault { DiskFull, AccessDenied, IoError };

// The system's error number for a fault on this build (a GetLastError value on Windows, an errno on Linux).
long OsErrorOf(FileFault fault);

// The file calls counted are the ones the program's own code and the C++ runtime make: opening or creating
// a file or a second name for one, writing, flushing, truncating, moving, copying, deleting, setting
// attributes or times, creating and removing folders. Reads, listings and attribute queries are not counted.
// On Windows these are the Win32 calls of the test program's import table (writes and flushes on file handles
// only); on Linux the C library's entry points called from the executable or libstdc++ (writes on regular
// files only), which needs the zentrimo_fault_seam library in the test program.
//
// From now on counts the process's file calls: the nth (1 = the next one) fails with osError without
// being made; with persistent every later one fails too. nth = 0 only counts. Arming again starts afresh.
void ArmFileFault(unsigned long nth, long osError, bool persistent = false);
inline void ArmFileFault(unsigned long nth, FileFault fault, bool persistent = false)
{
    ArmFileFault(nth, OsErrorOf(fault), persistent);
}
// Stops counting and failing; the count and whether the fault fired stay readable until the next arming.
void DisarmFileFault();
// The file calls made since the last arming (while armed), the failing ones included.
unsigned long FileCallsWhileArmed();
// True once the armed call has failed.
bool FileFaultFired();

// Armed for one scope: a run of a command with its Nth file call failing.
class ArmedFileFault
{
public:
    ArmedFileFault(unsigned long nth, FileFault fault, bool persistent = false)
    {
        ArmFileFault(nth, fault, persistent);
    }
    ~ArmedFileFault() { DisarmFileFault(); }
    ArmedFileFault(const ArmedFileFault&) = delete;
    ArmedFileFault& operator=(const ArmedFileFault&) = delete;

    unsigned long Calls() const { return FileCallsWhileArmed(); }
    bool Fired() const { return FileFaultFired(); }
};

namespace detail {
// Whether calls are being counted: the hooks' cheap test before they look closer at a call.
bool FileFaultArmed();
// Called by the hooks for each counted file call: true when this one is to fail, with its error number.
bool FileCallFails(long& osError);
} // namespace detail

} // namespace strict
