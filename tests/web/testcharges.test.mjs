// Test charges in the page: released from the picture's menu by a click
// (at rest) or a drag (the velocity dragged out, an arrow showing it), until
// Escape or another entry; a ninth ending the oldest; the motion stopping
// once every path has ended; what clears them; refusals in the core's
// words; links that carry them.

import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { commandLineCsv, frames, launch, openPage, pageUrl, pixelsNear, screenAt } from "./browser.mjs";

let browser;
before(async () => (browser = await launch()));
after(async () => browser?.close());

const kPurple = [128, 0, 192];
const kDefault = "?mode=two&q1=-15,0,10&q2=15,0,-10&draw=1";

const link = (page) => page.evaluate(() => location.search);
const releases = async (page) => (await link(page)).split("&").filter((p) => /^[pn]=/.test(p));
const message = (page) => page.locator("#messageDialog").evaluate((d) => (d.open ? d.querySelector("#messagePrompt").textContent : null));
const purpleNear = (page, x, y) => pixelsNear(page, x, y, 1, kPurple);

async function choose(page, ...items) {
  await page.click("#menuButton");
  for (const item of items) await page.click(item);
}

async function clickAt(page, x, y) {
  await page.mouse.click(...(await screenAt(page, x, y)));
  await frames(page);
}

test("the menu's entries release by a click and with the velocity dragged out, until Escape or another entry", async () => {
  const page = await openPage(browser, "?draw=1");
  await choose(page, "#releasePositiveItem");
  await clickAt(page, 0, 5);
  // Dragged four units to the right: the arrow runs from the press to the
  // pointer while dragging, and goes once let go.
  const [from, to] = [await screenAt(page, -5, -10), await screenAt(page, -1, -10)];
  await page.mouse.move(...from);
  await page.mouse.down();
  await page.mouse.move(...to, { steps: 5 });
  const arrow = page.locator("#releaseArrow");
  const canvas = await page.locator("#Picture1 canvas").boundingBox();
  const ends = (await arrow.locator("path").getAttribute("d")).match(/^M([\d.]+),([\d.]+)L([\d.]+),([\d.]+)/).slice(1).map(Number);
  [from[0], from[1], to[0], to[1]].forEach((v, i) => assert.ok(Math.abs(v - (i % 2 ? canvas.y : canvas.x) - ends[i]) < 1, `arrow ${ends}`));
  assert.equal(await arrow.isVisible(), true, "the arrow while dragging");
  await page.mouse.up();
  assert.equal(await arrow.isVisible(), false, "no arrow once let go");

  await page.click("#menuButton");
  assert.equal(await page.locator("#releasePositiveItem").getAttribute("aria-checked"), "true");
  await page.click("#releaseNegativeItem");
  await clickAt(page, -30, 15);
  await page.keyboard.press("Escape");
  await clickAt(page, 30, 15); // no longer releasing
  await choose(page, "#releasePositiveItem");
  await choose(page, "#equipotentialsItem"); // another entry ends it too
  await clickAt(page, 30, -15);
  assert.deepEqual(await releases(page), ["p=0,5", "p=-5,-10,2,0", "n=-30,15"]);
  assert.ok((await purpleNear(page, -30, 15)) > 0, "a path from the release point");
  assert.equal(await purpleNear(page, 30, 15), 0);
  // The command line draws the same whole paths.
  assert.equal(
    await page.evaluate(() => window.fieldlines.csv()),
    commandLineCsv(["--particle=0,5", "--particle=-5,-10,2,0", "--particle-negative=-30,15", "--equipotentials"]),
  );

  // A ninth ends the oldest.
  await choose(page, "#releasePositiveItem");
  for (let x = -40; x <= 10; x += 10) await clickAt(page, x, 20);
  assert.deepEqual(await releases(page), ["p=-5,-10,2,0", "n=-30,15", ...[-40, -30, -20, -10, 0, 10].map((x) => `p=${x},20`)]);
  assert.deepEqual(page.problems, []);
});

test("the motion stops once every path has ended, and the paths stay", async () => {
  const page = await openPage(browser, "?draw=1");
  await choose(page, "#releasePositiveItem");
  await clickAt(page, 16.5, 0); // next to charge 2: it falls in at once
  const frameCount = () => page.evaluate(() => window.fieldlines.timing.frames);
  await page.waitForTimeout(500);
  const count = await frameCount();
  await page.waitForTimeout(300);
  assert.ok(count > 0 && (await frameCount()) === count, `${count} frames, then none`);
  assert.ok((await purpleNear(page, 16.5, 0)) > 0, "its path stays");
});

test("a change of the charges ends the test charges, so does 清除轨迹; a switch keeps them and is remembered", async () => {
  const changes = {
    激发: (page) => page.click("#Command1"),
    preset: (page) => choose(page, "#presetsItem", "#preset-like"),
    drag: async (page) => {
      await page.keyboard.press("Escape");
      await page.mouse.move(...(await screenAt(page, 15, 0)));
      await page.mouse.down();
      await page.mouse.move(...(await screenAt(page, 20, -5)), { steps: 4 });
      await page.mouse.up();
      await page.waitForTimeout(400); // the address follows once the charge rests
    },
    "list of charges": (page) => choose(page, "#addPositiveItem"),
    清除轨迹: (page) => choose(page, "#clearPathsItem"),
  };
  for (const [name, change] of Object.entries(changes)) {
    const page = await openPage(browser, "?draw=1");
    await choose(page, "#releasePositiveItem");
    await clickAt(page, 0, 10);
    await choose(page, "#zeroFieldItem");
    await choose(page, "#releaseLinesItem");
    await frames(page);
    assert.match(await link(page), /&p=0,10&releaseLines=1&zero=1$/, `${name}: kept by the switches`);
    assert.ok((await purpleNear(page, 0, 10)) > 0);
    await change(page);
    await frames(page);
    assert.deepEqual(await releases(page), [], name);
    assert.equal(await purpleNear(page, 0, 10), 0, `${name}: the path goes`);
    assert.doesNotMatch(await page.evaluate(() => window.fieldlines.csv()), /#8000c0/);
    assert.deepEqual(page.problems, [], name);
    if (name !== "清除轨迹") continue;
    // 显示出发点的电场线 is remembered from one visit to the next.
    await page.goto(pageUrl("?draw=1"));
    await page.evaluate(() => window.fieldlines.ready);
    await page.click("#menuButton");
    assert.equal(await page.locator("#releaseLinesItem").getAttribute("aria-checked"), "true");
  }
});

test("a release the core refuses shows its message and releases nothing", async () => {
  const page = await openPage(browser, "?draw=1");
  await choose(page, "#releaseNegativeItem");
  await clickAt(page, 15.3, 0.2); // within 0.6 of charge 2
  assert.equal(await message(page), "试探电荷不能放在点电荷上（距离至少为0.6）");
  await page.click("#messageOk");
  assert.deepEqual(await releases(page), []);
  for (const [query, prompt] of [
    ["&p=50,0", "试探电荷的位置超出范围：-45≤x≤45，-25≤y≤25"],
    ["&n=0,5,100,1", "试探电荷的速度不能超过100"],
    [Array.from({ length: 9 }, (_, i) => `&p=${5 * i - 20},20`).join(""), "最多可以同时释放8个试探电荷"],
  ]) {
    const linked = await openPage(browser, kDefault + query);
    assert.equal(await message(linked), prompt, query);
    assert.equal(await link(linked), kDefault, "the picture without the test charges");
  }
});

test("a link shows the whole paths of its test charges and gives back the same link", async () => {
  const query = `${kDefault}&p=0,5&n=-5,-10,2,0&releaseLines=1`;
  const page = await openPage(browser, query);
  assert.equal(await link(page), query);
  await frames(page);
  assert.equal(await page.evaluate(() => window.fieldlines.timing.frames), 0, "no motion: the paths are whole");
  assert.ok((await purpleNear(page, 0, 5)) > 0);
  assert.equal(
    await page.evaluate(() => window.fieldlines.csv()),
    commandLineCsv(["--particle=0,5", "--particle-negative=-5,-10,2,0", "--particle-line"]),
  );
  // Without draw=1 there is no field to release into; a malformed one is
  // left out too. Both are named.
  for (const [query, named] of [
    ["?p=0,5", /\bp\b/],
    [`${kDefault}&n=1,2,3`, /\bn\b/],
  ]) {
    const other = await openPage(browser, query);
    assert.match(await other.textContent("#note"), named, query);
    assert.deepEqual(await releases(other), []);
  }
});
