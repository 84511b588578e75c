// Nonlinear least squares by the Levenberg-Marquardt method, on the normal
// equations of a problem with a few parameters and many residuals.
#pragma once

#include <functional>
#include <vector>

namespace vibsim::identify {

// The sum of squares of the residuals r at x, and with `jacobian` also
// J^T J (row-major, n x n) and J^T r for the Jacobian J of r. A point
// outside the problem's domain gives a sum that is not finite.
struct NormalEquations {
    double squares = 0.0;
    std::vector<double> jtj;
    std::vector<double> jtr;
};
using LeastSquaresProblem = std::function<NormalEquations(const std::vector<double>& x, bool jacobian)>;

struct LeastSquaresSolution {
    std::vector<double> x;
    NormalEquations at_x;          // with the Jacobian's products at x
    std::vector<double> inverse;   // (J^T J)^-1 at x; empty when singular
    int evaluations = 0;
    bool converged = false;
};

// The minimum of the sum of squares from x0: the step of each iteration
// solves (J^T J + mu D^2) p = -J^T r with lu_invert, mu chosen so that p
// keeps within a trust region that grows or shrinks with the ratio of the
// actual to the predicted reduction.
LeastSquaresSolution levenberg_marquardt(const LeastSquaresProblem& problem, std::vector<double> x0,
                                         int most_evaluations = 200);

// The inverse of the n x n matrix a (row-major) by lu_invert after scaling
// it to a unit diagonal, so that lu_invert's absolute singularity bound acts
// on the matrix's conditioning, not on the units of its entries; empty when
// singular or when a diagonal entry is not positive.
std::vector<double> scaled_inverse(const std::vector<double>& a, int n);

}  // namespace vibsim::identify
