// The child roles a test program can be started in, and the choice between them and the tests.
#include "tests/support/ChildProcess.h"

#include <map>

namespace {

std::map<std::string, ChildRole>& Roles()
{
    static std::map<std::string, ChildRole> roles;
    return roles;
}

} // namespace

ChildRoleRegistration::ChildRoleRegistration(const char* name, ChildRole role)
{
    Roles()[name] = role;
}

int RunChildRole(int argc, char** argv, bool& ran)
{
    ran = argc >= 3 && std::string(argv[1]) == "--child-role";
    if (!ran)
        return 0;
    const auto role = Roles().find(argv[2]);
    if (role == Roles().end())
        return 2;
    return role->second(std::vector<std::string>(argv + 3, argv + argc));
}
