// SPDX-License-Identifier: MIT
#include "Recorder.h"

#include <algorithm>
#include <optional>

namespace progress {

Recorder::Recorder(std::filesystem::path path, TimeMs now, Notify notify)
    : m_notify(std::move(notify)) {
    m_thread = std::thread([this, path = std::move(path), now] { Work(path, now); });
}

Recorder::~Recorder() {
    {
        const std::lock_guard queue(m_queueMutex);
        m_stopping = true;
        // An opening that no write waits for is cut short; one that writes wait for is not.
        if (m_writes.empty()) {
            m_cancel.Cancel();
        }
    }
    m_changed.notify_all();
    m_thread.join();
}

void Recorder::Post(Write write, Done done) {
    {
        const std::lock_guard queue(m_queueMutex);
        m_writes.push_back({std::move(write), std::move(done)});
    }
    m_changed.notify_all();
}

bool Recorder::Opened() const {
    const std::lock_guard queue(m_queueMutex);
    return m_opened;
}

std::size_t Recorder::Waiting() const {
    const std::lock_guard queue(m_queueMutex);
    return m_writes.size();
}

void Recorder::Work(const std::filesystem::path& path, TimeMs now) {
    auto store = std::make_unique<Store>(path, now, &m_cancel, kBusyWait);
    {
        const std::lock_guard queue(m_queueMutex);
        m_store = std::move(store);
        m_opened = true;
    }
    m_changed.notify_all();
    if (m_notify) {
        m_notify();
    }
    using Clock = std::chrono::steady_clock;
    std::chrono::milliseconds retry = kFirstRetry;
    std::optional<Clock::time_point> finishBy;
    std::unique_lock queue(m_queueMutex);
    for (;;) {
        m_changed.wait(queue, [this] { return m_stopping || !m_writes.empty(); });
        if (m_writes.empty()) {
            return;
        }
        if (m_stopping && !finishBy) {
            finishBy = Clock::now() + kFinishing;
        }
        const bool last = finishBy && Clock::now() >= *finishBy;
        queue.unlock();
        const bool taken = MakeFirst(last);
        queue.lock();
        if (taken) {
            retry = kFirstRetry;
            continue;
        }
        // The file is held by another program: the writes wait, reads need not.
        m_retrying = true;
        m_changed.notify_all();
        const bool stopping = m_stopping;
        m_changed.wait_for(queue, stopping ? kFirstRetry : retry,
                           [this, stopping] { return m_stopping != stopping; });
        m_retrying = false;
        retry = std::min(retry * 2, kLastRetry);
    }
}

bool Recorder::MakeFirst(bool last) {
    // Only this thread takes writes off the queue, so the first stays where it is meanwhile.
    Job* job = nullptr;
    {
        const std::lock_guard queue(m_queueMutex);
        job = &m_writes.front();
    }
    bool made = false;
    bool busy = false;
    bool failed = false;
    {
        const std::lock_guard store(m_storeMutex);
        const bool recording = m_store->Recording();
        made = job->write(*m_store);
        busy = !made && m_store->Busy();
        failed = !made && recording && !busy;
    }
    if (busy && !last) {
        return false;
    }
    if (job->done) {
        job->done(made);
    }
    if (failed && m_notify) {
        m_notify();
    }
    {
        const std::lock_guard queue(m_queueMutex);
        m_writes.pop_front();
    }
    m_changed.notify_all();
    return true;
}

} // namespace progress
