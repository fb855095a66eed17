// Games played on the page by real input.
import { readFile, writeFile } from "node:fs/promises";

import { body, firstDifference, pngPixels, test } from "../harness.mjs";
import { probe } from "../page_probe.mjs";
import { fields } from "../state_fields.mjs";

test("tab-and-space", async (t) => {
  const p = await t.open();
  // As on the desktop: the field, 終了, Start.
  await p.page.focus("#Picture1");
  await p.page.keyboard.press("Tab");
  await p.page.keyboard.press("Tab");
  t.check("Tab goes from the field by 終了 to Start",
          await p.evaluate(() => document.activeElement.id) === "gamestart");
  await p.page.keyboard.press(" ");
  t.check("Space on Start starts a game", await p.waitFor(() => / paused=0 /.test(kinopaPage.stateLine())));
  await p.page.keyboard.press(" ");
  t.check("Space again pauses it", await p.waitFor(() => / paused=-1 .*\|Start$/.test(kinopaPage.stateLine())));
});

// Six seconds of play by pointer and clicks, then Pause: the tovrin under
// the zarup, now and then the melkit, clicked. As the rate climbs, a fall
// ends a game at once: Restart starts the next. The page's recording of it
// all, replayed by kinopa-replay, gives every state line the page gave, and
// the same last picture. Its sounds' nodes start and stop as the module's
// voices say.
test("game-by-pointer", async (t) => {
  const p = await t.open(t.url, { beforeLoad: probe });  // every frame's state line
  await p.evaluate(() => { kinopaProbe.measure = true; kinopaProbe.collectLines = true; });
  t.check("Start runs the game", await p.start());
  let labelsMatch = true, rateRose = false;
  const began = Date.now();
  for (let turn = 0; Date.now() - began < 6000; ++turn) {
    const s = await p.state();
    if (s.paused !== "0") {  // over: a fall at a high rate ends the game at once
      await p.page.click("#gamestart");  // Restart
      await p.waitFor(() => / paused=0 /.test(kinopaPage.stateLine()), undefined, 1000);
      continue;
    }
    const [zx] = s.zarup.split(",").map(Number);
    const [mx, my] = s.melkit.split(",").map(Number);
    if (s.hover === "-1") {
      await p.page.mouse.click(...await p.fieldPoint(mx + 50, my + 20));  // on the melkit: the rate rises
    } else if (turn % 5 === 0) {
      await p.page.mouse.move(...await p.fieldPoint(mx + 50, my + 20));
    } else {
      await p.page.mouse.move(...await p.fieldPoint(zx + 32, 540));
    }
    // The captions shown, and the rules' own, at one moment.
    const [line, shown] = await p.evaluate(() => [kinopaPage.stateLine(),
      ["Label6", "Label4", "Label5", "Label8", "gamestart"].map((id) => kinopaPage.shown(id)).join("|")]);
    const after = fields(line);
    labelsMatch &&= shown === after.labels;
    rateRose ||= Number(after.rate) > 1;
  }
  // Pause (a game that ended just before the click made it Restart).
  while ((await p.state()).paused === "0") {
    await p.page.click("#gamestart");
    await p.waitFor(() => / paused=-1 /.test(kinopaPage.stateLine()), undefined, 1000);
  }
  t.check("after Pause the settings button comes back with no other event",
          await p.waitFor(() => !document.getElementById("Command1").disabled, undefined, 3000));
  t.check("the window's captions are the rules' all along", labelsMatch);
  t.check("a click on the melkit raised the rate, shown as the rules say", rateRose);
  // The games that scored, and only those, are kept among the ten best in
  // the browser's storage, dated by the browser's clock in its time zone.
  const kept = await p.evaluate(() => (kinopaPage.listFiles("/kinopa/best-games") || []).map(
    (name) => [name, kinopaPage.readFile("/kinopa/best-games/" + name)]));
  const scored = Number((await p.state()).high) > 0;
  const now = new Date();
  const today = [now.getFullYear(), now.getMonth() + 1, now.getDate()].map((n) => String(n).padStart(2, "0")).join("-");
  t.check(scored ? "the games that scored are kept among the ten best, dated today"
                 : "no game scored, and none is kept among the ten best",
          (kept.length > 0) === scored && kept.every(([name, text]) =>
            new RegExp(`^${today}_[0-9-]{8}\\.[0-9]{3}[+-][0-9]{4}_[1-9][0-9]*\\.kinopa$`).test(name) &&
            text.startsWith("# Kinopa recording\n")),
          JSON.stringify(kept.map(([name]) => name)));
  // ... and listed under the links, best first, each to watch.
  const listed = await p.evaluate(() => [...document.querySelectorAll("#tenBest tbody tr")].map(
    (row) => [...row.cells].map((cell) => cell.textContent)));
  const keptScores = kept.map(([name]) => Number(name.match(/_(\d+)\.kinopa$/)[1])).sort((a, b) => b - a);
  t.check("the page lists the ten best: rank, score, when, and Watch",
          JSON.stringify(listed.map(([rank, score]) => [Number(rank), Number(score)])) ===
            JSON.stringify(keptScores.slice(0, 10).map((score, i) => [i + 1, score])) &&
          listed.every((cells) => cells[2] !== "" && cells[3] !== ""),
          JSON.stringify(listed));
  await p.page.screenshot({ path: t.path("page.png") });

  const pageLines = await p.evaluate(() => kinopaProbe.lines);
  const recording = await p.evaluate(() => kinopaPage.runRecording());
  await writeFile(t.path("page-run.kinopa"), recording);
  const png = t.path("page-run.png");
  const nativeLines = await t.replay("page-run-shot.kinopa", recording + `shot ${png}\n`);
  const differs = nativeLines.findIndex((line, i) => body(line) !== body(pageLines[i] || ""));
  t.check(`the page's recording replays natively to its ${pageLines.length} state lines`,
          nativeLines.length === pageLines.length && differs < 0 && pageLines.length > 100,
          differs >= 0 ? `line ${differs + 1}:\npage   ${pageLines[differs]}\nnative ${nativeLines[differs]}`
                       : `${nativeLines.length} against ${pageLines.length} lines`);
  const diff = firstDifference(await p.fieldPixels(), pngPixels(await readFile(png)).rgba);
  t.check("... and to the same last picture", !diff, diff);

  // Each effect starts where its voice stands (rewound: 0), played once;
  // played again within its length it is stopped first, after it not (its
  // voice ended with its node). The context's clock moves on under a busy
  // main thread, even within a task: plays near a sound's end are left out.
  // Which of the two a game shows depends on how it went: each is held to
  // its rule when it comes.
  // Headless Firefox with no sound device never runs the context: its clock
  // stands, and no sound ever ends.
  const soundProblems = [];
  const played = { again: 0, within: 0 }, lastOf = new Map();
  for (const n of await p.evaluate(() => kinopaProbe.nodes)) {
    if (n.offset !== 0 || n.loop) soundProblems.push(`sound ${n.sound} at ${n.offset}, looping ${n.loop}`);
    const before = lastOf.get(n.sound), gap = before ? n.startedAt - before.startedAt : NaN;
    const way = gap > before?.length + 0.05 ? "again" : gap < before?.length - 0.05 ? "within" : "";
    if (way) ++played[way];
    if (way && (before.stoppedAt !== undefined) !== (way === "within")) soundProblems.push(`sound ${n.sound} played ${way}`);
    lastOf.set(n.sound, n);
  }
  t.check(`the page's sound nodes follow the voices (${played.again} sounds played again after their end, ` +
          `${played.within} within it)`,
          !soundProblems.length && played.within + played.again > 0, soundProblems.join("; "));

  // The best of them, watched from the list, ends with the score it is listed with.
  if (listed.length) {
    await p.page.click("#tenBest tbody tr:first-child button");
    const over = await p.waitFor(() => kinopaPage.watching === "ended");
    const score = (await p.state()).score;
    t.check("the list's first game, watched, ends with its score", over && score === listed[0][1],
            `${score} against ${listed[0][1]}`);
  }
});
