// The systems the benchmarks step: chains of equal masses joined to each
// other and to two fixed ends by equal springs, each mass with its own viscous
// damper. The state holds, for mass j, the displacement at 2j and the velocity
// at 2j + 1, so a chain of one mass is the simulator's oscillator (with the
// spring stiffness doubled by the two ends).
#pragma once

#include <array>
#include <cstddef>

namespace vibsim::bench {

struct OscillatorChain {
    int masses;
    double mass;
    double stiffness;
    double damping;

    // dy_i/dt for the state s; the time is not used.
    double operator()(int i, double /*t*/, const double* s) const
    {
        if (i % 2 == 0) return s[i + 1];
        const int j = i / 2;
        const double x = s[i - 1];
        const double left = j > 0 ? s[i - 3] : 0.0;
        const double right = j + 1 < masses ? s[i + 1] : 0.0;
        return -(damping * s[i] + stiffness * ((x - left) + (x - right))) / mass;
    }
};

// The chain of N / 2 masses, lightly damped. Its constants pass through
// volatile reads, so that the optimiser treats them as a model's constants
// read at run time rather than literals to fold; the number of masses stays
// known.
template <std::size_t N>
OscillatorChain chain_for()
{
    static_assert(N % 2 == 0 && N > 0);
    const volatile double mass = 1.0;
    const volatile double stiffness = 40.0;
    const volatile double damping = 0.5;
    return {static_cast<int>(N / 2), mass, stiffness, damping};
}

// The start state: mass j displaced by 0.01 (j + 1) and at rest.
template <std::size_t N>
constexpr std::array<double, N> start_state()
{
    std::array<double, N> s{};
    for (std::size_t j = 0; j < N / 2; ++j) s[2 * j] = 0.01 * static_cast<double>(j + 1);
    return s;
}

// The chain as a Boost.Odeint system: all components at once.
template <std::size_t N>
struct OdeintChain {
    OscillatorChain chain;

    void operator()(const std::array<double, N>& s, std::array<double, N>& dsdt, double t) const
    {
        // The number of masses from the array's size, where the compiler sees
        // that no neighbour lies outside the array.
        const OscillatorChain fixed{static_cast<int>(N / 2), chain.mass, chain.stiffness,
                                    chain.damping};
        for (std::size_t i = 0; i < N; ++i) dsdt[i] = fixed(static_cast<int>(i), t, s.data());
    }
};

}  // namespace vibsim::bench
