// The sound settings, kept in the browser's storage.
import { readFile, writeFile } from "node:fs/promises";
import { join } from "node:path";
import { gunzipSync } from "node:zlib";

import { test } from "../harness.mjs";
import { probe } from "../page_probe.mjs";

// The dialog's inputs, row by row: the file's name, フルパス, 無.
const dialogValues = (p) => p.evaluate(() => [...document.querySelectorAll("#SoundMenu input")]
  .map((i) => (i.type === "text" ? i.value : i.checked ? "1" : "0")).join(" "));

test("settings-survive-reload", async (t) => {
  const p = await t.open();
  await p.page.click("#Command1");
  const rows = await p.page.$$("#SoundMenu input[type=text]");
  await rows[1].click({ count: 3 });
  await p.page.keyboard.type("melkitok.wav");
  const boxes = await p.page.$$("#SoundMenu label input");  // フルパス and 無, row by row
  await boxes[5].click();  // zarup受け止め失敗's 無: ticked
  await p.page.click("#SoundMenu-Command1");
  await p.evaluate(() => kinopaPage.sync());
  const saved = await p.evaluate(() => kinopaPage.readFile("/kinopa/wave.ini"));
  t.check("OK saves the settings",
          saved?.startsWith('"",0,1\r\n"melkitok.wav",0,0\r\n"zarupfall.wav",0,1\r\n'), JSON.stringify(saved));
  const error = await p.reload();
  await p.page.click("#Command1");
  const values = await dialogValues(p);
  t.check("after a reload the settings are still there",
          !error && values.startsWith(" 0 1 melkitok.wav 0 0 zarupfall.wav 0 1"), error || values);
});

// 参照: the chosen file is kept in the browser's storage, named by its path.
test("choose-sound-file", async (t) => {
  const p = await t.open();
  await p.page.click("#Command1");
  const [chooser] = await Promise.all([p.page.waitForFileChooser(),
                                       p.page.click("#SoundMenu .body button:nth-of-type(5)")]);
  const chosen = t.path("melkitmiss.wav");  // one of the game's own sounds
  await writeFile(chosen, gunzipSync(await readFile(join(t.site, "wave", "melkitmiss.wav.gz"))));
  await chooser.accept([chosen]);
  t.check("参照 names the chosen file by its full path, ticked",
          await p.waitFor(() => {
            const inputs = [...document.querySelectorAll("#SoundMenu input")];
            return inputs[12].value === "/kinopa/sounds/melkitmiss.wav" && inputs[13].checked;
          }) && await p.evaluate(() => kinopaPage.readFile("/kinopa/sounds/melkitmiss.wav") !== null),
          await dialogValues(p));
  await p.page.click("#SoundMenu-Command1");
  t.check("... and OK loads it without a word", await p.evaluate(() => kinopaPage.boxes.length) === 0,
          await p.evaluate(() => kinopaPage.boxes.join("\n")));
  // A double quote typed into a name is refused, with a word why.
  await p.page.click("#Command1");
  await p.page.click("#SoundMenu-Text2");
  await p.page.keyboard.type('a"');
  const refused = await p.evaluate(() => kinopaPage.boxes.join("\n"));
  t.check("a typed double quote is refused, and the row keeps its name",
          await dialogValues(p).then((v) => v.includes(" zarupok.wava 0 0 ")) &&
          refused.startsWith("zarup受け止め成功効果音ファイルに関して | "), refused);
  await p.answerBoxes();
});

test("damaged-wave-ini", async (t) => {
  const p = await t.open();
  await p.evaluate(() => {
    kinopaPage.halt();
    kinopaPage.writeFile("/kinopa/wave.ini", "\u0001garbage");
    return kinopaPage.sync();
  });
  const error = await p.reload();
  const boxes = await p.evaluate(() => kinopaPage.boxes);
  t.check("a damaged wave.ini is said in its box, named as the player can find it",
          !error && boxes.length === 1 && boxes[0].startsWith("wave.iniファイルに何か問題あるみたいです。 | ") &&
          boxes[0].includes(" wave.ini.bak ") && !boxes[0].includes("/"), error || boxes.join("\n"));
  const offered = await p.evaluate(() => [...document.querySelectorAll("#box .files button")].map((b) => b.textContent));
  t.check("... which offers the damaged file to save", offered.join() === "Save wave.ini", offered.join());
  await p.answerBoxes();
});

// The music comes once it is switched on: music.wav typed into the 音楽 row
// with its 無 cleared, OK fetches it from the site, once, and Start plays it.
test("music-after-ok", async (t) => {
  const p = await t.open(t.url, { beforeLoad: probe });  // every sound node started
  let fetched = 0;  // before OK none, as start-up shows
  p.page.on("request", (r) => { if (new URL(r.url()).pathname === "/wave/music.wav.gz") ++fetched; });
  await p.waitFor(() => !document.getElementById("Command1").disabled);
  await p.page.click("#Command1");
  await p.page.click("#SoundMenu-Text1");
  await p.page.keyboard.type("music.wav");
  await p.page.click("#SoundMenu-Check6 input");  // 無: cleared
  await p.page.click("#SoundMenu-Command1");  // OK
  t.check("Start runs the game", await p.start());
  t.check("the music plays, looping (no other sound loops)",
          await p.waitFor(() => kinopaProbe.nodes.filter((n) => n.loop).length === 1),
          await p.evaluate(() => `${kinopaProbe.nodes.filter((n) => n.loop).length} looping`));
  // Headless Firefox with no sound device never lets an audio context run.
  if (t.engine === "chromium") {
    t.check("... where the page's sound is heard", await p.waitFor(() => kinopaPage.audioState() === "running"),
            await p.evaluate(() => kinopaPage.audioState()));
  }
  t.check("wave/music.wav is fetched once", fetched === 1, `${fetched} times`);
  t.check("... and loaded without a word", await p.evaluate(() => kinopaPage.boxes.length) === 0,
          await p.evaluate(() => kinopaPage.boxes.join("\n")));
});

// As an installed game's folder: the first start gave the storage its
// wave.ini; gone later (a best game there says it is not the first start),
// it is said at start and at every Start, and the game plays on.
test("missing-wave-ini", async (t) => {
  const p = await t.open();
  await p.evaluate(async () => {
    await kinopaPage.sync();  // the first start's wave.ini is stored: nothing is being saved
    kinopaPage.halt();
    kinopaPage.writeFile("/kinopa/best-game.kinopa", "# Kinopa recording\n");
    kinopaPage.removeFile("/kinopa/wave.ini");
    await kinopaPage.sync();
  });
  const error = await p.reload();
  const missing = "wave.iniファイルに何か問題あるみたいです。 | The file wave.ini does not exist.";
  const boxes = () => p.evaluate(() => kinopaPage.boxes);
  t.check("a missing wave.ini is said at start", !error && (await boxes()).join("\n") === missing,
          error || (await boxes()).join("\n"));
  await p.answerBoxes();
  await p.page.click("#gamestart");
  t.check("... and again at Start", await p.waitFor((m) => kinopaPage.boxes.filter((b) => b === m).length === 2, missing),
          (await boxes()).join("\n"));
  await p.answerBoxes();
  t.check("... and the game runs", await p.waitFor(() => / paused=0 /.test(kinopaPage.stateLine())));
});
