// SPDX-License-Identifier: MIT
#include "Sending.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace statements {
namespace {

// An IMF-fixdate, "Sun, 06 Nov 1994 08:49:37 GMT", as milliseconds since 1970.
std::optional<std::int64_t> HttpDate(const std::string& text) {
    static constexpr std::array<const char*, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (text.size() != 29 || text[3] != ',' || text.compare(25, 4, " GMT") != 0) {
        return std::nullopt;
    }
    const auto number = [&](std::size_t at, std::size_t length) -> std::optional<int> {
        int value = 0;
        const char* first = text.data() + at;
        const auto [end, error] = std::from_chars(first, first + length, value);
        return error == std::errc() && end == first + length ? std::optional(value) : std::nullopt;
    };
    const auto day = number(5, 2);
    const auto year = number(12, 4);
    const auto hours = number(17, 2);
    const auto minutes = number(20, 2);
    const auto seconds = number(23, 2);
    const auto* month = std::find_if(kMonths.begin(), kMonths.end(), [&](const char* name) {
        return text.compare(8, 3, name) == 0;
    });
    if (!day || !year || !hours || !minutes || !seconds || month == kMonths.end()) {
        return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day date{
        std::chrono::year(*year),
        std::chrono::month(static_cast<unsigned>(month - kMonths.begin() + 1)),
        std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok() || *hours > 23 || *minutes > 59 || *seconds > 60) {
        return std::nullopt;
    }
    const auto at = sys_days(date) + std::chrono::hours(*hours) + std::chrono::minutes(*minutes) +
                    std::chrono::seconds(*seconds);
    return duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count();
}

} // namespace

Backoff::Backoff(std::uint64_t seed) : m_random(seed) {}

milliseconds Backoff::Next() {
    const int doublings = std::min(m_failures, 20);
    ++m_failures;
    const auto full = std::min<long long>(kFirst.count() << doublings, kLast.count());
    std::uniform_int_distribution<long long> share(full / 2, full);
    return milliseconds(share(m_random));
}

std::optional<milliseconds> RetryAfter(const std::string& header, std::int64_t nowMs) {
    const auto first = header.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const std::string text = header.substr(first, header.find_last_not_of(" \t") - first + 1);
    long long seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error == std::errc() && end == text.data() + text.size()) {
        if (seconds < 0) {
            return std::nullopt;
        }
        return std::min(milliseconds(std::min(seconds, 1LL << 40) * 1000), kLongestRetryAfter);
    }
    if (error == std::errc::result_out_of_range) {
        return kLongestRetryAfter;
    }
    const auto at = HttpDate(text);
    if (!at) {
        return std::nullopt;
    }
    return std::clamp(milliseconds(*at - nowMs), milliseconds(0), kLongestRetryAfter);
}

Sending::Sending(std::size_t batch, std::uint64_t seed)
    : m_batch(std::max<std::size_t>(batch, 1)), m_backoff(seed) {}

void Sending::Load(const std::vector<Waiting>& waiting) {
    if (!m_batches.empty()) {
        return;
    }
    for (std::size_t at = 0; at < waiting.size(); at += m_batch) {
        const auto end =
            waiting.begin() + static_cast<std::ptrdiff_t>(std::min(at + m_batch, waiting.size()));
        m_batches.emplace_back(waiting.begin() + static_cast<std::ptrdiff_t>(at), end);
    }
}

void Sending::Split() {
    std::vector<Waiting> whole = std::move(m_batches.front());
    m_batches.pop_front();
    const auto half = whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2);
    m_batches.emplace_front(half, whole.end());
    m_batches.emplace_front(whole.begin(), half);
}

Sending::Step Sending::Answered(int status, const std::string& answer,
                                std::optional<milliseconds> retryAfter) {
    Step step;
    if (m_batches.empty()) {
        return step;
    }
    const bool single = m_batches.front().size() == 1;
    if ((status >= 200 && status < 300) || (status == 409 && single)) {
        for (const Waiting& waiting : m_batches.front()) {
            step.sent.push_back(waiting.row);
        }
        m_batches.pop_front();
        m_backoff.Reset();
    } else if (status == 401 || status == 403) {
        step.stop = true;
    } else if (status == 429 || status == 503) {
        step.wait = retryAfter ? *retryAfter : m_backoff.Next();
    } else if (status >= 400 && status < 500) {
        if (single) {
            step.rejected = m_batches.front().front().row;
            step.answer = answer;
            m_batches.pop_front();
        } else {
            Split();
        }
    } else {
        step.wait = m_backoff.Next();
    }
    return step;
}

} // namespace statements
