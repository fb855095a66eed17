// One tab at a time: a second tab says so on a clean page, and plays there
// once the player asks, the first stopping.
import { WAIT_MS, test } from "../harness.mjs";

const shown = () => ({ stage: !document.getElementById("stage").hidden,
                       text: document.getElementById("ended").hidden ? "" : document.getElementById("ended").innerText });

test("second-tab", async (t) => {
  const first = await t.open();
  const second = await t.openTab();
  await second.page.goto(t.url);
  const refused = await second.page.waitForFunction(() => window.kinopaPage && kinopaPage.refused,
                                                    { timeout: WAIT_MS }).then(() => true, () => false);
  const page = await second.evaluate(shown);
  t.check("a second tab is refused, and says so on a clean page",
          refused && !page.stage && page.text.includes("another tab") && page.text.includes("Play here"),
          JSON.stringify(page));
  await Promise.all([second.page.waitForNavigation(), second.page.click("#ended button")]);
  const error = await second.ready();
  t.check("Play here plays there", !error, error);
  const stopped = await first.waitFor(() => !document.getElementById("ended").hidden);
  t.check("... and the first tab stops, saying so", stopped &&
          (await first.evaluate(shown)).text.includes("played in another tab"), JSON.stringify(await first.evaluate(shown)));
});
