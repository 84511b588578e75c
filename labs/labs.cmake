# The labs: each folder's name is also its program's after "vibsim-", with
# its manual page packaging/vibsim-<lab>.1, desktop entry
# packaging/vibsim-<lab>.desktop and page <lab>.html. The package's
# description says each in a line of its own.
set(VIBSIM_LABS random modes forced identify)
set(VIBSIM_LAB_SUMMARY_random "vibsim-random shakes the oscillator with white noise and averages the spectrum
of its response")
set(VIBSIM_LAB_SUMMARY_modes "vibsim-modes shows a chain of masses: its natural frequencies, mode shapes
and resonance")
set(VIBSIM_LAB_SUMMARY_identify "vibsim-identify finds the natural frequency and the damping ratio of a
recorded free decay, and checks a student's answer to an exercise")
set(VIBSIM_LAB_SUMMARY_forced "vibsim-forced drives one mass by a force, its support or an unbalance:
resonance, phase, a stepped-sine shaker and periodic forces")

# vibsim_lab_program(<lab> <sources...>)
# The lab's program vibsim-<lab> on the desktop, installed with the others;
# in the browser a library of the same sources, which the lab's page links.
function(vibsim_lab_program lab)
  if(EMSCRIPTEN)
    add_library(vibsim_${lab}_program STATIC ${ARGN})
    target_compile_definitions(vibsim_${lab}_program PRIVATE VIBSIM_VERSION="${vibsim_labs_version}")
    return()
  endif()
  add_executable(vibsim-${lab} ${ARGN})
  target_compile_definitions(vibsim-${lab} PRIVATE VIBSIM_VERSION="${vibsim_labs_version}")
  set_target_properties(vibsim-${lab} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${vibsim_labs_output_dir})
  install(TARGETS vibsim-${lab} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime)
endfunction()

# The target that holds a lab's program's sources: the executable on the
# desktop, the library under the page in the browser.
function(vibsim_lab_program_target lab out)
  if(EMSCRIPTEN)
    set(${out} vibsim_${lab}_program PARENT_SCOPE)
  else()
    set(${out} vibsim-${lab} PARENT_SCOPE)
  endif()
endfunction()

# vibsim_lab_labels(<sources...>): sources whose label texts the page draws.
function(vibsim_lab_labels)
  set(sources ${VIBSIM_LABEL_SOURCES})
  foreach(source IN LISTS ARGN)
    list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  endforeach()
  set(VIBSIM_LABEL_SOURCES ${sources} CACHE INTERNAL "Sources whose labels the pages draw")
endfunction()
set(VIBSIM_LABEL_SOURCES "" CACHE INTERNAL "Sources whose labels the pages draw")
