# What a folder of the tree (labs/, examples/) needs when it is built on its
# own against an installed vibsim, after its own project() call: the tree's
# C++ standard and warnings, the installed package, and the platform's
# sources beside the folder (its window, glyphs and pictures), which the
# package does not install.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
include(GNUInstallDirs)
find_package(vibsim REQUIRED)
add_compile_options(-Wall -Wextra -Wpedantic -Werror -ffp-contract=off)
include(${CMAKE_CURRENT_LIST_DIR}/desktop_platform.cmake)
add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/../platform ${CMAKE_BINARY_DIR}/platform)
