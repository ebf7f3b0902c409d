// The tally the Node checks keep: a case passes when it found no problems, and
// the run ends with the line "N passed, N failed" and a failing exit code.
import fs from 'node:fs';

let passed = 0;
let failed = 0;

export function check(name, problems) {
  if (problems.length === 0) { passed++; return; }
  failed++;
  console.log(`FAIL ${name}`);
  for (const p of problems.slice(0, 10)) console.log(`     ${p}`);
  if (problems.length > 10) console.log(`     ... ${problems.length - 10} more`);
}

// Removes the scratch folder when all passed (it is kept to look at otherwise)
// and ends the process.
export function finish(scratch, what) {
  if (failed === 0) fs.rmSync(scratch, { recursive: true, force: true });
  else console.log(`${what} kept in ${scratch}`);
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}
