#pragma once
// Hands each history record, as an event, to a writer that runs on a thread of its own, so that a
// slow or stuck event log never holds a clean's end or the window. While a write is under way at
// most kWaiting events wait; a record beyond them is dropped and counted, as is an event the
// writer could not write. The owner's end waits at most kLastWait for what is still waiting (the
// exit's own record among it); a write that hangs keeps only its own thread.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "history/clean_event.h"

class EventWriter {
public:
    // False when the event did not reach the log.
    using Write = std::function<bool(const CleanEvent&)>;
    static constexpr size_t kWaiting = 16;
    static constexpr std::chrono::milliseconds kLastWait{2000};

    explicit EventWriter(Write write);
    ~EventWriter();
    EventWriter(const EventWriter&) = delete;
    EventWriter& operator=(const EventWriter&) = delete;

    // Returns at once.
    void Add(const CleanRecord& record);
    // Events that did not reach the log: dropped, or not written.
    uint32_t Lost() const;

private:
    struct Queue;
    std::shared_ptr<Queue> queue_; // shared with the thread, which may outlive this object
};
