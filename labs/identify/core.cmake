# The identification lab's core: the record reader, the decay's analysis by
# logarithmic decrement and by least squares, the half-power bandwidth of a
# frequency response, the result table and links, and the exercises. No
# window and no options: the program and the page are built on it.
add_library(vibsim_identify_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/csv_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_decrement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/levenberg_marquardt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/decay_fit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/identification.cpp
  ${CMAKE_CURRENT_LIST_DIR}/half_power.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exercise_code.cpp
  ${CMAKE_CURRENT_LIST_DIR}/exercise.cpp
  ${CMAKE_CURRENT_LIST_DIR}/texts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/messages.cpp)
target_include_directories(vibsim_identify_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(vibsim_identify_core PUBLIC vibsim::numeric vibsim::signal)
target_compile_features(vibsim_identify_core PUBLIC cxx_std_20)
