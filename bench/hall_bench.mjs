// The hall under load: the table's JSON (all time and this week) and the
// hall page, with wrk on the machine's cores, against SQLite and against a
// PostgreSQL of the bench's own; the server's memory at rest and under load.
// The store is filled with 1000 entries first (straight into the database:
// a read benchmark needs no proven games). Medians of several runs.
//   node bench/hall_bench.mjs BUILD_DIR [RUNS] [SECONDS] [sqlite|postgres...]
// CACHE_MS=0 in the environment measures the server without its second of
// cached tables (--cache-ms).
// The proof's own speed: build/bin/kinopa_bench --benchmark_filter=HallProof
import { execFileSync } from "node:child_process";
import { readFileSync, rmSync } from "node:fs";
import { join } from "node:path";
import {
  sqliteStore, startHall, startPostgres, stopHall, tempFolder,
} from "../tests/hall/hall_process.mjs";

const [build = "build", runs = "3", seconds = "10", ...chosen] = process.argv.slice(2);
const backends = chosen.length ? chosen : ["sqlite", "postgres"];
const targets = [
  ["table, all time", "api/games?period=all&limit=100"],
  ["table, this week", "api/games?period=week&limit=100"],
  ["hall page", "hall"],
];

function median(v) {
  const s = [...v].sort((a, b) => a - b);
  return s[Math.floor(s.length / 2)];
}

function memory(pid) {
  const status = readFileSync(`/proc/${pid}/status`, "utf8");
  const kb = (key) => Number(status.match(new RegExp(`${key}:\\s+(\\d+)`))[1]);
  return { rss: kb("VmRSS") / 1024, peak: kb("VmHWM") / 1024 };
}

// The server's processor time so far, in ms (user and system).
function cpu(pid) {
  const fields = readFileSync(`/proc/${pid}/stat`, "utf8").split(") ")[1].split(" ");
  return ((Number(fields[11]) + Number(fields[12])) * 1000) / 100;  // clock ticks of 10 ms
}

function fill(sql) {
  const now = Date.now();
  const rows = [];
  for (let i = 1; i <= 1000; ++i) {
    // Spread over four weeks, so a quarter is this week's.
    const at = now - Math.floor((i * 2419200000) / 1000);
    rows.push(`(${i}, ${at}, ${at})`);
  }
  sql(`INSERT INTO seeds (seed, issued_at, used_at) VALUES ${rows.join(",")}`);
  const games = [];
  for (let i = 1; i <= 1000; ++i) {
    const at = now - Math.floor((i * 2419200000) / 1000);
    games.push(`(${i}, 'player ${i} <&>', ${(i * 7919) % 1000}, 30000, ${at}, 'a recording')`);
  }
  sql(`INSERT INTO games (seed, name, score, play_ms, played_at, recording) VALUES ${games.join(",")}`);
}

// wrk's requests per second and 99th percentile (ms).
function wrk(url) {
  const out = execFileSync("wrk", ["-t2", "-c32", `-d${seconds}s`, "--latency", url], { encoding: "utf8" });
  const rps = Number(out.match(/Requests\/sec:\s+([\d.]+)/)[1]);
  const m = out.match(/\s99%\s+([\d.]+)(us|ms|s)/);
  const p99 = Number(m[1]) * { us: 0.001, ms: 1, s: 1000 }[m[2]];
  const errors = out.match(/Non-2xx or 3xx responses: (\d+)/);
  if (errors) throw new Error(`${url}: ${errors[1]} answers were errors`);
  return { rps, p99 };
}

console.log(`kinopa-hall under wrk (-t2 -c32, ${seconds} s a run, median of ${runs}, ` +
            `--cache-ms ${process.env.CACHE_MS ?? "1000"}); ` +
            `load average before: ${readFileSync("/proc/loadavg", "utf8").trim()}`);
for (const backend of backends) {
  const state = tempFolder("kinopa-hall-bench-");
  const store = backend === "postgres" ? await startPostgres() : sqliteStore(state);
  const database = backend === "postgres" ? ["--database", store.uri] : [];
  const hall = await startHall(join(build, "bin", "kinopa-hall"),
                               ["--state", state, ...database, "--threads", "2", "--site", state,
                                "--cache-ms", process.env.CACHE_MS ?? "1000"]);
  fill(store.sql);
  const rest = memory(hall.child.pid);
  console.log(`\n${backend}: memory at rest ${rest.rss.toFixed(1)} MiB`);
  for (const [what, path] of targets) {
    const results = [];
    for (let i = 0; i < Number(runs); ++i) {
      const before = cpu(hall.child.pid);
      const r = wrk(hall.url + path);
      r.cpu = ((cpu(hall.child.pid) - before) * 1000) / (r.rps * Number(seconds));
      results.push(r);
    }
    console.log(`  ${what.padEnd(17)} ${median(results.map((r) => r.rps)).toFixed(0).padStart(7)} requests/s, ` +
                `p99 ${median(results.map((r) => r.p99)).toFixed(2)} ms, ` +
                `${median(results.map((r) => r.cpu)).toFixed(0)} us of the server's processor each   ` +
                `(runs: ${results.map((r) => r.rps.toFixed(0)).join(", ")})`);
  }
  const loaded = memory(hall.child.pid);
  console.log(`  memory after the load ${loaded.rss.toFixed(1)} MiB, at its peak ${loaded.peak.toFixed(1)} MiB`);
  await stopHall(hall);
  if (store.stop) store.stop();
  rmSync(state, { recursive: true, force: true });
}
console.log(`\nload average after: ${readFileSync("/proc/loadavg", "utf8").trim()}`);
