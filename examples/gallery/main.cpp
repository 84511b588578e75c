// vibsim-gallery: every shape of vibsim/draw.hpp and every plot of
// vibsim/plot.hpp in one window, each in a panel labelled with the name of
// the function that drew it. The library draws in world units, -1 ... +1;
// each panel gets those coordinates from the GL matrix, scaled and moved
// into its place, and clip planes keep what reaches beyond it (the axes of
// draw_origin_cross run 20 units) inside. Esc quits; the window may be
// resized, and the grid keeps its shape in the middle of it.
#include "layout.hpp"
#include "panels.hpp"
#include "platform/event_loop.hpp"
#include "window_system.hpp"

#include <vibsim/draw.hpp>
#include <vibsim/frame.hpp>

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace vibsim::gallery {

namespace {

constexpr Colour4 frame_grey{0.75f, 0.75f, 0.75f, 0.0f};
constexpr unsigned char escape_key = 27;
// Beyond the panel's -1 ... +1, up to its frame, drawings may still show.
constexpr double clip_extent = 1.1;

void clip_to_panel()
{
    const GLdouble planes[4][4] = {
        {1.0, 0.0, 0.0, clip_extent},
        {-1.0, 0.0, 0.0, clip_extent},
        {0.0, 1.0, 0.0, clip_extent},
        {0.0, -1.0, 0.0, clip_extent},
    };
    for (int i = 0; i < 4; ++i) {
        glClipPlane(GL_CLIP_PLANE0 + i, planes[i]);
        glEnable(GL_CLIP_PLANE0 + i);
    }
}

void unclip()
{
    for (int i = 0; i < 4; ++i) glDisable(GL_CLIP_PLANE0 + i);
}

// The label in the largest of the Helvetica fonts that fits the cell.
void draw_label(const char* name, double left, double top)
{
    int viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double cell_pixels = static_cast<double>(viewport[2]) / gallery_columns;
    void* font = GLUT_BITMAP_HELVETICA_18;
    if (glutBitmapLength(font, reinterpret_cast<const unsigned char*>(name)) > 0.92 * cell_pixels) {
        font = GLUT_BITMAP_HELVETICA_12;
    }
    // Text takes the current colour; with lighting on it would come out black.
    glDisable(GL_LIGHTING);
    glColor3f(0.1f, 0.1f, 0.35f);
    draw_text(static_cast<float>(left + 0.05), static_cast<float>(top - 0.14), font, name);
}

void display()
{
    begin_frame();
    const double grid_top = gallery_rows * cell_height;
    int index = 0;
    for (const Panel& panel : panels()) {
        const int column = index % gallery_columns;
        const int row = index / gallery_columns;
        ++index;
        const double left = column;
        const double top = grid_top - row * cell_height;
        glLineWidth(1.0f);
        draw_rect_outline({left + 0.02, top - cell_height + 0.02}, 0.96, cell_height - 0.04, 0.0, frame_grey);
        draw_label(panel.name, left, top);

        glPushMatrix();
        glTranslated(left + 0.5, top - label_strip - 0.5, 0.0);
        glScaled(panel_half_size, panel_half_size, 1.0);
        clip_to_panel();
        glLineWidth(1.0f);
        panel.draw();
        unclip();
        glPopMatrix();
    }
    end_frame();
}

// The drawing area keeps the gallery's shape, centred; the projection gives
// it the coordinates 0 ... gallery_columns across and 0 ... the grid's
// height up, so that one unit is one cell wide.
void reshape(int width, int height)
{
    const PixelRect area = drawing_area(width, height);
    // GL counts viewport rows from the bottom.
    glViewport(static_cast<GLint>(area.x0), static_cast<GLint>(height - area.y1),
               static_cast<GLsizei>(area.x1 - area.x0), static_cast<GLsizei>(area.y1 - area.y0));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, gallery_columns, 0.0, gallery_rows * cell_height, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
}

// Mesa's software renderer may still hold queued drawing at exit; finishing
// it first keeps the exit clean.
void finish_drawing() { glFinish(); }

void keyboard(unsigned char key, int, int)
{
    if (key == escape_key) std::exit(0);
}

void print_usage(std::FILE* out)
{
    // Every line fits a terminal of 80 columns.
    std::fputs("usage: vibsim-gallery [--help] [--version] [GLUT options]\n"
               "Every shape and plot of the vibsim library in one window, each in a panel\n"
               "labelled with the name of the function that drew it. Esc quits.\n"
               "GLUT options such as -geometry WxH+X+Y and -display NAME are passed to GLUT\n"
               "(each side of the window 1 to 16384 pixels).\n",
               out);
}

// --help and --version answer here, before any window; other options of the
// form --name (or --name=value) are refused, and the rest are GLUT's.
// Returns the exit status when the program is to end.
int read_options(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const std::string_view name = argument.substr(0, argument.find('='));
        if ((name == "--help" || name == "--version") && name.size() < argument.size()) {
            std::fprintf(stderr, "vibsim-gallery: option %.*s takes no value\n", static_cast<int>(name.size()),
                         name.data());
            print_usage(stderr);
            return 2;
        }
        if (argument == "--help") {
            print_usage(stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("vibsim-gallery %s\n", VIBSIM_VERSION);
            return 0;
        }
        if (argument.starts_with("--")) {
            std::fprintf(stderr, "vibsim-gallery: unknown option %.*s\n", static_cast<int>(name.size()), name.data());
            print_usage(stderr);
            return 2;
        }
    }
    return -1;
}

}  // namespace

}  // namespace vibsim::gallery

int main(int argc, char** argv)
{
    using namespace vibsim::gallery;
    if (const int status = read_options(argc, argv); status >= 0) return status;
    if (const int status = check_window_arguments(argc, argv); status >= 0) return status;
    glutInitWindowSize(1200, static_cast<int>(1200 / gallery_aspect));
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("vibsim gallery: the shapes and plots of the library");
    std::atexit(finish_drawing);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    vibsim::platform::run_event_loop();
}
