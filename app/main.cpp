// vibsim: the damped mass-spring oscillator m*y'' + lambda*y' + K*y = 0,
// set up on the console and drawn, frame by frame, in a GLUT window.
#include "command_line.hpp"
#include "dialog.hpp"
#include "model.hpp"
#include "trace_record.hpp"
#include "window.hpp"
#include "window_system.hpp"

#include "platform/display.hpp"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    // --help and --version answer before the dialog and need no display;
    // --lang chooses the language of everything the program writes. GLUT's
    // options and the display are checked before the dialog too, so that a
    // window that cannot open is told before the questions, not after them.
    vibsim::CommandLine line;
    if (const auto status = vibsim::handle_command_line(argc, argv, stdout, stderr, &line)) return *status;
    if (const auto status = vibsim::check_display(vibsim::platform::display_argument(argc, argv), stderr)) {
        return *status;
    }
    // The trace's file is made ready before the dialog and written however
    // the program ends: Esc, the window's close or its destruction.
    if (!line.trace_csv.empty()) {
        if (!vibsim::open_trace_file(line.trace_csv)) return 1;
        std::atexit(vibsim::write_trace);
    }
    vibsim::last_key = 'm';
    vibsim::input_parameters();
    vibsim::init_window(&argc, argv);
}
