// omega0 and zeta from a displacement frequency response by its half-power
// bandwidth.
#pragma once

#include "identify/record.hpp"

#include <optional>
#include <span>
#include <string>

namespace vibsim::identify {

struct HalfPower {
    double omega_peak = 0.0;  // the peak's frequency, between samples
    double peak = 0.0;        // its amplitude
    double omega_low = 0.0;   // where the amplitude is peak / sqrt 2
    double omega_high = 0.0;
    double zeta = 0.0;
    double omega0 = 0.0;      // omega_peak / sqrt(1 - 2 zeta^2)
    double omega_d = 0.0;     // omega0 sqrt(1 - zeta^2)
};

// Why a response gives no half-power result.
enum class NoPeak {
    no_peak,           // the largest amplitude is at an end of the response
    band_not_covered,  // the amplitude does not fall to peak / sqrt 2 on both sides
};

// The response's column choice when none is given: the column named
// "amplitude" when the header has one, otherwise the second.
ColumnChoice response_amplitude_column(std::string_view text);

// The response (omega, amplitude) of a file's text: read by parse_columns,
// put in the order of increasing omega (a sweep downwards is reversed), the
// same omega twice refused as not increasing.
RecordReading parse_response(std::string_view text, const std::string& file, const ColumnChoice& omega,
                             const ColumnChoice& amplitude);

// The half-power result of the response (omega increasing from 0 or more),
// or the reason
// in `none`.
std::optional<HalfPower> half_power(std::span<const double> omega, std::span<const double> amplitude,
                                    NoPeak& none);

}  // namespace vibsim::identify
