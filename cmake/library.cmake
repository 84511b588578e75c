# vibsim_add_library(<module> <sources...>)
# Declares the library target of one library folder: vibsim_<module>, exported
# as vibsim::<module>, with its public headers under <module>/include/vibsim.
function(vibsim_add_library module)
  set(target vibsim_${module})
  add_library(${target} STATIC ${ARGN})
  add_library(vibsim::${module} ALIAS ${target})
  set_target_properties(${target} PROPERTIES
    EXPORT_NAME ${module}
    OUTPUT_NAME vibsim_${module}
    POSITION_INDEPENDENT_CODE ON)
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_compile_features(${target} PUBLIC cxx_std_20)
  install(TARGETS ${target} EXPORT vibsimTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
  install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT dev)
  set_property(GLOBAL APPEND PROPERTY VIBSIM_MODULES ${module})
endfunction()
