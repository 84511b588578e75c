// Work per cycle of periodic motion: over one period T = 2 pi / omega, the
// product of Re(F e^{i k omega t}) and Re(i k omega X e^{i k omega t})
// integrates to k pi Re(F conj(i X)), so the damper dissipates
// pi lambda k^2 omega |Z_k|^2 of each harmonic, pi lambda omega |Z|^2 of a
// cosine drive (S. S. Rao, Mechanical Vibrations, 6th ed., Pearson 2017,
// section 2.6.4).
#include "forced/energy.hpp"

#include <complex>
#include <limits>
#include <numbers>

namespace vibsim::forced {

namespace {

std::complex<double> harmonic(const Harmonics& h, std::size_t k) { return {h.a[k], -h.b[k]}; }

// The work of the k-th harmonic force F on a point moving as
// Re(X e^{i k omega t}), over one period of the fundamental.
double work(std::complex<double> force, std::complex<double> motion, double k = 1.0)
{
    return k * std::numbers::pi * (force * std::conj(std::complex<double>(0.0, 1.0) * motion)).real();
}

}  // namespace

CycleEnergy cycle_energy(const Model& model, const SteadyState& steady)
{
    CycleEnergy energy;
    if (!steady.finite) {
        energy.input = energy.dissipated = std::numeric_limits<double>::infinity();
        return energy;
    }
    const double lambda = model.damping;
    const double omega = model.omega;
    if (model.drive == Drive::base) {
        const std::complex<double> y = harmonic(steady.response, 1);
        const std::complex<double> u(model.amplitude, 0.0);
        const std::complex<double> stretch = y - u;
        const std::complex<double> push = -std::complex<double>(model.stiffness, lambda * omega) * stretch;
        energy.input = work(push, u);
        energy.dissipated = std::numbers::pi * lambda * omega * std::norm(stretch);
        return energy;
    }
    for (std::size_t k = 1; k < steady.response.a.size(); ++k) {
        const std::complex<double> y = harmonic(steady.response, k);
        const auto order = static_cast<double>(k);
        energy.input += work(harmonic(steady.force, k), y, order);
        energy.dissipated += std::numbers::pi * lambda * order * order * omega * std::norm(y);
    }
    return energy;
}

}  // namespace vibsim::forced
