// The live picture as a user meets it: dragging a charge, the arrow keys,
// the field probe, the overlay switches of the picture's menu, and Enter.

import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { commandLineCsv, frames, launch, openPage, pageUrl, pixelsNear, screenAt } from "./browser.mjs";

let browser;
before(async () => (browser = await launch()));
after(async () => browser?.close());

const kRed = [255, 0, 0];
const kGreen = [0, 192, 0];
const kGrey = [128, 128, 128];
const kOrange = [255, 140, 0];

const boxTexts = (page) => page.evaluate(() => [1, 2, 3, 4, 5, 6].map((i) => document.getElementById(`Text${i}`).value));

// What the command line writes for these box texts and options.
const nativeCsv = (texts, options = []) =>
  commandLineCsv([...options, `--charge1=${texts.slice(0, 3)}`, `--charge2=${texts.slice(3)}`]);

test("dragging a dot moves its charge to the rounded place the core allows, without a message", async () => {
  // the link, the charge taken hold of at its dot, where the pointer lets
  // go (user coordinates), the six boxes afterwards, the dot's colour
  const red = { query: "?draw=1", from: [15, 0], colour: kRed };
  const cases = [
    { ...red, to: [20.3, 7.8], texts: ["-15", "0", "10", "20.5", "8", "-10"] },
    { ...red, to: [-30, 5], texts: ["-15", "0", "10", "-15", "5", "-10"] }, // kept at or right of charge 1
    { ...red, to: [60, -40], texts: ["-15", "0", "10", "45", "-25", "-10"] }, // kept on the plot
    { ...red, to: [-15, 0], texts: ["-15", "0", "10", "15", "0", "-10"] }, // onto charge 1: skipped
    // one charge: no other to keep clear of, and no dot at charge 2's boxes
    { query: "?mode=single&draw=1", from: [-15, 0], colour: kGreen, to: [30.2, -3.1], texts: ["30", "-3", "10", "15", "0", "-10"] },
  ];
  for (const c of cases) {
    const page = await openPage(browser, c.query);
    const single = c.query.includes("single");
    const cursor = () => page.locator("#Picture1 canvas").evaluate((e) => e.style.cursor);
    await page.mouse.move(...(await screenAt(page, 15, 0)));
    assert.equal(await cursor(), single ? "" : "grab");
    // Taken hold of off-centre, inside the dot's reach: the charge keeps
    // where it was held and does not jump to the pointer.
    await page.mouse.move(...(await screenAt(page, c.from[0] + 0.8, c.from[1] + 0.4)));
    assert.equal(await cursor(), "grab");
    await page.mouse.down();
    const [tx, ty] = await screenAt(page, c.to[0] + 0.8, c.to[1] + 0.4);
    await page.mouse.move(tx, ty, { steps: c.to[0] === -15 ? 1 : 8 });
    await frames(page);
    assert.equal(await cursor(), "grabbing");
    await page.mouse.up();
    await frames(page);

    const texts = await boxTexts(page);
    assert.deepEqual(texts, c.texts, `to ${c.to}`);
    const at = (single ? texts.slice(0, 2) : texts.slice(3, 5)).map(Number);
    assert.ok((await pixelsNear(page, ...at, 0.5, c.colour)) > 0, `the dot is at ${at}`);
    if (at[0] !== c.from[0]) assert.equal(await pixelsNear(page, ...c.from, 0.5, c.colour), 0, "no dot left behind");
    assert.equal(await page.locator("#messageDialog").evaluate((d) => d.open), false);
    const csv = await page.evaluate(([mode, texts]) => window.fieldlines.csv(mode, texts), [single ? "single" : "two", texts]);
    assert.equal(csv, nativeCsv(texts, single ? ["--single"] : []));
    assert.deepEqual(page.problems, []);
  }
});

test("a drag while another box holds a refused value is not taken, and the picture stays", async () => {
  // typed, not yet drawn: the drag would make the picture refused
  for (const [box, text] of [
    ["#Text6", "1e39"],
    ["#Text4", "-40"],
  ]) {
    const page = await openPage(browser, "?draw=1");
    await page.fill(box, text);
    await page.mouse.move(...(await screenAt(page, -15, 0)));
    await page.mouse.down();
    await page.mouse.move(...(await screenAt(page, -20, 8)), { steps: 6 });
    await frames(page);
    await page.mouse.up();
    await frames(page);
    assert.deepEqual((await boxTexts(page)).slice(0, 2), ["-15", "0"], `${box} ${text}`);
    assert.ok((await pixelsNear(page, -15, 0, 0.5, kGreen)) > 0, "the picture stays on show");
    assert.ok((await pixelsNear(page, 15, 0, 0.5, kRed)) > 0);
    assert.equal(await page.locator("#messageDialog").evaluate((d) => d.open), false);
    assert.deepEqual(page.problems, []);
  }
});

test("the arrow keys move the selected charge by 0.5, with Shift by 5", async () => {
  // what is clicked first (nothing: charge 1 is selected), the keys, the
  // six boxes afterwards
  const cases = [
    { click: null, keys: ["ArrowRight", "ArrowRight", "Shift+ArrowUp"], texts: ["-14", "5", "10", "15", "0", "-10"] },
    { click: [15, 0], keys: ["ArrowDown", "Shift+ArrowLeft"], texts: ["-15", "0", "10", "10", "-0.5", "-10"] },
    // onto charge 1 is no place to go: the keys stop short of it
    { click: [15, 0], keys: Array(7).fill("Shift+ArrowLeft"), texts: ["-15", "0", "10", "-10", "0", "-10"] },
  ];
  for (const c of cases) {
    const page = await openPage(browser, "?draw=1");
    if (c.click) await page.mouse.click(...(await screenAt(page, ...c.click)));
    else await page.focus("#Picture1");
    for (const key of c.keys) await page.keyboard.press(key);
    assert.deepEqual(await boxTexts(page), c.texts, c.keys.join(" "));
    const [x, y] = c.click ? c.texts.slice(3, 5).map(Number) : c.texts.slice(0, 2).map(Number);
    assert.ok((await pixelsNear(page, x, y, 0.5, c.click ? kRed : kGreen)) > 0);
    assert.equal(await page.evaluate(() => scrollY), 0, "the keys do not scroll the page");
  }
});

test("the probe reads the field where the pointer hovers, also over a dot", async () => {
  const page = await openPage(browser);
  const probe = page.locator("#probe");
  await page.mouse.move(...(await screenAt(page, 0, 0)));
  assert.equal(await probe.isVisible(), false, "no readout without a picture");
  await page.click("#Command1");
  // where the pointer is, the lines of the readout (the window's, word for
  // word), whether it sits in the top-right corner (where the top-left one
  // would cover the pointer)
  const cases = [
    { at: [0, 0], lines: ["x = 0   y = 0", "|E| = 0.0889   方向 0.0°", "V = 0"], right: false },
    // above the dipole's middle the field points along +x too, weaker
    { at: [0, 15], lines: ["x = 0   y = 15", "|E| = 0.0314   方向 0.0°", "V = 0"], right: false },
    { at: [-30, 0], lines: ["x = -30   y = 0", "|E| = 0.0395   方向 180.0°", "V = 0.444"], right: false },
    // over a dot the field is read too (only a charge's very centre has none)
    { at: [15, 2], lines: ["x = 15   y = 2", "|E| = 2.5   方向 270.3°", "V = -4.67"], right: false },
    { at: [-15, 0.5], lines: ["x = -15   y = 0.5", "|E| = 40   方向 90.0°", "V = 19.7"], right: false },
    { at: [-40, 20], lines: ["x = -40   y = 20", "|E| = 0.00705   方向 133.7°", "V = 0.141"], right: true },
  ];
  const pictureBox = await page.locator("#Picture1").boundingBox();
  for (const c of cases) {
    await page.mouse.move(...(await screenAt(page, ...c.at)));
    assert.deepEqual(await probe.locator("div").allTextContents(), c.lines, `at ${c.at}`);
    const b = await probe.boundingBox();
    assert.equal(b.x > pictureBox.x + pictureBox.width / 2, c.right, `corner at ${c.at}`);
    assert.ok(b.y < pictureBox.y + 10);
  }
  await page.mouse.move(pictureBox.x + pictureBox.width + 40, pictureBox.y + 40);
  assert.equal(await probe.isVisible(), false, "hidden once the pointer leaves");
});

test("the overlay switches draw the equipotentials and the zero-field markers at once, and are remembered", async () => {
  // Like charges: the field vanishes midway between them.
  const page = await openPage(browser, "?q2=15,0,10&draw=1");
  const grey = () => pixelsNear(page, 0, 0, 50, kGrey); // anywhere in the picture
  const orange = () => pixelsNear(page, 0, 0, 1, kOrange);
  assert.deepEqual([await grey(), await orange()], [0, 0]);

  const choose = async (item) => {
    await page.click("#Picture1", { button: "right", position: { x: 20, y: 20 } });
    await page.click(item);
  };
  await choose("#equipotentialsItem");
  assert.ok((await grey()) > 0, "grey equipotentials");
  assert.equal(await orange(), 0);
  await choose("#zeroFieldItem");
  assert.ok((await orange()) > 0, "an orange ring midway between the charges");
  await page.click("#Picture1", { button: "right", position: { x: 20, y: 20 } });
  assert.equal(await page.locator("#zeroFieldItem").getAttribute("aria-checked"), "true");
  await page.keyboard.press("Escape");
  assert.match(await page.evaluate(() => location.search), /&eq=1&zero=1$/);

  // A reload without the address's switches: the browser remembers them.
  await page.goto(pageUrl("?q2=15,0,10&draw=1"));
  await page.evaluate(() => window.fieldlines.ready);
  await frames(page);
  assert.ok((await grey()) > 0 && (await orange()) > 0, "both overlays after a reload");
  await choose("#equipotentialsItem");
  assert.equal(await grey(), 0, "switched off again");
  assert.ok((await orange()) > 0);
  assert.deepEqual(page.problems, []);
});

test("Enter in a box draws; Enter on the focused 关闭窗口 ends the page", async () => {
  const page = await openPage(browser);
  await page.fill("#Text4", "20");
  await page.press("#Text4", "Enter");
  assert.ok((await pixelsNear(page, 20, 0, 0.5, kRed)) > 0);
  await page.fill("#Text2", "5");
  await page.press("#Text2", "Enter");
  assert.ok((await pixelsNear(page, -15, 5, 0.5, kGreen)) > 0);
  await page.focus("#Command2");
  await page.keyboard.press("Enter");
  assert.equal(await page.isVisible("#Form1"), false);
});
