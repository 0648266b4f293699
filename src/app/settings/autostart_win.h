#pragma once
// Starting Tidewell with Windows. On NT 6.0 and later a logon task does it, because Windows does not
// start a program that asks for administrator rights from a Run key; where the task cannot be
// registered (9x, no Task Scheduler, the service refuses) the Orvanta Run value does. Exactly one
// of the two exists while the start is on.
#include <string>

#include "common/autostart_state_win.h" // AutostartExists: either mechanism is in place
#include "common/protected_place.h"

// Only a program in a place no plain user can change may be started elevated at logon: false,
// with nothing written, for any other place. What is registered names where the program really
// lies, so that no link on the way can be re-pointed later.
bool EnableAutostart(const std::string& programPath);

// Removes the task and the Run value.
void DisableAutostart();

// Whether the start with Windows may be offered for this program at all: Protected, or why not.
PlaceVerdict AutostartPlace(const std::string& programPath);
