// The sets, each a line "word<TAB>the head-word whose article is right":
//   english-irregular.tsv  2,000 irregular forms of WordNet's exception lists
//   english-generated.tsv  1,000 regular and irregular forms that en-inflectors
//                          makes of frequent head-words, by their WordNet
//                          parts of speech
//   bulgarian-forms.tsv    2,000 forms that hunspell-bg's unmunch spells out
//                          for Bulgarian head-words
//   english-misspelt.tsv   500 one-edit misspellings of frequent English
//                          head-words (SCOWL levels 10 to 20)
//   bulgarian-misspelt.tsv 300 of frequent Bulgarian head-words (subtitle list)
// Every word of a set is no head-word itself. Sampling is seeded: the sets
// are the same on every run.
'use strict';
const fs = require('fs');
const path = require('path');
const os = require('os');
const { execFileSync } = require('child_process');
const { Inflectors } = require('en-inflectors');

const out = process.argv[2];
const lines = (file, encoding = 'utf8') =>
    fs.readFileSync(file, encoding).split('\n').map((l) => l.replace(/\r$/, '')).filter(Boolean);
const heads = new Set(lines(path.join(out, 'head-words.txt')));

let seed = 12345;
const random = () => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return seed / 2147483648;
};
const sample = (items, count) => {
    const copy = items.slice();
    for (let i = copy.length - 1; i > 0; --i) {
        const j = Math.floor(random() * (i + 1));
        [copy[i], copy[j]] = [copy[j], copy[i]];
    }
    return copy.slice(0, count);
};
const write = (name, pairs) => {
    fs.writeFileSync(path.join(out, name), pairs.map(([w, h]) => `${w}\t${h}\n`).join(''));
    console.log(`${name}: ${pairs.length} words`);
};
const isWord = (w) => /^[a-z]+$/.test(w);

// WordNet: irregular forms and parts of speech.
const wordnet = '/usr/share/wordnet';
const irregular = [];
for (const list of ['noun', 'verb', 'adj', 'adv']) {
    for (const line of lines(`${wordnet}/${list}.exc`)) {
        const [form, ...bases] = line.split(' ');
        const base = bases.find((b) => heads.has(b));
        if (isWord(form) && base && !heads.has(form) && form !== base) {
            irregular.push([form, base]);
        }
    }
}
write('english-irregular.tsv', sample(irregular, 2000));

const partOfSpeech = (list) =>
    new Set(lines(`${wordnet}/index.${list}`).filter((l) => !l.startsWith(' ')).map((l) => l.split(' ')[0]));
const nouns = partOfSpeech('noun');
const verbs = partOfSpeech('verb');
const adjectives = partOfSpeech('adj');

// SCOWL levels: the frequent English words.
const scowl = '/usr/share/dict/scowl';
const scowlWords = (maxLevel) => {
    const words = [];
    for (const level of [10, 20, 35, 40, 50].filter((l) => l <= maxLevel)) {
        for (const file of [`english-words.${level}`, `american-words.${level}`]) {
            if (fs.existsSync(`${scowl}/${file}`)) {
                words.push(...lines(`${scowl}/${file}`, 'latin1'));
            }
        }
    }
    return [...new Set(words)].filter((w) => isWord(w) && heads.has(w));
};

const generated = [];
for (const word of scowlWords(35)) {
    const inflect = new Inflectors(word);
    const forms = [];
    if (nouns.has(word)) forms.push(inflect.toPlural());
    if (verbs.has(word)) {
        forms.push(inflect.toPast(), inflect.toPastParticiple(), inflect.toGerund(), inflect.toPresentS());
    }
    if (adjectives.has(word) && word.length <= 6) forms.push(inflect.comparative(), inflect.superlative());
    for (const form of new Set(forms)) {
        if (form && isWord(form) && form !== word && !heads.has(form)) generated.push([form, word]);
    }
}
write('english-generated.tsv', sample(generated, 1000));

// hunspell-bg: the forms of sampled Bulgarian head-words, each expanded on
// its own by unmunch from its entry of bg_BG.dic.
const entries = new Map();
for (const line of lines('/usr/share/hunspell/bg_BG.dic').slice(1)) {
    const [word, flags] = line.split('/');
    if (flags && heads.has(word) && /^[а-я]+$/.test(word)) entries.set(word, line);
}
const temp = fs.mkdtempSync(path.join(os.tmpdir(), 'bg-forms-'));
const bulgarian = [];
for (const word of sample([...entries.keys()], 2600)) {
    if (bulgarian.length === 2000) break;
    fs.writeFileSync(path.join(temp, 'one.dic'), `1\n${entries.get(word)}\n`);
    const forms = execFileSync('unmunch', [path.join(temp, 'one.dic'), '/usr/share/hunspell/bg_BG.aff'],
        { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] })
        .split('\n').filter((f) => f && f !== word && !heads.has(f));
    if (forms.length > 0) bulgarian.push([forms[Math.floor(random() * forms.length)], word]);
}
fs.rmSync(temp, { recursive: true });
write('bulgarian-forms.tsv', bulgarian);

// One edit: a letter dropped, doubled, swapped with the next, or replaced by
// the next letter of the alphabet.
const misspell = (word, alphabet) => {
    const at = 1 + Math.floor(random() * (word.length - 2));
    switch (Math.floor(random() * 4)) {
    case 0: return word.slice(0, at) + word.slice(at + 1);
    case 1: return word.slice(0, at) + word[at] + word.slice(at);
    case 2: return word.slice(0, at) + word[at + 1] + word[at] + word.slice(at + 2);
    default: {
        const next = alphabet[(alphabet.indexOf(word[at]) + 1) % alphabet.length];
        return word.slice(0, at) + next + word.slice(at + 1);
    }
    }
};
const misspellings = (words, count, alphabet) => {
    const pairs = [];
    for (const word of sample(words, words.length)) {
        if (pairs.length === count) break;
        const typo = misspell(word, alphabet);
        if (typo !== word && !heads.has(typo)) pairs.push([typo, word]);
    }
    return pairs;
};
write('english-misspelt.tsv',
    misspellings(scowlWords(20).filter((w) => w.length >= 4), 500, 'abcdefghijklmnopqrstuvwxyz'));
const bgList = path.join(out, '..', 'data', 'word-lists', 'package', 'build', 'resources', 'bulgarian.txt');
const frequentBulgarian = lines(bgList).slice(0, 5000).filter((w) => heads.has(w) && /^[а-я]{4,}$/.test(w));
write('bulgarian-misspelt.tsv', misspellings(frequentBulgarian, 300, 'абвгдежзийклмнопрстуфхцчшщъьюя'));
