#pragma once
// What the console program asks of the running Tidewell and what it hears back: fixed-size
// little-endian records carried by WM_COPYDATA. Both ends parse strictly; a record with the wrong
// size, tag, version, command or a value out of range is refused whole.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "memory/memory_status.h"

namespace remote {

// COPYDATASTRUCT::dwData of a request and of a clean reply; the records start with them too.
constexpr uint32_t kRequestTag = 0x51435754; // "TWCQ"
constexpr uint32_t kReplyTag = 0x52435754;   // "TWCR"
constexpr uint16_t kVersion = 1;
// The window property that marks Tidewell's main window as accepting requests.
constexpr char kWindowProperty[] = "Tidewell.Requests";

enum class Command : uint16_t { Show = 1, Exit = 2, Clean = 3 };
enum class CleanMode : uint16_t { None = 0, Organise = 1, Growing = 2 };
constexpr uint16_t kMinEighths = 1, kMaxEighths = 8;

struct Request {
    Command command = Command::Show;
    CleanMode mode = CleanMode::None; // clean only
    uint16_t eighths = 0;             // organise only: 1 to 8
    uint32_t id = 0;                  // echoed by the reply
};
constexpr size_t kRequestSize = 16;

std::vector<uint8_t> EncodeRequest(const Request& request);
std::optional<Request> ParseRequest(const void* data, size_t size);

// WM_COPYDATA's answer to a request. 0 is what a window that does not know requests answers.
enum class Answer : intptr_t {
    Done = 1,     // show and exit: carried out
    Accepted = 2, // clean: started; a reply follows when it ends
    Busy = 3,     // clean: a run is already in progress; nothing started
    Invalid = 4,  // the request was refused; nothing done
    Failed = 5,   // clean: the run could not start
};

enum class Outcome : uint16_t { Done = 1, Failed = 2 };

// Sent to the caller's window when a clean it asked for has ended.
struct CleanReply {
    uint32_t id = 0;
    Outcome outcome = Outcome::Done;
    CleanMode mode = CleanMode::Growing;
    uint16_t eighths = 0;
    MemoryStatus before;
    MemoryStatus after;
};
constexpr size_t kReplySize = 48;

std::vector<uint8_t> EncodeReply(const CleanReply& reply);
std::optional<CleanReply> ParseReply(const void* data, size_t size);

} // namespace remote
