// How a name command ended, and the closing box its front end shows.
#pragma once

#include <string>

namespace namelist {

struct CommandOutcome
{
    bool succeeded = false;
    std::string text; // the closing box's text; "" when the user has been told already, or nothing is to say
    std::string caption;

    static CommandOutcome Silent() { return CommandOutcome{}; }
    static CommandOutcome Failed(std::string text, std::string caption)
    {
        return CommandOutcome{false, std::move(text), std::move(caption)};
    }
    static CommandOutcome Succeeded(std::string text, std::string caption)
    {
        return CommandOutcome{true, std::move(text), std::move(caption)};
    }
};

} // namespace namelist
