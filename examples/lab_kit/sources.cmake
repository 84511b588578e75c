# The lab kit's sources: those that build for the desktop and the page
# alike, and those of the desktop alone (FreeType's glyphs, the off-screen
# PNG, the X display and the window's event loop), for which the page has its
# own.
set(vibsim_lab_kit_dir ${CMAKE_CURRENT_LIST_DIR})
set(vibsim_lab_kit_sources
  ${vibsim_lab_kit_dir}/console_input.cpp
  ${vibsim_lab_kit_dir}/display.cpp
  ${vibsim_lab_kit_dir}/glut_window.cpp
  ${vibsim_lab_kit_dir}/labels.cpp
  ${vibsim_lab_kit_dir}/language.cpp
  ${vibsim_lab_kit_dir}/option_parsing.cpp
  ${vibsim_lab_kit_dir}/output_file.cpp
  ${vibsim_lab_kit_dir}/outputs.cpp
  ${vibsim_lab_kit_dir}/panels.cpp
  ${vibsim_lab_kit_dir}/program_name.cpp
  ${vibsim_lab_kit_dir}/start_up.cpp)
set(vibsim_lab_kit_desktop_sources
  ${vibsim_lab_kit_dir}/freetype_glyphs.cpp
  ${vibsim_lab_kit_dir}/offscreen.cpp
  ${vibsim_lab_kit_dir}/x_display.cpp)
