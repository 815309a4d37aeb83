// Reading and sorting a catalogue of 100000 names, with the step-by-step quadratic rules on 2000
// names beside it for scale. Usage: bench_names [names] [literalNames]. Prints times and ratios.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "names/NameListReply.h"
#include "names/NameOrder.h"
#include "tests/names/LiteralNameList.h"

namespace {

double Seconds(const std::chrono::steady_clock::time_point& start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Reply(size_t count)
{
    std::mt19937 random(1);
    std::string rm;
    for (size_t i = 0; i < count; ++i) {
        std::string name;
        name += static_cast<char>((random() % 2 ? 'A' : 'a') + random() % 26);
        for (int n = 3 + static_cast<int>(random() % 8); n > 0; --n)
            name += static_cast<char>('a' + random() % 26);
        rm += "<item><displayname>" + name + "</displayname><packagename>" + name + "</packagename></item>";
    }
    return rm;
}

} // namespace

int main(int argc, char** argv)
{
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const size_t literalCount = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 2000;

    const std::string big = Reply(count);
    auto start = std::chrono::steady_clock::now();
    std::vector<std::string> names;
    namelist::AppendItemNames(big, names);
    const double readSeconds = Seconds(start);
    start = std::chrono::steady_clock::now();
    namelist::SortNames(names);
    const double sortSeconds = Seconds(start);

    const std::string small = Reply(literalCount);
    start = std::chrono::steady_clock::now();
    std::vector<std::string> fast;
    namelist::AppendItemNames(small, fast);
    namelist::SortNames(fast);
    const double fastSmall = Seconds(start);
    start = std::chrono::steady_clock::now();
    std::vector<std::string> slow;
    literal::ItemNames(small, slow);
    literal::BubbleSort(slow);
    const double literalSmall = Seconds(start);
    if (slow != fast) {
        std::printf("the two orders differ\n");
        return 1;
    }

    std::printf("%zu names (%zu bytes): read %.3f s, sort %.3f s, together %.3f s\n", names.size(),
                big.size(), readSeconds, sortSeconds, readSeconds + sortSeconds);
    std::printf("%zu names: step-by-step %.3f s, fast %.4f s, ratio %.0f\n", literalCount, literalSmall,
                fastSmall, literalSmall / fastSmall);
    std::printf("%zu fast names take %.2f times as long as %zu step-by-step ones\n", count,
                (readSeconds + sortSeconds) / literalSmall, literalCount);
    return 0;
}
