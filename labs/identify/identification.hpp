// The identification of a record: the decay found in it, its logarithmic
// decrement and its least-squares fit; or of a frequency response, its
// half-power bandwidth. With a mass, the spring and the damper that go with
// the values found.
#pragma once

#include "identify/decay.hpp"
#include "identify/decay_fit.hpp"
#include "identify/half_power.hpp"
#include "identify/log_decrement.hpp"
#include "identify/record.hpp"

#include <optional>
#include <string>

namespace vibsim::identify {

struct Identification {
    DecaySpan decay;
    std::optional<Decrement> decrement;
    std::optional<DecayFit> fit;
    // Why there is no decrement (or no fit), when there is none.
    std::optional<NoDecay> none;
};

// Both methods on the record's samples [first, last) (all of them by
// default). The fit starts from the decrement and is not tried without one.
Identification identify_record(const Record& record);
Identification identify_record(const Record& record, std::size_t first, std::size_t last);

// K = m omega0^2 and lambda = 2 zeta m omega0.
struct Constants {
    double stiffness = 0.0;  // N/m
    double damping = 0.0;    // N/(m/s)
};
Constants constants_for(double mass, double omega0, double zeta);

// One line of the result table.
struct MethodResult {
    std::string method;  // "log_decrement", "fit" or "half_power"
    double omega0 = 0.0;
    double zeta = 0.0;
    double omega_d = 0.0;
};

// The lines of the methods that found a result.
std::vector<MethodResult> method_results(const Identification& identification);

// The "half_power" line.
MethodResult half_power_result(const HalfPower& half_power);

// "method,omega0,zeta,omega_d,stiffness,damping" and a line per result,
// numbers in "%.17g", stiffness and damping empty without a mass (a mass
// that is not positive and finite counts as none).
std::string result_csv(const std::vector<MethodResult>& results, std::optional<double> mass);

// The simulator's page replaying the decay: "index.html?mass=...&damping=
// ...&stiffness=...&y0=...&v0=0", each number the shortest decimal that
// reads back as the same double.
std::string simulator_link(double mass, const Constants& constants, double y0);

// The decay's first amplitude: the fitted displacement, less the offset, at
// the last turn of the fitted motion at or before the analysis starts (the
// release, for a record released from rest), where the velocity is zero;
// without a fit, the first extremum less the middle level.
std::optional<double> first_amplitude(const Identification& identification);

}  // namespace vibsim::identify
