// The html5 map by the W3C Nu Html Checker (the npm package vnu-jar, run with Debian's Java): no
// error and no warning on the sample site's map, on a site of hostile names and titles (its common
// title suffix dropped; and with its pages' descriptions, in English), and on the sample site's
// map filled into a template.
//
//   node nu_checker_test.mjs ZORVITAN_CLI                 the native program
//   node nu_checker_test.mjs ZORVITAN_CLI_EXE WINE_RUN    the Windows program under Wine
//
// Needs java (default-jre-headless) and vnu-jar in build/browser-tools, both installed by
// scripts/deps.sh. Ends with "N passed, N failed"; exits 1 on any failure.
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

import { check, finish } from '../support/tally.mjs';
import {
  cli, copySampleSite, makeHostileSite, makeTemplate, mapSite, sampleSite, scratch, tools, wine, winPath,
} from './html5_sites.mjs';

const vnu = path.join(tools, 'node_modules/vnu-jar/build/dist/vnu.jar');
const haveJava = spawnSync('java', ['-version']).status === 0;
if (!cli || !haveJava || !fs.existsSync(vnu)) {
  console.error(!cli ? 'usage: node nu_checker_test.mjs ZORVITAN_CLI [WINE_RUN]'
    : `${haveJava ? vnu : 'java'} is missing: run scripts/deps.sh`);
  console.log('0 passed, 1 failed');
  process.exit(1);
}

const maps = [];
const sampleMap = path.join(copySampleSite(), 'mapa.html');
if (mapSite('sample site', path.dirname(sampleMap), sampleMap)) maps.push(sampleMap);
const { site } = makeHostileSite();
const hostileMap = path.join(site, 'mapa.html');
if (mapSite('hostile site', site, hostileMap, ['--strip-common-suffix', '--title', 'Mapa <&> "x"'])) {
  maps.push(hostileMap);
}
const describedMap = path.join(scratch, 'opisy.html');
if (mapSite('hostile site with descriptions, in English', site, describedMap, ['--descriptions', '--lang', 'en'])) {
  maps.push(describedMap);
}
const templateMap = path.join(scratch, 'szablon-mapa.html');
const template = makeTemplate();
if (mapSite('template', sampleSite, templateMap, ['--template', wine ? winPath(template) : template])) {
  maps.push(templateMap);
}

// Every message counts but plain information: errors, warnings, and files it could not read.
const run = spawnSync('java', ['-jar', vnu, '--format', 'json', '--stdout', ...maps],
  { timeout: 120000, maxBuffer: 1 << 24 });
let messages = [];
try {
  messages = JSON.parse(String(run.stdout)).messages;
} catch (error) {
  check('the Nu Html Checker runs', [`${error.message}: ${run.stderr}`]);
}
for (const map of maps) {
  const mine = messages.filter((m) => m.url && path.basename(decodeURIComponent(m.url)) === path.basename(map));
  check(`${path.basename(map)}: no error and no warning`, mine
    .filter((m) => m.type !== 'info' || m.subType === 'warning')
    .map((m) => `${m.type}${m.subType ? `/${m.subType}` : ''} line ${m.lastLine}: ${m.message}`));
}
check('the checker saw every map', messages.filter((m) => !m.url).map((m) => m.message));

finish(scratch, 'The sites and their maps are');
