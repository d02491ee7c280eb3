// SPDX-License-Identifier: MIT
// Writes reference.txt: schedules that ts-fsrs, the FSRS project's own implementation, gives
// for long mixed sequences of ratings at irregular times, for the port to be checked against.
// Run once where npm can fetch it; the output is committed, and the tests need no node:
//   cd tests/data/fsrs && npm install --no-save ts-fsrs@5.4.2 && node make-reference.js
'use strict';
const {fsrs, createEmptyCard, Rating, State} = require('ts-fsrs');
const fs = require('fs');

// A fixed sequence of random numbers (mulberry32), so that the file is the same each run.
let seed = 20261209;
function random() {
    seed = (seed + 0x6d2b79f5) | 0;
    let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
function pick(weights) {
    let r = random() * weights.reduce((a, b) => a + b, 0);
    for (let i = 0; i < weights.length; ++i) {
        r -= weights[i];
        if (r < 0) return i;
    }
    return weights.length - 1;
}

const scheduler = fsrs({enable_fuzz: false}); // the defaults: FSRS-6, retention 0.9, 1m 10m
const minute = 60000;
const lines = ['# card rating time_ms stability difficulty due_ms state learning_step reps lapses'];
for (let card = 0; card < 60; ++card) {
    // Some cards see only Again and Good, as the quiz rates them; others all four ratings.
    const ratings = card % 3 === 0 ? [0.3, 0, 0.7, 0] : [0.25, 0.15, 0.45, 0.15];
    let now = Date.UTC(2026, 0, 1) + Math.floor(random() * 86400000);
    let c = createEmptyCard(new Date(now));
    for (let step = 0; step < 40; ++step) {
        const rating = 1 + pick(ratings);
        const next = scheduler.next(c, new Date(now), rating).card;
        lines.push([card, rating, now, next.stability, next.difficulty, next.due.getTime(),
                    next.state, next.learning_steps, next.reps, next.lapses].join(' '));
        c = next;
        // The next review: minutes later, the same day, about when due, late or early.
        const due = next.due.getTime();
        switch (pick([2, 2, 4, 2, 1])) {
        case 0: now += Math.floor(random() * 20) * minute; break;
        case 1: now += Math.floor(random() * 600) * minute; break;
        case 2: now = Math.max(now, due + Math.floor((random() - 0.5) * 120) * minute); break;
        case 3: now = Math.max(now, due) + Math.floor(random() * 90 * 1440) * minute; break;
        default: now = now + Math.floor(Math.max(0, due - now) * random()); break;
        }
    }
}
fs.writeFileSync('reference.txt', lines.join('\n') + '\n');
