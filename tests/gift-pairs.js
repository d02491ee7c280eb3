// SPDX-License-Identifier: MIT
// Prints the matching questions that gift-pegjs reads in a GIFT file, as exchange_files writes
// what it meant: a "# name" line a question, a "left<TAB>right" line a pair. gift-pegjs keeps an
// escaped character of a subanswer as "&&NNN;", its code; that is decoded here.
//   node gift-pairs.js FILE.gift     (with gift-pegjs in NODE_PATH)
'use strict';
const fs = require('fs');
const { parse } = require('gift-pegjs');

const decoded = (text) => text.replace(/&&(\d+);/g, (_, code) => String.fromCharCode(Number(code)));
const lines = [];
for (const question of parse(fs.readFileSync(process.argv[2], 'utf8'))) {
    if (question.type === 'Category') {
        continue;
    }
    if (question.type !== 'Matching') {
        throw new Error(`a question of type ${question.type}: ${question.title}`);
    }
    lines.push(`# ${question.title}`);
    for (const pair of question.matchPairs) {
        lines.push(`${decoded(pair.subquestion.text)}\t${decoded(pair.subanswer)}`);
    }
}
process.stdout.write(lines.map((line) => `${line}\n`).join(''));
