# The browser edition's stand-ins for the desktop's OpenGL and GLUT targets,
# so that draw/, plot/ and app/ build unchanged: emscripten's GLUT header
# under its freeglut name (include/), and the GL pieces WebGL lacks, which
# platform/web/gl builds into the page. There is no X.
add_library(OpenGL::GL INTERFACE IMPORTED GLOBAL)
add_library(GLUT::GLUT INTERFACE IMPORTED GLOBAL)
target_include_directories(GLUT::GLUT SYSTEM INTERFACE ${CMAKE_CURRENT_LIST_DIR}/include)

set(VIBSIM_WEB_PAGE_DIR ${CMAKE_BINARY_DIR}/page CACHE PATH
  "Folder of the built pages: index.html, page.css, vibsim.js, vibsim.wasm, vibsim.html, random.html")
