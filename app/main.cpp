// vibsim: the damped mass-spring oscillator m*y'' + lambda*y' + K*y = 0,
// set up on the console and drawn, frame by frame, in a GLUT window.
#include "command_line.hpp"
#include "dialog.hpp"
#include "model.hpp"
#include "window.hpp"

int main(int argc, char** argv)
{
    if (const auto status = vibsim::apply_command_line(&argc, argv)) return *status;
    vibsim::last_key = 'm';
    vibsim::input_parameters();
    vibsim::init_window(&argc, argv);
}
