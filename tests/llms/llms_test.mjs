// llms.txt read back by the CommonMark reference parser (npm commonmark): an H1, the summary's
// blockquote, then H2 sections of lists whose items are links giving back each page's title (as
// parse5 reads it) and URL exactly, then ": " and its description; on the sample site, a hostile
// site and with --optional. Under --strip-index and --clean-urls its URLs and report are the text
// sitemap's. Run as html5_sites.mjs says (natively or under Wine); needs commonmark and parse5
// in build/browser-tools (scripts/deps.sh).
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { check, finish } from '../support/tally.mjs';
import { cli, copySampleSite, scratch, tools, wine, wineRun, winPath } from '../html5/html5_sites.mjs';

const base = 'https://example.com/glina/';
const toolRequire = createRequire(path.join(tools, 'here.js'));
const [commonmark, parse5] = await (async () => [toolRequire('commonmark'),
  await import(pathToFileURL(toolRequire.resolve('parse5')))])().catch(() => []);
if (!cli || !commonmark) {
  console.log(`usage: node llms_test.mjs ZORVITAN_CLI [WINE_RUN], with commonmark and parse5 in ${tools}\n0 passed, 1 failed`);
  process.exit(1);
}

// Runs zorvitan-cli; true when it ended with `status` (0: it wrote `out`).
function run(name, format, site, out, options = [], status = 0) {
  const local = (p) => (wine ? winPath(p) : p);
  const args = ['--quiet', '--format', format, '--base-url', base, ...options, local(site), local(out)];
  const result = spawnSync(wine ? wineRun : cli, wine ? [cli, ...args] : args, { timeout: 120000 });
  check(`zorvitan-cli writes ${name}`, result.status === status ? []
    : [`exit code ${result.status}: ${result.error?.message ?? result.stderr}`]);
  return result.status === status;
}

const collapsed = (text) => (text === undefined ? null : text.replace(/[ \t\n\f\r]+/g, ' ').trim() || null);
const percentEncoded = (text) => [...Buffer.from(text)].map((byte) => (/[A-Za-z0-9\-._~/]/.test(String.fromCharCode(byte))
  ? String.fromCharCode(byte) : `%${byte.toString(16).toUpperCase().padStart(2, '0')}`)).join('');

// The site's pages as parse5 reads them: URL (no --strip-index or --clean-urls) -> path in the
// site, title and description (null: none).
function pagesOf(site) {
  const pages = new Map();
  for (const rel of fs.readdirSync(site, { recursive: true }).sort().map((r) => r.split(path.sep).join('/'))) {
    if (!/\.(html?|php)$/i.test(rel)) continue;
    const elements = [];
    const walk = (node) => (node.childNodes ?? []).forEach((child) => elements.push(child) && walk(child));
    walk(parse5.parse(fs.readFileSync(path.join(site, rel), 'utf8')));
    const title = elements.find((e) => e.tagName === 'title');
    const description = elements.find((e) => e.tagName === 'meta'
      && e.attrs.some((a) => a.name === 'name' && a.value.trim().toLowerCase() === 'description'));
    pages.set(base + percentEncoded(rel), {
      rel,
      title: title ? collapsed(title.childNodes.map((t) => t.value).join('')) : null,
      description: collapsed(description?.attrs.find((a) => a.name === 'content')?.value),
    });
  }
  return pages;
}

// A node's text as the reader gives it back, and the kinds of node in it.
function textOf(node, kinds = new Set()) {
  let text = '';
  for (let walker = node.walker(), step = walker.next(); step; step = walker.next()) {
    if (step.entering && step.node !== node) text += (kinds.add(step.node.type), step.node.literal ?? '');
  }
  return text;
}

// The file as sections: its H1, the blockquote's text, and each H2 with its items.
function readBack(name, file) {
  const problems = [];
  const blocks = [];
  const document = new commonmark.Parser().parse(fs.readFileSync(file, 'utf8'));
  for (let node = document.firstChild; node; node = node.next) blocks.push(node);
  const h1 = blocks.shift();
  if (h1?.type !== 'heading' || h1.level !== 1) problems.push('the file does not begin with an H1');
  const parsed = { h1: h1 ? textOf(h1) : '', summary: null, sections: [] };
  if (blocks[0]?.type === 'block_quote') parsed.summary = textOf(blocks.shift());
  while (blocks.length > 0 && problems.length === 0) {
    const [heading, list] = blocks.splice(0, 2);
    if (heading.type !== 'heading' || heading.level !== 2 || list?.type !== 'list') {
      problems.push(`${heading.type} ${heading.level ?? ''} where an H2 and its list belong`);
    }
    const items = [];
    for (let item = list?.firstChild; item; item = item.next) items.push(itemOf(item, problems));
    parsed.sections.push({ label: textOf(heading), items });
  }
  check(`${name}: an H1, a blockquote, then H2s each with a list`, problems);
  return parsed;
}

// A list item: a link, then ": " and the description.
function itemOf(item, problems) {
  const link = item.firstChild?.firstChild;
  if (item.firstChild?.type !== 'paragraph' || link?.type !== 'link') return problems.push('an item that is no link') && {};
  const kinds = new Set();
  const entry = { text: textOf(link, kinds), url: link.destination, description: null };
  let rest = '';
  for (let node = link.next; node; node = node.next) rest += textOf(node, kinds) + (node.literal ?? '');
  if (rest !== '') entry.description = rest.startsWith(': ') ? rest.slice(2) : `(not after ": ") ${rest}`;
  const markup = [...kinds].filter((kind) => kind !== 'text');
  if (markup.length > 0) problems.push(`${JSON.stringify(entry.text)} reads as ${markup.join(', ')}`);
  return entry;
}

// Every item is a page of the site, read back as its title (else its file name) and
// description, under the section `sectionOf` gives it; each page once.
function checkItems(name, parsed, pages, sectionOf) {
  const seen = new Map();
  for (const section of parsed.sections) {
    for (const item of section.items) {
      const page = pages.get(item.url);
      seen.set(item.url, (seen.get(item.url) ?? 0) + 1);
      const expected = page && [page.title ?? path.posix.basename(page.rel), page.description, sectionOf(page)];
      const found = [item.text, item.description, section.label];
      check(`${name}: item ${JSON.stringify(item.text)} (${item.url})`, !page ? ['no page of the site']
        : JSON.stringify(found) === JSON.stringify(expected) ? [] : [`${JSON.stringify(found)}, not ${JSON.stringify(expected)}`]);
    }
  }
  check(`${name}: no page twice`, [...seen].filter(([, n]) => n > 1).map(([url]) => `${url} twice`));
  return seen;
}

// Sections as the html5 page labels folders: the top folder by the site's name, a folder by
// its index page's title, else its name.
function folderSections(pages, siteName) {
  return (page) => {
    const folder = path.posix.dirname(page.rel);
    if (folder === '.') return siteName;
    const index = [...pages.values()].find((p) => path.posix.dirname(p.rel) === folder
      && /^index\.(html?|php)$/i.test(path.posix.basename(p.rel)) && p.title !== null);
    return index ? index.title : path.posix.basename(folder);
  };
}

// Writes and reads back llms.txt: named `h1`, every page listed but `leftOut`, those under
// `optional` (a folder) in the last section, Optional.
function checkSite(name, site, pages, h1, options = [], leftOut = [], optional = null) {
  const file = path.join(scratch, `${name}.txt`);
  if (!run(name, 'llms', site, file, options)) return;
  const parsed = readBack(name, file);
  check(`${name}: named ${h1}`, parsed.h1 === h1 ? [] : [parsed.h1]);
  const top = pages.get(`${base}index.html`);
  check(`${name}: summed up by the top page`, parsed.summary === top.description ? [] : [parsed.summary]);
  const labels = parsed.sections.map((s) => s.label);
  check(`${name}: Optional last, or none`, labels.indexOf('Optional') === (optional ? labels.length - 1 : -1) ? [] : labels);
  const bySection = folderSections(pages, h1);
  const seen = checkItems(name, parsed, pages, (page) => (optional && page.rel.startsWith(optional) ? 'Optional' : bySection(page)));
  check(`${name}: every page listed but those a sitemap leaves out`, [...pages]
    .filter(([url, page]) => seen.has(url) === leftOut.includes(page.rel)).map(([, page]) => page.rel));
}

const sampleSite = copySampleSite();
const samplePages = pagesOf(sampleSite);
checkSite('sample site', sampleSite, samplePages, samplePages.get(`${base}index.html`).title);
checkSite('--optional', sampleSite, samplePages, 'Glina [*test*] #1',
  ['--optional', 'blog/**', '--title', 'Glina [*test*] #1'], [], 'blog/');

// [path in the site, <title> as written (null: none), the head's other elements]; what breaks
// Markdown, links and encodings. Names Windows cannot hold are left out under Wine.
const hostilePages = [
  ['index.html', 'Pracownia [Glina] *ceramika* &amp; _spółka_',
    '<meta name="description" content="1. Kursy `toczenia` &lt;b&gt;i&lt;/b&gt; &amp;amp;\n szkliwienia # &gt; cytat">'],
  ['a (b) [c].html', 'Nawiasy ] [ ( ) \\ ukośnik \\', '<meta name="description" content="Opis ](http://zle) i <https://x.y> i \\[z]">'],
  ['zażółć gęślą.html', 'Zażółć gęślą jaźń — 日本語のタイトル', '<meta name="description" content="Łódź, 東京">'],
  ['日本/index.html', '日本 &lt;section&gt; ## 2 #', ''],
  ['日本/ページ.html', '  Dwie\r\n\tlinie  ', '<meta name="description" content="Linia 1\nLinia 2\r\nLinia 3">'],
  ['x&y/strona.html', 'X &amp; Y &amp;amp; &amp;#35; hash', '<meta name="description" content="&amp;copy; &amp;#322;">'],
  ['bez`tytułu_[1].html', null, '<meta name="description" content="__init__ and *args* ~~s~~ `x`">'],
  ['lt.html', '&lt;b&gt;pogrubiony&lt;/b&gt; &lt;https://example.com&gt;', '<meta name="description" content="">'],
  ['noindex.html', 'Noindex', '<meta name="robots" content="noindex">'],
  ['stub.html', 'Przekierowanie', '<meta http-equiv="refresh" content="0; url=index.html">'],
  ['kopia.html', 'Kopia', '<link rel="canonical" href="index.html">'],
  ['404.html', 'Nie ma', ''],
  ['prywatne/tajne.html', 'Tajne', ''],
  ['wersje/index.htm', 'Wersje', ''],
  ['wersje/stara.html', 'Stara', ''],
  ['gwiazdka*?.html', 'Gwiazdka', '', true],
].filter(([, , , posixOnly]) => !wine || !posixOnly);

function makeHostileSite() {
  const site = path.join(scratch, 'hostile');
  for (const [rel, title, head] of hostilePages) {
    fs.mkdirSync(path.join(site, path.posix.dirname(rel)), { recursive: true });
    fs.writeFileSync(path.join(site, rel), `<!DOCTYPE html><html><head><meta charset="utf-8">${head}`
      + `${title === null ? '' : `<title>${title}</title>`}</head><body>${rel}</body></html>\n`);
  }
  fs.writeFileSync(path.join(site, 'robots.txt'), 'User-agent: *\nDisallow: /glina/prywatne/\n');
  return site;
}

const hostileSite = makeHostileSite();
const hostilePagesRead = pagesOf(hostileSite);
checkSite('hostile site', hostileSite, hostilePagesRead, hostilePagesRead.get(`${base}index.html`).title, [],
  ['noindex.html', 'stub.html', 'kopia.html', '404.html', 'prywatne/tajne.html']);

// The same URLs and left-out pages as the text sitemap, under --strip-index and --clean-urls.
const lines = (file) => fs.readFileSync(file, 'utf8').split('\n').filter((line) => line !== '').sort();
const urlOptions = ['--strip-index', '--clean-urls', '--exclude', 'wersje/stara.html'];
const reportOf = (name) => path.join(scratch, `${name}-report.txt`);
const withReport = (name) => [...urlOptions, '--report', wine ? winPath(reportOf(name)) : reportOf(name)];
const urlsLlms = path.join(scratch, 'urls-llms.txt');
const urlsTxt = path.join(scratch, 'urls-sitemap.txt');
if (run('llms.txt under the URL options', 'llms', hostileSite, urlsLlms, withReport('llms'))
  && run('the text sitemap under the same options', 'txt', hostileSite, urlsTxt, withReport('txt'))) {
  const parsed = readBack('URL options', urlsLlms);
  const urls = parsed.sections.flatMap((s) => s.items.map((item) => item.url)).sort();
  const sitemap = lines(urlsTxt);
  check('llms.txt lists the sitemap\'s URLs', urls.filter((url) => !sitemap.includes(url)).map((url) => `not in the sitemap: ${url}`)
    .concat(sitemap.filter((url) => !urls.includes(url)).map((url) => `missing: ${url}`)));
  check('the reports name the same pages', JSON.stringify(lines(reportOf('llms'))) === JSON.stringify(lines(reportOf('txt')))
    ? [] : [`llms: ${lines(reportOf('llms')).join(' | ')}`, `txt: ${lines(reportOf('txt')).join(' | ')}`]);
}

// A site with nothing left to list keeps its old file, and says so by its exit code.
const emptySite = path.join(scratch, 'empty');
fs.mkdirSync(emptySite);
fs.writeFileSync(path.join(emptySite, 'a.html'), '<meta name="robots" content="noindex"><title>A</title>');
fs.writeFileSync(path.join(emptySite, 'llms.txt'), 'old\n');
run('nothing for a site of noindex pages', 'llms', emptySite, path.join(emptySite, 'llms.txt'), [], 3);
check('the old llms.txt stays', fs.readFileSync(path.join(emptySite, 'llms.txt'), 'utf8') === 'old\n' ? [] : ['replaced']);

finish(scratch, 'The sites and their files are');
