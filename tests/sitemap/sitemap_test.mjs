// Sitemaps checked by their consumers: zorvitan-cli writes --format xml and txt for sites of
// odd names, noindex pages, excludes and 50,001 pages; xmllint validates every XML file
// against the sitemaps.org 0.9 schemas beside this script, the npm package `sitemap` parses
// it, and every <loc>, read with Node's URL and decoded byte by byte, must lead to its file.
//
//   node sitemap_test.mjs ZORVITAN_CLI                 the native program, every case
//   node sitemap_test.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine, odd names
//
// Needs xmllint (libxml2-utils) and the npm package sitemap in build/browser-tools, both
// installed by scripts/deps.sh. Ends with "N passed, N failed"; exits 1 on any failure.
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
const haveXmllint = spawnSync('xmllint', ['--version']).status === 0;
if (!cli || !sitemapLib || !haveXmllint) {
  console.error(!cli ? 'usage: node sitemap_test.mjs ZORVITAN_CLI [WINE_RUN]'
    : `${sitemapLib ? 'xmllint' : `the npm package sitemap (in ${tools})`} is missing: run scripts/deps.sh`);
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

function xmllint(file, schema) {
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

function locsLeadToFiles(locs, base, site) {
  const problems = [];
  for (const loc of locs) {
    const file = fileOf(loc, base, site);
    if (file === null || !fs.existsSync(file)) problems.push(`${loc} leads to no file`);
  }
  return problems;
}

// Checks an XML sitemap (MAP and, when it is an index, its numbered files): schema, parser,
// and that every URL leads to a page. Returns the page URLs.
async function checkXml(name, map, base, site) {
  const head = fs.readFileSync(map, 'utf8').slice(0, 200);
  const isIndex = head.includes('<sitemapindex');
  const problems = xmllint(map, isIndex ? 'siteindex.xsd' : 'sitemap.xsd');
  const parsed = await parse(map, isIndex);
  problems.push(...parsed.problems);
  let urls = parsed.items;
  if (isIndex) {
    problems.push(...locsLeadToFiles(urls.map((u) => u.url), base, site));
    urls = [];
    for (const { url } of parsed.items) {
      const part = fileOf(url, base, site).toString();
      problems.push(...xmllint(part, 'sitemap.xsd'));
      const partParsed = await parse(part, false);
      problems.push(...partParsed.problems);
      urls.push(...partParsed.items);
    }
  }
  problems.push(...locsLeadToFiles(urls.map((u) => u.url), base, site));
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
  check('odd names: exit 0, every page counted', run.status === 0 && run.out.includes(`: ${oddNames.length} plik`)
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
  check('noindex: counted on stderr', run.status === 0 && run.err === 'Pominąłem strony z noindex: 3\n'
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

finish(root, 'The sites and their sitemaps are');
