// The page's keys enter the program here rather than through GLUT's own
// handler: a key may start the console dialog, which waits for a line of the
// page's console without blocking the browser (emscripten's Asyncify), and
// such a wait can only be resumed from an exported function.
#include "keys.hpp"

#include <emscripten/emscripten.h>

extern "C" EMSCRIPTEN_KEEPALIVE void vibsim_web_key(int key)
{
    vibsim::keyboard(static_cast<unsigned char>(key), 0, 0);
}
