#pragma once
// Control and command ids of the startup windows.
