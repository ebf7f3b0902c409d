// What the reader sees: zorvitan-cli maps a site whose pages come in several encodings, some
// declared and some not, with titles that hold character references, markup and letters the
// code page lacks. Headless Chromium opens the map as the plain file:// URL a reader opens:
// every link must show the very title the browser shows for the page it opens, every heading
// its folder, and no markup from a title may act in the map.
//
//   node map_reader_test.mjs ZORVITAN_CLI                 the native program
//   node map_reader_test.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine
//
// Needs what map_browser.mjs says. Ends with "N passed, N failed"; exits 1 on any failure.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { check, finish } from '../support/tally.mjs';
import {
  folderHeading, follow, launchChromium, mapSite, readMap, untitledText, wine,
} from './map_browser.mjs';

// Node encodes no legacy code page, so the letters the pages use are given byte by byte.
const legacyBytes = {
  'windows-1250': {
    'Ą': 0xA5, 'ą': 0xB9, 'Ć': 0xC6, 'ć': 0xE6, 'Ę': 0xCA, 'ę': 0xEA, 'Ł': 0xA3, 'ł': 0xB3,
    'Ó': 0xD3, 'ó': 0xF3, 'Ś': 0x8C, 'ś': 0x9C, 'Ź': 0x8F, 'ź': 0x9F, 'Ż': 0xAF, 'ż': 0xBF,
    '–': 0x96, '€': 0x80,
  },
  'iso-8859-2': {
    'Ą': 0xA1, 'ą': 0xB1, 'Ć': 0xC6, 'ć': 0xE6, 'Ę': 0xCA, 'ę': 0xEA, 'Ł': 0xA3, 'ł': 0xB3,
    'Ó': 0xD3, 'ó': 0xF3, 'Ś': 0xA6, 'ś': 0xB6, 'Ź': 0xAC, 'ź': 0xBC, 'Ż': 0xAF, 'ż': 0xBF,
  },
};
function encode(text, encoding) {
  if (encoding === 'utf-16le') {
    return Buffer.concat([Buffer.from([0xFF, 0xFE]), Buffer.from(text, 'utf16le')]);
  }
  const table = legacyBytes[encoding];
  if (!table) return Buffer.from(text, 'utf8');
  const bytes = Buffer.from([...text].map((c) => (c < '\x80' ? c.charCodeAt(0) : table[c])));
  if (new TextDecoder(encoding).decode(bytes) !== text) throw new Error(`not all ${encoding}: ${text}`);
  return bytes;
}
const declaration = {
  'utf-8': '<meta charset="utf-8">',
  'windows-1250': '<meta http-equiv="Content-Type" content="text/html; charset=windows-1250">',
  'iso-8859-2': '<meta http-equiv="Content-Type" content="text/html; charset=ISO-8859-2">',
};

// [path in the site, encoding ("undeclared": UTF-8 that says nothing; UTF-16LE has a byte-order
// mark), the title as the page's source holds it (null: none), what the browser shows of it
// when that differs].
const pages = [
  ['start.html', 'utf-8', 'Zażółć gęślą jaźń — 10 €'],
  ['dział/encje.html', 'utf-8', 'Kot &amp; pies & &#322;&oacute;d&#378; 日本',
    'Kot & pies & łódź 日本'],
  ['dział/skrypt.html', 'utf-8', 'Sklep <script>document.title="PWNED"</script>'],
  ['dział/gruby.html', 'undeclared', 'Tekst <b>gruby</b> i Ω'],
  ['dział/mniej.html', 'undeclared', 'Mniej: x<y oraz 2 < 3'],
  ['dział/źródła/pusta.html', 'utf-8', null],
  ['źródła/bez deklaracji.html', 'undeclared', 'Źródło — 日本, Ω i 5 €'],
  ['źródła/cp1250.html', 'windows-1250', 'Łódź – Śląsk, źdźbło, 5 €'],
  ['źródła/latin2.html', 'iso-8859-2', 'Świeże źdźbło Ąę, ŻÓŁĆ'],
  ['źródła/żółw.html', 'utf-16le', 'UTF-16: żółw Ω 日本'],
];
// [path in the site, the head of a UTF-8 page whose title takes the browser's tokenizer to find,
// what the browser shows of it].
const heads = [
  ['tytuły/atrybuty.html', '<title lang="pl" dir=ltr>Tytuł z atrybutami</title>', 'Tytuł z atrybutami'],
  ['tytuły/nowa linia.html', '<title\n>Nazwa do końca linii</title>', 'Nazwa do końca linii'],
  ['tytuły/spacja.html', '<title>Przed</titlex> i po</title >', 'Przed</titlex> i po'],
  ['tytuły/ukośnik.html', '<title/>Po ukośniku</title>', 'Po ukośniku'],
  ['tytuły/komentarz.html', '<!-- <title>Zły</title> --!><!--><title>Po komentarzu</title>', 'Po komentarzu'],
  ['tytuły/skrypt.html', '<script>var t = "<title>Zły</title>";</script><title>Po skrypcie</title>', 'Po skrypcie'],
  ['tytuły/noscript.html', '<noscript><title>Zły</title></noscript><title>Po noscript</title>', 'Po noscript'],
  ['tytuły/szablon.html', '<template><title>Zły</title></template><title>Po szablonie</title>', 'Po szablonie'],
  ['tytuły/pole.html', '<textarea><title>Zły</title></textarea><title>Po polu tekstu</title>', 'Po polu tekstu'],
  ['tytuły/svg.html', '<svg><title>Ikona</title></svg><title>Po ikonie</title>', 'Po ikonie'],
  ['tytuły/copy.html', '<title>&copy 2001 Firma</title>', '© 2001 Firma'],
  ['tytuły/amp.html', '<title>Kot &amp pies &amp</title>', 'Kot & pies &'],
];

const site = fs.realpathSync(fs.mkdtempSync(path.join(os.tmpdir(), 'zv-reader-')));
const mapPath = path.join(site, 'mapa.html');
const expected = new Map();  // path in the site -> { title the browser shows, or null; visits }
for (const [rel, encoding, title, shown] of pages) {
  fs.mkdirSync(path.join(site, path.posix.dirname(rel)), { recursive: true });
  const head = (declaration[encoding] ?? '') + (title === null ? '' : `<title>${title}</title>`);
  const html = `<html><head>${head}</head><body>${rel}</body></html>\n`;
  fs.writeFileSync(path.join(site, rel), encode(html, encoding));
  expected.set(rel, { title: title === null ? null : shown ?? title, visits: 0 });
}
for (const [rel, head, shown] of heads) {
  fs.mkdirSync(path.join(site, path.posix.dirname(rel)), { recursive: true });
  fs.writeFileSync(path.join(site, rel),
    `<html><head>${declaration['utf-8']}${head}</head><body>${rel}</body></html>\n`);
  expected.set(rel, { title: shown, visits: 0 });
}
// A new map inside the site is listed too, as an empty page.
expected.set('mapa.html', { title: null, visits: 0 });
const collapsed = (text) => text.replace(/\s+/g, ' ').trim();

let browser;
if (mapSite(site, mapPath)) try {
  browser = await launchChromium();
  const context = await browser.newContext();
  context.setDefaultTimeout(15000);
  let page = await context.newPage();
  await page.goto(pathToFileURL(mapPath).href);
  const map = await readMap(page);

  const mapEncoding = wine ? 'windows-1250' : 'UTF-8';
  check(`the browser reads the map as ${mapEncoding}`, map.characterSet === mapEncoding ? []
    : [`it guessed ${map.characterSet}`]);
  check('no title puts markup into the map', map.strange.map((name) => `a <${name}> element`));
  check('no script from a title runs', map.title === '' ? []
    : [`the map's own title became ${JSON.stringify(map.title)}`]);
  const headings = map.items.filter((item) => item.tag === 'h1').map((item) => collapsed(item.shown));
  const folders = new Set([...expected.keys()].map((rel) => folderHeading(site, rel)));
  check('every heading reads as its folder', [
    ...headings.filter((h) => !folders.has(h)).map((h) => `unexpected heading ${JSON.stringify(h)}`),
    ...[...folders].filter((h) => !headings.includes(h)).map((h) => `no heading ${JSON.stringify(h)}`),
  ]);

  let heading = null;
  for (const item of map.items) {
    if (item.tag === 'h1') { heading = collapsed(item.shown); continue; }
    const problems = [];
    const linkText = collapsed(item.shown);
    let error;
    ({ tab: page, error } = await follow(page, item.href));
    const url = page.url();
    const rel = !error && url.startsWith('file:') ? path.relative(site, fileURLToPath(url)) : null;
    const landed = expected.get(rel);
    if (error || !landed) {
      problems.push(error ?? `leads to ${url}, not a page of the site`);
    } else {
      landed.visits++;
      const title = collapsed(await page.title());
      if (landed.title === null ? linkText !== untitledText : linkText !== title) {
        problems.push(`the page shows ${JSON.stringify(title)}, its link ${JSON.stringify(linkText)}`);
      }
      if (landed.title !== null && title !== landed.title) {
        problems.push(`the page shows ${JSON.stringify(title)}, not ${JSON.stringify(landed.title)} as written`);
      }
      if (heading !== folderHeading(site, rel)) problems.push(`listed under ${JSON.stringify(heading)}`);
    }
    check(`link ${JSON.stringify(linkText)} href=${JSON.stringify(item.raw)}`, problems);
  }
  check('every page is reached exactly once', [...expected]
    .filter(([, { visits }]) => visits !== 1)
    .map(([rel, { visits }]) => `${JSON.stringify(rel)} reached ${visits} times`));
} catch (error) {
  check('the browser opens the map', [error.message.split('\n')[0]]);
} finally {
  await browser?.close();
}

finish(site, 'The site and its map are');
