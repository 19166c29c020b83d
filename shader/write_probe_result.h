// The output stage: distances shaped as the switches say, geometry in the chosen space, the whole
// result block written in one step, and the state's primitive put back.
#pragma once

#include "probe_along_normal.h"
#include "probe_records.h"
#include "vantrel_host.h"

// Reads useCutoff, frontCutoff, backCutoff, normalizeDistances, clampDistances, frontRange,
// backRange and outputSpace (the cutoffs and ranges only when their switches need them).
void writeProbeResult(ProbeResult* result, RenderState* state, const ProbeParameters* parameters,
                      const ProbeFrame& frame, const ProbeHit& hit);
