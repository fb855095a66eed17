// One tab at a time.
import { WAIT_MS, test } from "../harness.mjs";

test("second-tab", async (t) => {
  await t.open();
  const second = await t.openTab();
  await second.page.goto(t.url);
  const refused = await second.page.waitForFunction(() => window.kinopaPage && kinopaPage.refused,
                                                    { timeout: WAIT_MS }).then(() => true, () => false);
  t.check("a second tab is refused, and says so",
          refused && (await second.evaluate(() => kinopaPage.boxes.join())).includes("another tab"));
});
