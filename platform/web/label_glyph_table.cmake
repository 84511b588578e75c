# vibsim_label_glyph_table(<target> <sources...>)
#
# The labels' glyphs for the page: every character of the label texts in the
# given sources, rendered on the build machine by the desktop's own FreeType
# code (x11/freetype_glyphs.cpp, run by make_label_glyphs) into one table,
# the library <target>, which label_glyphs.cpp serves the glyphs from. A
# program links it after vibsim_platform_pictures.
set(VIBSIM_PLATFORM_DIR ${CMAKE_CURRENT_LIST_DIR}/.. CACHE INTERNAL "The platform folder")
function(vibsim_label_glyph_table target)
  set(platform ${VIBSIM_PLATFORM_DIR})
  set(tool ${CMAKE_CURRENT_BINARY_DIR}/make_label_glyphs)
  find_program(VIBSIM_HOST_PKG_CONFIG NAMES pkg-config REQUIRED)
  execute_process(COMMAND ${VIBSIM_HOST_PKG_CONFIG} --cflags --libs freetype2
    OUTPUT_VARIABLE freetype_flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(freetype_flags UNIX_COMMAND "${freetype_flags}")
  set(tool_sources ${platform}/web/make_label_glyphs.cpp ${platform}/x11/freetype_glyphs.cpp
    ${platform}/common/program_name.cpp)
  add_custom_command(
    OUTPUT ${tool}
    COMMAND ${VIBSIM_HOST_CXX} -std=c++20 -O1 -Wall -Wextra -Wpedantic -Werror -ffp-contract=off
            -I${platform}/include -I${platform}/web ${tool_sources} -o ${tool} ${freetype_flags}
    DEPENDS ${tool_sources} ${platform}/include/platform/glyphs.hpp ${platform}/web/label_glyph_table.hpp
    COMMENT "Building the labels' glyph generator for the build machine")
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/label_glyph_table.cpp
    COMMAND ${tool} label_glyph_table.cpp ${ARGN}
    DEPENDS ${tool} ${ARGN}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    COMMENT "Rendering the labels' glyphs with FreeType")
  add_library(${target} STATIC ${CMAKE_CURRENT_BINARY_DIR}/label_glyph_table.cpp)
  target_include_directories(${target} PRIVATE ${platform}/web)
endfunction()
