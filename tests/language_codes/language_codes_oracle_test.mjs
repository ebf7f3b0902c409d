// IsHreflangCode held against npm language-tags (the IANA registry) on every two- and
// three-letter language and region code, every script and its near misses, and the registry's
// tags, half in upper case. Our own rules: a script the language is written in anyway is fine
// (en-Latn), private-use codes are not (de-ZZ), a tag withdrawn as a whole is judged by its
// parts (sgn-BR).   node language_codes_oracle_test.mjs HREFLANG_VERDICTS
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { check, finish } from '../support/tally.mjs';

const tools = path.join(path.dirname(fileURLToPath(import.meta.url)), '../../build/browser-tools/');
const require = createRequire(path.join(tools, 'here.js'));
const tags = require('language-tags'); // missing: run scripts/deps.sh
const Tag = require('language-tags/lib/Tag.js');
const registry = require('language-subtag-registry/data/json/registry.json');

const letters = [...'abcdefghijklmnopqrstuvwxyz'];
const all = (n) => (n === 0 ? [''] : all(n - 1).flatMap((s) => letters.map((c) => s + c)));
const registered = (type) => registry.filter((r) => r.Type === type).map((r) => r.Subtag);
const codes = [...new Set([
  ...all(2), ...all(3), ...all(2).map((r) => `fr-${r}`),
  ...Array.from({ length: 1000 }, (_, n) => `es-${String(n).padStart(3, '0')}`),
  ...registered('script').flatMap((s) => [`zh-${s}`, `sr-${s}-RS`,
    ...letters.map((c) => `uk-${s.slice(0, 3)}${c}`)]),
  ...registry.map((r) => r.Tag ?? '').filter((t) => /^[a-z]{2,3}(-[a-z]{4})?(-[a-z]{2}|-\d{3})?$/i.test(t)),
])].filter((code) => !code.includes('..')).map((code, i) => (i % 2 ? code.toUpperCase() : code));

function expected(code) {
  const tag = tags(code);
  if (tag.subtags().some((s) => s.descriptions()[0] === 'Private use')) return false;
  if (tag.type() === 'redundant') return tag.subtags().every((s) => !s.deprecated());
  return tag.errors().every((e) => e.code === Tag.ERR_SUPPRESS_SCRIPT);
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvitan-language-codes-'));
const input = `${codes.join('\n')}\n`;
fs.writeFileSync(path.join(scratch, 'codes.txt'), input);
const answers = spawnSync(process.argv[2], { input, encoding: 'utf8' }).stdout.split('\n');
check(`every code answered (${codes.length})`, answers.length === codes.length + 1 ? [] : ['no']);
const wrong = (want, got) => codes.filter((c, i) => expected(c) === want && answers[i] !== got);
check('the registry\'s codes accepted', wrong(true, '1').map((c) => `${c} rejected`));
check('other codes rejected', wrong(false, '0').map((c) => `${c} accepted`));
finish(scratch, 'The codes are');
