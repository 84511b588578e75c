# The installable package: headers, static libraries, the CMake package
# `vibsim` (vibsim::numeric, vibsim::draw, vibsim::plot, vibsim::signal),
# vibsim.pc, and the normal conversion tables under share/vibsim.
# Two install components: `runtime` (the programs, the tables and what the
# desktop needs, see packaging/) and `dev` (what programmers build against).
include(CMakePackageConfigHelpers)

set(VIBSIM_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/vibsim)
# Where the conversion tables go; users learn it as vibsim_DATA_DIR.
set(VIBSIM_DATA_DIR ${CMAKE_INSTALL_DATADIR}/vibsim)

install(EXPORT vibsimTargets
  NAMESPACE vibsim::
  DESTINATION ${VIBSIM_CMAKE_DIR}
  COMPONENT dev)

configure_package_config_file(cmake/vibsimConfig.cmake.in
  ${CMAKE_CURRENT_BINARY_DIR}/vibsimConfig.cmake
  INSTALL_DESTINATION ${VIBSIM_CMAKE_DIR}
  PATH_VARS VIBSIM_DATA_DIR)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/vibsimConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${CMAKE_CURRENT_BINARY_DIR}/vibsimConfig.cmake
  ${CMAKE_CURRENT_BINARY_DIR}/vibsimConfigVersion.cmake
  DESTINATION ${VIBSIM_CMAKE_DIR}
  COMPONENT dev)

# pkg-config: the libraries in link order, users before what they use.
get_property(vibsim_modules GLOBAL PROPERTY VIBSIM_MODULES)
set(VIBSIM_PC_LIBS "")
foreach(module IN LISTS vibsim_modules)
  string(PREPEND VIBSIM_PC_LIBS "-lvibsim_${module} ")
endforeach()
# The .pc file names the prefix it is installed into (`cmake --install
# --prefix` decides it, so it is written at install time), and its folders
# as ${prefix}/include and ${prefix}/lib/<multiarch>: under /usr pkg-config
# knows them as the system's own and leaves their -I and -L out. A package
# unpacked elsewhere is used with pkg-config --define-variable=prefix=<dir>.
set(VIBSIM_PC_PREFIX "@VIBSIM_PC_PREFIX@")
configure_file(cmake/vibsim.pc.in ${CMAKE_CURRENT_BINARY_DIR}/vibsim.pc.in @ONLY)
install(CODE "set(VIBSIM_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  configure_file(\"${CMAKE_CURRENT_BINARY_DIR}/vibsim.pc.in\" \"${CMAKE_CURRENT_BINARY_DIR}/vibsim.pc\" @ONLY)"
  COMPONENT dev)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/vibsim.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig
  COMPONENT dev)

# The conversion tables that load_normal_tables reads from the current folder.
install(DIRECTORY data/ DESTINATION ${VIBSIM_DATA_DIR} COMPONENT runtime FILES_MATCHING PATTERN "*.data")
