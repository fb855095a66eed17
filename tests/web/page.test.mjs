// The game's page in Debian's headless Chromium and Firefox ESR, driven
// through puppeteer-core with real pointer and key events: every case of
// tests/web/cases/ in a fresh browser context (harness.mjs).
//
//   node tests/web/page.test.mjs [--browser chromium|firefox]... [--case NAME]... [--list]
//        [--site DIR] [--native-replay PROGRAM] [--recordings DIR] [--out DIR]
//
// From the repository's root the defaults are the builds' own: build-web/site,
// build/bin/kinopa-replay, tests/web/recordings, build-web/test-output.
// Without --browser, both engines; without --case, every case.
import { readdir, stat } from "node:fs/promises";
import { fileURLToPath } from "node:url";
import { parseArgs } from "node:util";

import { ENGINES, registered, run } from "./harness.mjs";

const root = fileURLToPath(new URL("../../", import.meta.url));
let o;
try {
  o = parseArgs({
    options: {
      site: { type: "string", default: root + "build-web/site" },
      "native-replay": { type: "string", default: root + "build/bin/kinopa-replay" },
      recordings: { type: "string", default: root + "tests/web/recordings" },
      out: { type: "string", default: root + "build-web/test-output" },
      browser: { type: "string", multiple: true, default: Object.keys(ENGINES) },
      case: { type: "string", multiple: true, default: [] },
      list: { type: "boolean", default: false },
    },
  }).values;
  const unknown = o.browser.filter((b) => !ENGINES[b]);
  if (unknown.length) throw new Error(`no browser ${unknown.join(", ")}: ${Object.keys(ENGINES).join(" or ")}`);
} catch (e) {
  console.error(`${e.message}\nusage: node page.test.mjs [--browser chromium|firefox]... [--case NAME]... ` +
                "[--list] [--site DIR] [--native-replay PROGRAM] [--recordings DIR] [--out DIR]");
  process.exit(2);
}

const folder = new URL("./cases/", import.meta.url);
for (const file of (await readdir(folder)).filter((n) => n.endsWith(".mjs")).sort()) {
  await import(new URL(file, folder));
}
if (o.list) {
  console.log(registered().join("\n"));
  process.exit(0);
}

let ok = false;
try {
  await stat(`${o.site}/index.html`).catch(() => {
    throw new Error(`no site in ${o.site}: build it first (scripts/web --build)`);
  });
  await stat(o["native-replay"]).catch(() => {
    throw new Error(`${o["native-replay"]} is missing: build the desktop game first (scripts/build)`);
  });
  ok = await run({ site: o.site, nativeReplay: o["native-replay"], recordings: o.recordings, out: o.out },
                 o.browser, o.case);
} catch (e) {
  console.log(`FAIL - the tests could not run: ${e.stack || e}`);
}
process.exit(ok ? 0 : 1);
