// One step of the fourth-order Runge-Kutta-Gill method for a system of n
// first-order equations dy_i/dt = f_i(t, y), in Gill's low-storage form
// (S. Gill, "A process for the step-by-step integration of differential
// equations in an automatic digital computing machine", Proc. Cambridge
// Philos. Soc. 47, 1951).
//
// The method constants are the stored decimals 0.292893219 (1 - 1/sqrt 2),
// 1.70710678 (1 + 1/sqrt 2) and 0.16666667 (1/6), not the exact values: the
// results differ from those of the exact constants in the last digits, and
// these results are the ones the simulator shows.
#pragma once

#include "vibsim/work_storage.hpp"

#include <concepts>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>

namespace vibsim {

inline constexpr double gill_c1 = 0.292893219;
inline constexpr double gill_c2 = 1.70710678;
inline constexpr double gill_c3 = 0.16666667;

// The intermediate states y1, y2, y3, the Gill accumulators q1, q2, q3 and
// the stage's k values of one step, n doubles each.
struct GillWork {
    double* y1;
    double* y2;
    double* y3;
    double* q1;
    double* q2;
    double* q3;
    double* k;
};

// Below this many components a stage updates each component right after its
// right-hand-side call; from it on, all calls come first and the updates
// follow in a loop of their own, which the compiler vectorises.
inline constexpr int gill_split_from = 8;

// The step's pieces are always inlined: with n known where the step is
// called, a small system's step comes out as straight-line code.
//
// One stage: k = rhs(i, time, state, stage) * h for i = 0 ... n-1 in this
// order, and update(i, k) for each. The state passed does not change during
// the stage, so the updates may wait until all calls are made.
template <class Rhs, class Update>
[[gnu::always_inline]] inline void gill_stage(double time, double h, const double* state, int n,
                                              int stage, double* k, Rhs& rhs, Update update)
{
    if (n < gill_split_from) {
        for (int i = 0; i < n; ++i) update(i, rhs(i, time, state, stage) * h);
        return;
    }
    for (int i = 0; i < n; ++i) k[i] = rhs(i, time, state, stage) * h;
    for (int i = 0; i < n; ++i) update(i, k[i]);
}

// The stage rule shared by every form of the step. rhs(i, time, state, stage)
// gives dy_i/dt; stage is `first_tag` in the first stage and 1, 2, 3 in the
// others. Each stage calls rhs for all n components before the next stage
// starts. y is read only in the first stage and y_out written only in the
// last, so both may be the same array.
template <class Rhs>
[[gnu::always_inline]] inline void gill_stages(double t, double h, const double* y, double* y_out,
                                               int n, const GillWork& w, int first_tag, Rhs&& rhs)
{
    gill_stage(t, h, y, n, first_tag, w.k, rhs, [&w, y](int i, double k) {
        const double r = 0.5 * k;
        w.y1[i] = r + y[i];
        w.q1[i] = 3.0 * r - 0.5 * k;
    });
    const double t_mid = 0.5 * h + t;
    gill_stage(t_mid, h, w.y1, n, 1, w.k, rhs, [&w](int i, double k) {
        const double r = (k - w.q1[i]) * gill_c1;
        w.y2[i] = r + w.y1[i];
        w.q2[i] = (3.0 * r + w.q1[i]) - gill_c1 * k;
    });
    gill_stage(t_mid, h, w.y2, n, 2, w.k, rhs, [&w](int i, double k) {
        const double r = (k - w.q2[i]) * gill_c2;
        w.y3[i] = r + w.y2[i];
        w.q3[i] = (3.0 * r + w.q2[i]) - gill_c2 * k;
    });
    const double t_end = t + h;
    gill_stage(t_end, h, w.y3, n, 3, w.k, rhs, [&w, y_out](int i, double k) {
        const double r = (k - 2.0 * w.q3[i]) * gill_c3;
        y_out[i] = r + w.y3[i];
    });
}

// Components whose work arrays fit into a call's own storage.
inline constexpr int gill_fixed_capacity = 20;

// The work arrays of a small system in the call's own storage. They are not
// cleared: the stage rule writes every entry of a stage before the next stage
// reads it.
struct GillLocalWork {
    double y1[gill_fixed_capacity];
    double y2[gill_fixed_capacity];
    double y3[gill_fixed_capacity];
    double q1[gill_fixed_capacity];
    double q2[gill_fixed_capacity];
    double q3[gill_fixed_capacity];
    double k[gill_fixed_capacity];

    GillWork arrays()
    {
        // Once the step is inlined into its caller, g++ cannot always see
        // that no entry is read before it is written, and warns of
        // uninitialised reads in the caller's own right-hand side. An empty
        // statement that may write the arrays tells it otherwise, at no cost;
        // clearing them instead would cost a fifth of a 20-component step.
#if defined(__GNUC__) && !defined(__clang__)
        asm("" : : "r"(this) : "memory");
#endif
        return {y1, y2, y3, q1, q2, q3, k};
    }
};

// The stage rule with work arrays of its own for this call alone. Up to
// gill_fixed_capacity components they live in the call's storage, which keeps
// the heap out of the oscillator's many small steps. Larger systems take them
// from the heap in one block of 7 n doubles, one request per call; the block
// is not cleared, since the stage rule writes every entry before reading it.
// When the block cannot be had the process ends with "memory overflow",
// before any right-hand-side call and without writing y_out.
template <class Rhs>
[[gnu::always_inline]] inline void gill_step_with_work(double t, double h, const double* y,
                                                       double* y_out, int n, int first_tag, Rhs&& rhs)
{
    if (n <= gill_fixed_capacity) {
        GillLocalWork local;
        gill_stages(t, h, y, y_out, n, local.arrays(), first_tag, std::forward<Rhs>(rhs));
        return;
    }
    const auto count = static_cast<std::size_t>(n);
    const std::unique_ptr<double[]> block(new (std::nothrow) double[7 * count]);
    if (!block) memory_overflow();
    double* const base = block.get();
    const GillWork w{base,             base + count,     base + 2 * count, base + 3 * count,
                     base + 4 * count, base + 5 * count, base + 6 * count};
    gill_stages(t, h, y, y_out, n, w, first_tag, std::forward<Rhs>(rhs));
}

// One step of length h from y at time t into y_out, for any right-hand side
// rhs(i, t, state) -> double. y and y_out may be the same array; t is not
// advanced.
template <class Rhs>
    requires std::invocable<Rhs&, int, double, const double*>
void runge_kutta_gill(double t, double h, const double* y, double* y_out, int n, Rhs&& rhs)
{
    gill_step_with_work(t, h, y, y_out, n, 0,
                      [&rhs](int i, double time, const double* s, int) -> double {
                          return rhs(i, time, s);
                      });
}

// The step on the model's own right-hand side vib_rhs (vibsim/vib_rhs.hpp).
void runge_kutta_gill(double t, double h, const double* y, double* y_out, int n);

}  // namespace vibsim
