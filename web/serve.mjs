// A plain static server for the site: GET and HEAD of the files under one
// folder, each with its type, as they are (nothing compressed on the way),
// nothing else.
//   node web/serve.mjs [FOLDER] [PORT]     (defaults: build-web/site, 8080)
// The page's tests (tests/web/harness.mjs) start it in their own process
// with startServer().
import { createReadStream } from "node:fs";
import { stat } from "node:fs/promises";
import { createServer } from "node:http";
import { extname, join, resolve, sep } from "node:path";
import { fileURLToPath } from "node:url";

const TYPES = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".mjs": "text/javascript; charset=utf-8",
  ".wasm": "application/wasm",
  ".webmanifest": "application/manifest+json",
  ".json": "application/json",
  ".css": "text/css; charset=utf-8",
  ".png": "image/png",
  ".jpg": "image/jpeg",
  ".bmp": "image/bmp",
  ".wav": "audio/wav",
  ".gz": "application/gzip",
  ".woff2": "font/woff2",
  ".txt": "text/plain; charset=utf-8",
  ".ini": "text/plain; charset=utf-8",
  ".kinopa": "text/plain; charset=utf-8",
};

function answer(response, status, text) {
  response.writeHead(status, { "Content-Type": "text/plain; charset=utf-8" });
  response.end(text + "\n");
}

// Serves `root` on 127.0.0.1:`port` (0 takes a free port). Resolves to the
// server and its address once it listens; rejects when it cannot.
export function startServer(root, port) {
  const base = resolve(root);
  const server = createServer(async (request, response) => {
    if (request.method !== "GET" && request.method !== "HEAD") {
      answer(response, 405, "only GET and HEAD");
      return;
    }
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    } catch {
      answer(response, 400, "bad address");
      return;
    }
    let file = join(base, path);
    if (file !== base && !file.startsWith(base + sep)) {
      answer(response, 403, "outside the site");
      return;
    }
    try {
      if ((await stat(file)).isDirectory()) file = join(file, "index.html");
      const info = await stat(file);
      const type = TYPES[extname(file).toLowerCase()];
      if (!type) {
        answer(response, 403, "no type known for " + extname(file));
        return;
      }
      response.writeHead(200, {
        "Content-Type": type,
        "Content-Length": info.size,
        "Cache-Control": "no-cache",
      });
      if (request.method === "HEAD") {
        response.end();
        return;
      }
      const stream = createReadStream(file);
      stream.on("error", (e) => {
        console.error(`serve: reading ${file}: ${e.message}`);
        response.destroy(e);
      });
      stream.pipe(response);
    } catch (e) {
      if (e.code === "ENOENT" || e.code === "ENOTDIR") {
        answer(response, 404, "not found");
      } else {
        console.error(`serve: ${file}: ${e.message}`);
        answer(response, 500, "cannot read");
      }
    }
  });
  return new Promise((resolveListen, rejectListen) => {
    server.once("error", rejectListen);
    server.listen(port, "127.0.0.1", () => {
      server.off("error", rejectListen);
      server.on("error", (e) => console.error(`serve: ${e.message}`));
      const url = `http://127.0.0.1:${server.address().port}/`;
      resolveListen({ server, url });
    });
  });
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const root = process.argv[2] || "build-web/site";
  const port = Number(process.argv[3] || 8080);
  try {
    if (!(await stat(root)).isDirectory()) throw new Error(`${root} is not a folder`);
    const { url } = await startServer(root, port);
    console.log(`Kinopa is served from ${root} at ${url}  (Ctrl+C stops it)`);
  } catch (e) {
    console.error(`serve: ${e.message}`);
    process.exit(1);
  }
}
