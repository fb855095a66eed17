// The page served by a real kinopa-hall (on a SQLite store of its own): a
// hall game played by real input to its end, sent, shown in the hall's table
// and page, watched from the hall page's link, and replayed natively.
import { rm, writeFile } from "node:fs/promises";
import { dirname, join } from "node:path";

import { body, test } from "../harness.mjs";
import { fields } from "../state_fields.mjs";
import { startHall, stopHall, tempFolder } from "../../hall/hall_process.mjs";

// A name that would make an element, and run, were it not shown as text.
const NAME = "<script>k=1";

test("hall-game", async (t) => {
  const state = tempFolder("kinopa-web-hall-");
  const hall = await startHall(join(dirname(t.nativeReplay), "kinopa-hall"),
                               ["--state", state, "--site", t.site, "--per-minute", "1000"]);
  t.servers.push(async () => {
    await stopHall(hall);
    await rm(state, { recursive: true, force: true });
  });
  const p = await t.open(hall.url);
  t.check("the page knows the hall serves it, and links to the hall",
          await p.waitFor(() => kinopaPage.hall === true && !document.getElementById("hallLink").hidden &&
                                 document.getElementById("hallLink").getAttribute("href") === "hall"));

  // The first Start asks for the name; Start again goes on with it.
  await p.page.click("#gamestart");
  t.check("the first hall game asks for the player's name",
          await p.waitFor(() => document.getElementById("hallName").open));
  await p.page.type("#hallName input", NAME);
  await p.page.click("#hallName .buttons button");
  t.check("... then the game runs", await p.waitFor(() => / paused=0 /.test(kinopaPage.stateLine())));
  t.check("... from the hall's seed",
          /\n# hall generator xoshiro256\*\* seed \d+\n/.test(await p.evaluate(() => kinopaPage.gameRecording())));

  // To its end, by pointer: the tovrin under the zarup, and while the rate
  // is low (a fall at a high rate costs the game's time at once) the melkit
  // clicked when the pointer is over it.
  for (let turn = 0; await p.evaluate(() => kinopaPage.phase()) === "running"; ++turn) {
    const s = await p.state();
    const [zx] = s.zarup.split(",").map(Number);
    const [mx, my] = s.melkit.split(",").map(Number);
    const greedy = Number(s.rate) < 4;
    if (greedy && s.hover === "-1") await p.page.mouse.click(...await p.fieldPoint(mx + 50, my + 20));
    else if (greedy && turn % 5 === 0) await p.page.mouse.move(...await p.fieldPoint(mx + 50, my + 20));
    else await p.page.mouse.move(...await p.fieldPoint(zx + 32, 540));
  }
  const final = await p.state();
  await writeFile(t.path("final.txt"), await p.stateLine() + "\n");
  t.check("the game's time ran out", await p.evaluate(() => kinopaPage.phase()) === "over", final.labels);
  t.check("... and the page offers to send it", await p.waitFor(() => document.getElementById("hallSend")));
  await p.page.click("#hallSend");
  t.check("the hall enters it", await p.waitFor(() => kinopaPage.hallAnswer));
  const answer = await p.evaluate(() => kinopaPage.hallAnswer);
  t.check("... with the game's own score, and its rank shown",
          answer.status === 201 && answer.score === Number(final.score) && answer.rank === 1 &&
          await p.evaluate((a) => document.getElementById("caption").textContent.includes(String(a.score)), answer),
          JSON.stringify(answer) + " " + final.score);

  t.check("a hall game is kept among the ten best as any game is, and listed",
          await p.waitFor((score) => document.querySelector("#tenBest tbody tr")?.cells[1].textContent === score,
                          final.score),
          await p.evaluate(() => document.getElementById("tenBest").textContent));

  // Listed on the hall page: the name shown as text, no element or script
  // made of it.
  await p.page.goto(hall.url + "hall");
  const shown = await p.evaluate((name) => ({
    cells: [...document.querySelectorAll("td")].filter((td) => td.textContent === name).length,
    scripts: document.querySelectorAll("script").length,
    ran: "k" in window,
  }), NAME);
  t.check("the hall page shows the name as text in both tables, and makes no script of it",
          shown.cells === 2 && shown.scripts === 0 && !shown.ran, JSON.stringify(shown));

  // Its Watch link: the page watches the entry to its last frame.
  await Promise.all([p.page.waitForNavigation(), p.page.click("tbody tr:first-child a")]);
  const error = await p.ready();
  t.check("the Watch link opens the game", !error, error);
  t.check("... watching the hall's recording to its end",
          await p.waitFor(() => kinopaPage.watching === "ended", undefined, 60000));
  const watched = fields(await p.stateLine());
  t.check("... to the same final score", watched.score === final.score, `${watched.score} against ${final.score}`);

  const recording = await (await fetch(`${hall.url}api/games/${answer.id}/recording`)).text();
  const lines = await t.replay("hall-game.kinopa", recording);
  const replayed = fields(body(lines.at(-1)));
  t.check("the hall's recording replays natively to the same score",
          replayed.score === final.score, `${replayed.score} against ${final.score}`);
}, { timeout: 150000 });

// Off any hall (the tests' plain server), Start plays as it always did; and
// an address to watch on another site is refused, saying why.
test("no-hall", async (t) => {
  const p = await t.open(t.url + "?watch=" + encodeURIComponent("http://elsewhere.invalid/a.kinopa"));
  t.check("a recording on another site is refused in a box",
          await p.waitFor(() => kinopaPage.boxes.some((b) => b.includes("elsewhere.invalid/a.kinopa"))));
  await p.answerBoxes();
  t.check("the page knows no hall serves it", await p.waitFor(() => kinopaPage.hall === false) &&
          await p.evaluate(() => document.getElementById("hallLink").hidden));
  await p.page.click("#gamestart");
  t.check("Start plays at once, not for a hall",
          await p.waitFor(() => / paused=0 /.test(kinopaPage.stateLine())) &&
          !/# hall generator/.test(await p.evaluate(() => kinopaPage.gameRecording())));
});
