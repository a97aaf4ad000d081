#pragma once

// The application-wide settings of the designer program.

namespace velmora {

// Names the application and its organisation (where settings live) and
// sets the program icon and the style with strong focus rings. No display name is set: the platform would
// append it to every window title ("Template — Velmora"), while each window and message box must read exactly
// its own title.
void ConfigureApplication();

}  // namespace velmora
