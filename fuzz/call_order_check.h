// Checks one call's host log against the fixed order of the shader: each parameter read exactly
// when the values read before it say it is needed and never otherwise, the host calls between them,
// and the render state's point and primitive at every one of them.
#pragma once

#include <string>
#include <vector>

#include "fuzz_host.h"
#include "fuzz_scenario.h"

// Empty when the log is right; otherwise what went wrong first. `entry` is the render state as the
// host handed it over.
std::string checkCallOrder(const Scenario& scenario, const RenderState& entry,
                           const std::vector<fuzzhost::Event>& log);
