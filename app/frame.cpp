#include "frame.hpp"

#include "vibsim/frame.hpp"

namespace vibsim {

std::array<double, 2 * trace_capacity> trace_history = {};
int trace_index = 0;

void display()
{
    begin_frame();
    end_frame();
}

}  // namespace vibsim
