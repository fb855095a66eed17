// The page in Debian's headless Chromium, driven through puppeteer-core with
// real pointer and key events: the module runs the rules to the same bits as
// this machine, input reaches them in field pixels, the labels' font and the
// manifest's icons load, and with the server gone a reload still plays from
// the service worker's cache.
// usage: node page.test.mjs --site DIR --native-session PROGRAM [--out DIR]
import { execFile } from "node:child_process";
import { mkdir, mkdtemp, rm, stat } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { promisify } from "node:util";

import { startServer } from "../../web/serve.mjs";

const WAIT_MS = 30000;
// The canvas lands on whole pixels: (613 - 513) / 2 to its left, 8 above.
const VIEWPORT = { width: 613, height: 760 };
const CHROMIUM_FLAGS = [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
];

function options() {
  const args = process.argv.slice(2);
  const o = {};
  for (let i = 0; i < args.length; i += 2) {
    if (!["--site", "--native-session", "--out"].includes(args[i]) || i + 1 >= args.length) {
      console.error("usage: node page.test.mjs --site DIR --native-session PROGRAM [--out DIR]");
      process.exit(2);
    }
    o[args[i].slice(2)] = args[i + 1];
  }
  if (!o.site || !o["native-session"]) {
    console.error("usage: node page.test.mjs --site DIR --native-session PROGRAM [--out DIR]");
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

// "key=value" fields of a state line.
function fields(line) {
  const out = {};
  for (const part of line.split(" ")) {
    const eq = part.indexOf("=");
    if (eq > 0) out[part.slice(0, eq)] = part.slice(eq + 1);
  }
  return out;
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
  await mkdir(o.out, { recursive: true });
  const nativeRun = promisify(execFile);

  const { server, url } = await startServer(o.site, 0);
  const profile = await mkdtemp(join(tmpdir(), "kinopa-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: CHROMIUM_FLAGS,
    userDataDir: profile,
  });
  const problems = [];
  try {
    const page = await browser.newPage();
    await page.setViewport(VIEWPORT);
    page.on("console", (m) => { if (m.type() === "error") problems.push("console: " + m.text()); });
    page.on("pageerror", (e) => problems.push("page: " + e.message));
    page.on("requestfailed", (r) => problems.push(`request failed: ${r.url()} ${r.failure()?.errorText}`));
    const served = new Map();
    page.on("response", (r) => served.set(new URL(r.url()).pathname, r));

    const load = async () => {
      await page.waitForFunction(() => window.kinopaPage && (kinopaPage.ready || kinopaPage.error),
                                 { timeout: WAIT_MS });
      return page.evaluate(() => kinopaPage.error);
    };
    const state = async () => fields(await page.evaluate(() => kinopaPage.stateLine()));
    const waitState = (predicate, arg) =>
      page.waitForFunction(predicate, { timeout: WAIT_MS }, arg).then(() => true, () => false);

    const response = await page.goto(url);
    check("the page is served", response && response.ok(), response && String(response.status()));
    let error = await load();
    if (!check("the module starts", !error, error)) return;
    check(".wasm is served as application/wasm",
          served.get("/kinopa-web.wasm")?.headers()["content-type"] === "application/wasm",
          served.get("/kinopa-web.wasm")?.headers()["content-type"]);

    // The fixed run: the browser's numbers against this machine's.
    const passes = await page.evaluate(() => kinopaPage.fixedRunPasses);
    const native = (await nativeRun(o["native-session"], [String(passes)])).stdout.trimEnd().split("\n");
    const compareFixedRun = async (when) => {
      const browserLines = (await page.evaluate(() => kinopaPage.fixedRun)).trimEnd().split("\n");
      const first = browserLines.findIndex((line, i) => line !== native[i]);
      check(`${when}: the fixed run's ${native.length} state lines match this machine's`,
            browserLines.length === native.length && first < 0,
            first >= 0 ? `line ${first + 1}:\n  browser ${browserLines[first]}\n  native  ${native[first]}`
                       : `${browserLines.length} lines`);
    };
    await compareFixedRun("first visit");

    const field = await page.evaluate(() => {
      const c = document.getElementById("field");
      const box = c.getBoundingClientRect();
      return { width: c.width, height: c.height, x: box.x, y: box.y, w: box.width, h: box.height };
    });
    check("the play field is a 399 x 599 canvas shown 1:1",
          field.width === 399 && field.height === 599 && field.w === 399 && field.h === 599,
          JSON.stringify(field));

    // The labels' font came from the site and is in use.
    const font = await page.evaluate(async () => {
      await document.fonts.ready;
      const face = [...document.fonts].find((f) => f.family.replace(/"/g, "") === "Kinopa Gothic");
      return face ? face.status : "none";
    });
    check("the labels' font is loaded", font === "loaded" &&
          served.get("/fonts/kinopa-gothic.woff2")?.status() === 200, font);

    // The manifest's icons exist at the sizes it gives.
    const icons = await page.evaluate(async () => {
      const manifest = await (await fetch(document.querySelector("link[rel=manifest]").href)).json();
      return Promise.all(manifest.icons.map((icon) => new Promise((resolve) => {
        const img = new Image();
        img.onload = () => resolve(`${icon.sizes}=${img.naturalWidth}x${img.naturalHeight}`);
        img.onerror = () => resolve(`${icon.sizes}=missing`);
        img.src = new URL(icon.src, document.baseURI);
      })));
    });
    check("the manifest's icons are 192 and 512 pixels",
          icons.join(" ") === "192x192=192x192 512x512=512x512", icons.join(" "));

    // The pointer in field pixels moves the tovrin, which stays on the field.
    for (const [x, tovrin] of [[300, 258], [5, 0], [43, 1], [398, 315], [356, 314]]) {
      await page.mouse.move(field.x + x, field.y + 400);
      const ok = await waitState((want) => kinopaPage.stateLine().includes(` mouse=${want.x},400 `),
                                 { x });
      const s = await state();
      check(`a move to x ${x} puts the tovrin at ${tovrin}`,
            ok && s.tovrin.split(",")[0] === String(tovrin), `mouse=${s.mouse} tovrin=${s.tovrin}`);
    }

    // Start with a click: the game runs on the page's clock.
    await page.click("#gamestart");
    const running = await waitState(() => {
      const s = kinopaPage.stateLine();
      return / paused=0 /.test(s) && Number(/ rem=(\S+)/.exec(s)[1]) < 29800;
    });
    const afterStart = await state();
    check("Start runs the game's clock", running && afterStart.labels.endsWith("|Pause"),
          `rem=${afterStart.rem} labels=${afterStart.labels}`);
    check("the button shows the rules' caption",
          await page.$eval("#gamestart", (b) => b.textContent) === "Pause");
    const drawn = await page.evaluate(() => {
      const pixels = document.getElementById("field").getContext("2d").getImageData(0, 0, 399, 599).data;
      const colours = new Set();
      for (let i = 0; i < pixels.length; i += 4 * 97) colours.add(pixels.slice(i, i + 3).join());
      return colours.size;
    });
    check("the field is drawn", drawn > 20, `${drawn} colours`);
    await page.screenshot({ path: join(o.out, "page.png") });

    // A release below the melkit's reach is a miss where it happened.
    await page.mouse.click(field.x + 20, field.y + 590);
    const s = await state();
    const popup = s.popups.split(";")[4].split(",");
    check("a click on the field reaches the rules in field pixels",
          s.misses === "1" && popup[0] === "-1" && popup[1] === "20" && popup[2] === "590",
          `misses=${s.misses} popup 4=${popup}`);

    // Space on the focused button pauses, as on the desktop.
    await page.focus("#gamestart");
    await page.keyboard.press("Space");
    const paused = await state();
    check("Space on the start button pauses", paused.paused === "-1" && paused.labels.endsWith("|Start"),
          `paused=${paused.paused} labels=${paused.labels}`);

    // Offline: the service worker answers once the server is gone.
    const controlled = await waitState(() => navigator.serviceWorker.controller !== null);
    if (check("the service worker controls the page", controlled)) {
      server.closeAllConnections();
      await new Promise((resolve) => server.close(resolve));
      const down = await fetch(url).then(() => false, () => true);
      check("the server is down", down);
      check("no errors on the first visit", problems.length === 0, problems.join("\n  "));
      problems.length = 0;
      served.clear();
      await page.reload();
      error = await load();
      check("offline: the page starts again", !error, error);
      check("offline: the page came from the service worker",
            served.get("/")?.fromServiceWorker() === true &&
            served.get("/kinopa-web.wasm")?.fromServiceWorker() === true);
      await compareFixedRun("offline");
      await page.mouse.move(field.x + 100, field.y + 300);
      check("offline: the pointer still reaches the rules",
            await waitState(() => kinopaPage.stateLine().includes(" mouse=100,300 ")));
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
