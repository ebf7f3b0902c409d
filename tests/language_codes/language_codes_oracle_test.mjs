// IsHreflangCode against the IANA language subtag registry as npm language-tags reads it:
// every two- and three-letter language, every region, every script of the registry and its
// near misses, every language of the registry with a region, the registry's own tags of the
// form language[-script][-region]; every other code in upper case. hreflang_verdicts judges
// them all, and each verdict must be language-tags' valid(), but for three rules of ours:
// a script the language is written in anyway is allowed (en-Latn), private-use codes are
// not (de-ZZ), and a tag the registry withdrew as a whole is judged by its parts (sgn-BR).
//
//   node language_codes_oracle_test.mjs HREFLANG_VERDICTS
//
// Needs language-tags in build/browser-tools (scripts/deps.sh). Prints each disagreement,
// ends with "N passed, N failed"; exits 1 on any failure.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

import { check, finish } from '../support/tally.mjs';

const [verdicts] = process.argv.slice(2);
const here = path.dirname(fileURLToPath(import.meta.url));
const tools = path.join(here, '../../build/browser-tools/');
const require = createRequire(path.join(tools, 'here.js'));
let tags, Tag, registry;
try {
  tags = require('language-tags');
  Tag = require('language-tags/lib/Tag.js');
  registry = require('language-subtag-registry/data/json/registry.json');
} catch {
  tags = undefined;
}
if (!verdicts || !tags) {
  console.error(!verdicts ? 'usage: node language_codes_oracle_test.mjs HREFLANG_VERDICTS'
    : `the npm package language-tags (in ${tools}) is missing: run scripts/deps.sh`);
  console.log('0 passed, 1 failed');
  process.exit(1);
}

const letters = [...'abcdefghijklmnopqrstuvwxyz'];
const allOfLength = (n) => (n === 0 ? [''] : allOfLength(n - 1).flatMap((s) => letters.map((c) => s + c)));
const registered = (type) => registry.filter((r) => r.Type === type && !r.Subtag.includes('..'))
  .map((r) => r.Subtag);
const scripts = registered('script');
const codes = [...new Set([
  ...allOfLength(2), ...allOfLength(3),
  ...allOfLength(2).map((r) => `fr-${r}`),
  ...Array.from({ length: 1000 }, (_, n) => `es-${String(n).padStart(3, '0')}`),
  ...scripts.flatMap((s) => [`zh-${s}`, `sr-${s}-RS`, ...letters.map((c) => `uk-${s.slice(0, 3)}${c}`)]),
  ...registered('language').map((l) => `${l}-CH`),
  ...registry.map((r) => r.Tag ?? '').filter((t) => /^[a-z]{2,3}(-[a-z]{4})?(-[a-z]{2}|-\d{3})?$/i.test(t)),
])].map((code, i) => (i % 2 ? code.toUpperCase() : code));

function expected(code) {
  const tag = tags(code);
  if (tag.subtags().some((s) => s.descriptions()[0] === 'Private use')) return false;
  if (tag.type() === 'redundant') return tag.subtags().every((s) => !s.deprecated());
  return tag.errors().every((e) => e.code === Tag.ERR_SUPPRESS_SCRIPT);
}

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'zorvitan-language-codes-'));
fs.writeFileSync(path.join(scratch, 'codes.txt'), `${codes.join('\n')}\n`);
const run = spawnSync(verdicts, { input: `${codes.join('\n')}\n`, encoding: 'utf8', maxBuffer: 1 << 24 });
const answers = run.stdout.split('\n');
check('hreflang_verdicts answers every code', run.status === 0 && answers.length === codes.length + 1
  ? [] : [`exit ${run.status}, ${answers.length - 1} answers to ${codes.length} codes ${run.stderr}`]);
const accepted = codes.filter((code, i) => answers[i] === '1');
check(`the registry's codes are accepted (${accepted.length} of ${codes.length} codes)`,
  codes.filter((code, i) => expected(code) && answers[i] !== '1').map((c) => `${c} rejected`));
check('codes not in the registry are rejected',
  codes.filter((code, i) => !expected(code) && answers[i] !== '0').map((c) => `${c} accepted`));
finish(scratch, 'The codes are');
