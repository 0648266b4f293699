#pragma once
// What the console program asks of the running Tidewell and what it hears back, over one pipe
// connection: a request, its answer and, for a clean, the figures when it has ended. Fixed-size
// little-endian records, parsed strictly at both ends: a record with the wrong size, tag,
// version, command or a value out of range is refused whole.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "memory/memory_status.h"

namespace remote {

// Each record starts with its tag and the version.
constexpr uint32_t kRequestTag = 0x51435754; // "TWCQ"
constexpr uint32_t kAnswerTag = 0x41435754;  // "TWCA"
constexpr uint32_t kReplyTag = 0x52435754;   // "TWCR"
constexpr uint16_t kVersion = 2;

enum class Command : uint16_t { Show = 1, Exit = 2, Clean = 3 };
enum class CleanMode : uint16_t { None = 0, Organise = 1, Growing = 2 };
constexpr uint16_t kMinEighths = 1, kMaxEighths = 8;

struct Request {
    Command command = Command::Show;
    CleanMode mode = CleanMode::None; // clean only
    uint16_t eighths = 0;             // organise only: 1 to 8
    uint32_t id = 0;                  // echoed by the answer and the reply
};
constexpr size_t kRequestSize = 16;

std::vector<uint8_t> EncodeRequest(const Request& request);
std::optional<Request> ParseRequest(const void* data, size_t size);

enum class Answer : uint16_t {
    Done = 1,       // show and exit: carried out (an exit's connection closes when Tidewell has gone)
    Accepted = 2,   // clean: started; the reply follows when it ends
    Busy = 3,       // clean: a run is in progress; nothing started
    Invalid = 4,    // the request made no sense; nothing done
    Failed = 5,     // clean: the run could not start
    TooSoon = 6,    // clean: the last one ended less than 30 s ago; nothing started
    NotAllowed = 7, // the caller may not drive Tidewell; nothing done
    TurnedOff = 8,  // an organisation turned requests off; nothing done
};

struct AnswerRecord {
    Answer answer = Answer::Invalid;
    uint32_t id = 0;
    uint16_t waitSeconds = 0; // TooSoon only: 1 to 30
};
constexpr size_t kAnswerSize = 16;

std::vector<uint8_t> EncodeAnswer(const AnswerRecord& answer);
std::optional<AnswerRecord> ParseAnswer(const void* data, size_t size);

enum class Outcome : uint16_t { Done = 1, Failed = 2 };

// The figures of a clean a caller asked for, once it has ended.
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
