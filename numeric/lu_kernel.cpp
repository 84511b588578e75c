// The baseline form of the row operation and the choice of form for this
// processor.
#include "lu_kernel.hpp"

#include "lu_kernel_body.hpp"

namespace vibsim::lu_detail {

void subtract_rows_baseline(const RowUpdate& update)
{
    subtract_rows<2>(update);
}

SubtractRows* subtract_rows_chosen()
{
    static SubtractRows* const chosen =
        __builtin_cpu_supports("avx2") ? subtract_rows_avx2 : subtract_rows_baseline;
    return chosen;
}

}  // namespace vibsim::lu_detail
