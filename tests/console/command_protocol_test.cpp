#include "console/command_protocol.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using remote::CleanMode;
using remote::Command;

std::vector<uint8_t> Organise4() { return remote::EncodeRequest({Command::Clean, CleanMode::Organise, 4, 77}); }

TEST(CommandProtocol, RecordsRoundTripAndValuesOutOfRangeAreRefusedWhole)
{
    for (const remote::Request& sent : {remote::Request{Command::Show, CleanMode::None, 0, 1},
                                        remote::Request{Command::Exit, CleanMode::None, 0, 0xFFFFFFFF},
                                        remote::Request{Command::Clean, CleanMode::Organise, 8, 2},
                                        remote::Request{Command::Clean, CleanMode::Growing, 0, 3}}) {
        const std::vector<uint8_t> bytes = remote::EncodeRequest(sent);
        ASSERT_EQ(bytes.size(), remote::kRequestSize);
        const auto parsed = remote::ParseRequest(bytes.data(), bytes.size());
        ASSERT_TRUE(parsed);
        EXPECT_EQ(remote::EncodeRequest(*parsed), bytes);
    }
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

// Random records and random damage to valid ones: nothing crashes, and whatever is accepted is
// exactly what encoding its fields gives back, so no byte (tag, version, size) is read loosely.
TEST(CommandProtocol, FuzzedRecordsAreRefusedOrCanonical)
{
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    remote::CleanReply reply;
    reply.mode = CleanMode::Growing;
    const std::vector<std::vector<uint8_t>> seeds = {
        Organise4(), remote::EncodeRequest({Command::Exit, CleanMode::None, 0, 5}), remote::EncodeReply(reply)};
    int accepted = 0;
    for (int round = 0; round < 50000; ++round) {
        std::vector<uint8_t> bytes;
        if (round % 4 == 0) {
            bytes.resize(static_cast<size_t>(byte(random)) % 64);
            for (uint8_t& b : bytes)
                b = static_cast<uint8_t>(byte(random));
        } else {
            bytes = seeds[static_cast<size_t>(round) % seeds.size()];
            for (int flips = 1 + byte(random) % 3; flips > 0; --flips)
                bytes[static_cast<size_t>(byte(random)) % bytes.size()] = static_cast<uint8_t>(byte(random));
            if (byte(random) < 8)
                bytes.resize(static_cast<size_t>(byte(random)) % 64);
        }
        if (const auto request = remote::ParseRequest(bytes.data(), bytes.size())) {
            ++accepted;
            ASSERT_EQ(remote::EncodeRequest(*request), bytes) << "round " << round;
        }
        if (const auto parsed = remote::ParseReply(bytes.data(), bytes.size())) {
            ++accepted;
            ASSERT_EQ(remote::EncodeReply(*parsed), bytes) << "round " << round;
        }
    }
    EXPECT_GT(accepted, 500) << "the damage should leave some records valid (ids, figures)";
}

} // namespace
