#include "result_origin_check.h"

#include <cstring>

namespace {

using fuzzhost::Call;
using fuzzhost::Event;

template <class T>
bool sameBytes(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool isPointTransform(Call call) {
    return call >= Call::PointToObject && call <= Call::PointToLight;
}

}  // namespace

std::string checkResultOrigin(const ProbeResult& result, const std::vector<Event>& log) {
    std::vector<const Event*> hits;
    const Event* pointTransform = nullptr;
    const Event* vectorTransform = nullptr;
    for (std::size_t i = 0; i < log.size(); ++i) {
        if (log[i].call == Call::TraceReflection && log[i].countsAsHit) hits.push_back(&log[i]);
        if (!pointTransform && isPointTransform(log[i].call)) {
            pointTransform = &log[i];
            if (i + 1 < log.size()) vectorTransform = &log[i + 1];
        }
    }
    // With no hit the chosen hit is all zero, which is what a trace with a zero answer would show.
    Event noHit{};
    if (hits.empty()) hits.push_back(&noHit);

    if (pointTransform && pointTransform->wroteOutput &&
        !sameBytes(result.hitPoint, pointTransform->output)) {
        return "hitPoint is not what the point transform gave";
    }
    if (vectorTransform && vectorTransform->wroteOutput &&
        !sameBytes(result.hitVector, vectorTransform->output)) {
        return "hitVector is not what the vector transform gave";
    }
    for (const Event* hit : hits) {
        const Vector& point = pointTransform ? pointTransform->input : result.hitPoint;
        if (sameBytes(result.hitColor, hit->color) && sameBytes(point, hit->hitPoint)) return {};
    }
    return hits.front() == &noHit ? "no trace hit, yet the colour or point is not zero"
                                  : "the colour and point come from no single hit";
}
