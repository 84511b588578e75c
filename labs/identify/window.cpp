#include "identify/window.hpp"

#include "identify/dialog.hpp"
#include "identify/picture.hpp"
#include <vibsim/frame.hpp>
#include "kit/glut_window.hpp"

#include <cstdlib>

namespace vibsim::identify {

namespace {

Session* shown = nullptr;

void draw() { draw_picture(*shown); }

// The part analysed moved: the console says what is found there.
void moved() { print_found(*shown); }

}  // namespace

void press_key(unsigned char key)
{
    if (shown == nullptr) return;
    const bool record = !shown->record.t.empty();
    switch (key) {
    case '[': if (record) { move_start(*shown, -1); moved(); } break;
    case ']': if (record) { move_start(*shown, 1); moved(); } break;
    case '-': if (record) { move_end(*shown, -1); moved(); } break;
    case '+':
    case '=': if (record) { move_end(*shown, 1); moved(); } break;
    case 'r': if (record) { whole_record(*shown); moved(); } break;
    case 'a':
        if (!shown->is_exercise) return;
        ask_answer(*shown);
        break;
    case 'w':
        if (!shown->is_exercise) return;
        shown->worked_shown = true;
        print_found(*shown);
        break;
    case kit::escape_key: std::exit(0);
    default: return;
    }
    post_redisplay();
}

Session* session_in_window() { return shown; }

void run_window(Session& session, int* argc, char** argv, int width, int height)
{
    shown = &session;
    kit::open_window(argc, argv, width, height, "vibsim-identify: the natural frequency and damping of a free decay",
                     {draw, set_picture_view, press_key});
}

}  // namespace vibsim::identify
