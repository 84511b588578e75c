# vibsim_web_page(<program> [PAGE <file.html>] CONFIG <page.js> [TITLE <title>]
#                 [SINGLE_FILE <file.html>] [EXPORTS <_function> ...])
#
# Makes a program's browser page in VIBSIM_WEB_PAGE_DIR: the program linked
# with the platform layer, the page shell (its modules, VIBSIM_WEB_SHELL, in
# that order) and the page's configuration (CONFIG, a script that calls
# vibsimPageShell) run before it,
# standard input from the page's console (Asyncify waits for a line), and
# PAGE, the HTML that loads it with the shell's style (page.css). The program
# exports vibsim_web_key(int key), which the shell calls for every key, and
# whatever else its configuration calls (EXPORTS). SINGLE_FILE names a second
# page with everything inside, for opening from the disk; a page may be
# that one file alone (no PAGE).
set(VIBSIM_WEB_SHELL_DIR ${CMAKE_CURRENT_LIST_DIR} CACHE INTERNAL "The page shell's folder")
# The page shell's modules, each run before the program (--pre-js); the last
# puts the others together.
set(shell_modules shell_texts.js shell_link.js shell_layout.js shell_picture.js shell_console.js shell_keys.js
  shell_downloads.js shell_pages.js page_shell.js)
list(TRANSFORM shell_modules PREPEND ${VIBSIM_WEB_SHELL_DIR}/)
set(VIBSIM_WEB_SHELL ${shell_modules} CACHE INTERNAL "The page shell's modules, in order")

function(vibsim_web_page program)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PAGE;CONFIG;TITLE;SINGLE_FILE" "EXPORTS")
  set(shell ${VIBSIM_WEB_SHELL})
  set(pre_js ${shell} ${arg_CONFIG})
  list(TRANSFORM pre_js PREPEND "SHELL:--pre-js ")
  set(console_input ${VIBSIM_WEB_SHELL_DIR}/console_input.js)
  set(exports _main _vibsim_web_key _vibsim_web_case _vibsim_web_restore_picture ${arg_EXPORTS})
  list(TRANSFORM exports PREPEND "'")
  list(TRANSFORM exports APPEND "'")
  list(JOIN exports "," exports)
  set(options
    ${pre_js}
    "SHELL:--js-library ${console_input}"
    "-sASYNCIFY"
    "-sASYNCIFY_IMPORTS=['wasi_snapshot_preview1.fd_read']"
    "-sEXPORTED_FUNCTIONS=[${exports}]"
    "-sEXPORTED_RUNTIME_METHODS=['ccall']"
    "-sENVIRONMENT=web")
  set(depends "${shell};${arg_CONFIG};${console_input}")

  target_link_libraries(${program} PRIVATE vibsim_web_gl vibsim_platform)
  target_link_options(${program} PRIVATE ${options})
  set(page_dir ${VIBSIM_WEB_PAGE_DIR})
  set(page ${arg_PAGE})
  if(NOT arg_PAGE)
    set(page_dir ${CMAKE_CURRENT_BINARY_DIR}/${program}_page)
    set(page ${program}.html)
  endif()
  set_target_properties(${program} PROPERTIES
    SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${page_dir}
    LINK_DEPENDS "${depends}")

  set(PAGE_TITLE ${program})
  if(arg_TITLE)
    set(PAGE_TITLE ${arg_TITLE})
  endif()
  set(PAGE_SCRIPT ${program}.js)
  configure_file(${VIBSIM_WEB_SHELL_DIR}/page.html.in ${page_dir}/${page} @ONLY)
  configure_file(${VIBSIM_WEB_SHELL_DIR}/page_shell.css ${VIBSIM_WEB_PAGE_DIR}/page.css COPYONLY)

  if(arg_SINGLE_FILE)
    # The same program once more, its WebAssembly inside its script, built
    # in this build folder and written into the one file.
    set(single ${program}_single_file)
    get_target_property(sources ${program} SOURCES)
    get_target_property(source_dir ${program} SOURCE_DIR)
    list(TRANSFORM sources PREPEND "${source_dir}/" REGEX "^[^/]")
    get_target_property(libraries ${program} LINK_LIBRARIES)
    add_executable(${single} ${sources})
    target_link_libraries(${single} PRIVATE ${libraries})
    target_link_options(${single} PRIVATE ${options} "-sSINGLE_FILE")
    set_target_properties(${single} PROPERTIES
      SUFFIX .js
      OUTPUT_NAME ${program}
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/single_file
      LINK_DEPENDS "${depends}")
    configure_file(${VIBSIM_WEB_SHELL_DIR}/page.html.in ${CMAKE_CURRENT_BINARY_DIR}/single_file/${page} @ONLY)
    add_custom_command(
      OUTPUT ${VIBSIM_WEB_PAGE_DIR}/${arg_SINGLE_FILE}
      COMMAND ${CMAKE_COMMAND}
        -DHTML=${CMAKE_CURRENT_BINARY_DIR}/single_file/${page}
        -DCSS=${VIBSIM_WEB_SHELL_DIR}/page_shell.css
        -DSCRIPT=${CMAKE_CURRENT_BINARY_DIR}/single_file/${program}.js
        -DSCRIPT_NAME=${program}.js
        -DOUTPUT=${VIBSIM_WEB_PAGE_DIR}/${arg_SINGLE_FILE}
        -P ${VIBSIM_WEB_SHELL_DIR}/inline_page.cmake
      DEPENDS ${single} ${VIBSIM_WEB_SHELL_DIR}/inline_page.cmake ${VIBSIM_WEB_SHELL_DIR}/page_shell.css
              ${VIBSIM_WEB_SHELL_DIR}/page.html.in
      COMMENT "Writing ${arg_SINGLE_FILE}: the page in one file")
    add_custom_target(${program}_one_file ALL DEPENDS ${VIBSIM_WEB_PAGE_DIR}/${arg_SINGLE_FILE})
  endif()
endfunction()
