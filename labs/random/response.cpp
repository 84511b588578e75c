#include "random/response.hpp"

#include <vibsim/lu.hpp>

#include <cmath>
#include <limits>

namespace vibsim::random {

double response_magnitude(const Oscillator& o, double omega)
{
    const double real_part = o.stiffness - o.mass * omega * omega;
    const double imaginary_part = o.damping * omega;
    double system[2][2] = {
        {real_part, -imaginary_part},
        {imaginary_part, real_part},
    };
    const double determinant = lu_invert(2, &system[0][0], 2);
    if (!(std::fabs(determinant) > lu_singular_bound)) return std::numeric_limits<double>::quiet_NaN();
    // (x, z) is the inverse applied to the right-hand side (1, 0): its first
    // column.
    return std::hypot(system[0][0], system[1][0]);
}

double spectrum_scale(const Lab& lab, std::span<const double> magnitudes)
{
    double cross = 0.0;
    double square = 0.0;
    for (int k = 1; k <= highest_harmonic && k < static_cast<int>(magnitudes.size()); ++k) {
        const double h = magnitudes[static_cast<std::size_t>(k)];
        if (!std::isfinite(h)) continue;
        cross += averaged_amplitude(lab, k) * h;
        square += h * h;
    }
    if (!(square > 0.0) || !std::isfinite(cross / square)) return 0.0;
    return cross / square;
}

}  // namespace vibsim::random
