#include "call_order_check.h"

#include <cmath>
#include <cstddef>
#include <cstring>
#include <sstream>

namespace {

using fuzzhost::Call;
using fuzzhost::Event;

bool sameBytes(const Vector& a, const Vector& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
Vector negated(const Vector& v) {
    return {-v.x, -v.y, -v.z};
}

std::string describe(const Event& event) {
    std::ostringstream text;
    text << fuzzhost::nameOf(event.call);
    if (event.call == Call::PhenEval) text << "@" << event.parameterOffset;
    return text.str();
}

// What the render state must look like at one host call.
struct StateAtCall {
    bool primitiveCleared;
    const Vector* point;  // null: not fixed here (a ray's origin)
};

class OrderCheck {
   public:
    OrderCheck(const Scenario& scenario, const RenderState& entry, const std::vector<Event>& log)
        : scenario_(scenario), entry_(entry), log_(log) {}

    std::string run() {
        const StateAtCall asReceived{false, &entry_.point};
        const bool useInputPoint =
            read<int32_t>(offsetof(ProbeParameters, useInputPoint), asReceived) != 0;
        if (useInputPoint) {
            read<Vector>(offsetof(ProbeParameters, inputNormal), asReceived);
            read<Vector>(offsetof(ProbeParameters, inputPoint), asReceived);
            call(Call::PointFromCamera, asReceived);
            call(Call::NormalFromCamera, asReceived);
        }
        const float offset = read<float>(offsetof(ProbeParameters, startOffset), asReceived);
        const bool applied = std::fabs(offset) > 0.0f;  // zero of either sign and NaN: not applied

        const Vector* frontOrigin = &entry_.point;
        const Event* frontTrace = nullptr;
        if (read<int32_t>(offsetof(ProbeParameters, traceFront), {applied, &entry_.point})) {
            frontTrace = call(Call::TraceReflection, {applied, applied ? nullptr : &entry_.point});
            if (frontTrace && applied) frontOrigin = &frontTrace->statePoint;
        }
        if (read<int32_t>(offsetof(ProbeParameters, traceBack), {applied, frontOrigin})) {
            const Event* backTrace =
                call(Call::TraceReflection, {applied, applied ? nullptr : &entry_.point});
            if (frontTrace && backTrace &&
                !sameBytes(backTrace->direction, negated(frontTrace->direction))) {
                fail("the back ray is not cast against the front ray's direction");
            }
        }

        const StateAtCall afterTraces{applied, &entry_.point};
        if (read<int32_t>(offsetof(ProbeParameters, useCutoff), afterTraces)) {
            read<float>(offsetof(ProbeParameters, frontCutoff), afterTraces);
            read<float>(offsetof(ProbeParameters, backCutoff), afterTraces);
        }
        const bool normalize =
            read<int32_t>(offsetof(ProbeParameters, normalizeDistances), afterTraces) != 0;
        const bool clamp =
            read<int32_t>(offsetof(ProbeParameters, clampDistances), afterTraces) != 0;
        if (normalize || clamp) {
            read<float>(offsetof(ProbeParameters, frontRange), afterTraces);
            read<float>(offsetof(ProbeParameters, backRange), afterTraces);
        }
        const int32_t space = read<int32_t>(offsetof(ProbeParameters, outputSpace), afterTraces);
        if (space == 1 || space == 2 || space == 3 || space == 5) {
            const int index = space == 5 ? 3 : space - 1;  // object, world, camera, light
            const auto point = static_cast<Call>(static_cast<int>(Call::PointToObject) + index);
            const auto vector = static_cast<Call>(static_cast<int>(Call::VectorToObject) + index);
            const auto normal = static_cast<Call>(static_cast<int>(Call::NormalToObject) + index);
            for (Call c : {point, vector, normal, vector, vector}) call(c, afterTraces);
        }

        if (failure_.empty() && next_ < log_.size()) {
            fail("a host call after the last one: " + describe(log_[next_]));
        }
        return failure_;
    }

   private:
    // The value the shader reads for the field at `offset`: through mi_phen_eval when the field
    // is connected (the block's own value when the host gives no address), else from the block.
    template <class T>
    T read(std::size_t offset, StateAtCall expected) {
        T value;
        std::memcpy(&value, scenario_.fieldBytes(offset), sizeof value);
        if (!scenario_.connected(offset)) return value;
        const Event* event = take(Call::PhenEval, expected, offset);
        if (event && !event->answeredNoAddress) std::memcpy(&value, event->answer, sizeof value);
        return value;
    }

    const Event* call(Call expected, StateAtCall state) { return take(expected, state, -1); }

    const Event* take(Call expected, StateAtCall state, std::ptrdiff_t offset) {
        if (!failure_.empty()) return nullptr;
        std::ostringstream wanted;
        wanted << fuzzhost::nameOf(expected);
        if (offset >= 0) wanted << "@" << offset;
        if (next_ >= log_.size()) {
            fail("missing host call " + wanted.str());
            return nullptr;
        }
        const Event& event = log_[next_++];
        if (event.call != expected || event.parameterOffset != offset) {
            fail("expected " + wanted.str() + ", the host saw " + describe(event));
            return nullptr;
        }
        const void* primitive = state.primitiveCleared ? nullptr : entry_.primitive;
        if (event.statePrimitive != primitive) {
            fail("wrong current primitive at " + wanted.str());
        } else if (state.point && !sameBytes(event.statePoint, *state.point)) {
            fail("wrong intersection point at " + wanted.str());
        } else if (event.outputIsInput) {
            fail("one vector passed as input and output of " + wanted.str());
        }
        return &event;
    }

    void fail(const std::string& what) {
        if (failure_.empty()) failure_ = what;
    }

    const Scenario& scenario_;
    const RenderState& entry_;
    const std::vector<Event>& log_;
    std::size_t next_ = 0;
    std::string failure_;
};

}  // namespace

std::string checkCallOrder(const Scenario& scenario, const RenderState& entry,
                           const std::vector<Event>& log) {
    return OrderCheck(scenario, entry, log).run();
}
