// The page as a classroom meets it: the one menu by a right click, a long
// press and its button; every preset against the command line; the looks'
// pixels; the printed page; English; the keyboard and the names a screen
// reader announces.

import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { chromiumPath, commandLineCsv, frames, launch, menuEntries, openPage, pageUrl, pixelsNear, screenAt } from "./browser.mjs";

let browser;
let scratch;
before(async () => {
  browser = await launch();
  scratch = mkdtempSync(join(tmpdir(), "fieldlines-classroom-"));
});
after(async () => {
  await browser?.close();
  if (scratch) rmSync(scratch, { recursive: true, force: true });
});

const kBlue = [0, 0, 255];
const kRed = [255, 0, 0];
const kGreen = [0, 192, 0];

// A finger on the touch screen at a screen place, held for ms, moved to
// `to` first if given.
async function hold(page, from, ms, to = null) {
  const cdp = await page.context().newCDPSession(page);
  const touch = (type, [x, y] = []) =>
    cdp.send("Input.dispatchTouchEvent", { type, touchPoints: x === undefined ? [] : [{ x, y, id: 1 }] });
  await touch("touchStart", from);
  if (to) await touch("touchMove", to);
  await page.waitForTimeout(ms);
  await touch("touchEnd");
  await cdp.detach();
}

test("the menu opens by a right click, a long press on an empty place and its button, with the window's entries", async () => {
  const page = await openPage(browser, "?draw=1", { hasTouch: true });
  const ways = {
    "right click": async () => page.mouse.click(...(await screenAt(page, 0, 15)), { button: "right" }),
    "long press": async () => hold(page, await screenAt(page, 0, 15), 700),
    button: () => page.click("#menuButton"),
  };
  for (const [way, open] of Object.entries(ways)) {
    await open();
    assert.equal(await page.isVisible("#pictureMenu"), true, way);
    assert.deepEqual(await menuEntries(page), [
      "saveItem", "printItem", "presetsItem", "equipotentialsItem", "zeroFieldItem", "releasePositiveItem",
      "releaseNegativeItem", "releaseLinesItem", "clearPathsItem", "projectorItem", "colourBlindSafeItem",
      "accurateItem", "addPositiveItem", "addNegativeItem", "listItem",
    ], way);
    assert.equal(await page.evaluate(() => document.activeElement.id), "saveItem", `${way}: the first entry has the focus`);
    await page.keyboard.press("Escape");
    assert.equal(await page.isVisible("#pictureMenu"), false);
  }
  // On a dot the menu offers its charge's edits.
  await page.mouse.click(...(await screenAt(page, 15, 0)), { button: "right" });
  assert.deepEqual((await menuEntries(page)).slice(-3), ["removeItem", "changeItem", "listItem"]);
  await page.keyboard.press("Escape");
  // A press held too briefly, one that moves, and one on a dot (a drag) are
  // no call for the menu.
  for (const [what, from, ms, to] of [
    ["brief", [0, 15], 150, null],
    ["moving", [0, 15], 700, [8, 10]],
    ["on a dot", [15, 0], 700, null],
  ]) {
    await hold(page, await screenAt(page, ...from), ms, to && (await screenAt(page, ...to)));
    assert.equal(await page.isVisible("#pictureMenu"), false, what);
  }
  assert.equal(await page.locator("#saveDialog").evaluate((d) => d.open), false, "lifting the finger chose nothing");
  assert.deepEqual(page.problems, []);
});

test("every preset of the menu gives the command line's CSV for --preset", async () => {
  const page = await openPage(browser);
  await page.click("#menuButton");
  await page.click("#presetsItem");
  const presets = (await menuEntries(page, "#presetsItemMenu")).map((id) => id.replace(/^preset-/, ""));
  assert.ok(presets.includes("dipole") && presets.includes("capacitor") && presets.length >= 12, presets.join(" "));
  await page.keyboard.press("Escape");
  await page.keyboard.press("Escape");
  for (const name of presets) {
    await page.click("#menuButton");
    await page.click("#presetsItem");
    await page.click(`#preset-${name}`);
    assert.equal(await page.evaluate(() => window.fieldlines.csv()), commandLineCsv(["--preset", name]), name);
    // A preset of several charges selects neither option.
    const options = await page.evaluate(() => [1, 2].map((i) => document.querySelector(`#Option${i} input`).checked));
    const expected = { "single-positive": [true, false], "single-negative": [true, false] }[name] ??
      (["quadrupole", "triangle", "plate", "capacitor"].includes(name) ? [false, false] : [false, true]);
    assert.deepEqual(options, expected, name);
  }
  assert.deepEqual(page.problems, []);
});

test("the looks change the picture's pixels and the legend; the accurate switch the lines; all are remembered", async () => {
  const page = await openPage(browser, "?draw=1");
  const measure = async () => ({
    red: await pixelsNear(page, 15, 0, 3, kRed),
    blue: await pixelsNear(page, 0, 12, 6, kBlue),
  });
  const plain = await measure();
  const switchLook = async (id) => {
    await page.click("#menuButton");
    await page.click(id);
  };
  await switchLook("#projectorItem");
  const projector = await measure();
  // Dots 1.5 times as wide: 2.25 times the area; lines twice as wide.
  assert.ok(Math.abs(projector.red / plain.red - 2.25) < 0.35, `dot area ${plain.red} → ${projector.red}`);
  assert.ok(projector.blue / plain.blue > 1.6, `line pixels ${plain.blue} → ${projector.blue}`);
  await switchLook("#projectorItem");
  await switchLook("#colourBlindSafeItem");
  // Blue-green for charge 1, orange for charge 2 (Okabe–Ito), and the legend.
  assert.ok((await pixelsNear(page, -15, 0, 0.5, [0x00, 0x9e, 0x73])) > 0);
  assert.ok((await pixelsNear(page, 15, 0, 0.5, [0xe6, 0x9f, 0x00])) > 0);
  assert.equal(await pixelsNear(page, 15, 0, 0.5, kRed), 0);
  const legend = () => page.evaluate(() => ["Label4", "Label17"].map((id) => getComputedStyle(document.getElementById(id)).color));
  assert.deepEqual(await legend(), ["rgb(0, 158, 115)", "rgb(230, 159, 0)"]);
  assert.match(await page.evaluate(() => location.search), /&colourBlindSafe=1$/);
  // The accurate switch: the two charges drawn as --accurate draws them.
  await switchLook("#accurateItem");
  assert.equal(await page.evaluate(() => window.fieldlines.csv()), commandLineCsv(["--accurate"]));
  // Remembered for the next visit, and in the address.
  await page.goto(pageUrl("?draw=1"));
  await page.evaluate(() => window.fieldlines.ready);
  await frames(page);
  // Drawn accurately, the dots take their sign's colour: the negative
  // charge 2 green, blue-green in this look.
  assert.ok((await pixelsNear(page, 15, 0, 0.5, [0x00, 0x9e, 0x73])) > 0, "after a reload");
  assert.match(await page.evaluate(() => location.search), /&accurate=1&colourBlindSafe=1$/);
  // Dots coloured by sign have no legend of charge 1 and charge 2.
  assert.deepEqual(await page.evaluate(() => ["Label4", "Label17"].map((id) => document.getElementById(id).checkVisibility({ visibilityProperty: true }))), [false, false]);
  assert.deepEqual(page.problems, []);
});

// Pages, size (points), text and the number of images of a PDF file.
function pdfFacts(file) {
  const info = execFileSync("pdfinfo", [file], { encoding: "utf8" });
  return {
    pages: Number(/^Pages:\s+(\d+)/m.exec(info)[1]),
    size: /^Page size:\s+([\d.]+) x ([\d.]+)/m.exec(info).slice(1).map((v) => Math.round(Number(v))),
    text: execFileSync("pdftotext", [file, "-"], { encoding: "utf8" }),
    images: execFileSync("pdfimages", ["-list", file], { encoding: "utf8" }).trim().split("\n").length - 2,
  };
}

test("printing gives one A4 landscape page: the picture as vectors and its caption, no controls", async () => {
  const query = "?mode=two&q1=-15,0,10&q2=15,0,-10&draw=1&eq=1&lang=zh";
  const page = await openPage(browser, query);
  const file = join(scratch, "page.pdf");
  await page.pdf({ path: file, preferCSSPageSize: true });
  // The browser's own print to PDF, with its default settings.
  const headless = join(scratch, "headless.pdf");
  execFileSync(chromiumPath, ["--headless=new", "--no-sandbox", "--disable-gpu", "--no-pdf-header-footer",
    "--virtual-time-budget=20000", `--print-to-pdf=${headless}`, pageUrl(query)], { stdio: "ignore" });
  for (const pdf of [file, headless]) {
    const facts = pdfFacts(pdf);
    assert.equal(facts.pages, 1, pdf);
    assert.deepEqual(facts.size, [842, 595], "A4 landscape");
    for (const control of ["激", "关闭窗口", "参数设置", "电场线的描绘"]) assert.ok(!facts.text.includes(control), `no ${control}`);
    assert.equal(facts.images, 0, "vectors, no image");
  }
  // The browser's own print may run before the first picture is drawn;
  // the page printed once it is ready has the picture and its caption.
  const facts = pdfFacts(file);
  assert.match(facts.text, /两个点电荷：Q1 \(-15, 0\)，10 C；Q2 \(15, 0\)，-10 C/);
  assert.match(facts.text, /V=0/, "the labels of the equipotentials, as text");
  assert.deepEqual(page.problems, []);
});

const kChinese = /[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]/;

test("the page is English by link or by the browser's language; lang=zh forces Chinese", async () => {
  const cases = [
    { query: "?draw=1", locale: "en-US", english: true },
    { query: "?draw=1&lang=en", locale: "zh-CN", english: true },
    { query: "?draw=1&lang=zh", locale: "en-GB", english: false },
    { query: "?draw=1", locale: "zh-CN", english: false },
  ];
  for (const c of cases) {
    const page = await openPage(browser, c.query, { locale: c.locale });
    assert.equal(await page.evaluate(() => document.documentElement.lang), c.english ? "en" : "zh-CN", c.query);
    assert.equal(await page.textContent("#Command1"), c.english ? "Draw" : "激\u3000发");
    if (!c.english) continue;
    // Every text shown, with the menu and a submenu open and a message up.
    await page.mouse.move(...(await screenAt(page, 0, 5)));
    assert.match(await page.textContent("#probe"), /direction/);
    await page.click("#menuButton");
    await page.click("#presetsItem");
    const shown = await page.evaluate(() => document.body.innerText + document.title + document.getElementById("pictureDescription").textContent);
    assert.doesNotMatch(shown, kChinese, c.query);
    assert.match(shown, /Classic configurations[\s\S]*Show equipotential lines[\s\S]*Quadrupole/);
    assert.match(shown, /Two charges: Q1 \(-15, 0\), 10 C; Q2 \(15, 0\), -10 C/);
    await page.keyboard.press("Escape");
    await page.keyboard.press("Escape");
    await page.fill("#Text4", "-20");
    await page.click("#Command1");
    assert.equal(await page.textContent("#messagePrompt"), "Q1 must be to the left of Q2");
    assert.doesNotMatch(await page.locator("#messageDialog").innerText(), kChinese);
    assert.equal((await page.evaluate(() => location.search)).includes("&lang=en"), c.query.includes("lang=en"), "the link keeps its language");
    assert.deepEqual(page.problems, []);
  }
});

test("every control is reached by Tab in reading order, with the name a screen reader announces", async () => {
  const page = await openPage(browser, "?draw=1");
  const order = [];
  for (let i = 0; i < 11; ++i) {
    await page.keyboard.press("Tab");
    order.push(await page.evaluate(() => document.activeElement.id || document.activeElement.closest("[id]").id));
  }
  assert.deepEqual(order, ["Picture1", "menuButton", "Option2", "Text1", "Text2", "Text3", "Text4", "Text5", "Text6",
    "Command1", "Command2"]);
  const tree = await page.locator("main").ariaSnapshot();
  for (const line of ['img "电场线图"', 'button "图片的菜单"', 'radio "单个点电荷"', 'radio "两个点电荷" [checked]',
    'textbox "电荷1 x坐标"', 'textbox "电荷2 电荷量"', 'button "激 发"', 'button "关闭窗口"'])
    assert.ok(tree.includes(line), `${line} in\n${tree}`);
  // The picture's text alternative states the charges and the overlays.
  const description = () => page.evaluate(() => document.getElementById(document.getElementById("Picture1").getAttribute("aria-describedby")).textContent);
  assert.equal(await description(), "两个点电荷：Q1 (-15, 0)，10 C；Q2 (15, 0)，-10 C");
  // The menu by the keyboard: the picture's menu key, arrows, a submenu.
  await page.focus("#Picture1");
  await page.keyboard.press("Shift+F10");
  for (const key of ["ArrowDown", "ArrowDown", "ArrowDown", "Enter"]) await page.keyboard.press(key);
  assert.match(await description(), /已打开：显示等势线。$/);
  assert.equal(await page.evaluate(() => document.activeElement.id), "Picture1", "focus back on the picture");
  await page.focus("#menuButton");
  await page.keyboard.press("Enter");
  for (const key of ["ArrowDown", "ArrowDown", "ArrowRight", "End", "Enter"]) await page.keyboard.press(key);
  assert.match(await description(), /^多个点电荷：Q1 \(-18, 8\)，2 C/);
  // Page Down selects the next charge, which the arrows then move.
  await page.focus("#Picture1");
  await page.keyboard.press("PageDown");
  assert.match(await page.textContent("#pictureStatus"), /Q2/);
  await page.keyboard.press("ArrowUp");
  assert.match(await description(), /Q2 \(-15, 8\.5\)，2 C/);
  assert.deepEqual(page.problems, []);
});
