// The baseline form of the row operation and the choice of form for this
// processor.
#include "lu_kernel.hpp"

#include "lu_kernel_body.hpp"

namespace vibsim::lu_detail {

#ifdef VIBSIM_LU_AVX2
void subtract_rows_avx2(const RowUpdate& update);    // lu_kernel_avx2.cpp
void subtract_rows_avx512(const RowUpdate& update);  // lu_kernel_avx512.cpp
#endif

void subtract_rows_baseline(const RowUpdate& update)
{
    subtract_rows<2, 4, 2>(update);
}

std::vector<SubtractRows*> subtract_rows_forms()
{
    std::vector<SubtractRows*> forms{subtract_rows_baseline};
#ifdef VIBSIM_LU_AVX2
    // The processor is examined here, so that the choice is right even when
    // the first call comes from a constructor of static storage.
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) forms.push_back(subtract_rows_avx2);
    if (__builtin_cpu_supports("avx512f")) forms.push_back(subtract_rows_avx512);
#endif
    return forms;
}

SubtractRows* subtract_rows_chosen()
{
    static SubtractRows* const chosen = subtract_rows_forms().back();
    return chosen;
}

}  // namespace vibsim::lu_detail
