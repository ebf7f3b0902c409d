// The engine's head reader against the HTML standard's own parser: page_head_dump prints what
// the engine reads of each page of the corpus beside this script and of the sample site, and
// parse5 parses the same page as a browser does (decoded as the browser decodes it, scripting
// on). The title the browser shows, <html lang>, what the head holds and the token at which
// the head ended must agree field by field.
//
//   node head_oracle_test.mjs PAGE_HEAD_DUMP
//
// Needs the npm package parse5 in build/browser-tools (scripts/deps.sh). Prints a line per
// field that differs, ends with "N passed, N failed"; exits 1 on any failure.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { check, finish } from '../support/tally.mjs';

const [dump] = process.argv.slice(2);
const here = path.dirname(fileURLToPath(import.meta.url));
const tools = path.join(here, '../../build/browser-tools/');
let parse5;
try {
  parse5 = await import(pathToFileURL(createRequire(path.join(tools, 'here.js')).resolve('parse5')));
} catch {
  parse5 = undefined;
}
if (!dump || !parse5) {
  console.error(!dump ? 'usage: node head_oracle_test.mjs PAGE_HEAD_DUMP'
    : `the npm package parse5 (in ${tools}) is missing: run scripts/deps.sh`);
  console.log('0 passed, 1 failed');
  process.exit(1);
}

const pages = [path.join(here, 'corpus'), path.join(here, '../../examples/site')].flatMap(
  (folder) => fs.readdirSync(folder, { recursive: true }).sort()
    .filter((name) => /\.(html?|php)$/.test(name)).map((name) => path.join(folder, name)));

// The page's text as the browser decodes it: by its byte-order mark, else by the charset its
// first 1024 bytes declare, else as UTF-8.
function decode(bytes) {
  const boms = [['utf-8', [0xEF, 0xBB, 0xBF]], ['utf-16le', [0xFF, 0xFE]], ['utf-16be', [0xFE, 0xFF]]];
  for (const [encoding, bom] of boms) {
    if (bom.every((b, i) => bytes[i] === b)) return new TextDecoder(encoding).decode(bytes);
  }
  const declared = /<meta\s[^>]*charset\s*=\s*["']?\s*([^\s"';>]+)/i
    .exec(bytes.subarray(0, 1024).toString('latin1'))?.[1];
  let decoder;
  try {
    decoder = new TextDecoder(/^utf-16/i.test(declared ?? '') ? 'utf-8' : declared ?? 'utf-8');
  } catch {
    decoder = new TextDecoder('utf-8');
  }
  return decoder.decode(bytes);
}

const { TokenType } = parse5.Token;
// parse5's parser, noting the token it was working on when it made the body element (or a
// frameset in its place): the one at which the head ended.
class BodyWatchingParser extends parse5.Parser {
  static headEnd;
  note(token) { this.token = token; }
  onStartTag(token) { this.note(token); super.onStartTag(token); }
  onEndTag(token) { this.note(token); super.onEndTag(token); }
  onCharacter(token) { this.note(token); super.onCharacter(token); }
  onNullCharacter(token) { this.note(token); super.onNullCharacter(token); }
  onEof(token) { this.note(token); super.onEof(token); }
  bodyMadeAt(token) {
    if (BodyWatchingParser.headEnd) return;
    const kind = { [TokenType.START_TAG]: 'start', [TokenType.END_TAG]: 'end',
      [TokenType.CHARACTER]: 'text', [TokenType.NULL_CHARACTER]: 'text' }[token.type] ?? 'none';
    BodyWatchingParser.headEnd = { kind, tag: token.tagName ?? '',
      line: kind === 'none' ? 0 : token.location.startLine };
  }
  _insertElement(token, namespace) {
    if (token.tagName === 'body' || token.tagName === 'frameset') this.bodyMadeAt(token);
    super._insertElement(token, namespace);
  }
  _insertFakeElement(tagName, tagID) {
    if (tagName === 'body') this.bodyMadeAt(this.token);
    super._insertFakeElement(tagName, tagID);
  }
}

const asciiBlanks = /[\t\n\f\r ]+/g;
const trim = (text) => text.replace(/^[\t\n\f\r ]+|[\t\n\f\r ]+$/g, '');
const attribute = (element, name) => element.attrs.find((a) => a.name === name)?.value;
const lowerTrimmed = (text) => trim(text ?? '').toLowerCase();
const relWords = (link) => lowerTrimmed(attribute(link, 'rel')).split(asciiBlanks);
function* descendants(node) {  // in tree order; a template's content is not among them
  for (const child of node.childNodes ?? []) {
    yield child;
    yield* descendants(child);
  }
}

// What a <meta http-equiv="refresh"> sends the reader to: "0; url=next.html", "0,'next.html'",
// "0 URL = next.html"; null when it names no URL.
function refreshUrl(meta) {
  const content = attribute(meta, 'content');
  if (lowerTrimmed(attribute(meta, 'http-equiv')) !== 'refresh' || content === undefined) return null;
  let url = content.replace(/^[\t\n\f\r ]*[0-9.]*[\t\n\f\r ]*[;,]?[\t\n\f\r ]*/, '')
    .replace(/^url[\t\n\f\r ]*=[\t\n\f\r ]*/i, '');
  const quote = url[0];
  if (quote === '"' || quote === "'") url = url.slice(1).split(quote)[0];
  return trim(url) || null;
}

// What the browser makes of the page, in page_head_dump's fields.
function parse5Head(text) {
  BodyWatchingParser.headEnd = undefined;
  const document = BodyWatchingParser.parse(text, { sourceCodeLocationInfo: true });
  const html = document.childNodes.find((node) => node.nodeName === 'html');
  const head = html.childNodes.find((node) => node.nodeName === 'head');
  const title = [...descendants(document)].find(
    (node) => node.tagName === 'title' && node.namespaceURI === parse5.html.NS.HTML);
  const inHead = [...descendants(head)];
  const metas = inHead.filter((node) => node.tagName === 'meta');
  const links = inHead.filter((node) => node.tagName === 'link');
  const named = (name) => metas.filter((meta) => lowerTrimmed(attribute(meta, 'name')) === name);
  const description = named('description').find((meta) => attribute(meta, 'content') !== undefined);
  const canonical = links.find((link) => relWords(link).includes('canonical') &&
    attribute(link, 'href') !== undefined);
  return {
    title: title === undefined ? null : trim(title.childNodes.filter((node) => node.nodeName === '#text')
      .map((node) => node.value).join('')).replace(asciiBlanks, ' '),
    lang: trim(attribute(html, 'lang') ?? ''),
    noindex: [...named('robots'), ...named('googlebot')].some((meta) => lowerTrimmed(attribute(meta, 'content'))
      .split(/[\t\n\f\r ,]+/).some((word) => word === 'noindex' || word === 'none')),
    refresh_url: metas.map(refreshUrl).find((url) => url !== null) ?? null,
    canonical_href: canonical === undefined ? null : trim(attribute(canonical, 'href')),
    alternates: links.filter((link) => relWords(link).includes('alternate') &&
      attribute(link, 'hreflang') !== undefined)
      .map((link) => ({ hreflang: attribute(link, 'hreflang'), href: attribute(link, 'href') ?? '' })),
    description: description === undefined ? null : attribute(description, 'content'),
    head_end: BodyWatchingParser.headEnd ?? { kind: 'none', tag: '', line: 0 },
  };
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zv-head-'));
const readings = [];
for (const page of pages) {
  const name = path.relative(path.join(here, '../..'), page);
  const run = spawnSync(dump, [page], { encoding: 'utf8' });
  const problems = [];
  let engine;
  try {
    engine = JSON.parse(run.stdout);
  } catch {
    problems.push(`page_head_dump gave no reading (exit ${run.status}${run.signal ? `, ${run.signal}` : ''}): ` +
      `${run.stderr.trim()}`);
  }
  const browser = parse5Head(decode(fs.readFileSync(page)));
  readings.push({ page: name, engine, parse5: browser });
  for (const field of engine ? Object.keys(browser) : []) {
    const [ours, theirs] = [JSON.stringify(engine[field]), JSON.stringify(browser[field])];
    if (ours !== theirs) problems.push(`${field}: engine ${ours}, parse5 ${theirs}`);
  }
  check(name, problems);
}
fs.writeFileSync(path.join(scratch, 'readings.json'), JSON.stringify(readings, null, 1));
finish(scratch, 'Both readings of every page are');
