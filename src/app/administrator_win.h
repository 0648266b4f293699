#pragma once

// Whether the current user belongs to the local Administrators group. A system without
// CheckTokenMembership answers false, like a failed check.
bool IsAdministrator();
