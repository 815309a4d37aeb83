// zentrimo-service: the stand-in for the maker's name service.
#include <cstdio>
#include <string>
#include <vector>

#include "server/CServiceCommand.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return CServiceCommand(stdout, stderr).Run(args);
}
