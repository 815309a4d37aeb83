// Fuzz entry: the item walk over any rm content must equal the front-cutting walk, and sorting
// must equal the exchange sort (on a bounded number of names, which keeps the oracle quick).
#include "names/NameListReply.h"
#include "names/NameOrder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/names/LiteralNameList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string rm(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> fast, slow;
    namelist::AppendItemNames(rm, fast);
    literal::ItemNames(rm, slow);
    if (fast != slow)
        __builtin_trap();
    if (fast.size() <= 200) {
        namelist::SortNames(fast);
        literal::BubbleSort(slow);
        if (fast != slow)
            __builtin_trap();
    }
    return 0;
}
