// The steady response of the forced oscillator to a drive A cos(omega t), in
// closed form, and the readouts that follow from the constants.
#pragma once

#include "forced/model.hpp"

#include <complex>

namespace vibsim::forced {

// H(omega) = 1 / (K - m omega^2 + i lambda omega), the displacement per unit
// force at omega. Not finite for an undamped oscillator exactly at omega0.
std::complex<double> receptance(const Model& model, double omega);

// The steady response y = Re(Y e^{i omega t}) to the model's drive at omega
// (its wave taken as cosine), against the excitation's reference
// A e^{i omega t}: the force A, the support's displacement A, or A omega^2.
struct Response {
    bool finite = true;             // false: undamped, exactly at resonance
    std::complex<double> complex_amplitude;  // Y [m]
    double amplitude = 0.0;         // |Y| [m]
    double phase = 0.0;             // lag of y behind the excitation, -arg Y, continuous in omega [rad]
    double magnification = 0.0;     // K|Y|/A, |Y|/A or m|Y|/A by the drive
    double transmitted_force = 0.0; // |(K + i lambda omega) Z| [N], Z = Y, or Y - A for base
};
Response steady_response(const Model& model, double omega);

// What the lab shows beside its pictures, at the model's own omega.
struct Readouts {
    double ratio;              // r = omega / omega0
    Response response;
    double damping_ratio;      // zeta
    double natural_frequency;  // omega0 [rad/s]
    double damped_frequency;   // omega0 sqrt(1 - zeta^2), NaN for zeta >= 1 [rad/s]
    double peak_frequency;     // where the drive's magnification peaks, NaN where it has no peak [rad/s]
    double quality_factor;     // 1 / (2 zeta), infinite when undamped
    double decay_time;         // time constant of the transient's slowest part, infinite when undamped [s]
};
Readouts readouts(const Model& model);

}  // namespace vibsim::forced
