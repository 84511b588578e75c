// The frequencies of the free oscillator m y'' + lambda y' + K y = 0 and its
// damping class, as the simulator's dialog prints them and every program
// built on the library shows them.
#pragma once

#include <cmath>

namespace vibsim {

struct OscillatorFrequencies {
    double natural;        // omega0 = sqrt(K / m), rad/s
    double damping_ratio;  // zeta = lambda / (2 sqrt(m K))
    bool has_damped;       // zeta <= 1 (and so not for a zeta that is not a number)
    double damped;         // Omega = sqrt(1 - zeta^2) omega0 when has_damped, else 0
};

inline OscillatorFrequencies oscillator_frequencies(double mass, double damping, double stiffness)
{
    OscillatorFrequencies f{};
    f.natural = std::sqrt(stiffness / mass);
    f.damping_ratio = damping / (2.0 * std::sqrt(mass * stiffness));
    f.has_damped = !(f.damping_ratio > 1.0);
    f.damped = f.has_damped ? std::sqrt(1.0 - f.damping_ratio * f.damping_ratio) * f.natural : 0.0;
    return f;
}

enum class DampingClass { underdamped, critically_damped, overdamped };

// zeta above 1 is overdamped, exactly 1 critically damped, anything else
// underdamped: also a zeta that is not a number, so that such a case still
// gets a class and its Omega line.
inline DampingClass damping_class(double zeta)
{
    if (zeta > 1.0) return DampingClass::overdamped;
    if (zeta == 1.0) return DampingClass::critically_damped;
    return DampingClass::underdamped;
}

}  // namespace vibsim
