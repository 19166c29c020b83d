// The probing stage: the probe frame, up to two rays along and against the normal, the nearer hit.
#pragma once

#include "probe_records.h"
#include "vantrel_host.h"

struct ProbeFrame {
    Vector probePoint;     // P: every hit is measured from here
    Vector probeNormal;    // N after makeUnit; zero when its length was zero
    Vector frontOrigin;    // where the front ray starts (P unless the offset is applied)
    Vector backOrigin;     // where the back ray starts
    Vector backDirection;  // -N
    bool offsetApplied;    // startOffset is a number other than zero
    const void* savedPrimitive;  // the state's primitive on entry (when offsetApplied)
    Vector savedPoint;           // the state's point on entry (when offsetApplied)
};

struct ProbeHit {
    bool found;
    Color rayColor;        // the colour the trace wrote
    Vector position;       // hit point
    Vector toHit;          // position - P
    Vector surfaceNormal;  // the child's normal, negated when the host had inverted it
    Vector derivU;
    Vector derivV;
};

struct ProbeOutcome {
    ProbeFrame frame;
    ProbeHit chosen;
};

// Reads useInputPoint, inputNormal, inputPoint, startOffset, traceFront and traceBack, casts the
// enabled rays and returns the frame with the nearer hit. With the offset applied the state's
// primitive is left null; writeProbeResult puts it back.
ProbeOutcome probeAlongNormal(RenderState* state, const ProbeParameters* parameters);
