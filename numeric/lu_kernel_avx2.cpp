// The AVX2 form of the row operation: this translation unit alone is compiled
// for AVX2 (and not for FMA: multiply and subtract stay separate
// instructions), and is only called where the processor has AVX2. Its tiles
// are 6 rows x 2 vectors: twelve sums, two source vectors, the multiplier and
// the product fill the sixteen vector registers.
#include "lu_kernel.hpp"

#include "lu_kernel_body.hpp"

namespace vibsim::lu_detail {

void subtract_rows_avx2(const RowUpdate& update)
{
    subtract_rows<4, 6, 2>(update);
}

}  // namespace vibsim::lu_detail
