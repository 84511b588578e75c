// vibsim: the damped mass-spring oscillator m*y'' + lambda*y' + K*y = 0,
// set up on the console and drawn, frame by frame, in a GLUT window.
#include "command_line.hpp"
#include "dialog.hpp"
#include "model.hpp"
#include "window.hpp"
#include "window_system.hpp"

#include "platform/display.hpp"

#include <cstdio>

int main(int argc, char** argv)
{
    // --help and --version answer before the dialog and need no display;
    // --lang chooses the language of everything the program writes. GLUT's
    // options and the display are checked before the dialog too, so that a
    // window that cannot open is told before the questions, not after them.
    if (const auto status = vibsim::handle_command_line(argc, argv, stdout, stderr)) return *status;
    if (const auto status = vibsim::check_display(vibsim::platform::display_argument(argc, argv), stderr)) return *status;
    vibsim::last_key = 'm';
    vibsim::input_parameters();
    vibsim::init_window(&argc, argv);
}
