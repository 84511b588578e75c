#include "model.hpp"

#include "vibsim/vib_rhs.hpp"

namespace vibsim {

double mass = 0.0;
double damping = 0.0;
double stiffness = 0.0;
double initial_displacement = 0.0;
double initial_velocity = 0.0;

double natural_frequency = 0.0;
double damping_ratio = 0.0;
double damped_frequency = 0.0;

std::array<double, 2> state = {0.0, 0.0};
double sim_time = 0.0;
double rhs_value = 0.0;
unsigned char last_key = 0;

Point2 chain_origin = {0.0, 0.0};
Point2 trace_origin = {0.0, 0.0};
std::array<double, 2> vertical_scales = {0.0, 0.0};
double time_scale = 0.0;

// y' = v and v' = -(lambda v + K y) / m, one component at a time. The
// constants are read at every call, so a new dialog takes effect at the next
// step. An index other than 0 or 1 gives the previous result again.
double vib_rhs(int index, double /*t*/, const double* y)
{
    if (index == 0) {
        rhs_value = y[1];
    } else if (index == 1) {
        rhs_value = -(damping * y[1] + stiffness * y[0]) / mass;
    }
    return rhs_value;
}

double vib_rhs(int index, double t, const double* y, int /*stage*/)
{
    return vib_rhs(index, t, y);
}

}  // namespace vibsim
