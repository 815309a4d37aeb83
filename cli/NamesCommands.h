// The commands of zentrimo-names, run on the name commands the main window also calls.
#pragma once

#include "cli/NamesCommandLine.h"

namespace cli {

// Exit statuses.
inline constexpr int kAllDone = 0;
inline constexpr int kSomeNotDone = 1;
inline constexpr int kUsageError = 2;
inline constexpr int kNothingDone = 3;

// Runs the parsed command: results on standard output, messages, progress and the summary on standard
// error. Returns the exit status.
int RunNamesCommand(const NamesOptions& options);

} // namespace cli
