#pragma once
// Control and command ids of the memory windows.
