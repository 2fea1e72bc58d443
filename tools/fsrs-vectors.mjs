// Writes the reference reviews the scheduler's core test replays: review
// sequences scheduled by ts-fsrs, FSRS-6 with its default parameters and the
// long-term scheduler only.
//
// Run by hand, never by the tests:
//   npm install --prefix /tmp/fsrs ts-fsrs@5.4.2
//   NODE_PATH=/tmp/fsrs/node_modules node tools/fsrs-vectors.mjs > tests/data/fsrs-vectors.json

import { createRequire } from 'node:module';
const require = createRequire(import.meta.url + '/../');
const { fsrs, generatorParameters, createEmptyCard, FSRSVersion } =
    require(require.resolve('ts-fsrs', { paths: (process.env.NODE_PATH || '').split(':') }));

const scheduler = fsrs(generatorParameters({ enable_short_term: false, enable_fuzz: false }));

// A seeded generator, so that the file is the same at every run.
let seed = 20261209;
function random() {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return seed / 2147483648;
}
const pick = (n) => Math.floor(random() * n);
const DAY = 24 * 3600 * 1000;

const sequences = [];
for (let i = 0; i < 240; ++i) {
    let at = new Date(Date.UTC(2024, 0, 1) + pick(700) * DAY + pick(24 * 3600) * 1000);
    let card = createEmptyCard(at);
    const steps = [];
    const length = 1 + (i % 12);
    // Some sequences lean to one grade, to reach long intervals and many lapses.
    const bias = i % 4;
    for (let s = 0; s < length; ++s) {
        const grade = random() < 0.5 ? 1 + bias : 1 + pick(4);
        const next = scheduler.next(card, at, grade).card;
        steps.push({
            at: at.toISOString(),
            grade,
            stability: next.stability,
            difficulty: next.difficulty,
            interval: next.scheduled_days,
            due: next.due.toISOString(),
            reps: next.reps,
            lapses: next.lapses,
        });
        card = next;
        // The next review: early, on time or late, always on a later day.
        const shape = pick(4);
        let days = next.scheduled_days;
        if (shape === 0) days = 1 + pick(Math.max(1, days));
        else if (shape === 2) days = days + 1 + pick(3 * days + 5);
        else if (shape === 3) days = 1 + pick(400);
        at = new Date(at.getTime() + days * DAY + (pick(2 * 3600) - 3600) * 1000);
    }
    sequences.push({ steps });
}
process.stdout.write(JSON.stringify({ generator: `ts-fsrs ${FSRSVersion}`, sequences }, null, 0)
    .replace(/\{"steps"/g, '\n{"steps"') + '\n');
