// The page's tests: named cases (tests/web/cases/*.mjs), each in a fresh
// browser context of its own, in Debian's Chromium and Firefox ESR, run by
// page.test.mjs. t.check records a check and goes on; a throw, a time-out or
// an error on any of the case's pages fails the case, with a screenshot.
import { execFile } from "node:child_process";
import { mkdir, mkdtemp, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { promisify } from "node:util";
import { inflateSync } from "node:zlib";

import { startServer } from "../../web/serve.mjs";
import { fields } from "./state_fields.mjs";

export const WAIT_MS = 30000;
const CASE_MS = 60000;
const VIEWPORT = { width: 1000, height: 760 };
export const FIELD = { width: 399, height: 599 };

// Chromium in a closed network: no background connections, no updates, no
// autofill queries for the settings' text fields; what still tries (account
// and update checks) finds no name but 127.0.0.1.
const CHROMIUM_FLAGS = [
  "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--disable-features=AutofillServerCommunication", "--host-resolver-rules=MAP * ~NOTFOUND , EXCLUDE 127.0.0.1",
  "--autoplay-policy=no-user-gesture-required", "--lang=en-US",
];
// Firefox the same way, by preferences (puppeteer-core adds its own for
// automation; these are ours whatever it does). Remote settings (blocklists,
// experiments, search configuration...) follow services.settings.server only
// when MOZ_DISABLE_NONLOCAL_CONNECTIONS is set, Firefox's own switch for its
// tests, which also refuses any connection beyond this machine.
const FIREFOX_PREFS = {
  "services.settings.server": "data:,#remote-settings-dummy/v1",
  "app.update.disabledForTesting": true,
  "app.update.auto": false,
  "app.normandy.enabled": false,
  "messaging-system.rsexperimentloader.enabled": false,
  "toolkit.telemetry.enabled": false,
  "toolkit.telemetry.unified": false,
  "toolkit.telemetry.archive.enabled": false,
  "datareporting.policy.dataSubmissionEnabled": false,
  "datareporting.healthreport.uploadEnabled": false,
  "network.captive-portal-service.enabled": false,
  "network.connectivity-service.enabled": false,
  "network.trr.mode": 5,
  "network.dns.disablePrefetch": true,
  "network.prefetch-next": false,
  "browser.safebrowsing.malware.enabled": false,
  "browser.safebrowsing.phishing.enabled": false,
  "browser.safebrowsing.downloads.enabled": false,
  "browser.safebrowsing.downloads.remote.enabled": false,
  "browser.safebrowsing.blockedURIs.enabled": false,
  "browser.region.update.enabled": false,
  "extensions.update.enabled": false,
  "extensions.systemAddon.update.enabled": false,
  "extensions.blocklist.enabled": false,
  "media.gmp-manager.updateEnabled": false,
  "media.autoplay.default": 0,
  "intl.locale.requested": "en-US",
  "intl.accept_languages": "en-US",
};

export const ENGINES = {
  chromium: (puppeteer, profile) => puppeteer.launch({
    executablePath: "/usr/bin/chromium", headless: true, args: CHROMIUM_FLAGS,
    userDataDir: profile, defaultViewport: VIEWPORT,
  }),
  firefox: (puppeteer, profile) => puppeteer.launch({
    browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true,
    userDataDir: profile, defaultViewport: VIEWPORT, extraPrefsFirefox: FIREFOX_PREFS,
    env: { ...process.env, MOZ_DISABLE_NONLOCAL_CONNECTIONS: "1" },
  }),
};

const cases = [];
// Registers a case. skip: { engine: "why it cannot run there" }.
export function test(name, run, { timeout = CASE_MS, skip = {} } = {}) {
  if (cases.some((c) => c.name === name)) throw new Error(`two cases named ${name}`);
  cases.push({ name, run, timeout, skip });
}
export const registered = () => cases.map((c) => c.name);

// --- What cases share ----------------------------------------------------------

// A state line without its "frame N:" or "# last frame N:" beginning.
export const body = (line) => line.slice(line.indexOf(": ") + 2);

// The RGBA pixels of a PNG kinopa-replay wrote (8-bit RGB, no filter).
export function pngPixels(bytes) {
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
// "" when two pictures of the field are the same, else where they differ.
export function firstDifference(a, b) {
  if (a.length !== b.length) return `${a.length} against ${b.length} bytes`;
  for (let i = 0; i < a.length; ++i) {
    if (a[i] !== b[i]) return `pixel ${Math.floor(i / 4) % FIELD.width},${Math.floor(i / 4 / FIELD.width)}`;
  }
  return "";
}

// One tab of the game, with what the cases ask of it. `page` is puppeteer's.
class GamePage {
  constructor(page, problems) {
    this.page = page;
    this.served = new Map();  // path -> puppeteer's response, as the server answered
    // A plain host's 404 to the page's question whether a hall serves it is
    // the answer it looks for, which Chromium logs all the same.
    const hallProbe = (m) => /\/api\/games\?limit=1$/.test(m.location()?.url || "");
    page.on("console", (m) => { if (m.type() === "error" && !hallProbe(m)) problems.push("console: " + m.text()); });
    page.on("pageerror", (e) => problems.push("page: " + e.message));
    page.on("response", (r) => this.served.set(new URL(r.url()).pathname, r));
  }
  // "" once the game has started, or the page's error.
  async ready() {
    await this.page.waitForFunction(() => window.kinopaPage && (kinopaPage.ready || kinopaPage.error),
                                    { timeout: WAIT_MS });
    return this.page.evaluate(() => kinopaPage.error);
  }
  async reload() {
    await this.page.reload();
    return this.ready();
  }
  // Clicks Start; whether the game runs.
  async start() {
    await this.page.click("#gamestart");
    return this.waitFor(() => / paused=0 /.test(kinopaPage.stateLine()));
  }
  evaluate(...args) { return this.page.evaluate(...args); }
  stateLine() { return this.page.evaluate(() => kinopaPage.stateLine()); }
  async state() { return fields(await this.stateLine()); }
  // Whether `predicate` (run in the page) comes true in time.
  waitFor(predicate, arg, timeout = WAIT_MS) {
    return this.page.waitForFunction(predicate, { timeout }, arg).then(() => true, () => false);
  }
  // A point of the play field in the page's own pixels, wherever it is
  // placed and however it is scaled.
  async fieldPoint(x, y) {
    const box = await this.page.evaluate(() => {
      const r = document.getElementById("Picture1").getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width };
    });
    const scale = box.width / FIELD.width;
    return [box.x + x * scale, box.y + y * scale];
  }
  // The field's RGBA pixels as the canvas shows them. They cross as base64:
  // WebDriver BiDi (Firefox) would send an array a number at a time.
  async fieldPixels() {
    const text = await this.page.evaluate(() => {
      const bytes = kinopaPage.fieldPixels();
      let s = "";
      for (let i = 0; i < bytes.length; i += 0x8000) s += String.fromCharCode(...bytes.slice(i, i + 0x8000));
      return btoa(s);
    });
    return new Uint8Array(Buffer.from(text, "base64"));
  }
  // Drops a file `name` holding `text` on the page, as a player drags one
  // there: the drag's events with the file in their DataTransfer (puppeteer
  // drops files through Chromium's protocol alone).
  drop(name, text) {
    return this.page.evaluate((n, x) => {
      const data = new DataTransfer();
      data.items.add(new File([x], n));
      for (const type of ["dragover", "drop"])
        document.body.dispatchEvent(new DragEvent(type, { dataTransfer: data, bubbles: true, cancelable: true }));
    }, name, text);
  }
  // Clicks OK on every message box open, one after the other.
  async answerBoxes() {
    while (await this.page.evaluate(() => document.getElementById("box").open)) {
      await this.page.click("#box .buttons button");
    }
  }
}

// What a case is handed.
class Case {
  constructor({ engine, context, url, out, nativeReplay, recordings, site }) {
    Object.assign(this, { engine, context, url, out, nativeReplay, recordings, site });
    this.checks = [];
    this.problems = [];
    this.pages = [];
    this.servers = [];
    this.over = false;
  }
  // Records a check; returns whether it held.
  check(what, ok, detail = "") {
    if (!this.over) this.checks.push({ what, ok: !!ok, detail: ok ? "" : String(detail ?? "") });
    return !!ok;
  }
  // A file of this case's output folder.
  path(name) { return join(this.out, name); }
  // A new tab at `url` (the site's by default), on `viewport`, with
  // `beforeLoad` run in it before the page's scripts; "the game starts" is
  // checked.
  async open(url = this.url, { viewport, beforeLoad } = {}) {
    const tab = await this.openTab();
    if (viewport) await tab.page.setViewport(viewport);
    if (beforeLoad) await tab.page.evaluateOnNewDocument(beforeLoad);
    await tab.page.goto(url);
    const error = await tab.ready();
    if (!this.check("the game starts", !error, error)) throw new Error("the game did not start: " + error);
    return tab;
  }
  // A new tab, nothing loaded yet.
  async openTab() {
    const tab = new GamePage(await this.context.newPage(), this.problems);
    this.pages.push(tab);
    return tab;
  }
  // kinopa-replay, on the script `text` kept in this case's output as `name`:
  // its lines.
  async replay(name, text) {
    const script = this.path(name);
    await writeFile(script, text);
    const { stdout } = await promisify(execFile)(this.nativeReplay, [script], { maxBuffer: 1 << 28 });
    return stdout.trimEnd().split("\n");
  }
  // A server of the site for this case alone (stopped when the case ends):
  // { url, stop(), sent }, sent: what it answered, as it crossed the wire,
  // { path, at: when asked (Date.now()), bytes: headers and body }.
  async serve() {
    const { server, url } = await startServer(this.site, 0);
    const sent = [];
    server.on("request", (request, response) => {
      const socket = request.socket, before = socket.bytesWritten, at = Date.now();
      response.on("finish", () => sent.push({ path: request.url, at, bytes: socket.bytesWritten - before }));
    });
    const stop = () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(() => resolve());
    });
    this.servers.push(stop);
    return { url, stop, sent };
  }
}

class TimedOut extends Error {}
const withTimeout = (promise, ms, what) => {
  let timer;
  return Promise.race([
    promise.finally(() => clearTimeout(timer)),
    new Promise((_, reject) => { timer = setTimeout(() => reject(new TimedOut(`${what} after ${ms / 1000} s`)), ms); }),
  ]);
};

async function runCase(c, engine, browser, o) {
  const out = join(o.out, engine, c.name);
  await rm(out, { recursive: true, force: true });
  await mkdir(out, { recursive: true });
  const began = Date.now();
  const context = await browser.createBrowserContext();
  const t = new Case({ engine, context, url: o.url, out, nativeReplay: o.nativeReplay,
                       recordings: o.recordings, site: o.site });
  let thrown = "";
  const running = Promise.resolve().then(() => c.run(t));
  try {
    await withTimeout(running, c.timeout, "timed out");
  } catch (e) {
    thrown = e instanceof TimedOut ? e.message : (e.stack || String(e));
    running.catch(() => {});  // what a stopped case still does fails as its context goes
  }
  if (!thrown) t.check("the case checked something", t.checks.length > 0);
  t.check("no errors on the page", t.problems.length === 0, t.problems.join("\n"));
  t.over = true;
  const failed = t.checks.filter((k) => !k.ok);
  const result = { name: c.name, ok: !thrown && failed.length === 0, seconds: (Date.now() - began) / 1000,
                   checks: t.checks.length, failed, thrown, shots: [] };
  if (!result.ok) {
    for (const [i, tab] of t.pages.entries()) {
      const shot = join(out, i ? `failed-${i + 1}.png` : "failed.png");
      if (tab.page.isClosed()) continue;
      await withTimeout(tab.page.screenshot({ path: shot }), 10000, "no screenshot")
        .then(() => result.shots.push(shot), () => {});
    }
  }
  await withTimeout(context.close(), 10000, "the context did not close").catch(() => {});
  for (const stop of t.servers) await stop();
  return result;
}

function report(engine, r) {
  if (r.ok) {
    console.log(`ok - ${engine}: ${r.name} (${r.checks} checks, ${r.seconds.toFixed(1)} s)`);
    return;
  }
  console.log(`FAIL - ${engine}: ${r.name} (${r.seconds.toFixed(1)} s)`);
  const indent = (text, by) => text.split("\n").map((l) => by + l).join("\n");
  for (const k of r.failed) console.log(`  - ${k.what}` + (k.detail ? "\n" + indent(k.detail, "      ") : ""));
  if (r.thrown) console.log(indent(r.thrown, "    "));
  for (const shot of r.shots) console.log(`    screenshot: ${shot}`);
}

// Runs the cases named in `only` (all when empty) in each of `engines`,
// against the site at o.site; whether every one passed.
export async function run(o, engines, only) {
  const unknown = only.filter((n) => !cases.some((c) => c.name === n));
  if (unknown.length) throw new Error(`no case named ${unknown.join(", ")}; the cases: ${registered().join(", ")}`);
  const chosen = cases.filter((c) => !only.length || only.includes(c.name));
  const puppeteer = await import("puppeteer-core").then((m) => m.default, (e) => {
    throw new Error(`puppeteer-core is missing (${e.message}): run npm ci in tests/web, or scripts/test-web, which does`);
  });
  const { server, url } = await startServer(o.site, 0);
  let passed = 0, failed = 0;
  try {
    for (const engine of engines) {
      const profiles = [];
      let browser = null;
      try {
        for (const c of chosen) {
          if (c.skip[engine]) {
            console.log(`skip - ${engine}: ${c.name}: ${c.skip[engine]}`);
            continue;
          }
          // Started again should a case have brought it down.
          if (!browser?.connected) {
            profiles.push(await mkdtemp(join(tmpdir(), `kinopa-${engine}-`)));
            browser = await ENGINES[engine](puppeteer, profiles.at(-1));
          }
          const r = await runCase(c, engine, browser, { ...o, url }).catch((e) => (
            { name: c.name, ok: false, seconds: 0, failed: [], thrown: e.stack || String(e), shots: [] }));
          report(engine, r);
          if (r.ok) ++passed; else ++failed;
        }
      } finally {
        await browser?.close();
        for (const profile of profiles) await rm(profile, { recursive: true, force: true });
      }
    }
  } finally {
    server.closeAllConnections();
    server.close();
  }
  console.log(`${passed} passed, ${failed} failed`);
  return failed === 0 && passed > 0;
}
