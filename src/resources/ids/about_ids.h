#pragma once
// Control and command ids of the about windows.
