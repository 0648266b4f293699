#pragma once
// Control and command ids of the service windows.
