// Test charges in the page: released from the picture's menu by a click
// (at rest) or a drag (the velocity dragged out, an arrow showing it), until
// Escape or another entry; refusals in the core's words; a ninth ending the
// oldest; the motion stopping once every path has ended; what clears them;
// and links that carry them.

import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { commandLineCsv, frames, launch, openPage, pageUrl, pixelsNear, screenAt } from "./browser.mjs";

let browser;
before(async () => (browser = await launch()));
after(async () => browser?.close());

const kPurple = [128, 0, 192];
const kDefault = "?mode=two&q1=-15,0,10&q2=15,0,-10&draw=1";

const link = (page) => page.evaluate(() => location.search);
// The test charges of the address, in their order.
const releases = async (page) => (await link(page)).split("&").filter((p) => /^[pn]=/.test(p));
const message = (page) => page.locator("#messageDialog").evaluate((d) => (d.open ? d.querySelector("#messagePrompt").textContent : null));

async function choose(page, item) {
  await page.click("#menuButton");
  await page.click(item);
}

async function clickAt(page, x, y) {
  await page.mouse.click(...(await screenAt(page, x, y)));
  await frames(page);
}

// Until the page has drawn no frame of moving test charges for a while.
async function stillness(page) {
  let last = -1;
  for (let count = await page.evaluate(() => window.fieldlines.timing.frames); count !== last; ) {
    last = count;
    await page.waitForTimeout(300);
    count = await page.evaluate(() => window.fieldlines.timing.frames);
  }
  return last;
}

test("the menu's entries release a test charge by a click and with the velocity dragged out, until Escape or another entry", async () => {
  const page = await openPage(browser, "?draw=1");
  await choose(page, "#releasePositiveItem");
  await clickAt(page, 0, 5);

  // Dragged four units to the right: the arrow runs from the press to the
  // pointer while dragging, and goes once let go.
  const from = await screenAt(page, -5, -10);
  const to = await screenAt(page, -1, -10);
  await page.mouse.move(...from);
  await page.mouse.down();
  await page.mouse.move(...to, { steps: 5 });
  const arrow = page.locator("#releaseArrow");
  assert.equal(await arrow.isVisible(), true, "the arrow while dragging");
  const canvas = await page.locator("#Picture1 canvas").boundingBox();
  const ends = (await arrow.locator("path").getAttribute("d")).match(/^M([\d.]+),([\d.]+)L([\d.]+),([\d.]+)/).slice(1).map(Number);
  const expected = [from[0] - canvas.x, from[1] - canvas.y, to[0] - canvas.x, to[1] - canvas.y];
  ends.forEach((v, i) => assert.ok(Math.abs(v - expected[i]) < 1, `the arrow from the press to the pointer: ${ends} ${expected}`));
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
  assert.ok((await pixelsNear(page, -30, 15, 1.5, kPurple)) > 0, "a path from the release point");
  assert.equal(await pixelsNear(page, 30, 15, 1.5, kPurple), 0);
  // The command line draws the same whole paths.
  assert.equal(
    await page.evaluate(() => window.fieldlines.csv()),
    commandLineCsv(["--particle=0,5", "--particle=-5,-10,2,0", "--particle-negative=-30,15", "--equipotentials"]),
  );
  assert.deepEqual(page.problems, []);
});

test("a release the core refuses shows its message and releases nothing", async () => {
  const page = await openPage(browser, "?draw=1");
  await choose(page, "#releaseNegativeItem");
  await clickAt(page, 15.3, 0.2); // within 0.6 of charge 2
  assert.equal(await message(page), "试探电荷不能放在点电荷上（距离至少为0.6）");
  await page.click("#messageOk");
  assert.deepEqual(await releases(page), []);

  const nine = Array.from({ length: 9 }, (_, i) => `&p=${5 * i - 20},20`).join("");
  for (const [query, prompt] of [
    ["&p=50,0", "试探电荷的位置超出范围：-45≤x≤45，-25≤y≤25"],
    ["&n=0,5,100,1", "试探电荷的速度不能超过100"],
    [nine, "最多可以同时释放8个试探电荷"],
  ]) {
    const linked = await openPage(browser, kDefault + query);
    assert.equal(await message(linked), prompt, query);
    assert.equal(await link(linked), kDefault, "the picture without the test charges");
    assert.deepEqual(linked.problems, []);
  }
});

test("a ninth release ends the oldest; the motion stops once every path has ended and the paths stay", async () => {
  const page = await openPage(browser, "?draw=1");
  await choose(page, "#releasePositiveItem");
  for (let i = 0; i < 9; ++i) await clickAt(page, 10 * i - 40, 20);
  assert.deepEqual(await releases(page), [-30, -20, -10, 0, 10, 20, 30, 40].map((x) => `p=${x},20`));

  // Next to charge 2, a positive test charge reaches it at once.
  await page.click("#Command1");
  await choose(page, "#releasePositiveItem");
  await clickAt(page, 16.5, 0);
  const count = await stillness(page);
  assert.ok(count > 0, "frames were drawn");
  assert.ok((await pixelsNear(page, 16.5, 0, 0.3, kPurple)) > 0, "its path stays");
  assert.deepEqual(page.problems, []);
});

test("a change of the charges ends the test charges, so does 清除轨迹; a switch keeps them and is remembered", async () => {
  const changes = {
    激发: (page) => page.click("#Command1"),
    preset: async (page) => {
      await page.click("#menuButton");
      await page.click("#presetsItem");
      await page.click("#preset-like");
    },
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
    assert.deepEqual(await releases(page), ["p=0,10"], `${name}: kept by the switches`);
    assert.match(await link(page), /&releaseLines=1&zero=1$/);
    assert.ok((await pixelsNear(page, 0, 10, 1, kPurple)) > 0);
    await change(page);
    await frames(page);
    assert.deepEqual(await releases(page), [], name);
    assert.equal(await pixelsNear(page, 0, 10, 1, kPurple), 0, `${name}: the path goes`);
    assert.doesNotMatch(await page.evaluate(() => window.fieldlines.csv()), /#8000c0/);
    assert.deepEqual(page.problems, [], name);
  }
  // 显示出发点的电场线 is remembered from one visit to the next.
  const page = await openPage(browser, "?draw=1");
  await choose(page, "#releaseLinesItem");
  await page.goto(pageUrl("?draw=1"));
  await page.evaluate(() => window.fieldlines.ready);
  await page.click("#menuButton");
  assert.equal(await page.locator("#releaseLinesItem").getAttribute("aria-checked"), "true");
});

test("a link shows the whole paths of its test charges and gives back the same link", async () => {
  const query = `${kDefault}&p=0,5&n=-5,-10,2,0&releaseLines=1`;
  const page = await openPage(browser, query);
  assert.equal(await link(page), query);
  await frames(page);
  assert.equal(await page.evaluate(() => window.fieldlines.timing.frames), 0, "no motion: the paths are whole");
  assert.ok((await pixelsNear(page, 0, 5, 1, kPurple)) > 0);
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
