#include "modes/window.hpp"

#include "modes/dialog.hpp"
#include "kit/glut_window.hpp"
#include "modes/picture.hpp"

#include <vibsim/frame.hpp>

#include <algorithm>
#include <cstdlib>

namespace vibsim::modes {

namespace {

Session* shown = nullptr;

void draw() { draw_picture(*shown); }

// Excites mode k, counted round: after mode n comes mode 1.
void excite(int k)
{
    const int n = shown->chain.n;
    restart(*shown, {StartKind::mode, (k - 1 + n) % n + 1, {}, {}});
}

// The forcing frequency's step: a hundredth of omega_n.
double frequency_step() { return highest_frequency(*shown) / 100.0; }

void choose_mass(int j)
{
    shown->chosen_mass = std::clamp(j, 1, shown->chain.n);
    shown->motion.force.mass = shown->chosen_mass;
    update_response(*shown);
}

// Back to the console: new constants ('m') or a new starting shape ('j').
void ask_again(bool constants)
{
    Chain chain = shown->chain;
    Start start = shown->start;
    if (constants) {
        ask_chain(chain, start);
        Force force = shown->motion.force;
        force.mass = std::min(force.mass, chain.n);
        Session session;
        if (open_session(session, chain, start, force)) *shown = std::move(session);
        print_frequencies(shown->chain, shown->modes, shown->motion);
    } else {
        ask_start(chain, start);
        restart(*shown, start);
    }
}

}  // namespace

void press_key(unsigned char key)
{
    if (shown == nullptr) return;
    const int mode = shown->start.kind == StartKind::mode ? shown->start.at : 0;
    switch (key) {
    case 's': step_frame(*shown); break;
    case 'n': excite(mode + 1); break;
    case 'N': excite(mode - 1 < 1 ? shown->chain.n : mode - 1); break;
    case 'p': restart(*shown, {StartKind::pluck, shown->chosen_mass, {}, {}}); break;
    case 't': restart(*shown, {StartKind::strike, shown->chosen_mass, {}, {}}); break;
    case '[': choose_mass(shown->chosen_mass - 1); break;
    case ']': choose_mass(shown->chosen_mass + 1); break;
    case 'f':
        shown->motion.force.on = !shown->motion.force.on;
        shown->motion.force.mass = shown->chosen_mass;
        update_response(*shown);
        break;
    case '-': shown->motion.force.omega = std::max(0.0, shown->motion.force.omega - frequency_step()); break;
    case '+':
    case '=': shown->motion.force.omega += frequency_step(); break;
    case 'm': ask_again(true); break;
    case 'j': ask_again(false); break;
    case kit::escape_key: std::exit(0);
    default:
        if (key >= '1' && key <= '9' && key - '0' <= shown->chain.n) {
            excite(key - '0');
            break;
        }
        return;
    }
    post_redisplay();
}

const Session* session_in_window() { return shown; }

void run_window(Session& session, int* argc, char** argv, int width, int height)
{
    shown = &session;
    kit::open_window(argc, argv, width, height,
                     "vibsim-modes: natural frequencies, mode shapes and resonance of a chain",
                     {draw, set_picture_view, press_key});
}

}  // namespace vibsim::modes
