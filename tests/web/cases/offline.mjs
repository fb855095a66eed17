// With the server gone, a reload plays from the service worker's cache. The
// case stops a server of its own.
import { test } from "../harness.mjs";

test("offline-reload", async (t) => {
  const server = await t.serve();
  const p = await t.open(server.url);
  if (!t.check("the service worker controls the page",
               await p.waitFor(() => navigator.serviceWorker.controller !== null))) return;
  await server.stop();
  t.check("the server is down", await fetch(server.url).then(() => false, () => true));
  // With no server, what the reloaded page has came through the worker
  // that controls it (the files are served with no-cache: the browser's
  // own cache cannot answer alone).
  const error = await p.reload();
  t.check("offline: the page starts again, from the service worker",
          !error && await p.evaluate(() => navigator.serviceWorker.controller !== null), error);
  await p.page.mouse.move(...await p.fieldPoint(100, 300));
  t.check("offline: the pointer still reaches the rules",
          await p.waitFor(() => kinopaPage.stateLine().includes(" mouse=100,300 ")));
  await p.page.screenshot({ path: t.path("offline.png") });
});
