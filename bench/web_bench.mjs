// kinopa_web_bench: the browser version measured on this machine, beside the
// desktop game (kinopa_pacing on a virtual X server, run by this program).
// Debian's headless Chromium plays whole games by real pointer moves after
// the zarup, as kinopa_pacing's steered pointer does; the figures are printed
// one a line, with their units:
//   - frame pacing: the intervals between frame steps, frames dropped;
//   - main-thread time of a frame (the step, the canvas drawing);
//   - processor time of every Chromium process during play, and its ratio to
//     the floor's (a page that only puts a frame of the field's size on a
//     canvas at each display refresh, steered alike, in the same browser) and
//     to the desktop game's;
//   - bytes over the wire before the first frame from a server that
//     compresses nothing (web/serve.mjs), the largest;
//   - time to the first frame over several first visits (fresh profiles);
//   - what runs while idle, before Start and after a game.
// It exits non-zero only when it cannot measure (no site, no browser).
//
//   usage: node bench/web_bench.mjs [--site build-web/site] [--games N] [--loads N]
//
// --games: whole games in the browser and as many desktop games (default 1);
// --loads: first visits timed (default 5). Take figures on a quiet machine:
// the load average is printed at the start and the end.
import { execFileSync, spawn } from "node:child_process";
import { existsSync, readFileSync, readdirSync, statSync } from "node:fs";
import { mkdtemp, rm } from "node:fs/promises";
import { createRequire } from "node:module";
import { cpus, tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";

const repo = resolve(dirname(fileURLToPath(import.meta.url)), "..");
const { startServer } = await import(join(repo, "web/serve.mjs"));
const { fields } = await import(join(repo, "tests/web/state_fields.mjs"));
// What is measured inside the page is injected before it loads.
const { probe } = await import(join(repo, "tests/web/page_probe.mjs"));

const FIELD_WIDTH = 399;
const FIELD_HEIGHT = 599;
const DROP_MS = 10;  // the rules drop a frame that comes later than this
const VIEWPORT = { width: 613, height: 760 };  // the page's scale is 1 there
const CHROMIUM_ARGS = [
  "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
  "--disable-background-networking", "--disable-component-update", "--disable-sync",
  "--autoplay-policy=no-user-gesture-required",
];
const WAIT_MS = 30000;
const IDLE_SETTLE_MS = 6000;  // past the page's 5 s before it suspends the sound
const IDLE_WINDOW_MS = 5000;
const FLOOR_MS = 15000;
const QUIET_LOAD = 0.5;

// --- Options -------------------------------------------------------------------
function usage(problem) {
  if (problem) console.error(`web_bench: ${problem}`);
  console.error("usage: node bench/web_bench.mjs [--site build-web/site] [--games N] [--loads N]");
  process.exit(2);
}

function readOptions() {
  const o = { site: join(repo, "build-web/site"), games: 1, loads: 5 };
  const args = process.argv.slice(2);
  for (let i = 0; i < args.length; i += 2) {
    const value = args[i + 1];
    if (value === undefined) usage(`${args[i]} needs a value`);
    if (args[i] === "--site") o.site = resolve(value);
    else if (args[i] === "--games" || args[i] === "--loads") {
      const n = Number(value);
      if (!Number.isInteger(n) || n < 1) usage(`${args[i]} takes a whole number from 1`);
      o[args[i].slice(2)] = n;
    } else usage(`unknown option ${args[i]}`);
  }
  return o;
}

// --- Small helpers ---------------------------------------------------------------
const sleep = (ms) => new Promise((done) => setTimeout(done, ms));
const now = () => performance.now();

// The q-quantile (0 < q <= 1) by the nearest-rank rule, as bench_support.h.
function quantile(values, q) {
  if (!values.length) return NaN;
  const v = [...values].sort((a, b) => a - b);
  const rank = Math.ceil(q * v.length);
  return v[Math.min(Math.max(rank, 1), v.length) - 1];
}
const median = (values) => quantile(values, 0.5);
const fixed = (x, digits = 2) => (Number.isFinite(x) ? x.toFixed(digits) : "n/a");
const grouped = (n) => n.toLocaleString("en-US");

// The steering's own dice: the same every run.
function seededRandom(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}
const between = (random, low, high) => low + Math.floor(random() * (high - low + 1));

function loadAverage() {
  return readFileSync("/proc/loadavg", "utf8").split(" ").slice(0, 3).map(Number);
}

async function waitForQuiet() {
  let load = loadAverage();
  if (load[0] <= QUIET_LOAD) return;
  console.log(`waiting: 1-minute load ${load[0]} is above ${QUIET_LOAD} (up to 60 s)`);
  const until = now() + 60000;
  while (load[0] > QUIET_LOAD && now() < until) {
    await sleep(5000);
    load = loadAverage();
  }
  console.log(load[0] <= QUIET_LOAD
    ? `quiet: 1-minute load ${load[0]}`
    : `still busy after 60 s: 1-minute load ${load[0]} (figures below may be disturbed)`);
}

// --- Processor time of a process and all its descendants ---------------------------
const TICKS_PER_SECOND = (() => {
  try {
    return Number(execFileSync("getconf", ["CLK_TCK"], { encoding: "utf8" }).trim()) || 100;
  } catch {
    return 100;
  }
})();

function readStat(pid) {
  try {
    const text = readFileSync(`/proc/${pid}/stat`, "utf8");
    // After the name in parentheses (which may hold spaces): state, ppid, ...
    const f = text.slice(text.lastIndexOf(")") + 2).split(" ");
    return {
      pid: Number(pid), ppid: Number(f[1]),
      // utime + stime, and the children's that were waited for (cutime + cstime):
      // a process that ends moves its time to its parent's, so the sum over
      // the tree stays whole.
      ticks: Number(f[11]) + Number(f[12]) + Number(f[13]) + Number(f[14]),
    };
  } catch {
    return null;  // gone meanwhile
  }
}

function processKind(pid) {
  try {
    // Chromium rewrites its command lines with spaces between the arguments.
    const cmd = readFileSync(`/proc/${pid}/cmdline`, "utf8").split(/[\0 ]/);
    const type = cmd.find((a) => a.startsWith("--type="));
    if (!type) return "browser";
    const service = cmd.find((a) => a.startsWith("--utility-sub-type="));
    return type.slice(7) + (service ? ` (${service.split(".").pop()})` : "");
  } catch {
    return "gone";
  }
}

const kinds = new Map();  // pid -> kind, read once
// Ticks of `root` and every process below it, by process.
function treeTicks(root) {
  const all = [];
  for (const name of readdirSync("/proc")) {
    if (!/^\d+$/.test(name)) continue;
    const s = readStat(name);
    if (s) all.push(s);
  }
  const children = new Map();
  for (const s of all) {
    if (!children.has(s.ppid)) children.set(s.ppid, []);
    children.get(s.ppid).push(s);
  }
  const byPid = new Map();
  const rootStat = all.find((s) => s.pid === Number(root));
  const queue = rootStat ? [rootStat] : [];
  while (queue.length) {
    const s = queue.shift();
    if (!kinds.has(s.pid)) kinds.set(s.pid, processKind(s.pid));
    byPid.set(s.pid, s.ticks);
    queue.push(...(children.get(s.pid) || []));
  }
  return byPid;
}

// Ticks of the whole machine (every processor), from /proc/stat: busy, and
// those a virtual machine's host took from it (steal).
function machineTicks() {
  const f = readFileSync("/proc/stat", "utf8").split("\n")[0].trim().split(/\s+/).slice(1).map(Number);
  const total = f.slice(0, 8).reduce((a, b) => a + b, 0);
  return { busy: total - f[3] - f[4] - f[7], steal: f[7] };  // less idle, iowait and steal
}

function cpuSample(root) {
  return { at: now(), ticks: treeTicks(root), machine: machineTicks(), self: readStat(process.pid).ticks };
}

// Seconds of processor time between two samples, in all and by kind of process.
function cpuBetween(a, b) {
  const byKind = new Map();
  let total = 0;
  for (const [pid, ticks] of b.ticks) {
    const d = ticks - (a.ticks.get(pid) || 0);
    total += d;
    const kind = kinds.get(pid) || "other";
    byKind.set(kind, (byKind.get(kind) || 0) + d);
  }
  const wall = (b.at - a.at) / 1000;
  const seconds = total / TICKS_PER_SECOND;
  // What else ran meanwhile: the machine less Chromium and this program.
  const others = (b.machine.busy - a.machine.busy - total - (b.self - a.self)) / TICKS_PER_SECOND;
  return { seconds, wall, percent: (100 * seconds) / wall, byKind, processes: b.ticks.size,
           othersPercent: Math.max(0, (100 * others) / wall), selfPercent: (100 * (b.self - a.self)) / TICKS_PER_SECOND / wall,
           stealPercent: (100 * (b.machine.steal - a.machine.steal)) / TICKS_PER_SECOND / wall };
}

function printCpu(what, c) {
  console.log(`${what}: ${fixed(c.percent, 1)} % of one core (${fixed(c.seconds)} s over ${fixed(c.wall)} s,` +
              ` ${c.processes} Chromium processes)`);
  const parts = [...c.byKind].filter(([, t]) => t > 0).sort((x, y) => y[1] - x[1]);
  for (const [kind, ticks] of parts) {
    console.log(`${what}, ${kind}: ${fixed((100 * ticks) / TICKS_PER_SECOND / c.wall, 1)} % of one core`);
  }
  console.log(`${what}, beside it this program: ${fixed(c.selfPercent, 1)} % of one core,` +
              ` other processes: ${fixed(c.othersPercent, 1)} % of one core,` +
              ` taken by the virtual machine's host: ${fixed(c.stealPercent, 1)} % of one core`);
}

// --- The desktop game: kinopa_pacing on a virtual X server -----------------------
function runDesktop() {
  const program = join(repo, "build/bin/kinopa_pacing");
  if (!existsSync(program)) return Promise.resolve({ missing: program });
  const machineBefore = machineTicks().busy, began = now();
  return new Promise((done) => {
    const child = spawn(join(repo, "bench/xvfb.sh"), [program], { cwd: repo });
    let out = "", err = "";
    child.stdout.on("data", (d) => { out += d; });
    child.stderr.on("data", (d) => { err += d; });
    child.on("error", (e) => done({ failed: e.message }));
    child.on("close", (code) => {
      if (code !== 0) {
        done({ failed: `status ${code}: ${err.trim().split("\n").pop()}` });
        return;
      }
      const d = { machinePercent: (100 * (machineTicks().busy - machineBefore)) / TICKS_PER_SECOND / ((now() - began) / 1000) };
      const find = (re, text = out) => text.match(re);
      let m = find(/^play: ([\d.]+) s, (\d+) calls of game, (\d+) frames presented/m);
      if (m) [d.play, d.calls, d.presented] = [Number(m[1]), Number(m[2]), Number(m[3])];
      m = find(/^processor time during play: ([\d.]+) % of one core \(([\d.]+) s\)/m);
      if (m) [d.cpuPercent, d.cpuSeconds] = [Number(m[1]), Number(m[2])];
      m = find(/^presented frame intervals:\s+n=\d+\s+median ([\d.]+)\s+p99 ([\d.]+)\s+p99\.9 ([\d.]+)\s+max ([\d.]+)/m);
      if (m) [d.intervalMedian, d.intervalP99, d.intervalP999, d.intervalMax] = m.slice(1, 5).map(Number);
      m = find(/^work of a drawn frame \(game\):\s+n=\d+\s+median ([\d.]+)\s+p99 ([\d.]+)/m);
      if (m) [d.workMedian, d.workP99] = [Number(m[1]), Number(m[2])];
      m = find(/^pacing: dropped (\d+) of (\d+) frames/m);
      if (m) [d.dropped, d.frames] = [Number(m[1]), Number(m[2])];
      m = find(/^X server: (\d+) ticks of (\d+)\/s over ([\d.]+) s/m, err);
      if (m) d.serverPercent = (100 * Number(m[1])) / Number(m[2]) / Number(m[3]);
      if (d.cpuPercent === undefined || d.intervalMedian === undefined) {
        done({ failed: "its output was not understood:\n" + out });
        return;
      }
      done(d);
    });
  });
}

// --- The browser ----------------------------------------------------------------
function loadPuppeteer() {
  try {
    return createRequire(join(repo, "tests/web/package.json"))("puppeteer-core");
  } catch (e) {
    console.error(`web_bench: puppeteer-core is missing (${e.message}):` +
                  " run `cd tests/web && npm ci --no-audit --no-fund`");
    process.exit(1);
  }
}

async function launch(puppeteer) {
  const profile = await mkdtemp(join(tmpdir(), "kinopa-bench-chromium-"));
  try {
    const browser = await puppeteer.launch({
      executablePath: "/usr/bin/chromium", headless: true, args: CHROMIUM_ARGS, userDataDir: profile,
    });
    const close = async () => {
      await browser.close().catch(() => {});
      await rm(profile, { recursive: true, force: true });
    };
    return { browser, close, pid: browser.process().pid };
  } catch (e) {
    await rm(profile, { recursive: true, force: true });
    console.error(`web_bench: Chromium does not start: ${e.message}`);
    process.exit(1);
  }
}

async function openPage(browser, url, problems) {
  const page = await browser.newPage();
  await page.setViewport(VIEWPORT);
  page.on("console", (m) => { if (m.type() === "error") problems.push("console: " + m.text()); });
  page.on("pageerror", (e) => problems.push("page: " + e.message));
  page.on("requestfailed", (r) => problems.push(`request failed: ${r.url()} ${r.failure()?.errorText}`));
  return page;
}

async function waitReady(page) {
  await page.waitForFunction(() => window.kinopaPage && (kinopaPage.ready || kinopaPage.error),
                             { timeout: WAIT_MS });
  const error = await page.evaluate(() => kinopaPage.error);
  if (error) throw new Error(`the page failed: ${error}`);
  await page.waitForFunction(() => kinopaProbe.firstFrameAt > 0, { timeout: WAIT_MS });
}

// One first visit on a fresh profile: the time to the first frame, and what
// the server sent, as it crossed the wire (headers and body), with the moment
// it was asked for on the page's clock, until the service worker has taken
// over (its own copies counted).
async function firstVisit(puppeteer, server, url, problems) {
  const sent = [];
  const log = (request, response) => {
    const socket = request.socket, before = socket.bytesWritten, at = Date.now();
    response.on("finish", () => sent.push({ path: decodeURIComponent(request.url.slice(1)) || "index.html",
                                            at, bytes: socket.bytesWritten - before }));
  };
  server.on("request", log);
  const { browser, close } = await launch(puppeteer);
  try {
    const page = await openPage(browser, url, problems);
    await page.evaluateOnNewDocument(probe);
    await page.goto(url);
    await waitReady(page);
    const [firstFrameAt, origin] = await page.evaluate(() => [kinopaProbe.firstFrameAt, performance.timeOrigin]);
    await page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: WAIT_MS })
      .catch(() => problems.push("the service worker did not take over"));
    for (const s of sent) s.at -= origin;
    return { firstFrameAt, sent };
  } finally {
    await close();
    server.off("request", log);
  }
}

// Times the canvas drawing as the page does it: every animation frame's
// callback (the page draws the field there) and every putImageData.
function drawWatch() {
  const watch = { callbacks: 0, callbackMs: 0, puts: 0, putMs: 0 };
  window.kinopaBenchDraw = watch;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    const began = performance.now();
    try {
      return put.apply(this, args);
    } finally {
      watch.putMs += performance.now() - began;
      ++watch.puts;
    }
  };
  const request = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => request((time) => {
    const began = performance.now();
    try {
      callback(time);
    } finally {
      watch.callbackMs += performance.now() - began;
      ++watch.callbacks;
    }
  });
}

const counters = (page) => page.evaluate(() => ({
  steps: kinopaProbe.steps, framesDrawn: kinopaProbe.framesDrawn, audio: kinopaPage.audioState(),
}));

async function idleWindow(page, pid) {
  const a = await counters(page);
  const cpuA = cpuSample(pid);
  await sleep(IDLE_WINDOW_MS);
  const cpuB = cpuSample(pid);
  const b = await counters(page);
  return { steps: b.steps - a.steps, framesDrawn: b.framesDrawn - a.framesDrawn, audio: b.audio,
           cpu: cpuBetween(cpuA, cpuB) };
}

function printIdle(header, what, idle) {
  console.log(`== ${header}`);
  console.log(`${what}: loop steps +${idle.steps} in ${IDLE_WINDOW_MS / 1000} s`);
  console.log(`${what}: canvas updates +${idle.framesDrawn} in ${IDLE_WINDOW_MS / 1000} s`);
  console.log(`${what}: sound output ${idle.audio}`);
  printCpu(`${what}, Chromium processor time`, idle.cpu);
}

async function metricsOf(page) {
  const m = await page.metrics();
  return { task: m.TaskDuration, script: m.ScriptDuration, layout: m.LayoutDuration + m.RecalcStyleDuration };
}

// The game's state line, read through a DevTools session of its own: a
// little cheaper for the browser than page.evaluate, which wraps each call.
function stateReader(page) {
  const session = page.createCDPSession();
  return async () => {
    const { result, exceptionDetails } = await (await session).send("Runtime.evaluate", {
      expression: "kinopaPage.stateLine()", returnByValue: true,
    });
    if (exceptionDetails) throw new Error(`reading the state line: ${exceptionDetails.text}`);
    return result.value;
  };
}

// A whole game: Start, then the pointer after the zarup every 12 to 28 ms
// (a little off, as a hand is), until the time is up.
async function playGame(page, pid, random) {
  const readLine = stateReader(page);
  const box = await page.evaluate(() => {
    const canvas = document.getElementById("Picture1") || document.querySelector("canvas");
    const r = canvas.getBoundingClientRect();
    return { x: r.left, y: r.top, w: r.width, h: r.height };
  });
  const toClient = (x, y) => [box.x + (x + 0.5) * box.w / FIELD_WIDTH, box.y + (y + 0.5) * box.h / FIELD_HEIGHT];
  await page.evaluate(() => {
    kinopaProbe.frameTimes.length = 0;
    kinopaProbe.stepMs.length = 0;
    kinopaProbe.soundDelays.length = 0;
    kinopaProbe.collectLines = false;
    kinopaProbe.measure = true;
    Object.assign(window.kinopaBenchDraw, { callbacks: 0, callbackMs: 0, puts: 0, putMs: 0 });
  });
  const before = await counters(page);
  const metricsBefore = await metricsOf(page);
  const cpuStart = cpuSample(pid);
  await page.click("#gamestart");

  const moveMs = [];
  let lastX = -1, started = false, line = "";
  const giveUp = now() + 60000;
  for (let next = now(); ; ) {
    line = await readLine();
    const f = fields(line);
    if (f.paused === "0") started = true;
    else if (started) break;
    if (now() > giveUp) throw new Error(`the game did not ${started ? "end" : "start"}: ${line}`);
    const zarupX = Number((f.zarup || "").split(",")[0]);
    if (started && Number.isFinite(zarupX)) {
      const x = Math.min(Math.max(Math.round(zarupX) + 32 + between(random, -20, 20), 1), FIELD_WIDTH - 2);
      if (x !== lastX) {  // a move to where the pointer already is moves nothing
        lastX = x;
        const began = now();
        await page.mouse.move(...toClient(x, 540));
        moveMs.push(now() - began);
      }
    }
    next += between(random, 12, 28);
    const wait = next - now();
    if (wait > 0) await sleep(wait);
    else next = now();
  }
  const cpuEnd = cpuSample(pid);
  const metricsAfter = await metricsOf(page);
  const got = await page.evaluate(() => {
    kinopaProbe.measure = false;
    return { frameTimes: [...kinopaProbe.frameTimes], stepMs: [...kinopaProbe.stepMs],
             soundDelays: [...kinopaProbe.soundDelays],
             draw: { ...window.kinopaBenchDraw }, steps: kinopaProbe.steps, framesDrawn: kinopaProbe.framesDrawn };
  });
  const labels = (fields(line).labels || "").split("|");
  return {
    ...got, moveMs, cpu: cpuBetween(cpuStart, cpuEnd),
    steps: got.steps - before.steps, framesDrawn: got.framesDrawn - before.framesDrawn,
    taskMs: 1000 * (metricsAfter.task - metricsBefore.task),
    scriptMs: 1000 * (metricsAfter.script - metricsBefore.script),
    layoutMs: 1000 * (metricsAfter.layout - metricsBefore.layout),
    score: labels[1], rate: labels[2],
  };
}

// The driver's own cost: the state line read at the steering's pace, no game.
async function driverCost(page, pid, random) {
  const readLine = stateReader(page);
  const a = cpuSample(pid);
  const until = now() + IDLE_WINDOW_MS;
  for (let next = now(); now() < until; ) {
    await readLine();
    next += between(random, 12, 28);
    const wait = next - now();
    if (wait > 0) await sleep(wait);
  }
  return cpuBetween(a, cpuSample(pid));
}

// The floor: the least a page showing the game costs the browser. A canvas of
// the field's size takes a whole frame at each display refresh (a band of it
// new each time), nothing else; steered as a game is (a read every 12 to 28
// ms, the pointer moved), for FLOOR_MS.
const FLOOR_PAGE = `<!DOCTYPE html><html><body style="margin:0">
<canvas id="field" width="${FIELD_WIDTH}" height="${FIELD_HEIGHT}"></canvas>
<script>
  const context = document.getElementById("field").getContext("2d");
  const frame = new ImageData(${FIELD_WIDTH}, ${FIELD_HEIGHT});
  let n = 0;
  const refresh = () => {
    const row = (n++ % ${FIELD_HEIGHT}) * ${FIELD_WIDTH} * 4;
    for (let i = 0; i < ${FIELD_WIDTH} * 4; ++i) frame.data[row + i] = (i + n) & 255;
    context.putImageData(frame, 0, 0);
    requestAnimationFrame(refresh);
  };
  requestAnimationFrame(refresh);
</script></body></html>`;

async function floorRun(browser, pid, random, problems) {
  const page = await openPage(browser, "about:blank", problems);
  await page.setContent(FLOOR_PAGE);
  const session = await page.createCDPSession();
  await sleep(1000);
  const a = cpuSample(pid);
  for (let next = now(), until = now() + FLOOR_MS; now() < until;) {
    await session.send("Runtime.evaluate", { expression: "1", returnByValue: true });
    await page.mouse.move(between(random, 1, FIELD_WIDTH - 2) + 0.5, 540.5);
    next += between(random, 12, 28);
    const wait = next - now();
    if (wait > 0) await sleep(wait);
    else next = now();
  }
  const cpu = cpuBetween(a, cpuSample(pid));
  await page.close();
  return cpu;
}

// --- Printing ---------------------------------------------------------------------
function printGame(n, g, desktop, driverPercent, floor) {
  const intervals = [];
  for (let i = 1; i < g.frameTimes.length; ++i) intervals.push(g.frameTimes[i] - g.frameTimes[i - 1]);
  const dropped = intervals.filter((d) => d > DROP_MS).length;
  const play = g.frameTimes.length ? (g.frameTimes.at(-1) - g.frameTimes[0]) / 1000 : NaN;
  const d = desktop && !desktop.failed && !desktop.missing ? desktop : null;
  const beside = (text) => (d ? `  | desktop ${text}` : "");
  const tag = `game ${n}`;
  console.log(`== ${tag}: a whole game steered by pointer moves (score ${g.score}, rate ${g.rate} at the end)`);
  console.log(`${tag}, play: ${fixed(play)} s, ${g.frameTimes.length} frame steps, ${g.steps} loop steps` +
              beside(d ? `${fixed(d.play)} s, ${d.calls} calls of game` : ""));
  console.log(`${tag}, frame interval median: ${fixed(median(intervals), 3)} ms` +
              beside(d ? `${fixed(d.intervalMedian, 3)} ms` : ""));
  console.log(`${tag}, frame interval p99: ${fixed(quantile(intervals, 0.99), 3)} ms` +
              beside(d ? `${fixed(d.intervalP99, 3)} ms` : ""));
  console.log(`${tag}, frame interval p99.9: ${fixed(quantile(intervals, 0.999), 3)} ms` +
              beside(d ? `${fixed(d.intervalP999, 3)} ms` : ""));
  console.log(`${tag}, frame interval max: ${fixed(quantile(intervals, 1), 3)} ms` +
              beside(d ? `${fixed(d.intervalMax, 3)} ms` : ""));
  console.log(`${tag}, frames dropped (interval over ${DROP_MS} ms): ${dropped} of ${intervals.length}` +
              ` (${fixed((100 * dropped) / intervals.length)} %)` +
              beside(d ? `${d.dropped} of ${d.frames} (${fixed((100 * d.dropped) / d.frames)} %)` : ""));
  const surely = intervals.filter((d) => d > DROP_MS + 1).length;
  console.log(`${tag}, frames dropped whatever the clock's rounding (interval over ${DROP_MS + 1} ms): ${surely}`);
  const histogram = new Map();
  for (const d of intervals) histogram.set(Math.round(d), (histogram.get(Math.round(d)) || 0) + 1);
  console.log(`${tag}, frame intervals (ms, rounded: steps):` +
              [...histogram].sort((a, b) => a[0] - b[0]).map(([ms, n]) => ` ${ms}: ${n}`).join(""));
  console.log(`${tag}, main-thread step of a frame, median: ${fixed(median(g.stepMs), 3)} ms` +
              beside(d ? `work of a drawn frame ${fixed(d.workMedian, 3)} ms` : ""));
  console.log(`${tag}, main-thread step of a frame, p99: ${fixed(quantile(g.stepMs, 0.99), 3)} ms` +
              beside(d ? `work of a drawn frame ${fixed(d.workP99, 3)} ms` : ""));
  const drawn = g.framesDrawn || NaN;
  console.log(`${tag}, canvas updates: ${g.framesDrawn} (${fixed(g.framesDrawn / play, 1)} a second)`);
  console.log(`${tag}, drawing callback per canvas update: ${fixed(g.draw.callbackMs / drawn, 3)} ms` +
              ` (${g.draw.callbacks} animation frames)`);
  console.log(`${tag}, putImageData per canvas update: ${fixed(g.draw.putMs / drawn, 3)} ms`);
  const steps = g.stepMs.reduce((a, b) => a + b, 0);
  console.log(`${tag}, main thread busy (TaskDuration): ${fixed(g.taskMs / play / 10, 1)} % of play,` +
              ` ${fixed(g.taskMs / g.frameTimes.length, 3)} ms per frame step`);
  console.log(`${tag}, script (ScriptDuration) per frame step: ${fixed(g.scriptMs / g.frameTimes.length, 3)} ms`);
  console.log(`${tag}, style and layout per frame step: ${fixed(g.layoutMs / g.frameTimes.length, 3)} ms`);
  console.log(`${tag}, main thread outside steps and drawing callbacks per frame step: ` +
              `${fixed((g.taskMs - steps - g.draw.callbackMs) / g.frameTimes.length, 3)} ms`);
  console.log(`${tag}, pointer moves: ${g.moveMs.length}, median ${fixed(median(g.moveMs), 2)} ms` +
              ` for the browser to take one`);
  // Mixed: into the output's buffer, as the desktop's "Play to the first mix";
  // heard: with the output device's own latency, as the browser reports it.
  const mixed = g.soundDelays.map((x) => x.mixed), heard = g.soundDelays.map((x) => x.heard);
  if (mixed.length) {
    console.log(`${tag}, sounds started: ${mixed.length}; from the rules' event to its mix into the ` +
                `output: median ${fixed(median(mixed), 1)} ms, max ${fixed(Math.max(...mixed), 1)} ms ` +
                `(target <= 20 ms: ${Math.max(...mixed) <= 20 ? "met" : "NOT met"})`);
    console.log(`${tag}, from the rules' event to the speaker, with the output device's latency as the ` +
                `browser reports it: median ${fixed(median(heard), 1)} ms, max ${fixed(Math.max(...heard), 1)} ms`);
  } else {
    console.log(`${tag}, sounds started: none measured (the browser does not tell the output's time)`);
  }
  printCpu(`${tag}, Chromium processor time during play`, g.cpu);
  const overFloor = g.cpu.percent / floor.percent;
  console.log(`${tag}, processor time page / floor: ${fixed(overFloor)}x (the floor ${fixed(floor.percent, 1)} % of one core;` +
              ` target <= 1.5x: ${overFloor <= 1.5 ? "met" : "NOT met"})`);
  if (d) {
    console.log(`${tag}, desktop game's processor time during play: ${fixed(d.cpuPercent, 1)} % of one core` +
                (d.serverPercent !== undefined ? `, its X server ${fixed(d.serverPercent, 1)} % over the run` : ""));
    const ratio = g.cpu.percent / d.cpuPercent;
    console.log(`${tag}, processor time browser / desktop: ${fixed(ratio)}x`);
    console.log(`${tag}, processor time browser less the driver's reads / desktop: ` +
                `${fixed((g.cpu.percent - driverPercent) / d.cpuPercent)}x`);
    if (d.serverPercent !== undefined) {
      console.log(`${tag}, processor time browser / (desktop + X server): ` +
                  `${fixed(g.cpu.percent / (d.cpuPercent + d.serverPercent))}x`);
    }
  } else if (desktop) {
    console.log(`${tag}, desktop: not measured (${desktop.missing ? desktop.missing + " is missing" : desktop.failed})`);
  }
  return { intervals, dropped, play, overFloor };
}

function builtAt(site) {
  try {
    return statSync(join(site, "kinopa-web.wasm")).mtime.toISOString();
  } catch {
    return "unknown";
  }
}

// --- The run ---------------------------------------------------------------------
async function main() {
  const o = readOptions();
  if (!existsSync(join(o.site, "index.html"))) {
    console.error(`web_bench: no site in ${o.site}: build it with scripts/web --build`);
    process.exit(1);
  }
  const puppeteer = loadPuppeteer();
  if (!existsSync("/usr/bin/chromium")) {
    console.error("web_bench: /usr/bin/chromium is missing (apt-get install chromium)");
    process.exit(1);
  }
  let version = "";
  try {
    version = execFileSync("/usr/bin/chromium", ["--version"], { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] }).trim();
  } catch { /* printed as unknown */ }
  console.log(`kinopa_web_bench: load average ${loadAverage().join(" ")} at the start, ${cpus().length} processors,` +
              ` ${version || "Chromium (version unknown)"}, site ${o.site}` +
              ` (module built ${builtAt(o.site)})`);
  await waitForQuiet();

  const problems = [];
  const { server, url } = await startServer(o.site, 0);
  try {
    // The desktop first, alone on the machine.
    const desktop = [];
    for (let i = 0; i < o.games; ++i) {
      const d = await runDesktop();
      desktop.push(d);
      if (d.missing || d.failed) {
        console.log(`desktop game: not measured (${d.missing ? d.missing + " is missing" : d.failed})`);
        break;
      }
      console.log(`desktop game ${i + 1} (bench/xvfb.sh build/bin/kinopa_pacing): ${fixed(d.play)} s of play,` +
                  ` the machine ${fixed(d.machinePercent, 1)} % of one core busy meanwhile (the game and its X server` +
                  ` included), load average ${loadAverage().join(" ")} after it`);
    }

    // First visits.
    console.log(`== first visits: ${o.loads} loads from ${url}, a fresh profile each`);
    const firstFrames = [];
    let first = null;
    for (let i = 0; i < o.loads; ++i) {
      const visit = await firstVisit(puppeteer, server, url, problems);
      first ??= visit;
      firstFrames.push(visit.firstFrameAt);
      console.log(`time to first frame, load ${i + 1}: ${fixed(visit.firstFrameAt, 1)} ms`);
    }
    const ttf = median(firstFrames);
    console.log(`time to first frame, median of ${o.loads}: ${fixed(ttf, 1)} ms (min ${fixed(Math.min(...firstFrames), 1)},` +
                ` max ${fixed(Math.max(...firstFrames), 1)}; target <= 1000 ms: ${ttf <= 1000 ? "met" : "NOT met"})`);

    const before = first.sent.filter((f) => f.at <= first.firstFrameAt);
    const after = first.sent.filter((f) => !before.includes(f));
    const bytes = (list) => list.reduce((a, f) => a + f.bytes, 0);
    console.log(`== bytes over the wire, the server compressing nothing (load 1, first frame at ${fixed(first.firstFrameAt, 1)} ms)`);
    console.log(`bytes before first frame: ${grouped(bytes(before))} bytes in ${before.length} answers` +
                ` (target <= 600 KB: ${bytes(before) <= 600 * 1024 ? "met" : "NOT met"})`);
    for (const f of [...before].sort((a, b) => b.bytes - a.bytes).slice(0, 6)) {
      console.log(`largest before first frame: ${f.path} ${grouped(f.bytes)} bytes, asked at ${fixed(f.at, 1)} ms`);
    }
    const music = before.some((f) => f.path.startsWith("wave/music.wav"));
    console.log(`music (wave/music.wav) before first frame: ${music ? "yes (it should not be)" : "no"}`);
    console.log(`after the first frame (the service worker's copy of the rest): ${after.length} answers,` +
                ` ${grouped(bytes(after))} bytes`);
    const paths = first.sent.map((f) => f.path);
    const twice = [...new Set(paths.filter((path, i) => paths.indexOf(path) !== i))];
    console.log(`first visit in all: ${grouped(bytes(first.sent))} bytes in ${paths.length} answers;` +
                ` fetched twice: ${twice.length ? twice.join(", ") : "none"}`);

    // The games, in a browser of their own.
    const { browser, close, pid } = await launch(puppeteer);
    const games = [];
    try {
      const page = await openPage(browser, url, problems);
      await page.evaluateOnNewDocument(drawWatch);
      await page.evaluateOnNewDocument(probe);
      await page.goto(url);
      await waitReady(page);
      console.log(`the page's scale: ${await page.evaluate(() => kinopaPage.scale)} (viewport ${VIEWPORT.width} x ${VIEWPORT.height})`);
      await sleep(3000);
      printIdle("idle before Start (3 s after the page was ready)", "idle before Start", await idleWindow(page, pid));

      const random = seededRandom(1);
      console.log("== the driver's own cost, before Start");
      const driver = await driverCost(page, pid, random);
      printCpu("driver's own cost (the state line read every 12 to 28 ms, no game)", driver);
      console.log(`== the floor: a canvas of the field's size taking a frame at each display refresh,` +
                  ` steered alike, ${FLOOR_MS / 1000} s`);
      const floor = await floorRun(browser, pid, random, problems);
      printCpu("floor, Chromium processor time", floor);
      for (let i = 0; i < o.games; ++i) {
        if (i > 0) await sleep(1000);
        const g = await playGame(page, pid, random);
        games.push({ ...g, ...printGame(i + 1, g, desktop[i], driver.percent, floor) });
      }

      await sleep(IDLE_SETTLE_MS);
      printIdle(`idle after the game (${IDLE_SETTLE_MS / 1000} s after it ended)`, "idle after the game",
                await idleWindow(page, pid));
    } finally {
      await close();
    }

    if (o.games > 1) {
      const d = desktop.filter((x) => !x.missing && !x.failed);
      const list = (f) => games.map(f);
      console.log(`== medians of ${o.games} games`);
      console.log(`frame interval median, median: ${fixed(median(list((g) => median(g.intervals))), 3)} ms` +
                  (d.length ? `  | desktop ${fixed(median(d.map((x) => x.intervalMedian)), 3)} ms` : ""));
      console.log(`frame interval p99, median: ${fixed(median(list((g) => quantile(g.intervals, 0.99))), 3)} ms` +
                  (d.length ? `  | desktop ${fixed(median(d.map((x) => x.intervalP99)), 3)} ms` : ""));
      console.log(`frames dropped, median: ${median(list((g) => g.dropped))}` +
                  (d.length ? `  | desktop ${median(d.map((x) => x.dropped))}` : ""));
      console.log(`main-thread step median, median: ${fixed(median(list((g) => median(g.stepMs))), 3)} ms`);
      const browserCpu = median(list((g) => g.cpu.percent));
      console.log(`Chromium processor time during play, median: ${fixed(browserCpu, 1)} % of one core` +
                  (d.length ? `  | desktop ${fixed(median(d.map((x) => x.cpuPercent)), 1)} %` : ""));
      if (d.length) {
        console.log(`processor time browser / desktop, of the medians: ` +
                    `${fixed(browserCpu / median(d.map((x) => x.cpuPercent)))}x`);
      }
    }
  } finally {
    server.close();
  }
  const unique = [...new Set(problems)];
  for (const p of unique.slice(0, 10)) console.log(`page problem: ${p}`);
  console.log(`kinopa_web_bench: load average ${loadAverage().join(" ")} at the end`);
}

main().then(() => process.exit(0), (e) => {
  console.error(`web_bench: ${e.stack || e.message}`);
  process.exit(1);
});
