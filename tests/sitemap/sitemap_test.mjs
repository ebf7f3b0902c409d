// Sitemaps checked by their consumers: zorvitan-cli writes --format xml and txt for sites of
// odd names, noindex pages, excludes and 50,001 pages; xmllint validates every XML file
// against the sitemaps.org 0.9 schemas beside this script, the npm package `sitemap` parses
// it, and every <loc>, read with Node's URL and decoded byte by byte, must lead to its file.
// A site in several languages adds the xhtml:link extension (sitemap_hreflang.xsd) and the
// npm package language-tags, which judges the codes by the IANA registry.
//
//   node sitemap_test.mjs ZORVITAN_CLI                 the native program, every case
//   node sitemap_test.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine, odd names
//
// Needs xmllint (libxml2-utils) and the npm packages sitemap and language-tags in
// build/browser-tools, all installed by scripts/deps.sh. Ends with "N passed, N failed"; exits 1 on any failure.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { check, finish } from '../support/tally.mjs';

const [cli, wineRun] = process.argv.slice(2);
const wine = wineRun !== undefined;
const here = path.dirname(fileURLToPath(import.meta.url));
const tools = path.join(here, '../../build/browser-tools/');
let sitemapLib;
try {
  sitemapLib = createRequire(path.join(tools, 'here.js'))('sitemap');
} catch {
  sitemapLib = undefined;
}
let languageTags;
try {
  languageTags = createRequire(path.join(tools, 'here.js'))('language-tags');
} catch {
  languageTags = undefined;
}
let robotsParser;
try {
  robotsParser = createRequire(path.join(tools, 'here.js'))('robots-parser');
} catch {
  robotsParser = undefined;
}
const haveXmllint = spawnSync('xmllint', ['--version']).status === 0;
const haveGit = spawnSync('git', ['--version']).status === 0;
if (!cli || !sitemapLib || !robotsParser || !languageTags || !haveXmllint || !haveGit) {
  const missing = !sitemapLib ? `the npm package sitemap (in ${tools})`
    : !languageTags ? `the npm package language-tags (in ${tools})`
    : !robotsParser ? `the npm package robots-parser (in ${tools})` : !haveXmllint ? 'xmllint' : 'git';
  console.error(!cli ? 'usage: node sitemap_test.mjs ZORVITAN_CLI [WINE_RUN]'
    : `${missing} is missing: run scripts/deps.sh`);
  console.log('0 passed, 1 failed');
  process.exit(1);
}


const root = fs.realpathSync(fs.mkdtempSync(path.join(os.tmpdir(), 'zv-sitemap-')));
const winPath = (p) => 'Z:' + p.replaceAll('/', '\\');
function zorvitan(...args) {  // the last two arguments are the site folder and the map
  const paths = args.slice(-2).map((p) => (wine ? winPath(p) : p));
  const all = [...args.slice(0, -2), ...paths];
  const run = spawnSync(wine ? wineRun : cli, wine ? [cli, ...all] : all, { timeout: 120000 });
  return { status: run.status, out: String(run.stdout), err: String(run.stderr) };
}
// A site from [path in the site (string or Buffer), content] pairs.
function makeSite(name, pages) {
  const site = path.join(root, name);
  for (const [rel, content] of pages) {
    const file = Buffer.concat([Buffer.from(site + '/'), Buffer.from(rel)]);
    fs.mkdirSync(file.subarray(0, file.lastIndexOf('/')), { recursive: true });
    fs.writeFileSync(file, content);
  }
  return site;
}

function xmllint(file, schema = 'sitemap.xsd') {
  const run = spawnSync('xmllint', ['--noout', '--schema', path.join(here, schema), file]);
  return run.status === 0 ? [] : [`${path.basename(file)}: ${String(run.stderr).split('\n')[0]}`];
}

// The sitemap package's own parsers, told to throw on whatever they find wrong.
async function parse(file, index) {
  const problems = [];
  const Stream = index ? sitemapLib.XMLToSitemapIndexStream : sitemapLib.XMLToSitemapItemStream;
  const items = [];
  await new Promise((resolve) => {
    fs.createReadStream(file)
      .pipe(new Stream({ level: sitemapLib.ErrorLevel.THROW,
        logger: (level, ...message) => problems.push(`${path.basename(file)}: ${message.join(' ')}`) }))
      .on('data', (item) => items.push(item))
      .on('error', (error) => { problems.push(`${path.basename(file)}: ${error.message}`); resolve(); })
      .on('end', resolve);
  });
  return { items: items.map((item) => (typeof item === 'string' ? { url: item } : item)), problems };
}

// Percent-decoding to bytes, as decodeURIComponent does, but for names that are no UTF-8.
function decodeBytes(segment) {
  const bytes = [];
  for (let i = 0; i < segment.length; i++) {
    if (segment[i] === '%') {
      bytes.push(parseInt(segment.slice(i + 1, i + 3), 16));
      i += 2;
    } else {
      bytes.push(...Buffer.from(segment[i]));
    }
  }
  return Buffer.from(bytes);
}

// The file a URL leads to, as a Buffer path; a folder URL leads to its folder.
function fileOf(loc, base, site) {
  const url = new URL(loc);
  const basePath = new URL(base).pathname;
  if (!url.pathname.startsWith(basePath) || url.origin !== new URL(base).origin) return null;
  const segments = url.pathname.slice(basePath.length).split('/');
  return Buffer.concat([Buffer.from(site), ...segments.map((s) => Buffer.concat([Buffer.from('/'), decodeBytes(s)]))]);
}

// Under --clean-urls a URL leads to its file with ".html" added, as static hosts serve it.
function locsLeadToFiles(locs, base, site, clean = false) {
  const problems = [];
  for (const loc of locs) {
    const file = fileOf(loc, base, site);
    if (file === null || !(fs.existsSync(file)
      || (clean && fs.existsSync(Buffer.concat([file, Buffer.from('.html')]))))) {
      problems.push(`${loc} leads to no file`);
    }
  }
  return problems;
}

// Checks an XML sitemap (MAP and, when it is an index, its numbered files): schema, parser,
// and that every URL leads to a page. Returns the page URLs. `schema` checks a <urlset>.
async function checkXml(name, map, base, site, clean = false, schema = 'sitemap.xsd') {
  const head = fs.readFileSync(map, 'utf8').slice(0, 200);
  const isIndex = head.includes('<sitemapindex');
  const problems = xmllint(map, isIndex ? 'siteindex.xsd' : schema);
  const parsed = await parse(map, isIndex);
  problems.push(...parsed.problems);
  let urls = parsed.items;
  if (isIndex) {
    problems.push(...locsLeadToFiles(urls.map((u) => u.url), base, site));
    urls = [];
    for (const { url } of parsed.items) {
      const part = fileOf(url, base, site).toString();
      problems.push(...xmllint(part, schema));
      const partParsed = await parse(part, false);
      problems.push(...partParsed.problems);
      urls.push(...partParsed.items);
    }
  }
  problems.push(...locsLeadToFiles(urls.map((u) => u.url), base, site, clean));
  check(`${name}: valid, parsed, every <loc> leads to its file`, problems);
  return { urls, isIndex, parts: isIndex ? parsed.items.length : 0 };
}

const lastmodOf = (file) => new Date(Math.floor(fs.statSync(file).mtimeMs / 1000) * 1000)
  .toISOString().replace('.000Z', 'Z');

// --- Odd names: every byte that needs it encoded, nothing else.
const oddNames = [
  'plain.html', 'a b.html', 'x&y.html', '100%.html', 'c#d.html', '~x_y-z.php',
  'zażółć gęślą.html', '日本.htm', 'smile😀.htm', 'данные/strona.html', 'dir with space/index.html',
  ...(wine ? [] : ['q?x.html', '<b>&"q\'.html', 'tab\there.htm',
    Buffer.concat([Buffer.from('latin1-'), Buffer.from([0xff, 0xe9]), Buffer.from('.htm')])]),
];
{
  const base = 'https://example.com/a&b/';
  const site = makeSite('odd', oddNames.map((n) => [n, '<title>t</title>']));
  const map = path.join(site, 'sitemap.xml');
  // Named like numbered files of the set, but not as this program names them: the user's own.
  const usersOwn = ['sitemap-01.xml', 'sitemap-.xml', 'sitemap-1.txt'];
  for (const name of usersOwn) fs.writeFileSync(path.join(site, name), 'mine');
  const run = zorvitan('--format', 'xml', '--base-url', 'https://example.com/a&b', site, map);
  check('odd names: files named almost like numbered files are kept', usersOwn
    .filter((name) => !fs.existsSync(path.join(site, name))).map((name) => `${name} was removed`));
  check('odd names: exit 0, every page counted', run.status === 0 && run.out.includes(`: ${oddNames.length} page`)
    ? [] : [`exit ${run.status}: ${run.out} ${run.err}`]);
  if (run.status === 0) {
    const { urls } = await checkXml('odd names', map, base, site);
    check('odd names: one URL per page, with its modification time', [
      ...(urls.length === oddNames.length ? [] : [`${urls.length} URLs for ${oddNames.length} pages`]),
      ...urls.filter((u) => u.lastmod !== lastmodOf(fileOf(u.url, base, site)))
        .map((u) => `${u.url}: lastmod ${u.lastmod}`),
      ...urls.filter((u) => !/^https:\/\/example\.com\/a&b\/[A-Za-z0-9\-._~/%]+$/.test(u.url))
        .map((u) => `${u.url}: not percent-encoded`),
    ]);
    const text = fs.readFileSync(map, 'utf8');
    check('odd names: a Polish name and one outside code page 1250 as UTF-8', [
      'za%C5%BC%C3%B3%C5%82%C4%87%20g%C4%99%C5%9Bl%C4%85.html', '%E6%97%A5%E6%9C%AC.htm',
      'smile%F0%9F%98%80.htm', '%D0%B4%D0%B0%D0%BD%D0%BD%D1%8B%D0%B5/strona.html',
      ...(wine ? [] : ['latin1-%FF%E9.htm']),
    ].filter((encoded) => !text.includes(`https://example.com/a&amp;b/${encoded}</loc>`))
      .map((encoded) => `no <loc> ends in ${encoded}`));
  }
}

if (!wine) {
  // --- noindex: the variants that count, and those that must not.
  const noindexPages = [
    ['n1.html', '<html><head><meta name="robots" content="noindex"></head><body>x</body></html>'],
    ['n2.html', "<HEAD><META CONTENT='NOINDEX, nofollow' NAME='Robots'></HEAD>"],
    ['n3.html', '<head><title>x</title><meta content=noindex name=googlebot></head>'],
    ['y1.html', '<head><meta name="robots" content="nofollow"></head>'],
    ['y2.html', '<head></head><body><meta name="robots" content="noindex"></body>'],
    ['y3.html', '<head><!-- <meta name="robots" content="noindex"> --></head>'],
    ['y4.html', '<head><meta name="description" content="noindex"></head>'],
  ];
  const site = makeSite('noindex', noindexPages);
  const map = path.join(site, 'sitemap.xml');
  const base = 'http://example.org/';
  const run = zorvitan('--format', 'xml', '--base-url', 'http://example.org', site, map);
  check('noindex: counted on stderr', run.status === 0 && run.err === 'Left out pages marked noindex: 3\n'
    ? [] : [`exit ${run.status}, stderr ${JSON.stringify(run.err)}`]);
  const { urls } = await checkXml('noindex', map, base, site);
  const listed = urls.map((u) => u.url.slice(base.length)).sort();
  check('noindex: only the pages that say so are left out',
    JSON.stringify(listed) === JSON.stringify(['y1.html', 'y2.html', 'y3.html', 'y4.html'])
      ? [] : [`listed ${listed.join(' ')}`]);

  // --- Excludes (all formats) and --strip-index.
  const site2 = makeSite('shapes', [
    ['index.html', ''], ['about.html', ''], ['drafts/index.html', ''], ['drafts/deep/a.html', ''],
    ['news/Index.PHP', ''], ['news/old.bak.html', ''], ['news/2024/index.htm', ''],
  ]);
  const excludes = ['--exclude', 'drafts/**', '-x', '**/*.bak.html'];
  const txt = path.join(site2, 'sitemap.txt');
  let r = zorvitan('--format', 'txt', '--base-url', 'https://example.com/site', '--strip-index',
    ...excludes, site2, txt);
  const lines = r.status === 0 ? fs.readFileSync(txt, 'utf8').split('\n') : [];
  check('excludes and --strip-index: folder URLs for index pages, no excluded page', JSON.stringify(lines)
    === JSON.stringify(['https://example.com/site/about.html', 'https://example.com/site/',
      'https://example.com/site/news/', 'https://example.com/site/news/2024/', ''])
    ? locsLeadToFiles(lines.filter(Boolean), 'https://example.com/site/', site2)
    : [`exit ${r.status}: ${JSON.stringify(lines)} ${r.err}`]);
  const html = path.join(root, 'shapes.html');
  r = zorvitan(...excludes, site2, html);
  const map2 = r.status === 0 ? fs.readFileSync(html, 'utf8') : '';
  check('excludes: the HTML map leaves the same pages out', r.status === 0 && !map2.includes('drafts')
    && !map2.includes('bak') && map2.includes('news/2024/index.htm') ? [] : [`exit ${r.status}: ${map2}`]);

  // --- Wrong usage: exit 2, a message, nothing written.
  const usage = [
    ['--format', 'xml', site2, path.join(root, 'u1.xml')],
    ['--format', 'xml', '--base-url', 'example.com', site2, path.join(root, 'u2.xml')],
    ['--format', 'yaml', '--base-url', 'https://example.com/', site2, path.join(root, 'u3.xml')],
  ];
  check('wrong usage: exit 2, a message, nothing written', usage.flatMap((args) => {
    const u = zorvitan(...args);
    return u.status === 2 && u.err.startsWith('zorvitan-cli: ') && !fs.existsSync(args.at(-1))
      ? [] : [`${args.slice(0, 4).join(' ')}: exit ${u.status}, ${u.err}`];
  }));

  // --- 50,001 pages: an index and two files; then 49,999 pages: one file, no stale ones.
  const big = path.join(root, 'big');
  for (let folder = 0; folder < 51; folder++) fs.mkdirSync(path.join(big, `f${folder}`), { recursive: true });
  for (let i = 0; i < 50001; i++) fs.writeFileSync(path.join(big, `f${i % 51}`, `p${i}.htm`), '');
  const bigMap = path.join(big, 'sitemap.xml');
  const bigBase = 'https://example.com/';
  r = zorvitan('-q', '--format', 'xml', '--base-url', bigBase, big, bigMap);
  let result = r.status === 0 ? await checkXml('50,001 pages', bigMap, bigBase, big) : { urls: [] };
  check('50,001 pages: an index of two files, 50,000 URLs and one', r.status === 0 && result.isIndex
    && result.parts === 2 && result.urls.length === 50001
    && fs.readFileSync(path.join(big, 'sitemap-2.xml'), 'utf8').split('<url>').length === 2
    ? [] : [`exit ${r.status}, index ${result.isIndex}, ${result.parts} files, ${result.urls.length} URLs`]);
  const bigTxt = path.join(big, 'sitemap.txt');
  r = zorvitan('-q', '--format', 'txt', '--base-url', bigBase, big, bigTxt);
  check('50,001 pages as text: two numbered files and no MAP', r.status === 0 && !fs.existsSync(bigTxt)
    && fs.readFileSync(path.join(big, 'sitemap-1.txt'), 'utf8').split('\n').length === 50001
    && fs.readFileSync(path.join(big, 'sitemap-2.txt'), 'utf8').split('\n').length === 2
    ? [] : [`exit ${r.status}: ${r.err}`]);

  fs.rmSync(path.join(big, 'f0', 'p0.htm'));
  fs.rmSync(path.join(big, 'f1', 'p1.htm'));
  r = zorvitan('-q', '--format', 'xml', '--base-url', bigBase, big, bigMap);
  result = r.status === 0 ? await checkXml('49,999 pages', bigMap, bigBase, big) : { urls: [] };
  r = zorvitan('-q', '--format', 'txt', '--base-url', bigBase, big, bigTxt);
  const left = fs.readdirSync(big).filter((n) => n.startsWith('sitemap')).sort();
  check('49,999 pages: one file each, the numbered ones gone', !result.isIndex
    && result.urls.length === 49999 && JSON.stringify(left) === '["sitemap.txt","sitemap.xml"]'
    ? [] : [`index ${result.isIndex}, ${result.urls.length} URLs, files ${left.join(' ')}`]);
}

// --- What a sitemap leaves out, and why: the report file's lines exactly, the counts on stderr.
// Under Wine too, on Polish names and one outside code page 1250: the report is UTF-8.
const urlOf = (rel) => [...Buffer.from(rel)].map((b) => (/[A-Za-z0-9\-._~/]/.test(String.fromCharCode(b))
  ? String.fromCharCode(b) : `%${b.toString(16).toUpperCase().padStart(2, '0')}`)).join('');
{
  const base = 'https://example.com/';
  const longName = `${`${'y'.repeat(200)}/`.repeat(10)}${'z'.repeat(40)}.html`;  // 2,075 characters as a URL
  const site = makeSite('left-out', [
    ['index.html', '<title>home</title>'],
    ['404.html', 'not found'],
    ['docs/404.html', 'a page like any other'],
    ['stary.html', '<head><meta http-equiv="refresh" content="0; url=nowy.html"></head>'],
    ['zażółć.html', '<head><meta name="robots" content="noindex"></head>'],
    ['日本.htm', '<head><link rel="canonical" href="/index.html"></head>'],
    ['self.html', '<head><link rel="canonical" href="https://EXAMPLE.com/./self.html"></head>'],
    ['prywatne/a.html', ''],
    ['drafts/x.html', ''],
    ...(wine ? [] : [[longName, '']]),
    ['robots.txt', 'User-agent: *\nDisallow: /prywatne/\n'],
  ]);
  const map = path.join(site, 'sitemap.xml');
  const report = path.join(root, 'left-out-report.txt');
  const r = zorvitan('--format', 'xml', '--base-url', base, '-x', 'drafts', '--report',
    wine ? winPath(report) : report, site, map);
  const expectedErr = ['Left out pages marked noindex: 1', 'Left out redirects (meta refresh): 1',
    'Left out pages with another canonical URL: 1', 'Left out 404 error pages: 1',
    'Left out pages blocked by robots.txt: 1', ...(wine ? [] : ['Left out URLs longer than 2048 characters: 1'])];
  check('left out: exit 0, counted by reason on stderr', r.status === 0
    && (wine || r.err === expectedErr.map((l) => `${l}\n`).join('')) ? [] : [`exit ${r.status}: ${r.err}`]);
  if (r.status === 0) {
    const { urls } = await checkXml('left out', map, base, site);
    const listed = urls.map((u) => u.url.slice(base.length)).sort();
    check('left out: only the pages that may be listed', JSON.stringify(listed)
      === JSON.stringify(['docs/404.html', 'index.html', 'self.html']) ? [] : [`listed ${listed.join(' ')}`]);
    const lines = fs.readFileSync(report, 'utf8');
    const expected = ['drafts/\texcluded', '404.html\terror page', 'self.html', 'stary.html\tredirect nowy.html',
      ...(wine ? [] : [`${longName}\ttoo long`]), 'zażółć.html\tnoindex', '日本.htm\tcanonical https://example.com/index.html',
      'prywatne/a.html\trobots.txt Disallow: /prywatne/'].filter((l) => l.includes('\t'));
    const got = lines.split('\n').filter(Boolean);
    check('left out: the report names each page and its reason, in UTF-8',
      JSON.stringify([...got].sort()) === JSON.stringify([...expected].sort()) && lines.endsWith('\n')
        ? [] : [`report ${JSON.stringify(got)}`]);
  }
}

// --- Language versions: a site in pl, en and de with an x-default, a folder per language and
// nested ones, one correct cluster and one of each fault. The xml valid with the xhtml:link
// extension, each URL's links read back by the sitemap package, each code written judged by
// language-tags (the IANA registry), each code refused refused there too, the report exact.
{
  const base = 'https://example.com/';
  const head = (links, extra = '') => `<head><meta charset="utf-8">${extra}${links
    .map(([code, href]) => `<link rel="alternate" hreflang="${code}" href="${href}">`).join('')}</head>`;
  const home = [['x-default', '/'], ['pl', '/pl/'], ['en', 'https://EXAMPLE.com/en/index.html'],
    ['de', '../de/'], ['fr', 'https://example.fr/']];
  const site = makeSite('languages', [
    ['index.html', head(home)],
    ['pl/index.html', head(home)],
    ['en/index.html', head(home)],
    ['de/index.html', head([['x-default', '../'], ['pl', './'], ['en', '../en/'], ['de', '../de/index.html'],
      ['fr', 'https://example.fr/']], '<base href="/pl/">')],
    // No return link.
    ['pl/oferta/cennik-żółty.html', head([['pl', 'cennik-żółty.html']])],
    ['en/offer/prices.html', head([['en', 'prices.html'], ['pl', '/pl/oferta/cennik-żółty.html']])],
    // A page that does not name itself.
    ['pl/blog/wpis.html', head([['en', '/en/blog/post.html']])],
    ['en/blog/post.html', head([['en', 'post.html'], ['pl', '/pl/blog/wpis.html']])],
    // Codes that are none.
    ['de/kontakt/über.html', head([['de', 'über.html'], ['en-UK', '/en/contact/us.html'],
      ['jp', '/en/contact/us.html'], ['pl_PL', '/en/contact/us.html']])],
    ['en/contact/us.html', head([['en', 'us.html'], ['de', '/de/kontakt/über.html']])],
    // Two URLs for one code.
    ['en/news/a.html', head([['en', 'a.html'], ['de', '/de/nachrichten/a.html'], ['de', '/de/nachrichten/b.html']])],
    ['de/nachrichten/a.html', head([['de', 'a.html'], ['en', '/en/news/a.html']])],
    ['de/nachrichten/b.html', head([['de', 'b.html'], ['en', '/en/news/a.html']])],
    // Two x-defaults.
    ['pl/pomoc/łódź.html', head([['pl', 'łódź.html'], ['en', '/en/help/faq.html'], ['x-default', 'łódź.html'],
      ['x-default', '/en/help/faq.html']])],
    ['en/help/faq.html', head([['en', 'faq.html'], ['pl', '/pl/pomoc/łódź.html']])],
    // Alternates that are not listed: noindex, and missing.
    ['pl/archiwum/stary.html', head([['pl', 'stary.html'], ['en', '/en/archive/old.html'],
      ['de', '/de/archiv/fehlt.html']])],
    ['en/archive/old.html', head([['en', 'old.html'], ['pl', '/pl/archiwum/stary.html']],
      '<meta name="robots" content="noindex">')],
    // Alternates after the head ended: not the page's.
    ['de/spät/seite.html', '<head><title>x</title><b>b</b><link rel="alternate" hreflang="de" href="seite.html">'
      + '<link rel="alternate" hreflang="en" href="/en/late/page.html"></head>'],
    ['en/late/page.html', head([['en', 'page.html'], ['de', '/de/spät/seite.html']])],
  ]);
  const map = path.join(site, 'sitemap.xml');
  const report = path.join(root, 'languages-report.txt');
  const run = (...options) => zorvitan('--format', 'xml', '--base-url', base, '--strip-index', '--report',
    wine ? winPath(report) : report, ...options, site, map);
  const r = run();
  const past = 'de/spät/seite.html\threflang after the head ended at <b> (line 1): search engines do not see it';
  check('languages: exit 0, the faults and the pages that lose their alternates counted on stderr',
    r.status === 0 && r.err.includes('Faults in hreflang alternates: 10 (named by --report)\n')
      && r.err.includes('Left out the hreflang alternates of pages (the pages stay listed): 13\n')
      ? [] : [`exit ${r.status}: ${r.err}`]);
  if (r.status === 0) {
    const { urls } = await checkXml('languages', map, base, site, false, 'sitemap_hreflang.xsd');
    const cluster = [['x-default', base], ['pl', `${base}pl/`], ['en', `${base}en/`], ['de', `${base}de/`],
      ['fr', 'https://example.fr/']];
    const linked = [base, `${base}de/`, `${base}en/`, `${base}pl/`];
    const problems = [];
    for (const u of urls) {
      const links = (u.links || []).map((l) => [l.lang, l.url]);
      const expected = linked.includes(u.url) ? cluster : [];
      if (JSON.stringify(links) !== JSON.stringify(expected)) problems.push(`${u.url}: ${JSON.stringify(links)}`);
    }
    if (urls.length !== 18) problems.push(`${urls.length} URLs`);
    check('languages: the correct cluster whole, itself and x-default included; no other URL has links', problems);
    const text = fs.readFileSync(map, 'utf8');
    const written = [...text.matchAll(/hreflang="([^"]*)"/g)].map((m) => m[1]);
    check('languages: every code written is in the IANA registry, or x-default',
      written.filter((code) => code !== 'x-default' && !languageTags.check(code)));
    check('languages: the codes refused are refused by the IANA registry too',
      ['en-UK', 'jp', 'pl_PL'].filter((code) => languageTags.check(code)));
    const lines = fs.readFileSync(report, 'utf8');
    const expected = [
      past,
      'en/archive/old.html\tnoindex',
      'de/kontakt/über.html\threflang en-UK: not a language code, for en/contact/us.html',
      'de/kontakt/über.html\threflang jp: not a language code, for en/contact/us.html',
      'de/kontakt/über.html\threflang pl_PL: not a language code, for en/contact/us.html',
      'en/late/page.html\threflang de: no return link from de/spät/seite.html',
      'en/news/a.html\threflang de: two URLs, de/nachrichten/a.html and de/nachrichten/b.html',
      'en/offer/prices.html\threflang pl: no return link from pl/oferta/cennik-żółty.html',
      'pl/archiwum/stary.html\threflang en: en/archive/old.html is not listed: noindex',
      'pl/archiwum/stary.html\threflang de: https://example.com/de/archiv/fehlt.html is not in the site',
      'pl/blog/wpis.html\threflang: the page does not name itself',
      'pl/pomoc/łódź.html\threflang x-default: two URLs, en/help/faq.html and pl/pomoc/łódź.html',
    ];
    check('languages: the report names each fault and the other page, in page order',
      lines === expected.map((l) => `${l}\n`).join('') ? [] : [`report ${JSON.stringify(lines.split('\n'))}`]);
    const none = run('--hreflang', 'none');
    const plain = fs.readFileSync(map, 'utf8');
    check('languages: --hreflang none writes no alternates and checks none', none.status === 0
      && !plain.includes('xhtml') && fs.readFileSync(report, 'utf8') === `${past}\nen/archive/old.html\tnoindex\n`
      && !none.err.includes('hreflang alternates') ? [] : [`exit ${none.status}: ${none.err}`]);
    const txt = zorvitan('--format', 'txt', '--base-url', base, '--hreflang', 'none', site, path.join(root, 'l.txt'));
    check('languages: --hreflang is for --format xml', txt.status === 2 && !fs.existsSync(path.join(root, 'l.txt'))
      ? [] : [`exit ${txt.status}: ${txt.err}`]);
  }
}

// --- --lastmod mtime and none, on Polish names (under Wine: the Windows program's file times).
{
  const base = 'https://example.com/';
  const site = makeSite('dates', [['zażółć gęślą.html', ''], ['日本.htm', ''], ['a.html', '']]);
  fs.utimesSync(path.join(site, 'a.html'), new Date('2021-05-06T07:08:09Z'), new Date('2021-05-06T07:08:09Z'));
  const future = new Date('2100-01-01T00:00:00Z');
  fs.utimesSync(path.join(site, '日本.htm'), future, future);
  const map = path.join(site, 'sitemap.xml');
  let r = zorvitan('--format', 'xml', '--base-url', base, '--lastmod', 'mtime', site, map);
  let urls = r.status === 0 ? (await checkXml('--lastmod mtime', map, base, site)).urls : [];
  const byPath = Object.fromEntries(urls.map((u) => [u.url.slice(base.length), u.lastmod]));
  check('--lastmod mtime: file times, a future one left out and counted', r.status === 0
    && byPath['a.html'] === '2021-05-06T07:08:09Z' && byPath['%E6%97%A5%E6%9C%AC.htm'] === undefined
    && '%E6%97%A5%E6%9C%AC.htm' in byPath
    && byPath['za%C5%BC%C3%B3%C5%82%C4%87%20g%C4%99%C5%9Bl%C4%85.html'] === lastmodOf(path.join(site, 'zażółć gęślą.html'))
    && Buffer.from(r.err, 'latin1').includes(': 1') ? [] : [`exit ${r.status}: ${JSON.stringify(byPath)} ${r.err}`]);
  r = zorvitan('--format', 'xml', '--base-url', base, '--lastmod', 'none', site, map);
  urls = r.status === 0 ? (await checkXml('--lastmod none', map, base, site)).urls : [];
  check('--lastmod none: no dates', r.status === 0 && urls.length === 3 && urls.every((u) => !u.lastmod)
    ? [] : [`exit ${r.status}: ${r.err}`]);
}

// --- Git's dates, when a git is at hand. Natively Debian's git; under Wine only a git.exe on
// Wine's path would do, and none is installed: the Windows program then says it cannot run git,
// and the case is skipped by design, saying so.
{
  const repo = path.join(root, 'git-repo');
  const site = path.join(repo, 'www');
  const at = (date) => ({ ...process.env, GIT_AUTHOR_NAME: 't', GIT_AUTHOR_EMAIL: 't@example.com',
    GIT_COMMITTER_NAME: 't', GIT_COMMITTER_EMAIL: 't@example.com', GIT_AUTHOR_DATE: date, GIT_COMMITTER_DATE: date });
  const git = (date, ...args) => {
    const run = spawnSync('git', args, { cwd: repo, env: at(date) });
    if (run.status !== 0) throw new Error(`git ${args.join(' ')}: ${run.stderr}`);
  };
  makeSite('git-repo/www', [['a.html', 'a'], ['b.html', 'b'], ['zmieniona.html', 'c'], ['stara nazwa.html', 'd'],
    ['podfolder/ż.html', 'e']]);
  fs.writeFileSync(path.join(repo, 'README'), 'outside the site');
  git('2021-01-01T00:00:00Z', 'init', '-q', '-b', 'main');
  git('2021-01-01T00:00:00Z', 'add', '.');
  git('2021-01-01T00:00:00Z', 'commit', '-q', '-m', 'first');
  fs.writeFileSync(path.join(site, 'b.html'), 'b2');
  git('2022-02-02T12:00:00Z', 'commit', '-q', '-am', 'b changed');
  git('2023-03-03T03:03:03Z', 'mv', 'www/stara nazwa.html', 'www/nowa nazwa.html');
  git('2023-03-03T03:03:03Z', 'commit', '-q', '-m', 'renamed');
  fs.writeFileSync(path.join(repo, 'README'), 'changed later, outside the site');
  git('2024-04-04T04:04:04Z', 'commit', '-q', '-am', 'readme');
  // Changed in the work tree after its commit, and a page never committed: their file times.
  const fileTime = new Date('2024-05-05T05:05:05Z');
  fs.writeFileSync(path.join(site, 'zmieniona.html'), 'c2');
  fs.utimesSync(path.join(site, 'zmieniona.html'), fileTime, fileTime);
  fs.writeFileSync(path.join(site, 'nowa.html'), 'untracked');
  fs.utimesSync(path.join(site, 'nowa.html'), fileTime, fileTime);
  const base = 'https://example.com/';
  const map = path.join(root, 'git-sitemap.xml');
  const expected = {
    'a.html': '2021-01-01T00:00:00Z', 'b.html': '2022-02-02T12:00:00Z', 'nowa%20nazwa.html': '2023-03-03T03:03:03Z',
    'zmieniona.html': '2024-05-05T05:05:05Z', 'nowa.html': '2024-05-05T05:05:05Z', 'podfolder/%C5%BC.html': '2021-01-01T00:00:00Z',
  };
  const r = zorvitan('--format', 'xml', '--base-url', base, '--lastmod', 'git', site, map);
  const noGit = Buffer.from(r.err, 'latin1').includes('Cannot run git');
  if (wine && noGit) {
    console.log('SKIP --lastmod git under Wine: no git.exe on Wine\'s path (by design; Debian\'s git is no Windows program)');
  } else {
    const urls = r.status === 0 ? (await checkXml('--lastmod git', map, base, site)).urls : [];
    const got = Object.fromEntries(urls.map((u) => [u.url.slice(base.length), u.lastmod]));
    check('--lastmod git: the last commit of each page, file times for changed and untracked ones',
      r.status === 0 && r.err === '' && JSON.stringify(got, Object.keys(expected).sort())
        === JSON.stringify(expected, Object.keys(expected).sort()) && urls.length === 6
        ? [] : [`exit ${r.status}: ${JSON.stringify(got)} ${r.err}`]);
  }
  if (!wine) {
    const auto = zorvitan('--format', 'xml', '--base-url', base, site, map);
    const same = fs.readFileSync(map, 'utf8');
    check('--lastmod auto in a work tree with its history: git', auto.status === 0
      && same.includes('<loc>https://example.com/b.html</loc><lastmod>2022-02-02T12:00:00Z</lastmod>')
      ? [] : [`exit ${auto.status}: ${auto.err}`]);
    // A shallow clone: one commit, so the history would date every page by it.
    const shallow = path.join(root, 'git-shallow');
    const clone = spawnSync('git', ['clone', '-q', '--depth', '1', `file://${repo}`, shallow]);
    const shallowSite = path.join(shallow, 'www');
    const s = clone.status === 0
      ? zorvitan('--format', 'xml', '--base-url', base, shallowSite, path.join(root, 'shallow.xml')) : { status: -1, err: String(clone.stderr) };
    const shallowUrls = s.status === 0 ? (await checkXml('shallow clone', path.join(root, 'shallow.xml'), base, shallowSite)).urls : [];
    check('a shallow clone: file times, and a notice saying why and how to fetch the history', s.status === 0
      && s.err.includes('shallow clone') && s.err.includes('git fetch --unshallow') && shallowUrls.length === 5
      && shallowUrls.every((u) => u.lastmod === lastmodOf(fileOf(u.url, base, shallowSite)))
      ? [] : [`exit ${s.status}: ${s.err}`]);
  }
}

if (!wine) {
  // --- robots.txt: for every page, listed exactly when robots-parser lets a crawler fetch it.
  const ruleFiles = {
    wildcards: 'User-agent: *\nDisallow: /*.php$\nDisallow: /tmp*/old\nAllow: /tmp/keep*\nDisallow: /*/deep/\n',
    ties: 'User-agent: *\nDisallow: /shop\nAllow: /shop\nDisallow: /news/\nAllow: /news/2024\nAllow: /a\nDisallow: /a*\n',
    groups: 'User-agent: googlebot\nDisallow: /\n\nUser-agent: *\nDisallow: /private/\n\n'
      + 'User-agent: bingbot\nUser-agent: *\nDisallow: /also/\n\nUser-agent: otherbot\nDisallow: /index.html\n',
    escapes: 'User-agent: *\nDisallow: /za%c5%bc\nDisallow: /a%20b\nDisallow: /caf\u00e9\nAllow: /%C5%BC\n',
    everything: 'User-agent: *\r\nDisallow: /\r\nAllow: /index.html$\r\nAllow: /news/$\r\n',
    nothing: 'User-agent: *\nDisallow:\n',
  };
  const pages = ['index.html', 'a.php', 'b.php.html', 'tmp/old.html', 'tmp1/x/old.html', 'tmp/keep/old.html',
    'shop.html', 'shop/x.html', 'news/2024.html', 'news/2023.html', 'news/index.html', 'private/p.html',
    'also/q.html', 'x/deep/y.html', 'deep/z.html', 'zażółć.html', 'ż.html', 'a b.html', 'café.html', 'plain.htm'];
  const base = 'https://example.com/';
  for (const [name, rules] of Object.entries(ruleFiles)) {
    const site = makeSite(`robots-${name}`, [...pages.map((p) => [p, '']), ['robots.txt', rules]]);
    const map = path.join(site, 'sitemap.xml');
    const r = zorvitan('--format', 'xml', '--base-url', base, '--strip-index', site, map);
    const robots = robotsParser(`${base}robots.txt`, rules);
    const listed = new Set(r.status === 0 ? (await checkXml(`robots.txt ${name}`, map, base, site)).urls.map((u) => u.url) : []);
    check(`robots.txt ${name}: listed if and only if robots-parser allows it`, r.status === 0 || r.status === 3
      ? pages.flatMap((p) => {
        const url = base + urlOf(p.replace(/index\.html$/, ''));
        const allowed = robots.isAllowed(url, 'zorvitan-test');
        return allowed === listed.has(url) ? [] : [`${url}: robots-parser ${allowed ? 'allows' : 'disallows'}, listed ${listed.has(url)}`];
      }) : [`exit ${r.status}: ${r.err}`]);
  }

  // --- --robots-txt adds the sitemap once; --clean-urls lists page.html as page.
  {
    const site = makeSite('robots-line', [['index.html', ''], ['o nas.html', ''], ['d/index.html', ''],
      ['d/b.htm', ''], ['robots.txt', 'User-agent: *\r\nDisallow: /tmp/']]);
    const map = path.join(site, 'sitemap.xml');
    const args = ['--format', 'xml', '--base-url', 'https://example.com/', '--robots-txt', '--clean-urls', '--strip-index', site, map];
    const first = zorvitan(...args);
    const once = fs.readFileSync(path.join(site, 'robots.txt'), 'utf8');
    const second = zorvitan(...args);
    const { urls } = first.status === 0 ? await checkXml('--clean-urls', map, 'https://example.com/', site, true) : { urls: [] };
    check('--robots-txt: one Sitemap line, every other byte kept, not added twice', first.status === 0 && second.status === 0
      && once === 'User-agent: *\r\nDisallow: /tmp/\r\nSitemap: https://example.com/sitemap.xml\r\n'
      && fs.readFileSync(path.join(site, 'robots.txt'), 'utf8') === once
      && JSON.stringify(robotsParser('https://example.com/robots.txt', once).getSitemaps()) === '["https://example.com/sitemap.xml"]'
      ? [] : [`exit ${first.status} ${second.status}: ${JSON.stringify(once)}`]);
    check('--clean-urls with --strip-index: page and folder URLs', JSON.stringify(urls.map((u) => u.url)) === JSON.stringify(
      ['https://example.com/', 'https://example.com/o%20nas', 'https://example.com/d/b.htm', 'https://example.com/d/'])
      ? [] : [`listed ${urls.map((u) => u.url).join(' ')}`]);
  }

  // --- Nothing to list: no sitemap, the old one stays, a message, exit 3.
  {
    const site = makeSite('nothing', [['a.html', '<meta name="robots" content="noindex">'], ['sitemap.xml', 'old']]);
    const r = zorvitan('--format', 'xml', '--base-url', 'https://example.com/', site, path.join(site, 'sitemap.xml'));
    check('nothing to list: exit 3, the old sitemap kept, said why', r.status === 3
      && fs.readFileSync(path.join(site, 'sitemap.xml'), 'utf8') === 'old'
      && r.err.startsWith('Left out pages marked noindex: 1\nNo sitemap written')
      ? [] : [`exit ${r.status}: ${r.err}`]);
    fs.rmSync(path.join(site, 'sitemap.xml'));
    const fresh = zorvitan('--format', 'xml', '--base-url', 'https://example.com/', site, path.join(site, 'sitemap.xml'));
    check('nothing to list and no sitemap before: none made', fresh.status === 3
      && JSON.stringify(fs.readdirSync(site)) === '["a.html"]' ? [] : [`exit ${fresh.status}: ${fs.readdirSync(site)}`]);
  }
}

finish(root, 'The sites and their sitemaps are');
