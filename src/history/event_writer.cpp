#include "history/event_writer.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

struct EventWriter::Queue {
    Write write;
    std::mutex lock;
    std::condition_variable wake;
    std::deque<CleanEvent> waiting;
    bool running = false, closing = false, writing = false;
    std::atomic<uint32_t> lost{0};

    void Run()
    {
        std::unique_lock guard(lock);
        for (;;) {
            wake.wait(guard, [this] { return closing || !waiting.empty(); });
            if (waiting.empty())
                return;
            const CleanEvent event = std::move(waiting.front());
            waiting.pop_front();
            writing = true;
            guard.unlock();
            if (!write(event))
                ++lost;
            guard.lock();
            writing = false;
            wake.notify_all(); // the owner may be waiting for the last ones
        }
    }
};

EventWriter::EventWriter(Write write) : queue_(std::make_shared<Queue>())
{
    queue_->write = std::move(write);
    try {
        std::thread([queue = queue_] { queue->Run(); }).detach();
        queue_->running = true;
    } catch (const std::system_error&) {
        // No thread: every record is lost, and counted.
    }
}

EventWriter::~EventWriter()
{
    std::unique_lock guard(queue_->lock);
    queue_->closing = true;
    queue_->wake.notify_all();
    // A clean the exit stopped is recorded last: its event gets a moment, a stuck log no more.
    queue_->wake.wait_for(guard, kLastWait, [this] { return queue_->waiting.empty() && !queue_->writing; });
}

void EventWriter::Add(const CleanRecord& record)
{
    {
        const std::lock_guard guard(queue_->lock);
        if (queue_->running && queue_->waiting.size() < kWaiting) {
            queue_->waiting.push_back(EventOfRecord(record));
            queue_->wake.notify_one();
            return;
        }
    }
    ++queue_->lost;
}

uint32_t EventWriter::Lost() const { return queue_->lost; }
