// The hall's API against real kinopa-hall processes, on SQLite or on a
// PostgreSQL the test starts itself: hall games played, sent, listed,
// watched and removed; each refusal with its reason; two processes on one
// PostgreSQL; a process killed with -9 while games arrive.
//   node api.test.mjs KINOPA_HALL KINOPA_HALL_PLAYER sqlite|postgres
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { chmodSync, rmSync, writeFileSync } from "node:fs";
import { connect } from "node:net";
import { join } from "node:path";
import {
  lastState, playHallGame, sqliteStore, startHall, startPostgres, stopHall, stored, tempFolder,
} from "./hall_process.mjs";

const [hallBinary, player, backend] = process.argv.slice(2);
const state = tempFolder("kinopa-hall-test-");
const token = "a-token-for-the-tests-0123456789";
const tokenFile = join(state, "token");
writeFileSync(tokenFile, token + "\n");
chmodSync(tokenFile, 0o600);
// A whole game of the tests' player plays 30 s; sent 33 s after its seed.
const played = 33000;

let store, database, hall;
const extra = [];

before(async () => {
  if (backend === "postgres") {
    store = await startPostgres();
    database = ["--database", store.uriFile];
  } else {
    store = sqliteStore(state);
    database = [];
  }
  hall = await startHall(hallBinary, ["--state", state, ...database, "--per-minute", "100000",
                                      "--admin-token-file", tokenFile, "--site", state]);
});

after(async () => {
  for (const h of [hall, ...extra]) if (h) await stopHall(h);
  if (store.stop) store.stop();
  rmSync(state, { recursive: true, force: true });
});

async function seed(at = hall) {
  const r = await fetch(at.url + "api/seed", { method: "POST" });
  assert.equal(r.status, 200);
  const body = await r.json();
  assert.equal(body.generator, "xoshiro256**");
  assert.match(body.seed, /^\d+$/);
  return body.seed;
}

function backdate(s, ms) {
  store.sql(`UPDATE seeds SET issued_at = issued_at - ${ms} WHERE seed = ${stored(s)}`);
}

function send(recording, name = "Tester", { at = hall, language } = {}) {
  const headers = { "Content-Type": "application/json" };
  if (language) headers["Accept-Language"] = language;
  return fetch(at.url + "api/games", { method: "POST", headers, body: JSON.stringify({ name, recording }) });
}

// A hall game played for a fresh seed, whose seed looks `ago` ms old.
async function game({ ago = played, pauseAfter, at = hall } = {}) {
  const s = await seed(at);
  const recording = playHallGame(player, s, pauseAfter);
  if (ago) backdate(s, ago);
  return { seed: s, recording };
}

async function table(query = "") {
  const r = await fetch(hall.url + "api/games" + query);
  assert.equal(r.status, 200);
  return r.json();
}

test("a hall game is proven, entered, listed, watched and removed", async () => {
  const { recording } = await game();
  const name = "  Ｊｏ <script>1 ";  // trimmed; NFC keeps full-width letters
  const sent = await send(recording, name);
  assert.equal(sent.status, 201);
  const entry = await sent.json();
  assert.equal(entry.score, lastState(recording).score);
  assert.equal(entry.rank, 1);

  // Again, as after a lost answer: the same entry, not a second one.
  const again = await send(recording, "Someone else");
  assert.equal(again.status, 200);
  assert.deepEqual(await again.json(), entry);

  for (const period of ["all", "week"]) {
    const listed = (await table(`?period=${period}&limit=100`)).filter((e) => e.id === entry.id);
    assert.equal(listed.length, 1);
    assert.equal(listed[0].name, "Ｊｏ <script>1");
    assert.equal(listed[0].score, entry.score);
    assert.match(listed[0].date, /^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\dZ$/);
  }
  const watched = await fetch(`${hall.url}api/games/${entry.id}/recording`);
  assert.equal(watched.status, 200);
  assert.match(watched.headers.get("content-type"), /^text\/plain/);
  assert.equal(await watched.text(), recording);

  // The hall page in the reader's language (the browser tests read it as
  // shown, the name as text, and follow its Watch link).
  const japanese = await (await fetch(hall.url + "hall", { headers: { "Accept-Language": "ja,en;q=0.5" } })).text();
  assert.ok(japanese.includes('<html lang="ja">'));

  const remove = (auth) => fetch(`${hall.url}api/games/${entry.id}`, {
    method: "DELETE", headers: auth ? { Authorization: auth } : {},
  });
  assert.equal((await remove()).status, 403);
  assert.equal((await remove("Bearer " + token.slice(0, -1) + "x")).status, 403);
  assert.equal((await remove("Bearer " + token)).status, 204);
  assert.equal((await remove("Bearer " + token)).status, 404);
  assert.equal((await fetch(`${hall.url}api/games/${entry.id}/recording`)).status, 404);
});

test("each game the proof refuses is refused with its reason", async () => {
  const honest = await game();
  const first = await send(honest.recording);
  assert.equal(first.status, 201);
  const before = (await table()).length;

  const refused = async (what, response, status, reason) => {
    assert.equal(response.status, status, what);
    assert.equal((await response.json()).error, reason, what);
  };
  const changed = (text, from, to) => {
    const out = text.replace(from, to);
    assert.notEqual(out, text);
    return out;
  };
  let g = await game();
  await refused("a changed score line", await send(changed(g.recording, / score=(\d)/, " score=9$1")), 422,
                "This recording was changed: the score it tells is not the one its game gives.");
  g = await game();
  await refused("random values not from the seed", await send(changed(g.recording, /random 0\.(\d)/, "random 0.$1$1")),
                422, "This game's random values are not the ones its seed gives.");
  // Another game for a seed already used by a game in the hall.
  await refused("a reused seed", await send(playHallGame(player, honest.seed, 2000) + ""), 409,
                "This game's seed has already been used for another game.");
  g = await game({ ago: 0 });
  await refused("sent faster than it could be played", await send(g.recording), 422,
                "This game arrived sooner than it could have been played since its seed was given.");
  g = await game({ ago: 60000 });
  await refused("sent long after", await send(g.recording), 422,
                "This game arrived too late: send a game to the hall of fame as soon as it ends.");
  g = await game({ pauseAfter: 1000 });
  await refused("a recording that never finishes its game", await send(g.recording), 422,
                "This recording does not play one whole game to the end of its time.");
  g = await game();
  const body = JSON.stringify({ name: "Cut", recording: g.recording });
  await refused("a truncated body", await fetch(hall.url + "api/games", {
    method: "POST", body: body.slice(0, body.length / 2),
  }), 400, "The request is not a game for the hall of fame: it needs a name and a recording.");
  await refused("a huge body", await fetch(hall.url + "api/games", {
    method: "POST", body: JSON.stringify({ name: "Huge", recording: g.recording.repeat(8) }),
  }), 413, "The request is too large for the hall of fame.");
  await refused("a name of only spaces", await send(g.recording, " \u3000 "), 422, "Please give a name.");
  await refused("a name too long", await send(g.recording, "あ".repeat(17)), 422,
                "The name is longer than 16 characters.");
  for (const hidden of ["a\u0007b", "a\u200Bb", "a\u202Eb", "\u3164"])
    await refused("an unseen character", await send(g.recording, hidden), 422,
                  "The name holds a character that is not shown, such as a control or formatting character.");
  // NFC: a decomposed name is kept composed, 16 characters after it.
  const composed = await send(g.recording, "e\u0301".repeat(16));
  assert.equal(composed.status, 201);

  // The same refusal in Japanese.
  g = await game({ ago: 0 });
  const ja = await (await send(g.recording, "x", { language: "ja-JP,ja;q=0.9,en;q=0.8" })).json();
  assert.match(ja.error, /[\u3040-\u30ff]/);

  assert.equal((await table()).length, before + 1);
  assert.equal((await table()).filter((e) => e.name === "\u00e9".repeat(16)).length, 1);
});

test("tables, files and addresses that are not there", async () => {
  for (const q of ["?period=month", "?limit=0", "?limit=101", "?limit=ten"])
    assert.equal((await fetch(hall.url + "api/games" + q)).status, 400, q);
  assert.equal((await fetch(hall.url + "api/games/99999/recording")).status, 404);
  assert.equal((await fetch(hall.url + "api/nothing")).status, 404);
  assert.equal((await fetch(hall.url + "api/seed")).status, 405);
  writeFileSync(join(state, "index.html"), "<p>the page</p>");
  const index = await fetch(hall.url);
  assert.equal(index.status, 200);
  assert.match(index.headers.get("content-type"), /^text\/html/);
  const etag = index.headers.get("etag");
  assert.equal((await fetch(hall.url, { headers: { "If-None-Match": etag } })).status, 304);
  // Nothing outside the site, however it is spelled; no file whose name
  // starts with a dot (the SQLite file is a .sqlite: no type, not served).
  for (const path of ["../../etc/passwd", "%2e%2e/%2e%2e/etc/passwd", "..%2f..%2fetc%2fpasswd", "hall.sqlite", "token"])
    assert.equal((await fetch(hall.url + path)).status, 404, path);
});

test("seeds and games from one address are limited; a slow client is cut off", async () => {
  const limited = await startHall(hallBinary, ["--state", state, ...database, "--per-minute", "3",
                                               "--header-timeout", "1"]);
  extra.push(limited);
  const statuses = [];
  for (let i = 0; i < 5; ++i) statuses.push((await fetch(limited.url + "api/seed", { method: "POST" })).status);
  assert.deepEqual(statuses, [200, 200, 200, 429, 429]);
  const body = await (await fetch(limited.url + "api/seed", { method: "POST" })).json();
  assert.ok(body.error.length > 0);

  // Behind a proxy, each client its own bucket, by the address the proxy
  // added last.
  const proxied = await startHall(hallBinary, ["--state", state, ...database, "--per-minute", "1", "--trust-proxy"]);
  extra.push(proxied);
  const from = async (chain) => (await fetch(proxied.url + "api/seed", {
    method: "POST", headers: { "X-Forwarded-For": chain },
  })).status;
  assert.deepEqual([await from("10.0.0.9, 192.0.2.1"), await from("192.0.2.2"), await from("10.0.0.9, 192.0.2.1"),
                    await from("192.0.2.1")], [200, 200, 429, 429]);

  // A client that sends half a header and waits holds nobody up, and is
  // cut off when its time is up.
  const { port } = new URL(limited.url);
  const slow = connect(Number(port), "127.0.0.1");
  await new Promise((resolve) => slow.once("connect", resolve));
  slow.write("GET /api/games HTTP/1.1\r\nHost: x\r\n");
  const closed = new Promise((resolve) => slow.once("close", resolve));
  slow.on("error", () => {});
  const started = Date.now();
  assert.equal((await fetch(limited.url + "api/games")).status, 200);
  assert.ok(Date.now() - started < 500);
  await closed;
  assert.ok(Date.now() - started < 5000);
});

test("two processes on one PostgreSQL share seeds and enter a game once", { skip: backend !== "postgres" }, async () => {
  const second = await startHall(hallBinary, ["--state", state, ...database, "--per-minute", "100000"]);
  extra.push(second);
  // A seed given by one is redeemed at the other.
  const g = await game({ at: hall });
  const there = await send(g.recording, "Two", { at: second });
  assert.equal(there.status, 201);
  // The same recording to both at once: one entry, both told its id.
  const h = await game({ at: second });
  const answers = await Promise.all([send(h.recording, "Both", { at: hall }), send(h.recording, "Both", { at: second })]);
  assert.deepEqual(answers.map((a) => a.status).sort(), [200, 201]);
  const ids = await Promise.all(answers.map(async (a) => (await a.json()).id));
  assert.equal(ids[0], ids[1]);
  assert.equal(Number(store.sql(`SELECT count(*) FROM games WHERE seed = ${stored(h.seed)}`)), 1);
});

test("a hall killed with -9 while games arrive keeps every game it answered", async () => {
  const victim = await startHall(hallBinary, ["--state", state, ...database, "--per-minute", "100000"]);
  const games = [];
  for (let i = 0; i < 12; ++i) games.push(await game({ at: victim }));
  const answered = [];
  let firstAnswer;
  const answer = new Promise((resolve) => { firstAnswer = resolve; });
  const sending = games.map((g, i) =>
    new Promise((resolve) => setTimeout(resolve, i * 10)).then(() => send(g.recording, `K${i}`, { at: victim }))
      .then(async (r) => {
        if (r.status === 201) answered.push((await r.json()).id);
        firstAnswer();
      })
      .catch(() => {}));
  // Killed while the rest are on their way or being proven.
  await answer;
  await stopHall(victim, "SIGKILL");
  await Promise.all(sending);
  assert.ok(answered.length >= 1 && answered.length < games.length, `${answered.length} answered`);
  if (backend === "sqlite") assert.equal(store.sql("PRAGMA integrity_check"), "ok");
  const kept = new Set(store.sql("SELECT id FROM games").split("\n").filter(Boolean).map(Number));
  for (const id of answered) assert.ok(kept.has(id), `entry ${id} was answered and lost`);
  // The table still reads whole from a new process.
  const after = await startHall(hallBinary, ["--state", state, ...database]);
  extra.push(after);
  assert.equal((await fetch(after.url + "api/games")).status, 200);
});
