// The probing stage: the probe frame, up to two rays along and against the normal, the nearer hit.
#pragma once

#include "probe_records.h"
#include "vantrel_host.h"

// The ray origins are not kept: each is formed from P, N and startOffset just before its ray is
// cast, which gives the same values without holding them over the other ray.
struct ProbeFrame {
    Vector probePoint;     // P: every hit is measured from here
    Vector probeNormal;    // N after makeUnit; zero when its length was zero
    Vector backDirection;  // -N, set when the back ray is cast
    bool offsetApplied;    // startOffset is a number other than zero; then, and only then:
    float startOffset;     // the front ray starts at P - N * startOffset, the back one at P + ...
    const void* savedPrimitive;  // the state's primitive on entry
    Vector savedPoint;           // the state's point on entry
};

struct ProbeHit {
    bool found;
    Color rayColor;        // the colour the trace wrote
    Vector position;       // hit point
    Vector toHit;          // position - P
    double distance;       // |toHit|, in double precision and unrounded
    Vector surfaceNormal;  // the child's normal, negated when the host had inverted it
    Vector derivU;
    Vector derivV;
};

// What the two rays found. The chosen hit is one of the two records, not a copy of it: the front
// one unless the back one is nearer; with neither found, the front record is all zero.
struct ProbeOutcome {
    ProbeFrame frame;
    ProbeHit front;
    ProbeHit back;
    bool backChosen;
    const ProbeHit& chosen() const { return backChosen ? back : front; }
};

// Reads useInputPoint, inputNormal, inputPoint, startOffset, traceFront and traceBack, casts the
// enabled rays and returns the frame with the nearer hit. With the offset applied the state's
// primitive is left null; writeProbeResult puts it back.
ProbeOutcome probeAlongNormal(RenderState* state, const ProbeParameters* parameters);
