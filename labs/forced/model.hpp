// The forced oscillator m y'' + lambda y' + K y = f(t) of the forced-vibration
// lab, its three drives and four waves, and the check of its constants.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vibsim::forced {

// force: f = A w(t) on the mass, A in N.
// base: the support moves u = A cos(omega t), A in m.
// unbalance: a rotor of unbalance A = m_e e [kg m] turns at omega inside the
//   mass, f = A omega^2 cos(omega t).
enum class Drive { force, base, unbalance };

// The shape w of the force drive over one period T = 2 pi / omega:
// cosine cos(omega t); square +1 while cos(omega t) >= 0, -1 otherwise;
// triangle 1 at t = 0, -1 at T/2, linear between; sawtooth rising from -1 at
// t = 0 to +1 as t -> T.
enum class Wave { cosine, square, triangle, sawtooth };

struct Model {
    double mass = 1.0;       // m [kg]
    double damping = 0.2;    // lambda [N/(m/s)]
    double stiffness = 4.0;  // K [N/m]
    Drive drive = Drive::force;
    double amplitude = 1.0;  // A [N], [m] or [kg m] by the drive
    double omega = 1.8;      // [rad/s]
    Wave wave = Wave::cosine;
    double initial_displacement = 0.0;  // y0 [m]
    double initial_velocity = 0.0;      // v0 [m/s]
};

// "force", "base", "unbalance"; "cosine", "square", "triangle", "sawtooth".
const char* drive_name(Drive drive);
const char* wave_name(Wave wave);
std::optional<Drive> parse_drive(std::string_view word);
std::optional<Wave> parse_wave(std::string_view word);

// The first field of the model that cannot be simulated, named as the
// lab's options name it ("mass", "damping", "stiffness", "drive", "amplitude",
// "frequency", "wave", "y0", "v0"), or "" for a sound model. Refused: a value
// that is NaN or infinite, m <= 0, K <= 0, lambda < 0, A < 0, omega <= 0, a
// drive or wave outside its list, a wave other than cosine with a drive that
// has none, and constants whose omega0 = sqrt(K/m) is not a finite positive
// number ("stiffness") or whose excitation's amplitude (A omega^2 for
// unbalance, A |K + i lambda omega| for base) overflows ("amplitude").
std::string invalid_field(const Model& model);

// The wave the excitation follows: the force drive's own, cosine for the
// others.
Wave effective_wave(const Model& model);

// omega0 = sqrt(K/m) and zeta = lambda / (2 sqrt(m K)).
double natural_frequency(const Model& model);
double damping_ratio(const Model& model);

}  // namespace vibsim::forced
