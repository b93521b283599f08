// Takes the README's pictures of the page (not a test):
//   node tests/web/screenshots.mjs docs
// web-live.png: a laptop's window, the overlays on, the probe reading the
// field; web-tablet.png: a 10-inch tablet across, the quadrupole and the
// menu opened by its button; web-en.png: the page in English with the list
// of charges open.

import { join } from "node:path";
import { launch, openPage, screenAt } from "./browser.mjs";

const folder = process.argv[2] ?? "docs";
const session = await launch();
try {
  const laptop = await openPage(session, "?mode=two&q1=-15,0,10&q2=12.5,-4,-10&draw=1&eq=1&zero=1", { viewport: { width: 1100, height: 520 } });
  await laptop.mouse.move(...(await screenAt(laptop, -28, 9)));
  await laptop.screenshot({ path: join(folder, "web-live.png") });

  const tablet = await openPage(session, "?mode=several&q1=-10,10,10&q2=10,-10,10&q3=10,10,-10&q4=-10,-10,-10&draw=1&eq=1", {
    viewport: { width: 1280, height: 800 },
    hasTouch: true,
  });
  await tablet.click("#menuButton");
  await tablet.click("#presetsItem");
  await tablet.hover("#preset-quadrupole");
  await tablet.screenshot({ path: join(folder, "web-tablet.png") });

  const english = await openPage(session, "?mode=several&q1=0,11.547,10&q2=-10,-5.7735,10&q3=10,-5.7735,10&draw=1&zero=1", {
    viewport: { width: 1280, height: 720 },
    locale: "en-GB",
  });
  await english.mouse.click(...(await screenAt(english, 30, 15)), { button: "right" });
  await english.click("#listItem");
  await english.screenshot({ path: join(folder, "web-en.png") });
} finally {
  await session.close();
}
