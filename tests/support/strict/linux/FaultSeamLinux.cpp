// The fault seam's counter as the C interposers (LibcInterposers.c) call it.
#include "tests/support/strict/FaultSeam.h"

extern "C" int zentrimo_fault_armed(void)
{
    return strict::detail::FileFaultArmed() ? 1 : 0;
}

extern "C" int zentrimo_file_call_fails(long* error)
{
    return strict::detail::FileCallFails(*error) ? 1 : 0;
}
