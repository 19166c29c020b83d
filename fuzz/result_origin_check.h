// Checks that the result block reports what the host answered: the colour and the point of one
// trace that counted as a hit (all zero when none did), and in an output space the point and the
// hit vector exactly as the transforms gave them.
#pragma once

#include <string>
#include <vector>

#include "fuzz_host.h"
#include "probe_records.h"

// Empty when the result is consistent with the log; otherwise what is not.
std::string checkResultOrigin(const ProbeResult& result, const std::vector<fuzzhost::Event>& log);
