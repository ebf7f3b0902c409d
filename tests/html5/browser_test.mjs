// The html5 map in headless Chromium, opened as the plain file:// URL a reader opens. axe-core
// (injected into the page) finds no violation of the WCAG 2.1 A and AA rules, in the light and
// the dark colour scheme, on the sample site's map and on a site of hostile names and titles,
// shown with their descriptions and mapped in English: its words are English, and each link and
// description is spoken in its page's language.
// On both, every link lands on its own page, whose title (blanks collapsed) is the link's text
// (an untitled page's link reads as its file name, an untitled index page's as its folder's),
// under the items of its folders, each labelled by its index page's title or else its name; and
// the page holds no local absolute path.
//
//   node browser_test.mjs ZORVITAN_CLI                 the native program
//   node browser_test.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine
//
// Needs what ../browser/map_browser.mjs says, and axe-core in build/browser-tools (installed by
// scripts/deps.sh). Ends with "N passed, N failed"; exits 1 on any failure.
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { follow, launchChromium } from '../browser/map_browser.mjs';
import { check, finish } from '../support/tally.mjs';
import {
  copySampleSite, describedPages, makeHostileSite, mapSite, scratch, tools, winPath,
} from './html5_sites.mjs';

const axeScript = path.join(tools, 'node_modules/axe-core/axe.min.js');
const wcag21 = ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'];
const collapsed = (text) => text.replace(/\s+/g, ' ').trim();

// The site's pages as written: path in the site -> title in the page's source, or null.
function samplePages(site) {
  const pages = new Map();
  const walk = (rel) => {
    for (const entry of fs.readdirSync(path.join(site, rel), { withFileTypes: true })) {
      const child = path.posix.join(rel, entry.name);
      if (entry.isDirectory()) walk(child);
      else if (/\.(html?|php)$/i.test(entry.name)) {
        const title = /<title>([\s\S]*?)<\/title>/i.exec(fs.readFileSync(path.join(site, child), 'utf8'));
        pages.set(child, title ? title[1] : null);
      }
    }
  };
  walk('');
  return pages;
}

// The path of a file:// URL relative to the site, its bytes read as UTF-8 (so a name that is
// not UTF-8 reads with U+FFFD); null outside the site.
function siteRelative(site, url) {
  if (!url.startsWith('file:')) return null;
  const bytes = Buffer.from(new URL(url).pathname.replace(/%([0-9A-Fa-f]{2})/g,
    (_, hex) => String.fromCharCode(parseInt(hex, 16))), 'latin1');
  const prefix = Buffer.from(`${site}/`);
  return bytes.subarray(0, prefix.length).equals(prefix)
    ? bytes.subarray(prefix.length).toString('utf8') : null;
}

async function axeViolations(context, mapUrl) {
  const tab = await context.newPage();
  await tab.goto(mapUrl);
  await tab.addScriptTag({ path: axeScript });
  const result = await tab.evaluate((tags) => window.axe.run(document,
    { runOnly: { type: 'tag', values: tags }, resultTypes: ['violations'] }), wcag21);
  const background = await tab.evaluate(() => getComputedStyle(document.body).backgroundColor);
  await tab.close();
  if (result.passes.length === 0) result.violations.push({ id: 'none', help: 'axe checked nothing', nodes: [] });
  return {
    background,
    violations: result.violations.map((v) => `${v.id}: ${v.help} (${v.nodes.length}: ${v.nodes[0]?.target})`),
  };
}

async function checkMap(browser, name, site, mapPath, pages) {
  const mapUrl = pathToFileURL(mapPath).href;
  const backgrounds = [];
  for (const colorScheme of ['light', 'dark']) {
    const context = await browser.newContext({ colorScheme });
    const { violations, background } = await axeViolations(context, mapUrl);
    check(`${name}, ${colorScheme}: no WCAG 2.1 A or AA violation`, violations);
    backgrounds.push(background);
    await context.close();
  }
  check(`${name}: the dark scheme has a page of its own`, backgrounds[0] !== backgrounds[1] ? []
    : [`both backgrounds are ${backgrounds[0]}`]);

  const source = fs.readFileSync(mapPath, 'utf8');
  check(`${name}: no local absolute path in the page`, [site, winPath(site), scratch, path.dirname(site)]
    .filter((local) => source.includes(local) || source.includes(encodeURI(local)))
    .map((local) => `the page holds ${local}`));

  const context = await browser.newContext();
  context.setDefaultTimeout(15000);
  let tab = await context.newPage();
  await tab.goto(mapUrl);
  // Each link with the labels of the folder items it stands in, outermost first.
  const links = await tab.evaluate(() => [...document.querySelectorAll('nav a')].map((a) => {
    const folders = [];
    for (let li = a.closest('li.folder'); li; li = li.parentElement.closest('li.folder')) {
      folders.unshift(li.firstElementChild.innerText);
    }
    return { text: a.innerText, href: a.href, raw: a.getAttribute('href'), folders, label: a.parentElement.matches('li.folder') };
  }));
  const indexTitle = (folder) => [...pages].find(([rel, title]) => title !== null
    && path.posix.dirname(rel) === folder && /^index\.(html?|php)$/i.test(path.posix.basename(rel)));
  const visits = new Map([...pages.keys()].map((rel) => [rel, 0]));
  for (const link of links) {
    const problems = [];
    let error;
    ({ tab, error } = await follow(tab, link.href));
    // A .php page is a download to a browser reading files: the link's own URL is where it leads.
    const download = error?.includes('Download is starting');
    const rel = download ? siteRelative(site, link.href) : error ? null : siteRelative(site, tab.url());
    if (download) error = fs.existsSync(Buffer.from(`${site}/${rel}`)) ? null : `${link.href} is no file`;
    if (error || !visits.has(rel)) {
      problems.push(error ?? `leads to ${tab.url()}, not a page of the site`);
    } else {
      visits.set(rel, visits.get(rel) + 1);
      const folder = path.posix.dirname(rel);
      const shown = pages.get(rel) === null
        ? (link.label ? path.posix.basename(folder) : path.posix.basename(rel))
        : download ? collapsed(pages.get(rel).replaceAll('&amp;', '&')) : collapsed(await tab.title());
      if (collapsed(link.text) !== shown) {
        problems.push(`the link reads ${JSON.stringify(link.text)}, the page ${JSON.stringify(shown)}`);
      }
      const folders = folder === '.' ? [] : folder.split('/').map((_, i, parts) => {
        const sub = parts.slice(0, i + 1).join('/');
        const index = indexTitle(sub);
        return index ? collapsed(index[1].replaceAll('&amp;', '&')) : parts[i];
      });
      if (link.label !== (folder !== '.' && /^index\.(html?|php)$/i.test(path.posix.basename(rel)))) {
        problems.push(link.label ? 'labels a folder, but is no index page' : 'an index page, but labels no folder');
      }
      const labels = link.folders.map(collapsed);
      if (!link.label && JSON.stringify(labels) !== JSON.stringify(folders)) {
        problems.push(`listed under ${JSON.stringify(labels)}, not ${JSON.stringify(folders)}`);
      }
    }
    check(`${name}: link ${JSON.stringify(link.text)} href=${JSON.stringify(link.raw)}`, problems);
  }
  check(`${name}: every page is reached exactly once`, [...visits]
    .filter(([, count]) => count !== 1).map(([rel, count]) => `${JSON.stringify(rel)} reached ${count} times`));
  await context.close();
}

// The hostile site's map with --lang en: English words, and each link and description spoken (the
// nearest lang) in its page's language, or in the map's for a page in English or without a valid tag.
const spokenOnEnglishMap = { 'index.html': 'pl-PL', 'de/index.html': 'de', 'de/anfahrt.html': 'DE-at' };
async function checkLanguages(browser, mapPath) {
  const tab = await browser.newPage();
  await tab.goto(pathToFileURL(mapPath).href);
  const [words, ...links] = await tab.evaluate(() => [
    `${document.documentElement.lang} ${document.querySelector('nav').ariaLabel} ${document.title}`,
    ...[...document.querySelectorAll('nav a')].map((a) => [a.getAttribute('href'), a.closest('[lang]').lang, a.hreflang,
      (a.nextElementSibling?.matches('p.description') ? a.nextElementSibling : a).closest('[lang]').lang])]);
  await tab.close();
  check('English map: its own words are English', words.startsWith('en Site map Site map – ') ? [] : [words]);
  check('English map: each link and description spoken in its page\'s language', links
    .filter(([href, lang, hreflang, description]) => lang !== (spokenOnEnglishMap[href] ?? 'en')
      || hreflang !== (spokenOnEnglishMap[href] ?? '') || description !== lang)
    .map((link) => link.join(' ')));
}

const sampleSite = copySampleSite();
const sampleMap = path.join(sampleSite, 'mapa.html');
const samplePagesWritten = samplePages(sampleSite);
const { site: hostileSite, pages: hostilePages } = makeHostileSite();
const hostileMap = path.join(hostileSite, 'mapa.html');
let browser;
try {
  browser = await launchChromium();
  if (mapSite('sample site', sampleSite, sampleMap)) {
    await checkMap(browser, 'sample site', sampleSite, sampleMap, samplePagesWritten);
  }
  if (mapSite('hostile site', hostileSite, hostileMap, ['--descriptions', '--lang', 'en'])) {
    await checkMap(browser, 'hostile site', hostileSite, hostileMap, hostilePages);
    const shown = fs.readFileSync(hostileMap, 'utf8').split('<p class="description"').length - 1;
    check('hostile site: each description shown', shown === describedPages ? [] : [`${shown} of ${describedPages}`]);
    await checkLanguages(browser, hostileMap);
  }
} catch (error) {
  check('the browser opens the maps', [error.message.split('\n')[0]]);
} finally {
  await browser?.close();
}

finish(scratch, 'The sites and their maps are');
