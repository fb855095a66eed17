// Real kinopa-hall processes for the tests and the benchmark: a server on a
// free port, its SQLite file or a PostgreSQL cluster of the test's own (in a
// temporary folder, as an unprivileged user when run as root), hall games
// played by kinopa_hall_player, and seeds backdated in the store so that a
// 30-second game can be sent at once.
import { execFileSync, spawn } from "node:child_process";
import { chownSync, mkdtempSync, rmSync, writeFileSync, chmodSync } from "node:fs";
import { createServer } from "node:net";
import { tmpdir } from "node:os";
import { join } from "node:path";

const PG = "/usr/lib/postgresql/15/bin";

export function tempFolder(name) {
  return mkdtempSync(join(tmpdir(), name));
}

// Starts kinopa-hall with `args`; resolves once it listens.
export function startHall(binary, args, { quiet = true } = {}) {
  const child = spawn(binary, ["--port", "0", ...args], { stdio: ["ignore", "pipe", "pipe"] });
  let log = "";
  child.stderr.on("data", (d) => {
    log += d;
    if (!quiet) process.stderr.write(d);
  });
  return new Promise((resolve, reject) => {
    let out = "";
    child.stdout.on("data", (d) => {
      out += d;
      const m = out.match(/serving on (http:\/\/[^/]+\/)/);
      if (m) resolve({ url: m[1], child, log: () => log });
    });
    child.on("exit", (code) => reject(new Error(`kinopa-hall ended (${code}): ${log}`)));
  });
}

export function stopHall(hall, signal = "SIGTERM") {
  return new Promise((resolve) => {
    if (hall.child.exitCode !== null || hall.child.signalCode !== null) return resolve();
    hall.child.once("exit", resolve);
    hall.child.kill(signal);
  });
}

export function playHallGame(player, seed, pauseAfter) {
  const args = [String(seed)];
  if (pauseAfter) args.push(String(pauseAfter));
  return execFileSync(player, args, { encoding: "utf8", maxBuffer: 1 << 26 });
}

// The score and the frames a recording's last state line tells.
export function lastState(recording) {
  const m = recording.match(/# last frame (\d+): .* score=(-?\d+) /);
  return { frames: Number(m[1]), score: Number(m[2]) };
}

// A seed as both databases keep it: the signed number of the same 64 bits.
export function stored(seed) {
  return BigInt.asIntN(64, BigInt(seed)).toString();
}

function freePort() {
  return new Promise((resolve, reject) => {
    const s = createServer();
    s.listen(0, "127.0.0.1", () => {
      const { port } = s.address();
      s.close(() => resolve(port));
    });
    s.on("error", reject);
  });
}

// SQL run on the store behind a hall (to backdate seeds, to look inside).
export function sqliteStore(stateFolder) {
  const file = join(stateFolder, "hall.sqlite");
  return {
    file,
    sql: (statement) => execFileSync("sqlite3", [file, statement], { encoding: "utf8" }).trim(),
  };
}

// A PostgreSQL cluster in a temporary folder, on a free port and a socket
// there; as the user nobody when run as root (PostgreSQL refuses root).
export async function startPostgres() {
  const folder = tempFolder("kinopa-hall-pg-");
  const root = process.getuid() === 0;
  const uid = root ? Number(execFileSync("id", ["-u", "nobody"], { encoding: "utf8" })) : process.getuid();
  const gid = root ? Number(execFileSync("id", ["-g", "nobody"], { encoding: "utf8" })) : process.getgid();
  if (root) chownSync(folder, uid, gid);
  const as = (command, args) =>
    root ? ["setpriv", [`--reuid=${uid}`, `--regid=${gid}`, "--clear-groups", command, ...args]] : [command, args];
  const run = (command, args) => {
    const [c, a] = as(command, args);
    return execFileSync(c, a, { encoding: "utf8", stdio: ["ignore", "pipe", "pipe"], env: { ...process.env, LC_ALL: "C" } });
  };
  const data = join(folder, "data");
  const user = root ? "nobody" : execFileSync("id", ["-un"], { encoding: "utf8" }).trim();
  run(`${PG}/initdb`, ["-D", data, "-U", user, "--auth=trust", "-E", "UTF8", "--no-sync"]);
  const port = await freePort();
  run(`${PG}/pg_ctl`, [
    "-D", data, "-l", join(folder, "log"), "-w", "-o",
    `-p ${port} -k ${folder} -c listen_addresses='' -c fsync=off -c max_connections=200`, "start",
  ]);
  const stop = () => {
    try {
      run(`${PG}/pg_ctl`, ["-D", data, "-m", "immediate", "-w", "stop"]);
    } catch {
      // already stopped
    }
    rmSync(folder, { recursive: true, force: true });
  };
  process.on("exit", stop);
  const uri = `postgresql:///postgres?host=${encodeURIComponent(folder)}&port=${port}&user=${user}`;
  // Given to the hall in a file, as a password would be.
  const uriFile = join(folder, "database");
  writeFileSync(uriFile, uri + "\n");
  chmodSync(uriFile, 0o600);
  return {
    uri,
    uriFile,
    stop,
    sql: (statement) =>
      execFileSync("psql", ["-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", uri, "-c", statement], {
        encoding: "utf8",
      }).trim(),
  };
}
