# What the desktop platform (platform/x11) is made of: GL with EGL for
# pictures off screen, GLUT's windows, X, FreeType's labels and libpng. Found
# once where the build begins, so that every folder sees the same targets.
find_package(OpenGL REQUIRED COMPONENTS OpenGL EGL)
find_package(GLUT REQUIRED)
find_package(X11 REQUIRED)
find_package(Freetype REQUIRED)
find_package(PNG REQUIRED)
