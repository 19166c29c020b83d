// The four exports the host finds by name.
#include "export.h"
#include "probe_along_normal.h"
#include "probe_records.h"
#include "write_probe_result.h"

extern "C" {

VANTREL_EXPORT int32_t vantrel_version(void) { return 1; }

// Called once with no parameter block for the shader as a whole (answer: init each instance too),
// then once per instance; there is nothing to set up either way.
VANTREL_EXPORT int32_t vantrel_init(RenderState*, ProbeParameters* parameters,
                                    int32_t* instanceRequest) {
    if (parameters == nullptr && instanceRequest != nullptr) *instanceRequest = 1;
    return 1;
}

VANTREL_EXPORT int32_t vantrel_exit(RenderState*, ProbeParameters*) { return 1; }

VANTREL_EXPORT int32_t vantrel(ProbeResult* result, RenderState* state,
                               ProbeParameters* parameters) {
    const ProbeOutcome probe = probeAlongNormal(state, parameters);
    writeProbeResult(result, state, parameters, probe.frame, probe.chosen());
    return 1;
}

}  // extern "C"
