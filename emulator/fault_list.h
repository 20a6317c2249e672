#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>

namespace velt {

// Faults the emulated mouse injects for tests and demos, read from a comma-separated
// list such as "busy=3,fail-cmd=03,drop-set=2". Counts are per process.
struct FaultList {
  int busy = 0;                      // busy=N: every handshake first answers busy N times
  std::set<uint8_t> failedCommands;  // fail-cmd=XX (hex): commands XX answer status 2
  std::set<long> droppedSets;        // drop-set=K: the K-th set transfer fails
  std::set<long> droppedGets;        // drop-get=K: the K-th get transfer fails
  long unplugAfter = -1;             // unplug-after=K: gone after K transfers; -1 never
  long latencyUs = 0;                // latency-us=N: every transfer takes N microseconds
  int bootloaderAppearAfter = 3;     // bl-appear-after=N: discoveries until it appears
};

inline constexpr const char* kFaultsVariable = "VELT_EMULATE_FAULTS";

// False with a message naming the offending item; `faults` is then unchanged.
bool parseFaultList(std::string_view text, FaultList& faults, std::string& error);

}  // namespace velt
