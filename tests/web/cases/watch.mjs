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
// a box, and the player's game goes on as it was, its recording with it.
test("bad-recording-refused", async (t) => {
  const p = await t.open();
  await p.page.click("#gamestart");
  t.check("Start runs the game", await p.waitFor(() => / paused=0 /.test(kinopaPage.stateLine())));
  const [before, after] = await p.evaluate(() => {
    const look = () => [kinopaPage.stateLine(), kinopaPage.runRecording(),
      ["Label4", "Label5", "Label6", "Label8", "gamestart"].map((id) => kinopaPage.shown(id)).join("|")];
    const was = look();
    kinopaPage.watchFile("bad.kinopa", "this is no recording\n");
    return [was, look()];
  });
  const boxes = await p.evaluate(() => kinopaPage.boxes);
  t.check("the file is refused in a box",
          boxes.length === 1 && boxes[0].includes("is not a Kinopa recording"), boxes.join("\n"));
  t.check("... the game's state is as it was", after[0] === before[0], `before ${before[0]}\nafter  ${after[0]}`);
  t.check("... so is the session's recording", after[1] === before[1]);
  t.check("... and so are the labels", after[2] === before[2], `before ${before[2]}\nafter  ${after[2]}`);
  await p.answerBoxes();
  const tick = Number((await p.state()).tick);
  t.check("... and the game runs on",
          await p.waitFor((was) => / paused=0 /.test(kinopaPage.stateLine()) &&
                                   Number(kinopaPage.stateLine().match(/ tick=(\d+)/)?.[1]) > was, tick));
});
