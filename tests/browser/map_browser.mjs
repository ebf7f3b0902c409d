// What the browser tests share: the program they run (natively, or the .exe under Wine, as
// given on their command line), headless Chromium, and the map as the browser reads it.
//
//   node TEST.mjs ZORVITAN_CLI                 the native program
//   node TEST.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine
//
// Needs Debian's chromium and the npm package playwright-core in build/browser-tools, both
// installed by scripts/deps.sh.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { check } from '../support/tally.mjs';

export const [cli, wineRun] = process.argv.slice(2);
export const wine = wineRun !== undefined;
export const untitledText = '#bez tytułu#';

const chromiumPath = '/usr/bin/chromium';
const tools = fileURLToPath(new URL('../../build/browser-tools/', import.meta.url));
let chromium;
try {
  ({ chromium } = createRequire(path.join(tools, 'here.js'))('playwright-core'));
} catch {
  chromium = undefined;
}
if (!cli || !chromium || !fs.existsSync(chromiumPath)) {
  console.error(!cli ? `usage: node ${path.basename(process.argv[1])} ZORVITAN_CLI [WINE_RUN]`
    : `${chromium ? chromiumPath : `playwright-core (in ${tools})`} is missing: run scripts/deps.sh`);
  console.log('0 passed, 1 failed');
  process.exit(1);
}

// A path as the Windows program sees it, on Wine's Z: drive.
export const winPath = (p) => 'Z:' + p.replaceAll('/', '\\');

// The heading the map writes above a page of the site: its folder as the system spells it.
export function folderHeading(site, rel) {
  const folder = path.posix.dirname(rel) === '.' ? '' : path.posix.dirname(rel) + '/';
  return wine ? winPath(`${site}/${folder}`) : `${site}/${folder}`;
}

// Runs zorvitan-cli on the site; true when it wrote the map.
export function mapSite(site, mapPath) {
  const run = spawnSync(wine ? wineRun : cli,
    wine ? [cli, winPath(site), winPath(mapPath)] : [site, mapPath], { timeout: 60000 });
  check('zorvitan-cli writes the map', run.status === 0 ? []
    : [`exit code ${run.status}: ${run.error?.message ?? run.stderr}`]);
  return run.status === 0;
}

export function launchChromium() {
  return chromium.launch({
    executablePath: chromiumPath, headless: true,
    args: process.getuid() === 0 ? ['--no-sandbox'] : [],
  });
}

// The map open in the tab, as the browser made it: the elements it should not hold, its
// headings and links in order, and the encoding the browser read it in.
export function readMap(tab) {
  return tab.evaluate(() => ({
    title: document.title,
    characterSet: document.characterSet,
    strange: [...document.querySelectorAll('head *, body *')].map((e) => e.localName)
      .filter((name) => !['h1', 'br', 'a'].includes(name)),
    items: [...document.querySelectorAll('h1, a')].map((e) => ({
      tag: e.localName, text: e.textContent, shown: e.innerText, href: e.href,
      raw: e.getAttribute('href'),
    })),
  }));
}

// Opens the URL in the tab. A failed load leaves an error page on its way in, so the next one
// goes on in a fresh tab: returns the tab to go on with, and the error if the load failed.
export async function follow(tab, url) {
  try {
    await tab.goto(url);
    return { tab, error: null };
  } catch (error) {
    const context = tab.context();
    await tab.close();
    return { tab: await context.newPage(), error: error.message.split('\n')[0] };
  }
}
