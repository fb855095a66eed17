// Recordings the desktop game made (kinopa --record, kept in
// tests/web/recordings/), watched on the page: they end where kinopa-replay
// ends them.
import { readFile, readdir } from "node:fs/promises";
import { join } from "node:path";

import { body, test } from "../harness.mjs";

test("desktop-recordings", async (t) => {
  const p = await t.open();
  const names = (await readdir(t.recordings)).filter((n) => n.endsWith(".kinopa")).sort();
  t.check("there are recordings to watch", names.length > 0, t.recordings);
  for (const name of names) {
    const text = await readFile(join(t.recordings, name), "utf8");
    // The state after its last command: an idle pass after it shows it.
    const last = (await t.replay("ended-" + name, text + "frame\n")).pop();
    await p.evaluate((n, x) => kinopaPage.watchFile(n, x), name, text);
    const over = await p.waitFor(() => kinopaPage.watching === "ended");
    const finalLine = await p.stateLine();
    t.check(`the desktop's ${name}, watched, ends in the state kinopa-replay ends it in`,
            over && body(finalLine) === body(last), `page   ${finalLine}\nnative ${last}`);
    await p.page.click("#gameend");  // back to the game
    await p.waitFor(() => !kinopaPage.watching && / labels=.*\|Start$/.test(kinopaPage.stateLine()));
  }
}, { timeout: 90000 });
