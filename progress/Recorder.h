// SPDX-License-Identifier: MIT
// The store on a thread of its own, so that no verdict waits for the disk.
#pragma once

#include "Store.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

namespace progress {

// Opens the store on its own thread and makes every write there, one after another in the
// order they were handed in, so that whoever hands one in never waits: not for a long opening,
// not for the disk, not for another window's write. A write that finds the file held by
// another program for longer than kBusyWait is tried again later, after a wait that grows from
// kFirstRetry to kLastRetry, and the writes behind it wait their turn; nothing is dropped for
// it. The wait is short, since a read waits for the write being made. A read
// waits until the store is open and every write handed in before it is made (but for one that
// waits to be tried again), then runs on the reader's thread. Going, it makes the writes still
// waiting (trying a busy one for at most kFinishing more), or cuts short an opening that none
// waits for.
class Recorder {
public:
    // Hands the writer's thread's news on: the store opened, or a write failed. Called on
    // that thread; the store is not to be touched in it.
    using Notify = std::function<void()>;
    // A write; false when it was not made (the store says why, or that the file was busy).
    using Write = std::function<bool(Store&)>;
    // What the writer's thread does once a write has gone its way: made or not.
    using Done = std::function<void(bool made)>;

    static constexpr std::chrono::milliseconds kBusyWait{100};
    static constexpr std::chrono::milliseconds kFirstRetry{250};
    static constexpr std::chrono::milliseconds kLastRetry{8000};
    static constexpr std::chrono::milliseconds kFinishing{10000};

    Recorder(std::filesystem::path path, TimeMs now, Notify notify = {});
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    void Post(Write write, Done done = {});

    template <typename Reading> auto Read(Reading reading) {
        std::unique_lock queue(m_queueMutex);
        m_changed.wait(queue, [this] { return m_opened && (m_writes.empty() || m_retrying); });
        const std::lock_guard store(m_storeMutex);
        return reading(static_cast<const Store&>(*m_store));
    }
    // Whether the store has opened, without waiting for it.
    [[nodiscard]] bool Opened() const;
    // How many writes wait, the one being made included.
    [[nodiscard]] std::size_t Waiting() const;

private:
    struct Job {
        Write write;
        Done done;
    };
    void Work(const std::filesystem::path& path, TimeMs now);
    // Makes the first write and takes it off the queue, or, finding the file busy, leaves it
    // there to be tried again and returns false; the last try takes it off all the same.
    bool MakeFirst(bool last);

    Notify m_notify;
    Cancellation m_cancel;
    std::unique_ptr<Store> m_store;
    mutable std::mutex m_queueMutex;
    // Held while the store is used, by a write or a read.
    std::mutex m_storeMutex;
    std::condition_variable m_changed;
    std::deque<Job> m_writes;
    bool m_opened = false;
    bool m_retrying = false;
    bool m_stopping = false;
    std::thread m_thread;
};

} // namespace progress
