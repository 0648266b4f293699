#pragma once
// Putting the delayed entries back when the program is removed. They left their Run keys when they
// were delayed and Delay.ini goes with the program, so without this those programs would silently
// never start again.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/startup/startup_item.h"

struct RestoreStep {
    size_t item = 0;      // index in the list
    int key = 0;          // the Run key it goes back to, by kind
    std::uint32_t type = kValueString;
    std::string bytes;    // the command and the zero that ends it, as the key held it
    std::string account;  // a user's entry: the account whose Run key takes it
};

struct RestorePlan {
    std::vector<RestoreStep> steps;
    std::vector<size_t> kept; // items that cannot go back: they stay in the list
};

// Each item goes back to the Run key and view of its origin as the string it was. An item whose
// origin names no key, whose value was no string or that has no name stays; so does a user's
// entry whose account's registry cannot be reached (`reachable`): its owner's, or for an entry of
// no recorded owner the remover's. It waits in the list, which stays, for nothing is lost.
RestorePlan PlanDelayedRestore(const std::vector<StartupItem>& items, const std::string& remover,
                               const std::function<bool(const std::string& account)>& reachable);

// Whether a SID text names an account a person logs on with, whose Run key is worth writing: not
// SYSTEM, LocalService or NetworkService.
bool IsPersonalAccount(const std::string& sid);
