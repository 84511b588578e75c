// The page's canvas has the picture's least size: the picture is drawn into
// it as it is.
#include "modes/picture.hpp"

namespace vibsim::modes {

void show_picture(int width, int height, const Session& session)
{
    set_picture_view(width, height);
    draw_picture(session);
}

}  // namespace vibsim::modes
