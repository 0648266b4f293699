#include "remote/command_protocol.h"

#include <utility>

#include "remote/clean_spacing.h"

namespace remote {
namespace {

class Writer {
public:
    explicit Writer(size_t size) { bytes_.reserve(size); }
    Writer& U16(uint16_t v) { return Put(v, 2); }
    Writer& U32(uint32_t v) { return Put(v, 4); }
    Writer& I32(int32_t v) { return Put(static_cast<uint32_t>(v), 4); }
    Writer& Status(const MemoryStatus& s)
    {
        return I32(s.availPhysMB).I32(s.totalPhysMB).I32(s.availVirtualMB).I32(s.totalVirtualMB);
    }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    Writer& Put(uint32_t v, int count)
    {
        for (int i = 0; i < count; ++i)
            bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }
    std::vector<uint8_t> bytes_;
};

class Reader {
public:
    explicit Reader(const void* data) : p_(static_cast<const uint8_t*>(data)) {}
    uint16_t U16() { return static_cast<uint16_t>(Get(2)); }
    uint32_t U32() { return Get(4); }
    int32_t I32() { return static_cast<int32_t>(Get(4)); }
    MemoryStatus Status()
    {
        MemoryStatus s;
        s.availPhysMB = I32();
        s.totalPhysMB = I32();
        s.availVirtualMB = I32();
        s.totalVirtualMB = I32();
        return s;
    }

private:
    uint32_t Get(int count)
    {
        uint32_t v = 0;
        for (int i = 0; i < count; ++i)
            v |= static_cast<uint32_t>(*p_++) << (8 * i);
        return v;
    }
    const uint8_t* p_;
};

// Organise takes 1 to 8 eighths; the growing run chooses its own steps.
bool ValidClean(uint16_t mode, uint16_t eighths)
{
    if (mode == static_cast<uint16_t>(CleanMode::Organise))
        return eighths >= kMinEighths && eighths <= kMaxEighths;
    return mode == static_cast<uint16_t>(CleanMode::Growing) && eighths == 0;
}

bool ValidStatus(const MemoryStatus& s)
{
    return s.availPhysMB >= 0 && s.totalPhysMB >= 0 && s.availVirtualMB >= 0 && s.totalVirtualMB >= 0;
}

} // namespace

std::vector<uint8_t> EncodeRequest(const Request& request)
{
    return Writer(kRequestSize)
        .U32(kRequestTag)
        .U16(kVersion)
        .U16(static_cast<uint16_t>(request.command))
        .U32(request.id)
        .U16(static_cast<uint16_t>(request.mode))
        .U16(request.eighths)
        .Take();
}

std::optional<Request> ParseRequest(const void* data, size_t size)
{
    if (!data || size != kRequestSize)
        return std::nullopt;
    Reader in(data);
    if (in.U32() != kRequestTag || in.U16() != kVersion)
        return std::nullopt;
    const uint16_t command = in.U16();
    Request request;
    request.id = in.U32();
    const uint16_t mode = in.U16();
    const uint16_t eighths = in.U16();
    switch (command) {
    case static_cast<uint16_t>(Command::Show):
    case static_cast<uint16_t>(Command::Exit):
        if (mode != 0 || eighths != 0)
            return std::nullopt;
        break;
    case static_cast<uint16_t>(Command::Clean):
        if (!ValidClean(mode, eighths))
            return std::nullopt;
        break;
    default: return std::nullopt;
    }
    request.command = static_cast<Command>(command);
    request.mode = static_cast<CleanMode>(mode);
    request.eighths = eighths;
    return request;
}

std::vector<uint8_t> EncodeAnswer(const AnswerRecord& answer)
{
    return Writer(kAnswerSize)
        .U32(kAnswerTag)
        .U16(kVersion)
        .U16(static_cast<uint16_t>(answer.answer))
        .U32(answer.id)
        .U16(answer.waitSeconds)
        .U16(0)
        .Take();
}

std::optional<AnswerRecord> ParseAnswer(const void* data, size_t size)
{
    if (!data || size != kAnswerSize)
        return std::nullopt;
    Reader in(data);
    if (in.U32() != kAnswerTag || in.U16() != kVersion)
        return std::nullopt;
    const uint16_t answer = in.U16();
    AnswerRecord record;
    record.id = in.U32();
    record.waitSeconds = in.U16();
    const bool tooSoon = answer == static_cast<uint16_t>(Answer::TooSoon);
    if (answer < static_cast<uint16_t>(Answer::Done) || answer > static_cast<uint16_t>(Answer::TurnedOff) ||
        in.U16() != 0 || tooSoon != (record.waitSeconds != 0) || record.waitSeconds > kCleanSpacingMs / 1000)
        return std::nullopt;
    record.answer = static_cast<Answer>(answer);
    return record;
}

std::vector<uint8_t> EncodeReply(const CleanReply& reply)
{
    return Writer(kReplySize)
        .U32(kReplyTag)
        .U16(kVersion)
        .U16(static_cast<uint16_t>(reply.outcome))
        .U32(reply.id)
        .U16(static_cast<uint16_t>(reply.mode))
        .U16(reply.eighths)
        .Status(reply.before)
        .Status(reply.after)
        .Take();
}

std::optional<CleanReply> ParseReply(const void* data, size_t size)
{
    if (!data || size != kReplySize)
        return std::nullopt;
    Reader in(data);
    if (in.U32() != kReplyTag || in.U16() != kVersion)
        return std::nullopt;
    const uint16_t outcome = in.U16();
    CleanReply reply;
    reply.id = in.U32();
    const uint16_t mode = in.U16();
    const uint16_t eighths = in.U16();
    reply.before = in.Status();
    reply.after = in.Status();
    if ((outcome != static_cast<uint16_t>(Outcome::Done) && outcome != static_cast<uint16_t>(Outcome::Failed)) ||
        !ValidClean(mode, eighths) || !ValidStatus(reply.before) || !ValidStatus(reply.after))
        return std::nullopt;
    reply.outcome = static_cast<Outcome>(outcome);
    reply.mode = static_cast<CleanMode>(mode);
    reply.eighths = eighths;
    return reply;
}

} // namespace remote
