// What the html5 map's checks share: the program they run (natively, or the .exe under Wine, as
// given on their command line), and the sites they map: the sample site, a site of hostile names
// and titles, and the sample site in a template of its own look.
//
//   node TEST.mjs ZORVITAN_CLI                 the native program
//   node TEST.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { check } from '../support/tally.mjs';

export const [cli, wineRun] = process.argv.slice(2);
export const wine = wineRun !== undefined;
export const tools = fileURLToPath(new URL('../../build/browser-tools/', import.meta.url));
export const sampleSite = fileURLToPath(new URL('../../examples/site', import.meta.url));
export const scratch = fs.realpathSync(fs.mkdtempSync(path.join(os.tmpdir(), 'zv-html5-')));

// A path as the Windows program sees it, on Wine's Z: drive.
export const winPath = (p) => 'Z:' + p.replaceAll('/', '\\');

// Runs zorvitan-cli --format html5 with `options` on the site; true when it wrote the map.
export function mapSite(name, site, mapPath, options = []) {
  const paths = [site, mapPath].map((p) => (wine ? winPath(p) : p));
  const args = ['--format', 'html5', ...options, ...paths];
  const run = spawnSync(wine ? wineRun : cli, wine ? [cli, ...args] : args, { timeout: 120000 });
  check(`zorvitan-cli writes the ${name} map`, run.status === 0 ? []
    : [`exit code ${run.status}: ${run.error?.message ?? run.stderr}`]);
  return run.status === 0;
}

// A copy of the sample site to map into, since links lead from the map's place.
export function copySampleSite() {
  const site = path.join(scratch, 'site');
  fs.cpSync(sampleSite, site, { recursive: true });
  return site;
}

// [path in the site, the page's <title> as its source holds it (null: none)]. Every title is
// unique in the site as the browser shows it; names and titles hold what breaks markup, links and
// encodings; some pages are in German and English. Posix-only names are left out under Wine.
const hostilePages = [
  ['index.html', 'Start | Glina', 'lang="pl-PL"',
    '<meta name="description" content="Pracownia &amp; sklep: &lt;b&gt;glina&lt;/b&gt; &quot;ręcznie&quot;">'],
  ['c#d.html', 'Hash | Glina'],
  ['a%41.html', 'Percent 41 | Glina'],
  ['x&y.html', 'X &amp; Y | Glina'],
  ["it's [a] (b) {c}.html", 'Blanks &lt;and&gt; brackets'],
  ['zażółć gęślą.html', 'Polish letters — ŻÓŁĆ'],
  ['skrypt.html', 'Sklep <script>document.title="PWNED"</script> | Glina'],
  ['encje.html', 'Kot &amp; pies & &#322;&oacute;d&#378; 日本', '',
    '<meta name="description" content="Dwie\r\n linie, &#322;&oacute;d&#378; i 日本">'],
  ['linie.html', '  Dwie\r\n\tlinie  '],
  ['noindex.html', 'Noindex | Glina', '', '<meta name="robots" content="noindex">'],
  ['PAGE.HTM', 'Upper case'],
  ['a&b/page.html', 'In a&amp;b'],
  ['a&b/#u 100%.html', null],
  ['x&lt;y/p%20q.html', 'In x&amp;lt;y'],
  ['dział/index.html', 'Dział', '', '<meta name="description" content="Opis działu">'],
  ['de/index.html', 'Über uns', 'lang="de"'],
  ['de/anfahrt.html', 'Anfahrt', 'lang="DE-at"', '<meta name="description" content="Wegbeschreibung">'],
  ['english.html', 'In English', 'lang="en-GB"'],
  ['dział/sub dir/untitled.htm', null],
  ['puste/głębiej/strona.html', 'Deeper'],
  ['tylko/index.php', 'Only the index'],
  ['bez/index.html', null],
  ['日本.htm', 'Nihon'],
  ['smile😀.htm', 'Smile'],
  ['данные/strona.html', 'In dannye'],
  [`${'poziom-abcdefghijklmnopqrst/'.repeat(12)}deep.html`, 'Deep'],
  ['q?x.html', 'Question', '', '', true],
  ['say "hi".html', 'Quotes', '', '', true],
  ['tab\there.html', 'Tab', '', '', true],
  ['c:d.html', 'Colon', '', '', true],
  ['back\\slash.html', 'Backslash', '', '', true],
  ['<b>/bold.html', 'In b', '', '', true],
].filter(([, , , , posixOnly]) => !wine || !posixOnly);

// How many of the hostile site's pages have a description.
export const describedPages = hostilePages.filter(([, , , head = '']) => head.includes('"description"')).length;

// Writes the hostile site; returns it and its pages: path in the site -> its title as written,
// or null.
export function makeHostileSite() {
  const site = path.join(scratch, 'hostile');
  const pages = new Map();
  for (const [rel, title, htmlAttributes = '', head = ''] of hostilePages) {
    fs.mkdirSync(path.join(site, path.posix.dirname(rel)), { recursive: true });
    const titleTag = title === null ? '' : `<title>${title}</title>`;
    fs.writeFileSync(path.join(site, rel), `<!DOCTYPE html><html ${htmlAttributes}><head>`
      + `<meta charset="utf-8">${head}${titleTag}</head><body>${rel}</body></html>\n`);
    pages.set(rel, title);
  }
  // A name that is not UTF-8 (posix only): its link must still lead to it.
  if (!wine) {
    fs.writeFileSync(Buffer.from(`${site}/bad\xff.html`, 'latin1'), '<title>Not UTF-8</title>');
    pages.set('bad\ufffd.html', 'Not UTF-8');
  }
  return { site, pages };
}

// The sample site's pages in a page of its own look, as a template.
export function makeTemplate() {
  const file = path.join(scratch, 'szablon.html');
  fs.writeFileSync(file, `<!DOCTYPE html>
<html lang="pl">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{{title}}</title>
<link rel="stylesheet" href="style.css">
</head>
<body>
<header><a href="index.html">Pracownia „Glina”</a></header>
<main>
<h1>{{title}}</h1>
{{map}}
</main>
<footer><p>© Pracownia „Glina”</p></footer>
</body>
</html>
`);
  return file;
}
