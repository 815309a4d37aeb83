// The checks the proxy login dialog applies to what was typed before it accepts.
#pragma once

#include <string>

namespace service {

// The message to show, or nullptr when the entries are accepted. White space around a text counts
// only for the emptiness test; the password is checked before the user name. Longer than 255
// characters is refused: the texts would not fit the proxy credential buffers.
const char* ProxyLoginProblem(const std::string& password, const std::string& user);

} // namespace service
