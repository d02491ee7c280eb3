// SPDX-License-Identifier: MIT
// Writes the built-in table and a table of GIFT's special characters as GIFT files for an
// outside parser to read, each beside the questions and pairs it must find there:
//   exchange_files FOLDER     writes NAME.gift and NAME.pairs, a "# name" line a question and a
//                             "left<TAB>right" line a pair, for each table
#include <Collation.h>
#include <Gift.h>
#include <PairTable.h>
#include <Questions.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: exchange_files FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const quiz::PairTable special{"Знаци: ~=#{}",
                                  {"ляво", "дясно"},
                                  {{"a=b {c}", "d~e #f :g \\h", ""},
                                   {"Камчия & Луда", "Черно море -> Босфор", ""},
                                   {"// не бележка", "::двоеточия:: [html]", ""},
                                   {"\\n не е нов ред", "край\\", ""}}};
    const quiz::Collation order;
    for (const auto& [name, table] :
         {std::pair<std::string, quiz::PairTable>{"built-in", *quiz::BuiltInTable()},
          {"special", special}}) {
        const exchange::Written written = exchange::WriteGift(table, order);
        if (const auto* fault = std::get_if<exchange::WriteFault>(&written)) {
            std::fprintf(stderr, "%s: %s\n", name.c_str(), fault->fault.c_str());
            return 1;
        }
        const auto file = [&folder, &name = name](const char* suffix) {
            std::string path = folder;
            return path.append("/").append(name).append(suffix);
        };
        std::ofstream(file(".gift"), std::ios::binary) << std::get<std::string>(written);
        std::ofstream pairs(file(".pairs"), std::ios::binary);
        for (const exchange::MatchingQuestion& question : exchange::QuestionsOf(table, order)) {
            pairs << "# " << question.name << "\n";
            for (const quiz::Pair& pair : question.pairs) {
                pairs << pair.left << "\t" << pair.right << "\n";
            }
        }
        if (!pairs) {
            return 1;
        }
    }
    return 0;
}
