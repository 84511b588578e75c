# The forced-vibration lab's computational core: the model, the closed-form
# response, the excitation, the steady state through the Fourier series, the
# motion, the shaker sweep, the energy per cycle and the CSV tables.
add_library(vibsim_forced_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/response.cpp
  ${CMAKE_CURRENT_LIST_DIR}/excitation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/steady_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/motion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/energy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/forced_csv.cpp)
target_include_directories(vibsim_forced_core PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(vibsim_forced_core PUBLIC vibsim::numeric vibsim::signal)
