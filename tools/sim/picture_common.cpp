#include "tools/sim/picture_common.h"

#include <algorithm>
#include <cmath>

std::vector<FrameRecord> momentsOf(const DryRunResult& result) {
    std::vector<FrameRecord> moments;
    if (result.frames.empty()) {
        return moments;
    }
    for (const double share : {0.2, 0.45, 0.7, 0.95}) {
        const double wanted = 1 + share * (result.framesRun - 1);
        const auto nearest =
            std::min_element(result.frames.begin(), result.frames.end(),
                             [&](const FrameRecord& a, const FrameRecord& b) {
                                 return std::fabs(a.frame - wanted) < std::fabs(b.frame - wanted);
                             });
        moments.push_back(*nearest);
    }
    return moments;
}

double roundStep(double span, int ticks) {
    const double raw = std::max(span, 1e-9) / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= raw) {
            return factor * power;
        }
    }
    return 10 * power;
}
