// Prints the expected memory states and due times of fixed answer sequences,
// computed by the reference FSRS-6 implementation ts-fsrs with its default
// parameters (21 weights, desired retention 0.9, learning steps 1m 10m,
// relearning step 10m, no fuzz). Run once:
//   npm install && node reference.js > ../fsrs-reference.txt
// Each sequence is a list of [minutes after its start, rating]; ratings are
// 1 Again, 2 Hard, 3 Good. A review dated before the previous one (the clock
// set back) is taken at the previous review's time, as the learning record
// does, so no interval is ever negative.
const { fsrs, createEmptyCard, FSRSVersion } = require('ts-fsrs');

const start = Date.UTC(2024, 2, 1, 9, 0, 0);
const day = 24 * 60;
const sequences = {
    'good-graduates': [[0, 3], [10, 3], [10 + 3 * day, 3], [10 + 14 * day, 3], [10 + 60 * day, 3]],
    'same-day-repeats': [[0, 1], [1, 1], [3, 3], [15, 3], [40, 2], [300, 3], [day + 60, 3]],
    'long-gaps': [[0, 3], [10, 3], [400 * day, 3], [1400 * day, 1], [1400 * day + 10, 3],
                  [3000 * day, 3]],
    'lapses': [[0, 3], [10, 3], [2 * day, 3], [10 * day, 1], [10 * day + 10, 1],
               [10 * day + 25, 3], [12 * day, 1], [12 * day + 10, 2], [12 * day + 30, 3],
               [20 * day, 3]],
    'hard-again-good': [[0, 2], [6, 2], [20, 3], [day, 2], [3 * day, 1], [3 * day + 10, 2],
                        [3 * day + 30, 3], [5 * day, 2], [9 * day, 3], [30 * day, 2]],
    'new-again-then-days': [[0, 1], [2 * day, 1], [2 * day + 5, 3], [2 * day + 20, 3],
                            [4 * day, 3], [4 * day + 1, 3]],
    'clock-back': [[0, 3], [-120, 3], [3 * day, 3], [2 * day, 1], [3 * day + 30, 3],
                   [-5 * day, 3], [40 * day, 3]],
    'late-evening-next-day': [[14 * 60 + 50, 3], [15 * 60 + 5, 3], [15 * 60 + 20, 3],
                              [day + 60, 3], [day + 70, 1], [day + 85, 3]],
};

const scheduler = fsrs();
console.log(`# Expected FSRS-6 schedules from ts-fsrs ${FSRSVersion} (npm ts-fsrs 5.4.2),`);
console.log('# default parameters, desired retention 0.9; written by reference.js.');
console.log('# sequence step review_ms rating state learning_step stability difficulty ' +
            'scheduled_days due_ms reps lapses');
for (const [name, steps] of Object.entries(sequences)) {
    let card = createEmptyCard(new Date(start));
    steps.forEach(([minutes, rating], index) => {
        let at = start + minutes * 60 * 1000;
        if (card.last_review && at < card.last_review.getTime()) {
            at = card.last_review.getTime();
        }
        card = scheduler.next(card, new Date(at), rating).card;
        console.log([name, index, at, rating, card.state, card.learning_steps,
                     card.stability.toFixed(8), card.difficulty.toFixed(8),
                     card.scheduled_days, card.due.getTime(), card.reps, card.lapses].join(' '));
    });
}
