// The AVX-512 form of the row operation: this translation unit alone is
// compiled for AVX-512F (and not for FMA), and is only called where the
// processor has it. Eight-wide vectors halve the instructions of the AVX2
// form for the same arithmetic, and the 32 vector registers hold tiles of
// 8 rows x 2 vectors (sixteen sums).
#include "lu_kernel.hpp"

#include "lu_kernel_body.hpp"

namespace vibsim::lu_detail {

void subtract_rows_avx512(const RowUpdate& update)
{
    subtract_rows<8, 8, 2>(update);
}

}  // namespace vibsim::lu_detail
