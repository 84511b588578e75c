#include "forced/window.hpp"

#include "forced/dialog.hpp"
#include "forced/options.hpp"
#include "forced/picture.hpp"
#include "kit/display.hpp"
#include "kit/glut_window.hpp"

#include <vibsim/frame.hpp>

#include <cstdlib>

namespace vibsim::forced {

namespace {

Session* shown = nullptr;

void draw() { draw_picture(*shown); }

// The frequency step of - and +: omega0 / 100, never below it.
void step_frequency(int sign)
{
    const double step = natural_frequency(shown->model) / 100.0;
    const double omega = shown->model.omega + sign * step;
    Model candidate = shown->model;
    candidate.omega = omega;
    if (omega >= 0.5 * step && model_fault(candidate).empty()) change_frequency(*shown, omega);
}

// The next drive, at its own default amplitude, omega kept where the lab
// can step it.
void next_drive()
{
    Model model = shown->model;
    model.drive = static_cast<Drive>((static_cast<int>(model.drive) + 1) % 3);
    model.amplitude = default_amplitude(model.drive);
    model.wave = Wave::cosine;
    if (!model_fault(model).empty()) model.omega = default_frequency(model.drive);
    if (model_fault(model).empty()) change_model(*shown, model, true);
}

// The next wave; for a drive without waves, the force drive first.
void next_wave()
{
    Model model = shown->model;
    if (model.drive != Drive::force) {
        model.drive = Drive::force;
        model.amplitude = default_amplitude(Drive::force);
        model.wave = Wave::cosine;
    }
    model.wave = static_cast<Wave>((static_cast<int>(model.wave) + 1) % 4);
    if (model_fault(model).empty()) change_model(*shown, model, true);
}

void ask_again(bool constants)
{
    Model model = shown->model;
    if (constants) {
        ask_model(model);
    } else {
        ask_start(model);
    }
    const SweepRange range = constants ? default_sweep(model) : shown->range;
    open_session(*shown, model, range);
    print_readouts(shown->motion);
}

}  // namespace

void press_key(unsigned char key)
{
    if (shown == nullptr) return;
    switch (key) {
    case 's': step_frame(*shown); break;
    case '-': step_frequency(-1); break;
    case '+':
    case '=': step_frequency(+1); break;
    case 'd': next_drive(); break;
    case 'w': next_wave(); break;
    case 'g': toggle_shaker(*shown); break;
    case 'r': restart(*shown); break;
    case 'm': ask_again(true); break;
    case 'j': ask_again(false); break;
    case kit::escape_key: std::exit(0);
    default: return;
    }
    post_redisplay();
}

const Session* session_in_window() { return shown; }

void run_window(Session& session, int* argc, char** argv, int width, int height)
{
    shown = &session;
    kit::open_window(argc, argv, width, height,
                     "vibsim-forced: resonance, phase, base excitation and unbalance of one mass",
                     {draw, set_picture_view, press_key});
}

}  // namespace vibsim::forced
