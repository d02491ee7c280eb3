// SPDX-License-Identifier: MIT
// libFuzzer target: turns bytes into engine operations, good and bad, in any order.
// Every bad one must end in the engine's exception with a message that names the operation;
// nothing may crash, and the lists must stay sorted, hold at most 60 items and one selection.
#include <Collation.h>
#include <Quiz.h>
#include <SiteTable.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    [[nodiscard]] bool Empty() const { return m_at >= m_size; }
    std::uint8_t Byte() { return Empty() ? 0 : m_data[m_at++]; }
    // Any index a caller could pass, from far below -1 to far past the end.
    int Index() { return static_cast<std::int16_t>(Byte() | Byte() << 8); }
    std::string Text() {
        std::string text(Byte() % 16, '\0');
        for (char& c : text) {
            c = static_cast<char>(Byte());
        }
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "quiz fuzzer: %s\n", what.c_str());
    std::abort();
}

const quiz::Collation& Order() {
    static const quiz::Collation collation;
    return collation;
}

void CheckInvariants(const quiz::Quiz& quiz) {
    if (quiz.RightPairs() < 0 || quiz.RightPairs() > quiz.Checks()) {
        Fail(std::to_string(quiz.RightPairs()) + " right of " + std::to_string(quiz.Checks()));
    }
    if (quiz.RoundOver() != (quiz.Checks() > 0 && quiz.Settlements().ListCount() == 0 &&
                             quiz.Sites().ListCount() == 0)) {
        Fail("the round is over with items left, or goes on with none");
    }
    // The review lists each row once, in the settlement list's order.
    const std::vector<std::size_t> missed = quiz.MissedRows();
    for (std::size_t at = 1; at < missed.size(); ++at) {
        if (!Order().Less(quiz::kSiteTable.at(missed[at - 1]).settlement,
                          quiz::kSiteTable.at(missed[at]).settlement)) {
            Fail("missed rows out of order at " + std::to_string(at));
        }
    }
    for (const quiz::PickList* list : {&quiz.Settlements(), &quiz.Sites()}) {
        if (list->ListIndex() < -1 || list->ListIndex() >= list->ListCount()) {
            Fail("selection " + std::to_string(list->ListIndex()) + " outside the list");
        }
        for (int index = 1; index < list->ListCount(); ++index) {
            if (Order().Less(list->List(index), list->List(index - 1))) {
                Fail("list out of order at " + std::to_string(index));
            }
        }
    }
}

// Runs one operation; `valid` says whether it is good use. Bad use must throw, with a
// message that begins with the operation's name.
template <typename Operation> void Expect(bool valid, std::string_view name, Operation operation) {
    try {
        operation();
    } catch (const std::logic_error& error) {
        if (valid) {
            Fail(std::string(name) + " threw on good use: " + error.what());
        }
        if (!std::string_view(error.what()).starts_with(std::string(name) + ":")) {
            Fail(std::string(name) + " threw an unclear message: " + error.what());
        }
        return;
    }
    if (!valid) {
        Fail(std::string(name) + " took bad use without an error");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    quiz::Quiz quiz;
    while (!bytes.Empty()) {
        const std::uint8_t operation = bytes.Byte();
        quiz::PickList& list = (operation & 0x80) != 0 ? quiz.Sites() : quiz.Settlements();
        const auto inRange = [&list](int index) {
            return index >= 0 && index < list.ListCount();
        };
        switch (operation & 0x07) {
        case 0:
            quiz.FillLists();
            break;
        case 1:
            if ((operation & 0x40) != 0) {
                Expect(quiz.RoundOver() && !quiz.MissedRows().empty(), "PracticeMissed",
                       [&] { quiz.PracticeMissed(); });
            } else {
                quiz.ClearClick();
            }
            break;
        case 2: {
            const int index = bytes.Index() % 70;
            Expect(index == -1 || inRange(index), "ListIndex", [&] { list.SetListIndex(index); });
            break;
        }
        case 3:
            quiz.ListClick();
            break;
        case 4:
            Expect(quiz.Settlements().ListIndex() >= 0 && quiz.Sites().ListIndex() >= 0,
                   "CheckPair", [&] { quiz.CheckPair(); });
            break;
        case 5: {
            const int index = bytes.Index();
            Expect(inRange(index), "RemoveItem", [&] { list.RemoveItem(index); });
            break;
        }
        case 6: {
            const int index = bytes.Index();
            Expect(inRange(index), "List", [&] { (void)list.List(index); });
            break;
        }
        default:
            // Foreign texts, even broken UTF-8, while there is room below the table's size.
            if (list.ListCount() < static_cast<int>(quiz::kSiteTable.size())) {
                list.AddItem(bytes.Text());
            }
            break;
        }
        CheckInvariants(quiz);
    }
    return 0;
}
