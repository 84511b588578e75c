#include "modes/scaled_inverse.hpp"

#include <vibsim/lu.hpp>

#include <cmath>
#include <cstddef>

namespace vibsim::modes {

bool scaled_inverse(int n, std::vector<double>& a)
{
    const auto size = static_cast<std::size_t>(n);
    if (n < 1 || a.size() < size * size) return false;
    std::vector<int> row_exponent(size, 0);
    for (std::size_t i = 0; i < size; ++i) {
        double largest = 0.0;
        for (std::size_t j = 0; j < size; ++j) largest = std::fmax(largest, std::fabs(a[i * size + j]));
        if (!(largest > 0.0) || !std::isfinite(largest)) return false;
        std::frexp(largest, &row_exponent[i]);
        for (std::size_t j = 0; j < size; ++j) a[i * size + j] = std::ldexp(a[i * size + j], -row_exponent[i]);
    }
    const double determinant = lu_determinant(n, a.data(), n);
    if (determinant == 0.0 || !std::isfinite(determinant)) return false;
    // |det| = f 2^p with f in [0.5, 1); times 2^(e n) with e = ceil((1 - p) / n)
    // it is at least 2 f >= 1, and below 2^(n + 1).
    int p = 0;
    std::frexp(determinant, &p);
    const int e = (1 - p) >= 0 ? (1 - p + n - 1) / n : -((p - 1) / n);
    for (double& x : a) x = std::ldexp(x, e);
    if (!(std::fabs(lu_invert(n, a.data(), n)) > lu_singular_bound)) return false;
    // (2^e R A)^-1 = A^-1 R^-1 2^-e, so A^-1 = 2^e (2^e R A)^-1 R: column j
    // times 2^(e - row_exponent[j]).
    for (std::size_t i = 0; i < size; ++i)
        for (std::size_t j = 0; j < size; ++j)
            a[i * size + j] = std::ldexp(a[i * size + j], e - row_exponent[j]);
    for (std::size_t i = 0; i < size * size; ++i)
        if (!std::isfinite(a[i])) return false;
    return true;
}

}  // namespace vibsim::modes
