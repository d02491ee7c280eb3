// SPDX-License-Identifier: MIT
// What sending does with each answer of a learning record store: which statements count as
// sent, which one is kept aside, how long to wait before trying again, when to stop.
#pragma once

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace statements {

using std::chrono::milliseconds;

// A statement waiting in the store's outbox: its row there, its id, its JSON.
struct Waiting {
    long long row = 0;
    std::string id;
    std::string statement;
};

// Waits that grow from kFirst, doubling to kLast, each a random share between half and all of
// it, so that thirty computers that lost the same server do not all come back at one moment.
class Backoff {
public:
    static constexpr milliseconds kFirst{1000};
    static constexpr milliseconds kLast{300'000};
    explicit Backoff(std::uint64_t seed = std::random_device{}());
    milliseconds Next();
    void Reset() { m_failures = 0; }

private:
    std::mt19937_64 m_random;
    int m_failures = 0;
};

// A Retry-After header's wait: seconds, or an HTTP date (RFC 9110) against the time now, at
// most an hour; none for a header that says neither.
inline constexpr milliseconds kLongestRetryAfter{3'600'000};
[[nodiscard]] std::optional<milliseconds> RetryAfter(const std::string& header, std::int64_t nowMs);

// The statements to send, oldest first, in batches. A batch that the store refuses with a
// client error (4xx but 401, 403, 409 and 429) is split in halves until the one statement it
// refuses is found; that one is kept aside with the answer, the others are sent. 409 means
// the store has a statement of that id already: for one statement, sent.
class Sending {
public:
    static constexpr std::size_t kBatch = 100;
    // What a server's answer leaves to do.
    struct Step {
        std::vector<long long> sent;      // rows now sent
        long long rejected = 0;           // a row kept aside, or 0
        std::string answer;               // the server's answer for it
        std::optional<milliseconds> wait; // before the next try
        bool stop = false;                // the credentials are refused: no more tries
    };

    explicit Sending(std::size_t batch = kBatch, std::uint64_t seed = std::random_device{}());
    // Puts the statements read from the store in line, when none are.
    void Load(const std::vector<Waiting>& waiting);
    [[nodiscard]] bool Idle() const { return m_batches.empty(); }
    // The batch to send now; Idle() must be false.
    [[nodiscard]] const std::vector<Waiting>& Batch() const { return m_batches.front(); }
    // HTTP status 0 for no answer at all (the server down, the connection closed, a timeout).
    Step Answered(int status, const std::string& answer, std::optional<milliseconds> retryAfter);

private:
    void Split();
    std::size_t m_batch;
    std::deque<std::vector<Waiting>> m_batches;
    Backoff m_backoff;
};

} // namespace statements
