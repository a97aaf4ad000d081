#pragma once

// File > Update Site Pages: asks for the site's folder the first time
// (kept with the design), lists the site's pages with their states and
// fills their menu regions when the user asks.

namespace velmora {

class DesignSession;

// Runs the command; errors raise (the caller shows them).
void UpdateSitePagesOfDesign(DesignSession& session);

}  // namespace velmora
