// The game's page in Debian's headless Chromium, driven through
// puppeteer-core with real pointer and key events, one browser for the whole
// run:
// - before a game, the play field shows the very pixels kinopa-replay shows;
// - a game played by pointer and clicks shows the rules' captions, and its
//   recording replays natively to the same state lines and the same picture;
// - recordings made by the desktop game, watched on the page, end in the
//   state they say they end in;
// - the sound settings survive a reload, a damaged wave.ini is said, 参照
//   keeps the chosen file; a second tab is refused; Tab and Space work;
// - with the server gone, a reload plays from the service worker's cache.
// usage: node page.test.mjs --site DIR --native-replay PROGRAM --recordings DIR [--out DIR]
import { execFile } from "node:child_process";
import { mkdir, mkdtemp, readFile, readdir, rm, stat, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { promisify } from "node:util";
import { inflateSync } from "node:zlib";

import { startServer } from "../../web/serve.mjs";
import { fields } from "./state_fields.mjs";

const WAIT_MS = 30000;
const VIEWPORT = { width: 1000, height: 760 };
const CHROMIUM_FLAGS = [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--autoplay-policy=no-user-gesture-required",
];
const USAGE = "usage: node page.test.mjs --site DIR --native-replay PROGRAM --recordings DIR [--out DIR]";

function options() {
  const args = process.argv.slice(2);
  const o = {};
  for (let i = 0; i < args.length; i += 2) {
    if (!["--site", "--native-replay", "--recordings", "--out"].includes(args[i]) || i + 1 >= args.length) {
      console.error(USAGE);
      process.exit(2);
    }
    o[args[i].slice(2)] = args[i + 1];
  }
  if (!o.site || !o["native-replay"] || !o.recordings) {
    console.error(USAGE);
    process.exit(2);
  }
  o.out ||= "test-output";
  return o;
}

let passed = 0;
let failed = 0;
function check(name, ok, detail = "") {
  if (ok) {
    ++passed;
    console.log(`ok - ${name}`);
  } else {
    ++failed;
    console.log(`FAIL - ${name}${detail ? ": " + detail : ""}`);
  }
  return ok;
}

// A state line without its "frame N:" or "# last frame N:" beginning.
const body = (line) => line.slice(line.indexOf(": ") + 2);

// The RGBA pixels of a PNG the game's replay wrote (8-bit RGB, no filter).
function pngPixels(bytes) {
  let at = 8, width = 0, height = 0;
  const idat = [];
  while (at < bytes.length) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString("latin1", at + 4, at + 8);
    const data = bytes.subarray(at + 8, at + 8 + length);
    if (type === "IHDR") [width, height] = [data.readUInt32BE(0), data.readUInt32BE(4)];
    if (type === "IDAT") idat.push(data);
    at += 12 + length;
  }
  const raw = inflateSync(Buffer.concat(idat));
  const rgba = new Uint8Array(width * height * 4);
  for (let y = 0; y < height; ++y) {
    if (raw[y * (1 + width * 3)] !== 0) throw new Error("a PNG row with a filter");
    for (let x = 0; x < width; ++x) {
      const from = y * (1 + width * 3) + 1 + x * 3, to = (y * width + x) * 4;
      rgba.set([raw[from], raw[from + 1], raw[from + 2], 255], to);
    }
  }
  return { width, height, rgba };
}
function firstDifference(a, b) {
  if (a.length !== b.length) return `${a.length} against ${b.length} bytes`;
  for (let i = 0; i < a.length; ++i) {
    if (a[i] !== b[i]) return `pixel ${Math.floor(i / 4) % 399},${Math.floor(i / 4 / 399)}`;
  }
  return "";
}

async function loadPuppeteer() {
  try {
    return (await import("puppeteer-core")).default;
  } catch (e) {
    console.error(`puppeteer-core is missing (${e.message}): run npm ci in tests/web, ` +
                  "or scripts/test-web, which does");
    process.exit(1);
  }
}

async function main() {
  const o = options();
  const puppeteer = await loadPuppeteer();
  await stat(join(o.site, "index.html"));
  await stat(o["native-replay"]).catch(() => {
    throw new Error(`${o["native-replay"]} is missing: build the desktop game first (scripts/build)`);
  });
  await mkdir(o.out, { recursive: true });
  const run = promisify(execFile);
  const replay = async (script) =>
    (await run(o["native-replay"], [script], { maxBuffer: 1 << 28 })).stdout.trimEnd().split("\n");

  const { server, url } = await startServer(o.site, 0);
  const profile = await mkdtemp(join(tmpdir(), "kinopa-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium", headless: true, args: CHROMIUM_FLAGS, userDataDir: profile,
  });
  const problems = [];
  try {
    const page = await browser.newPage();
    await page.setViewport(VIEWPORT);
    page.on("console", (m) => { if (m.type() === "error") problems.push("console: " + m.text()); });
    page.on("pageerror", (e) => problems.push("page: " + e.message));
    const served = new Map();
    page.on("response", (r) => served.set(new URL(r.url()).pathname, r));

    const load = async () => {
      await page.waitForFunction(() => window.kinopaPage && (kinopaPage.ready || kinopaPage.error),
                                 { timeout: WAIT_MS });
      return page.evaluate(() => kinopaPage.error);
    };
    const state = async () => fields(await page.evaluate(() => kinopaPage.stateLine()));
    const waitFor = (predicate, arg, timeout = WAIT_MS) =>
      page.waitForFunction(predicate, { timeout }, arg).then(() => true, () => false);
    const field = async () => page.evaluate(() => {
      const box = document.getElementById("Picture1").getBoundingClientRect();
      return { x: box.x, y: box.y, scale: box.width / 399 };
    });
    const at = (f, x, y) => [f.x + x * f.scale, f.y + y * f.scale];
    const answerBoxes = async () => {
      while (await page.evaluate(() => document.getElementById("boxes").classList.contains("open") &&
                                       document.getElementById("box").style.display !== "none")) {
        await page.click("#box button");
      }
    };

    const response = await page.goto(url);
    check("the page is served", response && response.ok(), response && String(response.status()));
    let error = await load();
    if (!check("the game starts", !error, error)) return;
    // Every frame's state line from here on, for the replay below.
    await page.evaluate(() => { kinopaPage.measure = true; kinopaPage.collectLines = true; });
    check(".wasm is served as application/wasm",
          served.get("/kinopa-web.wasm")?.headers()["content-type"] === "application/wasm");
    check("the music is not fetched before it is switched on", !served.has("/wave/music.wav"));
    const font = await page.evaluate(async () => {
      await document.fonts.ready;
      const face = [...document.fonts].find((f) => f.family.replace(/"/g, "") === "Kinopa Gothic");
      return face ? face.status : "none";
    });
    check("the labels' font is loaded", font === "loaded", font);

    // --- Before a game: the field's own picture, as kinopa-replay shows it.
    const shotScript = join(o.out, "shot.txt"), shotPng = join(o.out, "replay-field.png");
    await writeFile(shotScript, `random 0.5 0.5\nshot ${shotPng}\n`);  // start-up places the objects
    await replay(shotScript);
    const nativeField = pngPixels(await readFile(shotPng));
    const pageField = Uint8Array.from(await page.evaluate(() => kinopaPage.fieldPixels()));
    const fieldDiff = firstDifference(pageField, nativeField.rgba);
    check("before a game the field is kinopa-replay's picture, pixel for pixel",
          nativeField.width === 399 && nativeField.height === 599 && !fieldDiff, fieldDiff);

    // --- Tab and Space, as on the desktop: the field, 終了, Start.
    await page.focus("#Picture1");
    await page.keyboard.press("Tab");
    await page.keyboard.press("Tab");
    check("Tab goes from the field by 終了 to Start",
          await page.evaluate(() => document.activeElement.id) === "gamestart");
    await page.keyboard.press("Space");
    check("Space on Start starts a game",
          await waitFor(() => / paused=0 /.test(kinopaPage.stateLine())));
    await page.keyboard.press("Space");
    check("Space again pauses it", await waitFor(() => / paused=-1 .*\|Start$/.test(kinopaPage.stateLine())));

    // --- A game played by pointer and clicks.
    const f = await field();
    await page.click("#gamestart");
    check("Start runs the game", await waitFor(() => / paused=0 /.test(kinopaPage.stateLine())));
    let labelsMatch = true, rateRose = false;
    const began = Date.now();
    for (let turn = 0; Date.now() - began < 6000; ++turn) {
      const s = await state();
      const [zx] = s.zarup.split(",").map(Number);
      const [mx, my] = s.melkit.split(",").map(Number);
      if (s.hover === "-1") {
        await page.mouse.click(...at(f, mx + 50, my + 20));  // on the melkit: the rate rises
      } else if (turn % 5 === 0) {
        await page.mouse.move(...at(f, mx + 50, my + 20));
      } else {
        await page.mouse.move(...at(f, zx + 32, 540));
      }
      // The captions shown, and the rules' own, at one moment.
      const [line, shown] = await page.evaluate(() => [kinopaPage.stateLine(),
        ["Label6", "Label4", "Label5", "Label8", "gamestart"].map((id) => document.getElementById(id).textContent).join("|")]);
      const after = fields(line);
      labelsMatch &&= shown === after.labels;
      rateRose ||= Number(after.rate) > 1;
    }
    await page.click("#gamestart");  // Pause
    await waitFor(() => / paused=-1 /.test(kinopaPage.stateLine()));
    check("after Pause the settings button comes back with no other event",
          await waitFor(() => !document.getElementById("Command1").disabled, undefined, 3000));
    check("the window's captions are the rules' all along", labelsMatch);
    check("a click on the melkit raised the rate, shown as the rules say", rateRose);
    await page.screenshot({ path: join(o.out, "page.png") });
    const pageLines = await page.evaluate(() => kinopaPage.lines);
    const recording = await page.evaluate(() => kinopaPage.runRecording());
    const runFile = join(o.out, "page-run.kinopa"), runPng = join(o.out, "page-run.png");
    await writeFile(runFile, recording + `shot ${runPng}\n`);
    const nativeLines = await replay(runFile);
    const differs = nativeLines.findIndex((line, i) => body(line) !== body(pageLines[i] || ""));
    check(`the page's recording replays natively to its ${pageLines.length} state lines`,
          nativeLines.length === pageLines.length && differs < 0 && pageLines.length > 100,
          differs >= 0 ? `line ${differs + 1}:\n  page   ${pageLines[differs]}\n  native ${nativeLines[differs]}`
                       : `${nativeLines.length} against ${pageLines.length} lines`);
    const lastPicture = Uint8Array.from(await page.evaluate(() => kinopaPage.fieldPixels()));
    const pictureDiff = firstDifference(lastPicture, pngPixels(await readFile(runPng)).rgba);
    check("... and to the same last picture", !pictureDiff, pictureDiff);

    // --- Recordings the desktop game made (kinopa --record), watched on the
    // --- page: they end where kinopa-replay ends them.
    for (const name of (await readdir(o.recordings)).filter((n) => n.endsWith(".kinopa")).sort()) {
      const text = await readFile(join(o.recordings, name), "utf8");
      // The state after its last command: an idle pass after it shows it.
      const ended = join(o.out, "ended-" + name);
      await writeFile(ended, text + "frame\n");
      const last = (await replay(ended)).pop();
      await page.evaluate((n, t) => kinopaPage.watchFile(n, t), name, text);
      const over = await waitFor(() => kinopaPage.watching === "ended");
      const finalLine = await page.evaluate(() => kinopaPage.stateLine());
      check(`the desktop's ${name}, watched, ends in the state kinopa-replay ends it in`,
            over && body(finalLine) === body(last), `page   ${finalLine}\n  native ${last}`);
      await page.click("#gameend");  // back to the game
      await waitFor(() => !kinopaPage.watching && / labels=.*\|Start$/.test(kinopaPage.stateLine()));
    }

    // --- The sound settings: OK, a reload, still there.
    await page.click("#Command1");
    const rows = await page.$$("#SoundMenu input[type=text]");
    await rows[1].click({ clickCount: 3 });
    await page.keyboard.type("melkitok.wav");
    const boxesOf = await page.$$("#SoundMenu label input");  // フルパス and 無, row by row
    await boxesOf[5].click();  // zarup受け止め失敗's 無: ticked
    await page.click("#soundOk");
    await page.evaluate(() => kinopaPage.sync());
    const saved = await page.evaluate(() => kinopaPage.readFile("/kinopa/wave.ini"));
    check("OK saves the settings",
          saved && saved.startsWith('"",0,1\r\n"melkitok.wav",0,0\r\n"zarupfall.wav",0,1\r\n'), JSON.stringify(saved));
    await page.reload();
    error = await load();
    await page.click("#Command1");
    const values = await page.evaluate(() => [...document.querySelectorAll("#SoundMenu input")]
      .map((i) => (i.type === "text" ? i.value : i.checked ? "1" : "0")).join(" "));
    check("after a reload the settings are still there",
          !error && values.startsWith(" 0 1 melkitok.wav 0 0 zarupfall.wav 0 1"), values);

    // 参照: the chosen file is kept in the browser's storage, named by its path.
    const [chooser] = await Promise.all([page.waitForFileChooser(),
                                         page.click("#SoundMenu .body button:nth-of-type(5)")]);
    await chooser.accept([join(o.site, "wave", "melkitmiss.wav")]);
    check("参照 names the chosen file by its full path, ticked",
          await waitFor(() => {
            const inputs = [...document.querySelectorAll("#SoundMenu input")];
            return inputs[12].value === "/kinopa/sounds/melkitmiss.wav" && inputs[13].checked;
          }) && await page.evaluate(() => kinopaPage.readFile("/kinopa/sounds/melkitmiss.wav") !== null));
    await page.click("#soundOk");
    check("... and OK loads it without a word", await page.evaluate(() => kinopaPage.boxes.length) === 0,
          await page.evaluate(() => kinopaPage.boxes.join("\n")));

    // A damaged wave.ini in the storage: said in the settings file's box.
    await page.evaluate(() => { kinopaPage.writeFile("/kinopa/wave.ini", "\u0001garbage"); return kinopaPage.sync(); });
    await page.reload();
    error = await load();
    const boxes = await page.evaluate(() => kinopaPage.boxes);
    check("a damaged wave.ini is said in its box",
          !error && boxes.some((b) => b.startsWith("wave.iniファイルに何か問題あるみたいです。 | ")), boxes.join("\n"));
    await answerBoxes();

    // --- A second tab is refused.
    const second = await browser.newPage();
    await second.goto(url);
    const refused = await second.waitForFunction(() => window.kinopaPage && kinopaPage.refused,
                                                 { timeout: WAIT_MS }).then(() => true, () => false);
    check("a second tab is refused, and says so",
          refused && (await second.evaluate(() => kinopaPage.boxes.join())).includes("another tab"));
    await second.close();

    // --- Offline: the service worker answers once the server is gone.
    const controlled = await waitFor(() => navigator.serviceWorker.controller !== null);
    if (check("the service worker controls the page", controlled)) {
      server.closeAllConnections();
      await new Promise((resolve) => server.close(resolve));
      check("the server is down", await fetch(url).then(() => false, () => true));
      check("no errors on the page so far", problems.length === 0, problems.join("\n  "));
      problems.length = 0;
      served.clear();
      await page.reload();
      error = await load();
      check("offline: the page starts again, from the service worker",
            !error && served.get("/kinopa-web.wasm")?.fromServiceWorker() === true, error);
      await answerBoxes();  // the damaged wave.ini, said again
      const g = await field();
      await page.mouse.move(...at(g, 100, 300));
      check("offline: the pointer still reaches the rules",
            await waitFor(() => kinopaPage.stateLine().includes(" mouse=100,300 ")));
      await page.screenshot({ path: join(o.out, "offline.png") });
    }
    check("no errors on the page since", problems.length === 0, problems.join("\n  "));
  } finally {
    await browser.close();
    server.closeAllConnections();
    server.close();
    await rm(profile, { recursive: true, force: true });
  }
}

try {
  await main();
} catch (e) {
  check("the test ran through", false, e.stack || String(e));
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);
