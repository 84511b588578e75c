// Records whose answers are known, for the identification's tests.
#pragma once

#include "identify/record.hpp"

#include <cstdint>

namespace identify_test {

struct DecayCase {
    double omega0 = 3.0;
    double zeta = 0.05;
    double amplitude = 1.0;  // the displacement at the release, velocity 0
    double offset = 0.0;
    double rest = 0.0;       // seconds at rest before the release
    double step = 0.01;      // the sampling interval
    double duration = 12.0;  // from the release
    double noise = 0.0;      // the deviation of a normal noise, added
    double jitter = 0.0;     // timestamps moved by up to this share of the step
    std::uint32_t seed = 1;
};

// The closed-form free decay released from rest at `amplitude`.
vibsim::identify::Record decay_record(const DecayCase& c);

}  // namespace identify_test
