#include "console/command_protocol.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using remote::CleanMode;
using remote::Command;

TEST(CommandProtocol, ValuesOutOfRangeAreRefusedWhole)
{
    // Records that read back as they were written, but ask for something that does not exist.
    for (const remote::Request& refused : {remote::Request{static_cast<Command>(0), CleanMode::None, 0, 1},
                                           remote::Request{static_cast<Command>(4), CleanMode::None, 0, 1},
                                           remote::Request{Command::Clean, static_cast<CleanMode>(3), 0, 1},
                                           remote::Request{Command::Clean, CleanMode::None, 0, 1},
                                           remote::Request{Command::Clean, CleanMode::Organise, 0, 1},
                                           remote::Request{Command::Clean, CleanMode::Organise, 9, 1},
                                           remote::Request{Command::Clean, CleanMode::Growing, 3, 1},
                                           remote::Request{Command::Show, CleanMode::Organise, 0, 1}}) {
        const std::vector<uint8_t> bytes = remote::EncodeRequest(refused);
        EXPECT_FALSE(remote::ParseRequest(bytes.data(), bytes.size()))
            << static_cast<int>(refused.command) << " " << static_cast<int>(refused.mode) << " " << refused.eighths;
    }
    EXPECT_FALSE(remote::ParseRequest(nullptr, remote::kRequestSize));

    remote::CleanReply sent;
    sent.id = 9;
    sent.outcome = remote::Outcome::Failed;
    sent.mode = CleanMode::Organise;
    sent.eighths = 5;
    sent.before = {100, 256, 1900, 2048};
    sent.after = {180, 256, 1890, 2048};
    std::vector<uint8_t> bytes = remote::EncodeReply(sent);
    ASSERT_EQ(bytes.size(), remote::kReplySize);
    const auto parsed = remote::ParseReply(bytes.data(), bytes.size());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->after.availPhysMB, 180);
    EXPECT_EQ(remote::EncodeReply(*parsed), bytes);
    bytes[6] = 3; // outcome
    EXPECT_FALSE(remote::ParseReply(bytes.data(), bytes.size()));
    sent.after.availPhysMB = -1;
    bytes = remote::EncodeReply(sent);
    EXPECT_FALSE(remote::ParseReply(bytes.data(), bytes.size()));
}

// Every single-byte change of a valid record, and every wrong size: refused, or read back exactly
// as it was written, so no byte (tag, version, high bytes) is read loosely.
TEST(CommandProtocol, EveryByteChangeIsRefusedOrReadsBackAsWritten)
{
    remote::CleanReply reply;
    reply.mode = CleanMode::Growing;
    for (const std::vector<uint8_t>& seed :
         {remote::EncodeRequest({Command::Clean, CleanMode::Organise, 8, 77}),
          remote::EncodeRequest({Command::Exit, CleanMode::None, 0, 5}), remote::EncodeReply(reply)}) {
        ASSERT_TRUE(remote::ParseRequest(seed.data(), seed.size()) || remote::ParseReply(seed.data(), seed.size()));
        for (size_t offset = 0; offset < seed.size(); ++offset) {
            for (int value = 0; value < 256; ++value) {
                std::vector<uint8_t> bytes = seed;
                bytes[offset] = static_cast<uint8_t>(value);
                if (const auto request = remote::ParseRequest(bytes.data(), bytes.size())) {
                    ASSERT_EQ(remote::EncodeRequest(*request), bytes) << offset << " = " << value;
                }
                if (const auto parsed = remote::ParseReply(bytes.data(), bytes.size())) {
                    ASSERT_EQ(remote::EncodeReply(*parsed), bytes) << offset << " = " << value;
                }
            }
        }
        std::vector<uint8_t> longer = seed;
        longer.push_back(0);
        for (size_t size : {seed.size() - 1, longer.size()})
            EXPECT_FALSE(remote::ParseRequest(longer.data(), size) || remote::ParseReply(longer.data(), size)) << size;
    }
}

} // namespace
