// The site map in a real browser: zorvitan-cli maps a site of hostile file and folder names
// into the site itself, headless Chromium opens the map as the plain file:// URL a reader
// opens, and follows every link; each must land on its own page, whose title the browser shows.
//
//   node map_links_test.mjs ZORVITAN_CLI                 the native program
//   node map_links_test.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine
//
// Needs what map_browser.mjs says. Ends with "N passed, N failed"; exits 1 on any failure.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { check, finish } from '../support/tally.mjs';
import {
  folderHeading, follow, launchChromium, mapSite, readMap, untitledText, wine,
} from './map_browser.mjs';

// [path in the site, title as written in the page, or null for a page the program finds
// untitled, posix only]. Every page gets a title the browser shows, unique in the site.
const pages = [
  ['index.html', 'Start'],
  ['c#d.html', 'Hash'],
  ['a%41.html', 'Percent 41'],
  ['aA.html', 'Plain aA'],
  ['x&y.html', 'X &amp; Y'],
  ["it's [a] (b) {c}.html", 'Blanks &lt;and&gt; brackets'],
  ['zażółć gęślą.html', 'Polish letters'],
  ['PAGE.HTM', 'Upper case'],
  ['a&b/page.html', 'In a&amp;b'],
  ['a&b/#u 100%.html', null],
  ['x&lt;y/p%20q.html', 'In x&amp;lt;y'],
  ['dział/strona.html', 'In dzial'],
  ['dział/sub dir/untitled.htm', null],
  ['日本.htm', 'Nihon'],
  ['smile😀.htm', 'Smile'],
  ['данные/strona.html', 'In dannye'],
  [`${'poziom-abcdefghijklmnopqrst/'.repeat(14)}deep.html`, 'Deep'],
  ['q?x.html', 'Question', true],
  ['say "hi".html', 'Quotes', true],
  ['tab\there.html', 'Tab', true],
  ['<b>/bold.html', 'In b', true],
].filter(([, , posixOnly]) => !wine || !posixOnly);

const site = fs.realpathSync(fs.mkdtempSync(path.join(os.tmpdir(), 'zv-browser-')));
const mapPath = path.join(site, 'mapa.html');

// What the browser should show for each page: its title and the link text in the map.
const expected = new Map();  // document.title -> { rel, linkText, visits }
pages.forEach(([rel, title], i) => {
  fs.mkdirSync(path.join(site, path.posix.dirname(rel)), { recursive: true });
  const shown = title ?? `Untitled ${i}`;
  // An untitled page has no title in its markup; a script names it for the test alone.
  const html = title === null ? ''
    : rel === 'PAGE.HTM' ? `<TITLE>${title}</TITLE>` : `<title>${title}</title>`;
  const script = title === null ? `<script>document.title = '${shown}'</script>` : '';
  fs.writeFileSync(path.join(site, rel),
    `<html><head>${html}</head><body>${rel}${script}</body></html>\n`);
  const seen = shown.replaceAll('&lt;', '<').replaceAll('&gt;', '>').replaceAll('&amp;', '&');
  expected.set(seen, { rel, linkText: title === null ? untitledText : seen, visits: 0 });
});
// A new map inside the site is listed too, as an empty page.
expected.set('', { rel: 'mapa.html', linkText: untitledText, visits: 0 });


let browser;
if (mapSite(site, mapPath)) try {
  browser = await launchChromium();
  const context = await browser.newContext();
  context.setDefaultTimeout(15000);
  let page = await context.newPage();
  await page.goto(pathToFileURL(mapPath).href);
  const map = await readMap(page);

  check('the map makes only h1, br and a elements',
    map.strange.map((name) => `<${name}> made from a name`));
  const wanted = new Set([...expected.values()].map(({ rel }) => folderHeading(site, rel)));
  const headings = map.items.filter((item) => item.tag === 'h1').map((item) => item.text);
  check('every heading is a folder of the site, as the system spells it', [
    ...headings.filter((h) => !wanted.has(h)).map((h) => `unexpected heading ${JSON.stringify(h)}`),
    ...[...wanted].filter((h) => !headings.includes(h)).map((h) => `no heading ${JSON.stringify(h)}`),
  ]);

  let heading = null;
  for (const item of map.items) {
    if (item.tag === 'h1') { heading = item.text; continue; }
    const problems = [];
    let error;
    ({ tab: page, error } = await follow(page, item.href));
    if (error) {
      problems.push(error);
    } else {
      const title = await page.title();
      const landed = expected.get(title);
      if (!landed) {
        problems.push(`landed on ${page.url()}, titled ${JSON.stringify(title)}`);
      } else {
        landed.visits++;
        if (item.text !== landed.linkText) {
          problems.push(`landed on ${JSON.stringify(landed.rel)}, but the link says ${JSON.stringify(item.text)}`);
        }
        if (heading !== folderHeading(site, landed.rel)) {
          problems.push(`${JSON.stringify(landed.rel)} listed under ${JSON.stringify(heading)}`);
        }
      }
    }
    check(`link href=${JSON.stringify(item.raw)}`, problems);
  }
  check('every page is reached exactly once', [...expected.values()]
    .filter(({ visits }) => visits !== 1)
    .map(({ rel, visits }) => `${JSON.stringify(rel)} reached ${visits} times`));
} catch (error) {
  check('the browser opens the map', [error.message.split('\n')[0]]);
} finally {
  await browser?.close();
}

finish(site, 'The site and its map are');
