// How the program names itself to the desktop.
#pragma once

namespace qz::app {

// Sets the application and desktop-entry names. No display name is set: the
// platform would append it to every window title, and the message boxes must
// show exactly the titles the game gives them.
void SetApplicationIdentity();

}  // namespace qz::app
