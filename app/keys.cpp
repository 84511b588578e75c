#include "keys.hpp"

#include "model.hpp"

namespace vibsim {

void keyboard(unsigned char key, int /*x*/, int /*y*/) { last_key = key; }

}  // namespace vibsim
