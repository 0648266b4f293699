#pragma once
// Control and command ids of the process windows.
