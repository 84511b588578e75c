// The AVX-512 form of the row operation: this translation unit alone is
// compiled for AVX-512F (and not for FMA), and is only called where the
// processor has it. Eight-wide vectors halve the instructions of the AVX2
// form for the same arithmetic. Its tiles are 16 rows x 1 vector (sixteen
// sums): each multiplier is then used once, so that it is broadcast by the
// multiply itself straight from memory ({1to8}) and not by a separate
// instruction, which would compete with the arithmetic for its pipes.
#include "lu_kernel.hpp"

#include "lu_kernel_body.hpp"

namespace vibsim::lu_detail {

void subtract_rows_avx512(const RowUpdate& update)
{
    subtract_rows<8, 16, 1>(update);
}

}  // namespace vibsim::lu_detail
