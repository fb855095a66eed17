// Nothing the player has is lost: a watch asks before it ends a game and
// replaces a watch before it cleanly; a record stays through a reload at any
// moment; a hidden tab's game stands; every dialog closes with Escape.
import { readFile } from "node:fs/promises";
import { join } from "node:path";

import { body, test } from "../harness.mjs";

const shown = (id) => `document.getElementById("${id}").open`;
// Back from a watch: the player's game, Start shown and enabled.
const startReady = () => !kinopaPage.watching && / labels=.*\|Start$/.test(kinopaPage.stateLine()) &&
  document.getElementById("gamestart").textContent === "Start" && !document.getElementById("gamestart").disabled;
// The recording without its closing lines: what a longer one of the same
// run begins with.
const opening = (recording) => recording.replace(/(# last .*\n)?# end of recording\n$/, "");

test("watch-asks-and-replaces", async (t) => {
  const p = await t.open();
  const text = await readFile(join(t.recordings, "desktop-run.kinopa"), "utf8");
  const last = (await t.replay("ended.kinopa", text + "frame\n")).pop();
  t.check("Start runs the game", await p.start());
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
  t.check("yes: the recording plays, Start and the sound settings disabled",
          await p.waitFor(() => kinopaPage.watching === "last game" && document.getElementById("gamestart").disabled &&
                                document.getElementById("Command1").disabled));
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
  t.check("終了 goes back to the game, Start ready", await p.waitFor(startReady));
});

// Steers the tovrin under the zarup until the score passes `score`.
async function catchPast(p, score) {
  for (let s = await p.state(); Number(s.score) <= score; s = await p.state()) {
    if (s.paused !== "0") return false;
    await p.page.mouse.move(...await p.fieldPoint(Number(s.zarup.split(",")[0]) + 32, 540));
  }
  return true;
}

// Reloads the page in the very turn `when` (run in the page) comes true,
// polled between the game's steps; the state line it saw then.
async function reloadWhen(p, when, meanwhile) {
  const navigated = p.page.waitForNavigation({ timeout: 30000 });
  await p.evaluate((test) => {
    const look = () => {
      if (!new Function("line", test)(kinopaPage.stateLine())) return setTimeout(look, 0);
      window.name = kinopaPage.stateLine();  // kept through the reload
      location.reload();
    };
    look();
  }, when);
  await meanwhile().catch(() => {});  // its page goes in the middle
  await navigated;
  await p.ready();
  return p.evaluate(() => window.name);
}
const high = (line) => Number(line.match(/ high=(\d+)/)[1]);

// A record stays through a reload in the turn after the frame that set it,
// and through one in the turn after the game's last frame.
test("reload-keeps-the-record", async (t) => {
  const p = await t.open();
  await p.page.click("#gamestart");
  const set = await reloadWhen(p, "return / high=[1-9]/.test(line)", () => catchPast(p, 0));
  const kept = high(await p.stateLine());
  t.check("a reload as a catch sets a record keeps it", kept === high(set), `${set}\nafter the reload: ${kept}`);
  await p.page.click("#gamestart");
  t.check("a catch passes it", await catchPast(p, kept));
  const last = await reloadWhen(p, "return / paused=-1 /.test(line)", () => p.page.click("#gamestart"));
  const after = high(await p.stateLine());
  t.check("a reload as Pause ends the game keeps it", high(last) > kept && after === high(last),
          `${last}\nafter the reload: ${after}`);
}, { timeout: 90000 });

// Five seconds in another tab: the game stands on the frame it was at.
test("hidden-tab-stands", async (t) => {
  const p = await t.open();
  t.check("Start runs the game", await p.start());
  const other = await t.openTab();
  await other.page.bringToFront();
  t.check("another tab hides the game's", await p.waitFor(() => document.hidden));
  const hidden = await p.stateLine();
  await new Promise((resolve) => setTimeout(resolve, 5000));
  const later = await p.stateLine();
  t.check("the remaining time stands while the tab is hidden", later === hidden, `${hidden}\n${later}`);
  await p.page.bringToFront();
  t.check("back in sight, the game goes on from there",
          await p.waitFor((was) => / paused=0 /.test(kinopaPage.stateLine()) && kinopaPage.stateLine() !== was, hidden));
  const [stood, now] = [hidden, await p.stateLine()].map((line) => Number(line.match(/ rem=(\d+)/)[1]));
  t.check("... a frame or two on", stood - now < 1000, `${stood} then ${now}`);
});

// The sound settings close with Escape as with Cancel, and so does the
// progress of a long recording.
test("escape-closes-dialogs", async (t) => {
  const p = await t.open();
  await p.page.click("#Command1");
  t.check("the sound settings open", await p.waitFor(shown("SoundMenu")));
  await p.page.keyboard.press("Escape");
  t.check("Escape closes them", await p.waitFor(() => !document.getElementById("SoundMenu").open));
  // Many games before the last: the page goes through them with a progress
  // dialog.
  let long = "# Kinopa recording\nrandom" + " 0.5".repeat(20000) + "\nhigh 0\ntick 100\nidle\n";
  for (let game = 0, tick = 100; game < 60; ++game) {
    long += "start\n";
    for (let f = 0; f < 500; ++f) long += `tick ${tick += 8}\nframe\n`;
    long += "start\nidle\n";
  }
  long += "start\ntick 999999\nframe\n# end of recording\n";
  await p.drop("long.kinopa", long);
  t.check("a long recording shows its progress", await p.waitFor(shown("progress")));
  await p.page.keyboard.press("Escape");
  t.check("Escape cancels it, back to the game, Start ready",
          await p.waitFor(() => !document.getElementById("progress").open) && await p.waitFor(startReady));
});
