#pragma once
// Putting the delayed entries back when the program is removed. They left their Run keys when they
// were delayed and Delay.ini goes with the program, so without this those programs would silently
// never start again.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/startup/startup_item.h"

struct RestoreStep {
    size_t item = 0;      // index in the list
    int key = 0;          // the Run key it goes back to, by kind
    std::uint32_t type = kValueString;
    std::string bytes;    // the command and the zero that ends it, as the key held it
};

struct RestorePlan {
    std::vector<RestoreStep> steps;
    std::vector<size_t> kept; // items that cannot go back: they stay in the list
};

// Each item goes back to the Run key and view of its origin as the string it was. An item whose
// origin names no key, whose value was no string or that has no name stays; so does a user's
// entry when `userKeysReachable` is false (the removal then runs as an account that is not the
// user's).
RestorePlan PlanDelayedRestore(const std::vector<StartupItem>& items, bool userKeysReachable);

bool IsUserKind(int kind);

// Whether a SID text names an account a person logs on with, whose Run key is worth writing: not
// SYSTEM, LocalService or NetworkService.
bool IsPersonalAccount(const std::string& sid);
