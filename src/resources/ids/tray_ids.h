#pragma once
// Control and command ids of the tray windows.
