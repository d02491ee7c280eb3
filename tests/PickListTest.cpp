// SPDX-License-Identifier: MIT
#include "PickList.h"

#include "Collation.h"
#include "PickListHelpers.h"
#include "SiteTable.h"

#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using quiz::PickList;
using quiztest::Items;

const quiz::Collation& SharedCollation() {
    static const quiz::Collation collation;
    return collation;
}

PickList& Fill(PickList& list, const std::vector<std::string>& texts) {
    for (const auto& text : texts) {
        list.AddItem(text);
    }
    return list;
}

// Two texts, added in either order, must come out in the expected order.
struct OrderCase {
    const char* name;
    std::string first;
    std::string second;
};

void PrintTo(const OrderCase& row, std::ostream* out) {
    *out << row.name;
}

class PickListOrder : public testing::TestWithParam<OrderCase> {};

TEST_P(PickListOrder, SortsWhicheverComesFirst) {
    const OrderCase& order = GetParam();
    PickList forward(SharedCollation());
    PickList backward(SharedCollation());
    const std::vector<std::string> expected{order.first, order.second};
    EXPECT_EQ(Items(Fill(forward, {order.first, order.second})), expected);
    EXPECT_EQ(Items(Fill(backward, {order.second, order.first})), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Collation, PickListOrder,
    testing::Values(
        OrderCase{"hard_sign_before_yu", "Ъгъл", "Юг"},
        OrderCase{"short_i_is_a_letter_of_its_own", "Ирина", "Йордан"},
        OrderCase{"case_does_not_decide", "благоевград", "Враца"},
        OrderCase{"quote_does_not_decide", "Музей \u201EКольо Фичето\u201C", "Музей на мозайките"},
        OrderCase{"hyphen_does_not_decide", "Къкринско ханче", "Къща-музей \u201EАлеко\u201C"},
        OrderCase{"space_does_not_decide", "Античен град \"Кабиле\"", "Античен театър"},
        OrderCase{"shorter_word_first", "Пещера", "Пещера Магура"},
        OrderCase{"tie_broken_by_bytes_case", "Русе", "русе"},
        OrderCase{"tie_broken_by_bytes_quote", "Мадара \"А\"", "Мадара \u201EА\u201C"}),
    [](const testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

TEST(PickList, StartsEmptyWithoutSelection) {
    const PickList list(SharedCollation());
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST(PickList, RemoveItemMovesLaterItemsUp) {
    PickList list(SharedCollation());
    Fill(list, {"Видин", "Враца", "Габрово", "Девня"});
    list.RemoveItem(1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Видин", "Габрово", "Девня"}));
}

TEST(PickList, SelectionFollowsItsItem) {
    PickList list(SharedCollation());
    Fill(list, {"Видин", "Габрово", "Девня"});
    list.SetListIndex(1);
    list.AddItem("Бургас");
    EXPECT_EQ(list.List(list.ListIndex()), "Габрово");
    list.RemoveItem(0);
    EXPECT_EQ(list.List(list.ListIndex()), "Габрово");
    list.RemoveItem(2);
    EXPECT_EQ(list.List(list.ListIndex()), "Габрово");
    list.RemoveItem(list.ListIndex());
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST(PickList, ClearDropsItemsAndSelection) {
    PickList list(SharedCollation());
    Fill(list, {"Видин", "Габрово"});
    list.SetListIndex(0);
    list.Clear();
    EXPECT_EQ(list.ListCount(), 0);
    EXPECT_EQ(list.ListIndex(), -1);
}

// A bad index must be an error that names the operation and the index, never a wild read.
TEST(PickList, RejectsIndexesOutsideTheList) {
    PickList list(SharedCollation());
    Fill(list, {"Видин", "Габрово"});
    const auto expectError = [](auto operation, const std::string& message) {
        try {
            operation();
            ADD_FAILURE() << "no error for: " << message;
        } catch (const std::out_of_range& error) {
            EXPECT_EQ(error.what(), message);
        }
    };
    expectError([&] { (void)list.List(2); }, "List: index 2 is outside a list of 2 items");
    expectError([&] { (void)list.List(-1); }, "List: index -1 is outside a list of 2 items");
    expectError([&] { list.RemoveItem(5); }, "RemoveItem: index 5 is outside a list of 2 items");
    expectError([&] { list.SetListIndex(-2); }, "ListIndex: index -2 is outside a list of 2 items");
    expectError([&] { list.SetListIndex(2); }, "ListIndex: index 2 is outside a list of 2 items");
    EXPECT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST(PickList, HoldsNoMoreThanASixteenBitIndexReaches) {
    PickList list(SharedCollation());
    for (int count = 0; count < quiz::kMaxItems; ++count) {
        list.AddItem("Видин");
    }
    EXPECT_THROW(list.AddItem("Видин"), std::length_error);
    EXPECT_EQ(list.ListCount(), quiz::kMaxItems);
}

// Records what an observer hears, as a Qt item model would have to follow it.
class Recorder : public quiz::PickListObserver {
public:
    std::vector<std::string> events;

    void ItemAboutToBeInserted(int index) override { Add("insert?", index); }
    void ItemInserted(int index) override { Add("insert", index); }
    void ItemAboutToBeRemoved(int index) override { Add("remove?", index); }
    void ItemRemoved(int index) override { Add("remove", index); }
    void ListAboutToBeCleared() override { events.emplace_back("clear?"); }
    void ListCleared() override { events.emplace_back("clear"); }
    void ListIndexChanged(int index) override { Add("select", index); }

private:
    void Add(const char* what, int index) {
        events.push_back(what + (" " + std::to_string(index)));
    }
};

TEST(PickList, TellsItsObserverExactlyWhatChanged) {
    PickList list(SharedCollation());
    Recorder recorder;
    list.SetObserver(&recorder);
    Fill(list, {"Габрово", "Видин"});
    list.SetListIndex(1);
    list.SetListIndex(1);
    list.AddItem("Бургас");
    list.RemoveItem(0);
    list.RemoveItem(1);
    list.Clear();
    EXPECT_EQ(recorder.events,
              (std::vector<std::string>{"insert? 0", "insert 0", "insert? 0", "insert 0",
                                        "select 1", "insert? 0", "insert 0", "select 2",
                                        "remove? 0", "remove 0", "select 1", "remove? 1",
                                        "remove 1", "select -1", "clear?", "clear"}));
}

} // namespace
