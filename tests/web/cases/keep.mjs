// Nothing the player has is lost: a watch asks before it ends a game and
// replaces a watch before it cleanly; a record stays through a reload at any
// moment; a hidden tab's game stands; every dialog closes with Escape.
import { readFile } from "node:fs/promises";
import { join } from "node:path";

import { body, test } from "../harness.mjs";

const shown = (id) => `document.getElementById("${id}").open`;
// The recording without its closing lines: what a longer one of the same
// run begins with.
const opening = (recording) => recording.replace(/(# last .*\n)?# end of recording\n$/, "");

test("watch-asks-and-replaces", async (t) => {
  const p = await t.open();
  const text = await readFile(join(t.recordings, "desktop-run.kinopa"), "utf8");
  const last = (await t.replay("ended.kinopa", text + "frame\n")).pop();
  await p.page.click("#gamestart");
  t.check("Start runs the game", await p.waitFor(() => / paused=0 /.test(kinopaPage.stateLine())));
  await p.drop("run.kinopa", text);
  t.check("a recording dropped in a game asks first", await p.waitFor(shown("ask")));
  const asked = await p.stateLine();
  await new Promise((resolve) => setTimeout(resolve, 200));
  t.check("... the game standing meanwhile", await p.stateLine() === asked, `${asked}\n${await p.stateLine()}`);
  await p.page.keyboard.press("Escape");
  t.check("Escape answers no, and the game runs on",
          await p.waitFor(() => !document.getElementById("ask").open) &&
          await p.waitFor((was) => / paused=0 /.test(kinopaPage.stateLine()) && kinopaPage.stateLine() !== was, asked));
  const before = opening(await p.evaluate(() => kinopaPage.runRecording()));
  await p.drop("run.kinopa", text);
  await p.waitFor(shown("ask"));
  await p.page.click("#ask .buttons button");
  t.check("yes: the recording plays", await p.waitFor(() => kinopaPage.watching === "last game"));
  const offered = await p.evaluate(() => kinopaPage.runRecording());
  t.check("watching, the session's recording offered is the player's",
          offered.startsWith(before) && offered.length > before.length, offered.slice(0, 200));
  await p.drop("again.kinopa", text);
  const over = await p.waitFor(() => kinopaPage.watching === "ended");
  const line = await p.stateLine();
  t.check("a second watch replaces the first, and ends where kinopa-replay ends it",
          over && body(line) === body(last), `page   ${line}\nnative ${last}`);
  t.check("... without a word", (await p.evaluate(() => kinopaPage.boxes)).length === 0,
          (await p.evaluate(() => kinopaPage.boxes)).join("\n"));
  await p.page.click("#gameend");
  t.check("終了 goes back to the game, Start ready",
          await p.waitFor(() => !kinopaPage.watching && / labels=.*\|Start$/.test(kinopaPage.stateLine()) &&
                                !document.getElementById("gamestart").disabled));
});
