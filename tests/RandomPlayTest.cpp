// SPDX-License-Identifier: MIT
// Seeded random play: the engine and the reference model take the same actions and must
// agree on the lists, the selections and the message after every one of them.
#include "PickListHelpers.h"
#include "QuizModel.h"
#include "StoreHelpers.h"

#include <Learning.h>
#include <Quiz.h>
#include <SiteTable.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Action {
    enum Kind { kSelect, kClear, kPractice } kind = kSelect;
    int list = 0;
    int index = -1;
};

std::string Describe(const Action& action) {
    if (action.kind == Action::kClear) {
        return "clear";
    }
    if (action.kind == Action::kPractice) {
        return "practise the missed rows";
    }
    return "select list " + std::to_string(action.list) + " index " + std::to_string(action.index);
}

// Every other game is played on a teacher's table whose texts repeat: a true pair can then be
// picked again after its row is matched, and rows can be matched in more than one way.
const quiz::PairTable kRepeatedTexts{"Жанрове",
                                     {"автор", "жанр", "пример"},
                                     {{"Вазов", "Поезия", "Епопея на забравените"},
                                      {"Вазов", "Проза", "Под игото"},
                                      {"Ботев", "Поезия", "Хаджи Димитър"},
                                      {"Вазов", "Поезия", "Линее нашето поколение"},
                                      {"Елин Пелин", "Проза", "Гераците"},
                                      {"Ботев", "Публицистика", ""}}};

bool RepeatedTexts(unsigned seed) {
    return seed % 2 == 0;
}

// The model of a new quiz of the seed's table, filled.
quizmodel::QuizModel NewModel(unsigned seed) {
    quizmodel::QuizModel model;
    if (RepeatedTexts(seed)) {
        model.columns = kRepeatedTexts.columns;
        model.rows.clear();
        for (const auto& pair : kRepeatedTexts.pairs) {
            model.rows.push_back({pair.left, pair.right, pair.note});
        }
    }
    model.Fill();
    return model;
}

struct Sequence {
    std::vector<Action> actions;
    bool emptied = false;   // a round was played to its end
    bool practised = false; // a practice round was played to its end
};

// Positions are drawn from what the lists hold at that moment, a few of them out of range. A
// round that is over is mostly practised again; now and then practice is asked for too soon.
Sequence RandomSequence(unsigned seed) {
    std::mt19937 random(seed);
    quizmodel::QuizModel model = NewModel(seed);
    Sequence sequence;
    const auto length = std::uniform_int_distribution<std::size_t>(1, 1000)(random);
    for (std::size_t step = 0; step < length; ++step) {
        Action action;
        sequence.practised = sequence.practised || (model.practice && model.Over());
        if (random() % 300 == 0) {
            action.kind = Action::kClear;
            model.Clear();
        } else if (random() % (model.Over() ? 2 : 200) == 0) {
            action.kind = Action::kPractice;
            model.Practice();
        } else {
            action.list = static_cast<int>(random() % 2);
            const int size =
                static_cast<int>(model.lists[static_cast<std::size_t>(action.list)].size());
            action.index = std::uniform_int_distribution<int>(-2, size + 1)(random);
            model.Select(action.list, action.index);
        }
        sequence.emptied = sequence.emptied || model.Over();
        sequence.actions.push_back(action);
    }
    return sequence;
}

std::string Compare(const quiz::Quiz& quiz, const quizmodel::QuizModel& model) {
    const std::array<const quiz::PickList*, 2> lists{&quiz.Settlements(), &quiz.Sites()};
    for (std::size_t which = 0; which < 2; ++which) {
        if (quiztest::Items(*lists[which]) != model.lists[which]) {
            return "list " + std::to_string(which) + " differs";
        }
        if (lists[which]->ListIndex() != model.selection[which]) {
            return "selection of list " + std::to_string(which) + " is " +
                   std::to_string(lists[which]->ListIndex()) + ", the model says " +
                   std::to_string(model.selection[which]);
        }
    }
    if (quiz.Text() != model.text) {
        return "message is \"" + quiz.Text() + "\", the model says \"" + model.text + "\"";
    }
    if (quiz.ScoreText() != model.ScoreText() || quiz.Checks() != model.checks) {
        return "score is \"" + quiz.ScoreText() + "\" after " + std::to_string(quiz.Checks()) +
               " checks, the model says \"" + model.ScoreText() + "\"";
    }
    if (model.Over() && (quiz.MissedRows() != model.Missed() ||
                         static_cast<std::size_t>(quiz.RightPairs()) + quiz.MissedRows().size() !=
                             model.offered.size())) {
        return "the missed rows differ: " + std::to_string(quiz.MissedRows().size()) +
               ", the model has " + std::to_string(model.Missed().size());
    }
    return {};
}

// What the model says each ended round rated: per pair's texts, Good and Again.
using Ratings = std::map<progress::PairTexts, std::pair<int, int>>;

void RateEndedRound(const quizmodel::QuizModel& model, Ratings& ratings) {
    for (const std::size_t row : model.offered) {
        const bool good =
            std::find(model.matched.begin(), model.matched.end(), row) != model.matched.end();
        auto& [goods, agains] = ratings[{model.rows[row].left, model.rows[row].right}];
        (good ? goods : agains) += 1;
    }
}

// Where ended rounds are recorded, if anywhere: the store, and the model's ratings.
struct Recording {
    progress::Store* store = nullptr;
    Ratings* ratings = nullptr;
};

// Plays the actions on both; the first disagreement, if any, with the step it came at.
std::optional<std::string> Play(const std::vector<Action>& actions, unsigned seed,
                                Recording recording = {}) {
    quiz::Quiz quiz("Задача");
    quizmodel::QuizModel model = NewModel(seed);
    model.text = "Задача";
    if (RepeatedTexts(seed)) {
        quiz.UseTable(std::make_shared<const quiz::PairTable>(kRepeatedTexts), "Задача");
    } else {
        quiz.FillLists();
    }
    for (std::size_t step = 0; step < actions.size(); ++step) {
        const Action& action = actions[step];
        const bool wasOver = model.Over();
        if (action.kind == Action::kClear) {
            quiz.ClearClick();
            model.Clear();
        } else if (action.kind == Action::kPractice) {
            const bool possible = model.Practice();
            try {
                quiz.PracticeMissed();
                if (!possible) {
                    return "step " + std::to_string(step) + ": practice with nothing to practise";
                }
            } catch (const std::logic_error& error) {
                if (possible) {
                    return "step " + std::to_string(step) + ": " + error.what();
                }
            }
        } else {
            const bool valid = model.Select(action.list, action.index);
            quiz::PickList& list = action.list == 0 ? quiz.Settlements() : quiz.Sites();
            try {
                list.SetListIndex(action.index);
                quiz.ListClick();
                if (!valid) {
                    return "step " + std::to_string(step) + ": no error for a bad index";
                }
            } catch (const std::out_of_range& error) {
                if (valid) {
                    return "step " + std::to_string(step) + ": " + error.what();
                }
            }
        }
        if (std::string difference = Compare(quiz, model); !difference.empty()) {
            return "step " + std::to_string(step) + ": " + difference;
        }
        if (recording.store != nullptr && model.Over() && !wasOver) {
            RateEndedRound(model, *recording.ratings);
            const progress::EndedRound round = progress::RoundOf(quiz);
            if (!recording.store->RecordRound("Ана", quiz.Table().title, round.offered,
                                              round.matched, round.practice, storetest::kNow)) {
                return "step " + std::to_string(step) + ": " + recording.store->Message();
            }
        }
    }
    return std::nullopt;
}

// Drops whatever actions the failure does not need, so the report shows a short case.
std::vector<Action> Shrink(std::vector<Action> actions, unsigned seed) {
    for (std::size_t chunk = actions.size() / 2; chunk > 0; chunk /= 2) {
        for (std::size_t start = 0; start + chunk <= actions.size();) {
            std::vector<Action> shorter(actions);
            shorter.erase(shorter.begin() + static_cast<std::ptrdiff_t>(start),
                          shorter.begin() + static_cast<std::ptrdiff_t>(start + chunk));
            if (Play(shorter, seed)) {
                actions = std::move(shorter);
            } else {
                start += chunk;
            }
        }
    }
    return actions;
}

TEST(RandomPlay, EngineAgreesWithTheModel) {
    constexpr unsigned kSequences = 3000;
    unsigned emptied = 0;
    unsigned practised = 0;
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        const auto [actions, playedToEmpty, practiceEnded] = RandomSequence(seed);
        if (const auto failure = Play(actions, seed)) {
            std::ostringstream report;
            report << "seed " << seed << ": " << *failure << "\nshortest sequence:";
            const std::vector<Action> shortest = Shrink(actions, seed);
            for (const auto& action : shortest) {
                report << "\n  " << Describe(action);
            }
            report << "\n  -> " << Play(shortest, seed).value_or("passes when shrunk");
            FAIL() << report.str();
        }
        emptied += playedToEmpty ? 1 : 0;
        practised += practiceEnded ? 1 : 0;
    }
    // Enough of the games must play a round to its end, where an empty list is chosen in, and
    // a practice round to its own end.
    EXPECT_GT(emptied, kSequences / 20);
    EXPECT_GT(practised, kSequences / 100);
}

} // namespace

namespace {

// Every ended round of a few hundred games, recorded as the window records it, reads back as
// the model rated it: each pair's Good and Again counts.
TEST(RandomPlay, EndedRoundsReadBackAsTheModelRatesThem) {
    storetest::Folder folder;
    progress::Store store(folder.File(), storetest::kNow);
    std::array<Ratings, 2> ratings;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        const auto played = RandomSequence(seed);
        const auto failure =
            Play(played.actions, seed, {&store, &ratings.at(RepeatedTexts(seed) ? 1 : 0)});
        ASSERT_FALSE(failure) << "seed " << seed << ": " << *failure;
    }
    for (const bool repeated : {false, true}) {
        const std::string title = repeated ? kRepeatedTexts.title : quiz::BuiltInTable()->title;
        const auto pairs = store.Pairs("Ана", title);
        const Ratings& expected = ratings.at(repeated ? 1 : 0);
        ASSERT_FALSE(expected.empty());
        ASSERT_EQ(pairs.size(), expected.size());
        for (const auto& [texts, counts] : expected) {
            const progress::PairRecord& record = pairs.at(texts);
            EXPECT_EQ(record.good, counts.first) << texts.first << " – " << texts.second;
            EXPECT_EQ(record.again, counts.second) << texts.first << " – " << texts.second;
            EXPECT_EQ(record.memory.reps, counts.first + counts.second);
        }
    }
}

} // namespace
