// The page's start, and the play field before a game.
import { readFile } from "node:fs/promises";

import { FIELD, firstDifference, pngPixels, test } from "../harness.mjs";

test("start-up", async (t) => {
  const p = await t.open();
  t.check("the music is not fetched before it is switched on", !p.served.has("/wave/music.wav.gz"));
  const font = await p.evaluate(async () => {
    await document.fonts.ready;
    const face = [...document.fonts].find((f) => f.family.replace(/"/g, "") === "Kinopa Gothic");
    return face ? face.status : "none";
  });
  t.check("the labels' font is loaded", font === "loaded", font);
});

test("field-before-a-game", async (t) => {
  const p = await t.open();
  // Start-up places the objects by two random draws.
  const png = t.path("replay-field.png");
  await t.replay("shot.txt", `random 0.5 0.5\nshot ${png}\n`);
  const native = pngPixels(await readFile(png));
  const diff = firstDifference(await p.fieldPixels(), native.rgba);
  t.check("before a game the field is kinopa-replay's picture, pixel for pixel",
          native.width === FIELD.width && native.height === FIELD.height && !diff, diff);
});
