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

// A file that cannot be watched, dropped in the middle of a game: refused in
// a box naming it, and the player's game goes on as it was, its recording
// with it; the box closes with Escape.
test("bad-recording-refused", async (t) => {
  const p = await t.open();
  t.check("Start runs the game", await p.start());
  const look = () => p.evaluate(() => [kinopaPage.stateLine(), kinopaPage.runRecording()]);
  // The game stands while a box waits: what it shows then is the game the
  // drop found, run on a little, not a new one.
  const was = await look();
  await p.drop("bad.kinopa", "this is no recording\n");
  t.check("the file is refused in a box", await p.waitFor(() => document.getElementById("box").open));
  const during = await look();
  await new Promise((resolve) => setTimeout(resolve, 300));
  const later = await look();
  const boxes = await p.evaluate(() => kinopaPage.boxes);
  const tick = (line) => Number(line.match(/ tick=(\d+)/)?.[1]);
  t.check("... naming the file dropped",
          boxes.length === 1 && boxes[0].endsWith("The file bad.kinopa is not a Kinopa recording."), boxes.join("\n"));
  t.check("... the game's state is as it was, standing while the box waits",
          later[0] === during[0] && / paused=0 /.test(during[0]) && tick(during[0]) >= tick(was[0]),
          `before ${was[0]}\nduring ${during[0]}\nlater  ${later[0]}`);
  t.check("... so is the session's recording",
          later[1] === during[1] && during[1].startsWith(was[1].replace(/(# last .*\n)?# end of recording\n$/, "")));
  await p.page.keyboard.press("Escape");
  t.check("Escape closes the box", await p.waitFor(() => !document.getElementById("box").open));
  t.check("... and the game runs on",
          await p.waitFor((stood) => / paused=0 /.test(kinopaPage.stateLine()) &&
                                     Number(kinopaPage.stateLine().match(/ tick=(\d+)/)?.[1]) > stood, tick(later[0])));
});
