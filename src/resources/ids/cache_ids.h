#pragma once
// Control and command ids of the cache windows.
