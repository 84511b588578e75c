// The baseline form of the row operation and the choice of form for this
// processor.
#include "lu_kernel.hpp"

#include "lu_kernel_body.hpp"

namespace vibsim::lu_detail {

#ifdef VIBSIM_LU_AVX2
void subtract_rows_avx2(const RowUpdate& update);  // lu_kernel_avx2.cpp
#endif

void subtract_rows_baseline(const RowUpdate& update)
{
    subtract_rows<2>(update);
}

SubtractRows* subtract_rows_chosen()
{
#ifdef VIBSIM_LU_AVX2
    // The processor is examined here, so that the choice is right even when
    // the first call comes from a constructor of static storage.
    static SubtractRows* const chosen = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") ? subtract_rows_avx2 : subtract_rows_baseline;
    }();
    return chosen;
#else
    return subtract_rows_baseline;
#endif
}

}  // namespace vibsim::lu_detail
