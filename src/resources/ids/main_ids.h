#pragma once
// Control and command ids of the main windows.
