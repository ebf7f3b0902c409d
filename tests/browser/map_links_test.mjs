// The site map in a real browser: zorvitan-cli maps a site of hostile file and folder names
// into the site itself, headless Chromium opens the map as a file:// URL and follows every
// link, and each must land on its own page, whose title the browser shows.
//
//   node map_links_test.mjs ZORVITAN_CLI                 the native program
//   node map_links_test.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine
//
// Needs Debian's chromium and the npm package playwright-core in build/browser-tools, both
// installed by scripts/deps.sh. Ends with "N passed, N failed"; exits 1 on any failure.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { check, finish } from '../support/tally.mjs';

const [cli, wineRun] = process.argv.slice(2);
const wine = wineRun !== undefined;
const chromiumPath = '/usr/bin/chromium';
const tools = fileURLToPath(new URL('../../build/browser-tools/', import.meta.url));
let chromium;
try {
  ({ chromium } = createRequire(path.join(tools, 'here.js'))('playwright-core'));
} catch {
  chromium = undefined;
}
if (!cli || !chromium || !fs.existsSync(chromiumPath)) {
  console.error(!cli ? 'usage: node map_links_test.mjs ZORVITAN_CLI [WINE_RUN]'
    : `${chromium ? chromiumPath : `playwright-core (in ${tools})`} is missing: run scripts/deps.sh`);
  console.log('0 passed, 1 failed');
  process.exit(1);
}

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

const untitledText = '#bez tytułu#';
const site = fs.realpathSync(fs.mkdtempSync(path.join(os.tmpdir(), 'zv-browser-')));
const mapPath = path.join(site, 'mapa.html');
const winPath = (p) => 'Z:' + p.replaceAll('/', '\\');
const folderHeading = (rel) => {
  const folder = path.posix.dirname(rel) === '.' ? '' : path.posix.dirname(rel) + '/';
  return wine ? winPath(`${site}/${folder}`) : `${site}/${folder}`;
};

// What the browser should show for each page: its title and the link text in the map.
const expected = new Map();  // document.title -> { rel, linkText, visits }
pages.forEach(([rel, title], i) => {
  fs.mkdirSync(path.join(site, path.posix.dirname(rel)), { recursive: true });
  const shown = title ?? `Untitled ${i}`;
  const html = title === null ? `<title id="u">${shown}</title>`
    : rel === 'PAGE.HTM' ? `<TITLE>${title}</TITLE>` : `<title>${title}</title>`;
  fs.writeFileSync(path.join(site, rel), `<html><head>${html}</head><body>${rel}</body></html>\n`);
  const seen = shown.replaceAll('&lt;', '<').replaceAll('&gt;', '>').replaceAll('&amp;', '&');
  expected.set(seen, { rel, linkText: title === null ? untitledText : seen, visits: 0 });
});
// A new map inside the site is listed too, as an empty page.
expected.set('', { rel: 'mapa.html', linkText: untitledText, visits: 0 });


const run = spawnSync(wine ? wineRun : cli,
  wine ? [cli, winPath(site), winPath(mapPath)] : [site, mapPath], { timeout: 60000 });
check('zorvitan-cli writes the map', run.status === 0 ? []
  : [`exit code ${run.status}: ${run.error?.message ?? run.stderr}`]);

let browser;
if (run.status === 0) try {
  browser = await chromium.launch({
    executablePath: chromiumPath, headless: true,
    args: process.getuid() === 0 ? ['--no-sandbox'] : [],
  });
  // The map names no charset, and Chromium would guess one from its bytes. It is opened as
  // the file:// URL it is, with the charset a server would send: the system's code page.
  const context = await browser.newContext();
  context.setDefaultTimeout(15000);
  const mapUrl = pathToFileURL(mapPath).href;
  await context.route((url) => url.href === mapUrl, (route) => route.fulfill({
    body: fs.readFileSync(mapPath),
    contentType: `text/html; charset=${wine ? 'windows-1250' : 'utf-8'}`,
  }));
  let page = await context.newPage();
  await page.goto(mapUrl);
  const map = await page.evaluate(() => ({
    strange: [...document.querySelectorAll('head *, body *')].map((e) => e.localName)
      .filter((name) => !['h1', 'br', 'a'].includes(name)),
    items: [...document.querySelectorAll('h1, a')].map((e) => ({
      tag: e.localName, text: e.textContent, href: e.href, raw: e.getAttribute('href'),
    })),
  }));

  check('the map makes only h1, br and a elements',
    map.strange.map((name) => `<${name}> made from a name`));
  const wanted = new Set([...expected.values()].map(({ rel }) => folderHeading(rel)));
  const headings = map.items.filter((item) => item.tag === 'h1').map((item) => item.text);
  check('every heading is a folder of the site, as the system spells it', [
    ...headings.filter((h) => !wanted.has(h)).map((h) => `unexpected heading ${JSON.stringify(h)}`),
    ...[...wanted].filter((h) => !headings.includes(h)).map((h) => `no heading ${JSON.stringify(h)}`),
  ]);

  let heading = null;
  for (const item of map.items) {
    if (item.tag === 'h1') { heading = item.text; continue; }
    const problems = [];
    try {
      await page.goto(item.href);
      const title = await page.title();
      const landed = expected.get(title);
      if (!landed) {
        problems.push(`landed on ${page.url()}, titled ${JSON.stringify(title)}`);
      } else {
        landed.visits++;
        if (item.text !== landed.linkText) {
          problems.push(`landed on ${JSON.stringify(landed.rel)}, but the link says ${JSON.stringify(item.text)}`);
        }
        if (heading !== folderHeading(landed.rel)) {
          problems.push(`${JSON.stringify(landed.rel)} listed under ${JSON.stringify(heading)}`);
        }
      }
    } catch (error) {
      problems.push(error.message.split('\n')[0]);
      // A failed load leaves an error page on its way in: go on in a fresh tab.
      await page.close();
      page = await context.newPage();
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
