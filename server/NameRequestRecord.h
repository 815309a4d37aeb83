// One stored request for a new recording.
#pragma once

#include <cstdint>
#include <string>

struct NameRequestRecord
{
    int64_t id = 0;
    std::string received; // UTC, "YYYY-MM-DDTHH:MM:SS.mmmZ"
    std::string client;   // the requester's network address
    std::string record;   // the name to record
    std::string requester;
    std::string email;
    std::string pron;
    std::string comments;
};
