# Warnings are errors, and floating-point expressions are never contracted into
# fused multiply-adds: the library's results are fixed to the last bit.
add_compile_options(-Wall -Wextra -Wpedantic -Werror -ffp-contract=off)
if(CMAKE_CXX_FLAGS MATCHES "fast-math")
  message(FATAL_ERROR "vibsim must not be built with -ffast-math")
endif()
