// Reads a package written by "dictool export" with the npm package
// anki-reader 0.3.0 and prints its decks, each card's fields and the media:
//   npm install && node check.mjs OUT.apkg
import { readFileSync } from 'node:fs';
import { readAnkiPackage } from 'anki-reader';

const bytes = readFileSync(process.argv[2]);
const { collection, media } = await readAnkiPackage(new Blob([bytes]));
console.log(`collection version ${collection.getVersion()}`);
let cards = 0;
for (const [deckId, deck] of Object.entries(collection.getDecks())) {
    const deckCards = Object.values(deck.getCards());
    console.log(`deck ${deckId} "${deck.getName()}": ${deckCards.length} cards`);
    for (const card of deckCards.slice(0, 4)) {
        console.log(`  note ${card.getNoteId()}: ${JSON.stringify(card.getFields())}`);
    }
    cards += deckCards.length;
}
const sounds = Object.entries(media);
console.log(`${cards} cards, ${sounds.length} media files, first: ` +
            sounds.slice(0, 2).map(([name, blob]) => `${name} (${blob.size} bytes)`).join(', '));
