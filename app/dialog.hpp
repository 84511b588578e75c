// The console dialog that sets up the oscillator.
#pragma once

namespace vibsim {

// Asks for the constants m, lambda, K (unless last_key is 'j') and the initial
// conditions y0, v0; prints omega0, zeta, the damping class, Omega and the key
// help; then resets the view, the state and the trace history.
void input_parameters();

}  // namespace vibsim
