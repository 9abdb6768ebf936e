// The window thread's door into the contest state, as the plug-in keeps it: ui::ContestDoor over the engine's
// globals and the state lock.
#pragma once
#include "ui/contest_door.h"

// The one door, alive as long as the library.
ui::ContestDoor& windowDoor();
