// Several charges in the page: the menu's edits and the list of charges
// under the core's rules, the 33rd refused, the panel in several-charge
// mode, a drag of a charge beyond the boxes, and links that carry them.

import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { commandLineCsv, frames, launch, openPage, pageUrl, pixelsNear, screenAt } from "./browser.mjs";

let browser;
before(async () => (browser = await launch()));
after(async () => browser?.close());

// The mode the options show, the six boxes' texts, and the address.
const panel = (page) =>
  page.evaluate(() => ({
    mode: ["Option1", "Option2"].find((id) => document.querySelector(`#${id} input`).checked) ?? "neither",
    boxes: [1, 2, 3, 4, 5, 6].map((i) => document.getElementById(`Text${i}`).value),
    link: location.search,
  }));

async function choose(page, at, item) {
  await page.mouse.click(...(await screenAt(page, ...at)), { button: "right" });
  await page.click(item);
  await frames(page);
}

const message = (page) => page.locator("#messageDialog").evaluate((d) => (d.open ? d.querySelector("#messagePrompt").textContent : null));

async function dismiss(page) {
  await page.click("#messageOk");
}

test("the menu adds, removes and changes charges as the core's list rules say", async () => {
  // the link, where the menu is opened and what is chosen, then the mode,
  // the boxes and the link afterwards
  const steps = [
    { query: "?mode=single&q1=0,0,10&draw=1", at: [20.2, 4.9], item: "#addNegativeItem", mode: "Option2",
      boxes: ["0", "0", "10", "20", "5", "-10"], link: "?mode=two&q1=0,0,10&q2=20,5,-10&draw=1" },
    { query: "?mode=single&q1=0,0,10&draw=1", at: [-20, 5], item: "#addPositiveItem", mode: "neither",
      boxes: ["0", "0", "10", "-20", "5", "10"], link: "?mode=several&q1=0,0,10&q2=-20,5,10&draw=1" },
    { query: "?draw=1", at: [0, 10], item: "#addPositiveItem", mode: "neither",
      boxes: ["-15", "0", "10", "15", "0", "-10"], link: "?mode=several&q1=-15,0,10&q2=15,0,-10&q3=0,10,10&draw=1" },
    // deleting keeps several-charge mode; charge 2's boxes lock when gone
    { query: "?draw=1", at: [-15, 0], item: "#removeItem", mode: "neither",
      boxes: ["15", "0", "-10", "15", "0", "-10"], link: "?mode=several&q1=15,0,-10&draw=1" },
  ];
  for (const s of steps) {
    const page = await openPage(browser, s.query);
    await choose(page, s.at, s.item);
    assert.deepEqual(await panel(page), { mode: s.mode, boxes: s.boxes, link: s.link }, `${s.query} ${s.item}`);
    assert.equal(await message(page), null);
    // The command line's --charge counts: two are two charges, three or more several.
    const given = s.link.match(/q\d=[^&]+/g).map((q) => `--charge=${q.slice(3)}`);
    if (given.length === { Option2: 2, neither: given.length >= 3 ? given.length : -1 }[s.mode])
      assert.equal(await page.evaluate(() => window.fieldlines.csv()), commandLineCsv(given));
    assert.deepEqual(page.problems, []);
  }
  // 两个点电荷 returns to two charges: charges 1 and 2, the others dropped.
  const page = await openPage(browser, "?mode=several&q1=-10,10,10&q2=10,-10,10&q3=10,10,-10&draw=1");
  assert.equal(await page.locator("#Text4").evaluate((b) => b.readOnly), false, "charge 2 can be typed");
  await page.click("#Option2");
  await page.click("#Command1");
  assert.equal((await panel(page)).link, "?mode=two&q1=-10,10,10&q2=10,-10,10&draw=1");
});

test("修改此电荷… takes what the core accepts and refuses with its messages", async () => {
  const page = await openPage(browser, "?mode=several&q1=-10,10,10&q2=10,-10,10&q3=10,10,-10&draw=1");
  const cases = [
    { texts: ["10", "-10", "5"], refused: "两个电荷不能在同一位置" },
    { texts: ["50", "0", "5"], refused: "位置坐标超出范围：-45≤x≤45，-25≤y≤25" },
    { texts: ["0", "0", "1e39"], refused: "输入的数值超出范围" },
    { texts: ["－5", "2.5e1", "7"], refused: null }, // the boxes' reading rule
  ];
  await choose(page, [10, 10], "#changeItem");
  for (const c of cases) {
    for (const [i, id] of ["#chargeX", "#chargeY", "#chargeQ"].entries()) await page.fill(id, c.texts[i]);
    await page.click("#chargeOk");
    assert.equal(await message(page), c.refused, c.texts.join(","));
    if (c.refused) {
      await dismiss(page);
      assert.equal(await page.locator("#chargeDialog").evaluate((d) => d.open), true, "the dialog stays");
      assert.match((await panel(page)).link, /&q3=10,10,-10&/, "nothing changed");
    }
  }
  assert.equal(await page.locator("#chargeDialog").evaluate((d) => d.open), false);
  assert.match(decodeURIComponent((await panel(page)).link), /&q3=－5,2\.5e1,7&/, "the texts as typed");
  assert.ok((await pixelsNear(page, -5, 25, 0.5, [255, 0, 0])) > 0, "the charge is drawn at its new place");
  assert.deepEqual(page.problems, []);
});

test("the list of charges edits, adds and removes; a 33rd charge is refused", async () => {
  const page = await openPage(browser, "?draw=1");
  await choose(page, [0, 20], "#listItem");
  const row = (i) => page.locator("#listRows tr").nth(i);
  assert.equal(await page.locator("#listRows tr").count(), 2);
  await page.click("#listAdd");
  await row(2).locator("input").nth(1).fill("12");
  await row(0).locator("button").click(); // delete Q1
  // Two charges stay in two-charge mode, where charge 2 left of charge 1
  // is refused; the dialog stays for a correction.
  await page.click("#listOk");
  assert.equal(await message(page), "Q1必须在Q2的左边");
  await dismiss(page);
  await page.click("#listAdd");
  await row(2).locator("input").nth(0).fill("-30");
  await row(0).locator("input").nth(2).fill("-20");
  await page.click("#listOk");
  assert.deepEqual(await panel(page), {
    mode: "neither",
    boxes: ["15", "0", "-20", "0", "12", "10"],
    link: "?mode=several&q1=15,0,-20&q2=0,12,10&q3=-30,0,10&draw=1",
  });

  // Thirty-two charges on a grid: a 33rd by the menu or by the list is refused.
  const grid = Array.from({ length: 32 }, (_, i) => `&q${i + 1}=${-35 + 10 * (i % 8)},${-15 + 10 * Math.floor(i / 8)},${i % 2 ? 1 : -1}`);
  await page.goto(pageUrl(`?mode=several${grid.join("")}&draw=1`));
  await page.evaluate(() => window.fieldlines.ready);
  const before = (await panel(page)).link;
  assert.equal(before.split("&q").length - 1, 32);
  await choose(page, [0, 20], "#addPositiveItem");
  assert.equal(await message(page), "最多可以放32个点电荷");
  await dismiss(page);
  await choose(page, [0, 20], "#listItem");
  await page.click("#listAdd");
  await page.click("#listOk");
  assert.equal(await message(page), "最多可以放32个点电荷");
  await dismiss(page);
  await page.click("#listCancel");
  assert.equal((await panel(page)).link, before, "the picture and its charges stay");
  assert.deepEqual(page.problems, []);
});

test("any charge is dragged and moved by the keys, kept 0.5 from the others", async () => {
  const page = await openPage(browser, "?mode=several&q1=-10,10,10&q2=10,-10,10&q3=10,10,-10&draw=1");
  // Charge 3, beyond the boxes, dragged off-centre to a rounded place…
  await page.mouse.move(...(await screenAt(page, 10.3, 10.2)));
  await page.mouse.down();
  await page.mouse.move(...(await screenAt(page, 20.4, 5.1)), { steps: 6 });
  await page.mouse.up();
  await page.waitForTimeout(400); // the address follows once the charge rests
  assert.match((await panel(page)).link, /&q3=20,5,-10&/);
  assert.ok((await pixelsNear(page, 20, 5, 0.5, [0, 192, 0])) > 0);
  // …then toward charge 2 by the keys: the step onto it is not taken.
  for (const key of Array(3).fill("Shift+ArrowDown")) await page.keyboard.press(key);
  for (const key of Array(4).fill("Shift+ArrowLeft")) await page.keyboard.press(key);
  await page.waitForTimeout(400);
  assert.match((await panel(page)).link, /&q3=15,-10,-10&/);
  assert.equal(await message(page), null);
});

test("links carry several charges, the accurate switch and the looks, and give back the same picture", async () => {
  const cases = [
    "?mode=several&q1=0,11.547,10&q2=-10,-5.7735,10&q3=10,-5.7735,10&draw=1&zero=1",
    "?mode=two&q1=-15,0,10&q2=15,0,-5&draw=1&accurate=1&projector=1",
    "?q1=1,2,3&q2=4,5,6&q3=-7,-8,-9&draw=1", // three charges: several
  ];
  for (const query of cases) {
    const page = await openPage(browser, query);
    const link = (await panel(page)).link;
    const csv = await page.evaluate(() => window.fieldlines.csv());
    const again = await openPage(browser, link);
    assert.equal((await panel(again)).link, link, query);
    assert.equal(await again.evaluate(() => window.fieldlines.csv()), csv, query);
    assert.deepEqual([...page.problems, ...again.problems], []);
  }
  // A charge after a gap, and a third one in two-charge mode, are left out.
  const page = await openPage(browser, "?mode=several&q1=1,2,3&q3=4,5,6&draw=1");
  assert.match(await page.textContent("#note"), /q3/);
  assert.equal((await panel(page)).link, "?mode=several&q1=1,2,3&draw=1");
});
