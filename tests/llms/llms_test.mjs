// llms.txt read back by the CommonMark reference parser (npm commonmark): one H1 first, the
// summary as a blockquote, then an H2 per section, each holding a list whose items are a link
// whose text and destination give back the page's title (as parse5, the HTML standard's parser,
// reads it) and URL exactly, then ": " and the page's description. On the sample site, a site
// of hostile names, titles and descriptions, and the sample site with --optional. On the
// hostile site, with --strip-index and --clean-urls too, the URLs are the text sitemap's of the
// same options, no more and no fewer, and so are the pages the report names.
//
//   node llms_test.mjs ZORVITAN_CLI                 the native program
//   node llms_test.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine
//
// Needs commonmark and parse5 in build/browser-tools (scripts/deps.sh). Ends with
// "N passed, N failed"; exits 1 on any failure.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { check, finish } from '../support/tally.mjs';
import { cli, copySampleSite, scratch, tools, wine, wineRun, winPath } from '../html5/html5_sites.mjs';

const base = 'https://example.com/glina/';
const toolRequire = createRequire(path.join(tools, 'here.js'));
let commonmark;
let parse5;
try {
  commonmark = toolRequire('commonmark');
  parse5 = await import(pathToFileURL(toolRequire.resolve('parse5')));
} catch {
  commonmark = undefined;
}
if (!cli || !commonmark) {
  console.error(!cli ? 'usage: node llms_test.mjs ZORVITAN_CLI [WINE_RUN]'
    : `commonmark or parse5 (in ${tools}) is missing: run scripts/deps.sh`);
  console.log('0 passed, 1 failed');
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

const collapsed = (text) => text.replace(/[ \t\n\f\r]+/g, ' ').trim();
const isIndex = (name) => /^index\.(html?|php)$/i.test(name);

// The site's pages as a browser reads them: URL (no --strip-index or --clean-urls) -> path
// in the site, title (null: none) and description (null: none).
function pagesOf(site) {
  const pages = new Map();
  for (const rel of fs.readdirSync(site, { recursive: true }).sort()) {
    if (!/\.(html?|php)$/i.test(rel) || path.basename(rel).startsWith('.')) continue;
    const document = parse5.parse(fs.readFileSync(path.join(site, rel), 'utf8'));
    const elements = [];
    const walk = (node) => (node.childNodes ?? []).forEach((child) => {
      elements.push(child);
      walk(child.content ?? child);
    });
    walk(document);
    const title = elements.find((e) => e.tagName === 'title');
    const description = elements.find((e) => e.tagName === 'meta' && e.attrs.some(
      (a) => a.name === 'name' && a.value.trim().toLowerCase() === 'description'));
    const slashed = rel.split(path.sep).join('/');
    const url = base + [...Buffer.from(slashed)].map((byte) => (/[A-Za-z0-9\-._~/]/.test(
      String.fromCharCode(byte)) ? String.fromCharCode(byte) : `%${byte.toString(16).toUpperCase().padStart(2, '0')}`)).join('');
    pages.set(url, {
      rel: slashed,
      title: title ? collapsed(title.childNodes.map((t) => t.value).join('')) || null : null,
      description: description ? collapsed(description.attrs.find((a) => a.name === 'content')?.value ?? '') || null : null,
    });
  }
  return pages;
}

// A node's text as the reader gives it back; the kinds of node met on the way.
function textOf(node, kinds) {
  let text = '';
  const walker = node.walker();
  for (let step = walker.next(); step; step = walker.next()) {
    if (!step.entering || step.node === node) continue;
    kinds.add(step.node.type);
    if (step.node.literal !== null) text += step.node.literal;
  }
  return text;
}

// The file as sections: its H1, the blockquote's text, and each H2 with its items.
function readBack(name, file) {
  const document = new commonmark.Parser().parse(fs.readFileSync(file, 'utf8'));
  const problems = [];
  const blocks = [];
  for (let node = document.firstChild; node; node = node.next) blocks.push(node);
  const h1 = blocks.shift();
  if (h1?.type !== 'heading' || h1.level !== 1) problems.push('the file does not begin with an H1');
  const parsed = { h1: h1 ? textOf(h1, new Set()) : '', summary: null, sections: [] };
  if (blocks[0]?.type === 'block_quote') parsed.summary = textOf(blocks.shift(), new Set());
  while (blocks.length > 0) {
    const [heading, list] = blocks.splice(0, 2);
    if (heading.type !== 'heading' || heading.level !== 2 || list?.type !== 'list') {
      problems.push(`${heading.type} ${heading.level ?? ''} where an H2 and its list belong`);
      break;
    }
    const section = { label: textOf(heading, new Set()), items: [] };
    for (let item = list.firstChild; item; item = item.next) section.items.push(itemOf(item, problems));
    parsed.sections.push(section);
  }
  check(`${name}: an H1, a blockquote, then H2s each with a list`, problems);
  return parsed;
}

// A list item: a link, then ": " and the description.
function itemOf(item, problems) {
  const paragraph = item.firstChild;
  const link = paragraph?.firstChild;
  if (paragraph?.type !== 'paragraph' || link?.type !== 'link') {
    problems.push(`an item that is no link: ${paragraph?.type} ${link?.type}`);
    return {};
  }
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
// description, under its folder's section (Optional for --optional's); each page once.
function checkItems(name, parsed, pages, sectionOf) {
  const seen = new Map();
  for (const section of parsed.sections) {
    for (const item of section.items) {
      const page = pages.get(item.url);
      const problems = [];
      if (!page) {
        problems.push(`${item.url} is no page of the site`);
      } else {
        seen.set(item.url, (seen.get(item.url) ?? 0) + 1);
        const title = page.title ?? path.posix.basename(page.rel);
        if (item.text !== title) problems.push(`reads ${JSON.stringify(item.text)}, not ${JSON.stringify(title)}`);
        if (item.description !== page.description) {
          problems.push(`described ${JSON.stringify(item.description)}, not ${JSON.stringify(page.description)}`);
        }
        const expected = sectionOf(page);
        if (section.label !== expected) problems.push(`under ${JSON.stringify(section.label)}, not ${JSON.stringify(expected)}`);
      }
      check(`${name}: item ${JSON.stringify(item.text)} (${item.url})`, problems);
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
      && isIndex(path.posix.basename(p.rel)) && p.title !== null);
    return index ? index.title : path.posix.basename(folder);
  };
}

// The sample site: every page listed, titled as written, top page's title as the name.
const sampleSite = copySampleSite();
const samplePages = pagesOf(sampleSite);
const sampleTop = samplePages.get(`${base}index.html`);
const sampleLlms = path.join(sampleSite, 'llms.txt');
if (run('the sample site\'s llms.txt', 'llms', sampleSite, sampleLlms)) {
  const parsed = readBack('sample site', sampleLlms);
  check('sample site: named by its top page', parsed.h1 === sampleTop.title ? [] : [parsed.h1]);
  const seen = checkItems('sample site', parsed, samplePages, folderSections(samplePages, sampleTop.title));
  check('sample site: every page listed', [...samplePages.keys()].filter((url) => !seen.has(url)));
}

// With --optional, the blog's pages go under the last section, Optional, and nowhere else.
const optionalLlms = path.join(scratch, 'optional-llms.txt');
if (run('llms.txt with --optional', 'llms', sampleSite, optionalLlms,
  ['--optional', 'blog/**', '--title', 'Glina [*test*] #1'])) {
  const parsed = readBack('--optional', optionalLlms);
  check('--optional: named by --title', parsed.h1 === 'Glina [*test*] #1' ? [] : [parsed.h1]);
  const sections = parsed.sections.map((s) => s.label);
  check('--optional: Optional is the last section, and once', sections.indexOf('Optional') === sections.length - 1 ? [] : [sections.join(' | ')]);
  const inBlog = (page) => page.rel.startsWith('blog/');
  const bySection = folderSections(samplePages, 'Glina [*test*] #1');
  checkItems('--optional', parsed, samplePages, (page) => (inBlog(page) ? 'Optional' : bySection(page)));
}

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
  ['under_score.html', '__init__ i *args* i ~~nie~~', ''],
  ['lt.html', '&lt;b&gt;pogrubiony&lt;/b&gt; &lt;https://example.com&gt;', '<meta name="description" content="">'],
  ['noindex.html', 'Noindex', '<meta name="robots" content="noindex">'],
  ['stub.html', 'Przekierowanie', '<meta http-equiv="refresh" content="0; url=index.html">'],
  ['kopia.html', 'Kopia', '<link rel="canonical" href="index.html">'],
  ['404.html', 'Nie ma', ''],
  ['prywatne/tajne.html', 'Tajne', ''],
  ['wersje/index.htm', 'Wersje', ''],
  ['wersje/stara.html', 'Stara', ''],
  ['gwiazdka*.html', 'Gwiazdka', '', true],
  ['q?x.html', 'Pytanie', '', true],
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
const leftOut = ['noindex.html', 'stub.html', 'kopia.html', '404.html', 'prywatne/tajne.html'];
const hostileTop = hostilePagesRead.get(`${base}index.html`);
const hostileLlms = path.join(scratch, 'hostile-llms.txt');
if (run('the hostile site\'s llms.txt', 'llms', hostileSite, hostileLlms)) {
  const parsed = readBack('hostile site', hostileLlms);
  check('hostile site: named by its top page', parsed.h1 === hostileTop.title ? [] : [parsed.h1]);
  check('hostile site: summed up by its description', parsed.summary === hostileTop.description ? []
    : [`${JSON.stringify(parsed.summary)}, not ${JSON.stringify(hostileTop.description)}`]);
  const seen = checkItems('hostile site', parsed, hostilePagesRead, folderSections(hostilePagesRead, hostileTop.title));
  check('hostile site: every page listed but those a sitemap leaves out', [...hostilePagesRead]
    .filter(([url, page]) => seen.has(url) === leftOut.includes(page.rel)).map(([, page]) => page.rel));
}

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
