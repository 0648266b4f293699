#pragma once
// The environment a started program gets: built by the system from the registry, for a user (their
// token) or, without a token, from the machine's variables alone. Tidewell's own environment is
// never handed on: a plain process can set variables in HKCU\Environment that the elevated
// Tidewell inherits at the next logon, and a program started with Tidewell's rights would read them.
#include <windows.h>

#include <string>

#include "common/user_environment.h"

class EnvironmentBlock {
public:
    // token: the user's, or null for the machine's variables alone.
    explicit EnvironmentBlock(HANDLE token);
    ~EnvironmentBlock();
    EnvironmentBlock(const EnvironmentBlock&) = delete;
    EnvironmentBlock& operator=(const EnvironmentBlock&) = delete;

    // The UTF-16 block; null when the system could not build it.
    const void* get() const { return block_; }
    UserEnvironment Variables() const;

private:
    void* block_ = nullptr;
};

// A program of the system folder started with Tidewell's own rights (the services console), with
// the machine's variables alone; false when it did not start.
bool StartSystemProgram(const std::string& application, const std::string& commandLine, const std::string& folder,
                        int show);
