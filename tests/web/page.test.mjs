// The page as a user meets it: the window's controls where they belong, an
// excite that draws, the messages as modal dialogs, single-charge mode,
// links, saving, 关闭窗口, and a narrow or high-density screen.

import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { launch, openPage } from "./browser.mjs";

let browser;
before(async () => (browser = await launch()));
after(async () => browser?.close());

// The colour of the picture at user coordinates (x, y), as [r, g, b], from
// the pixel of the canvas there.
function colourAt(page, x, y) {
  return page.evaluate(
    ([x, y]) => {
      const canvas = document.querySelector("#Picture1 canvas");
      const px = Math.floor((((x + 45) * 7.7) / 693) * canvas.width);
      const py = Math.floor((((25 - y) * 7.7) / 385) * canvas.height);
      return Array.from(canvas.getContext("2d").getImageData(px, py, 1, 1).data.slice(0, 3));
    },
    [x, y],
  );
}

const near = (colour, expected) => colour.every((c, i) => Math.abs(c - expected[i]) <= 40);
const kWhite = [255, 255, 255];
const kGreen = [0, 192, 0];
const kRed = [255, 0, 0];
const kBlue = [0, 0, 255];

async function box(page, selector) {
  const b = await page.locator(selector).boundingBox();
  assert.ok(b, `${selector} is shown`);
  return b;
}

const inside = (inner, outer) =>
  inner.x >= outer.x - 1 && inner.y >= outer.y - 1 &&
  inner.x + inner.width <= outer.x + outer.width + 1 && inner.y + inner.height <= outer.y + outer.height + 1;

const overlap = (a, b) =>
  a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;

test("the window's controls hold their texts, in the designed arrangement", async () => {
  const page = await openPage(browser);
  // id, text, place in layout units (inside Frame1 from its corner)
  const controls = [
    ["#Label1", "电场线的描绘"],
    ["#Frame1Caption", "参数设置"],
    ["#Option1", "单个点电荷", 120, 360],
    ["#Option2", "两个点电荷", 2040, 360],
    ["#Label18", "(-45≤     ≤45)       (-25≤     ≤25)"],
    ["#Label2", "Q"],
    ["#Label3", "1"],
    ["#Label15", "Q"],
    ["#Label16", "2"],
    ["#Label5", "位置坐标："],
    ["#Label8", "电荷量："],
    ["#Text1", "-15", 480, 2400],
    ["#Text2", "0", 2600, 2400],
    ["#Text3", "10", 1320, 3000],
    ["#Text4", "15", 480, 4560],
    ["#Text5", "0", 2600, 4560],
    ["#Text6", "-10", 1320, 5160],
    ["#Command1", "激\u3000发", 480, 5760],
    ["#Command2", "关闭窗口", 2280, 5760],
  ];
  const form = await box(page, "#Form1");
  const frame = await box(page, "#Frame1");
  const picture = await box(page, "#Picture1");
  const unit = form.width / 14895;
  for (const [selector, text, left, top] of controls) {
    const shown = await page.locator(selector).evaluate((e) => (e.tagName === "INPUT" ? e.value : e.textContent));
    assert.equal(shown, text, selector);
    const b = await box(page, selector);
    assert.ok(inside(b, selector === "#Label1" ? form : frame), `${selector} lies in its place`);
    if (left !== undefined) {
      assert.ok(Math.abs(b.x - frame.x - left * unit) <= 1.5 && Math.abs(b.y - frame.y - top * unit) <= 1.5, `${selector} at its designed place`);
    }
  }
  const fields = ["#Text1", "#Text2", "#Text3", "#Text4", "#Text5", "#Text6", "#Command1", "#Command2"];
  const boxes = await Promise.all(fields.map((s) => box(page, s)));
  boxes.forEach((a, i) => boxes.slice(i + 1).forEach((b, j) => assert.ok(!overlap(a, b), `${fields[i]} and ${fields[i + 1 + j]} overlap`)));
  assert.ok(picture.x + picture.width < frame.x, "the picture is left of the panel");
  assert.ok(Math.abs(picture.width / picture.height - 693 / 385) < 0.01, "the picture keeps 9:5");
  assert.equal(await page.locator("#Option2 input").isChecked(), true);
  assert.deepEqual(page.problems, []);
});

test("excite draws blue lines, the green dot of charge 1 and the red dot of charge 2, sharp at any density", async () => {
  for (const scale of [1, 2]) {
    const page = await openPage(browser, "", { scale });
    assert.ok(near(await colourAt(page, -15, 0), kWhite), "nothing is drawn before excite");
    await page.click("#Command1");
    assert.ok(near(await colourAt(page, -15, 0), kGreen));
    assert.ok(near(await colourAt(page, 15, 0), kRed));
    assert.ok(near(await colourAt(page, 0, 0), kBlue), "the axis line between the charges");
    assert.ok(near(await colourAt(page, 0, 12), kWhite));
    const size = await page.evaluate(() => {
      const canvas = document.querySelector("#Picture1 canvas");
      return [canvas.width, canvas.height, canvas.clientWidth * devicePixelRatio, canvas.clientHeight * devicePixelRatio];
    });
    assert.ok(Math.abs(size[0] - size[2]) <= 1 && Math.abs(size[1] - size[3]) <= 1, `canvas at the screen's pixels: ${size}`);
    assert.equal(await page.evaluate(() => location.search), "?mode=two&q1=-15,0,10&q2=15,0,-10&draw=1");
    assert.deepEqual(page.problems, []);
  }
});

test("a refused input shows its message in a modal dialog and draws nothing", async () => {
  const cases = [
    { box: "#Text4", text: "-20", title: "提示", prompt: "Q1必须在Q2的左边" },
    { box: "#Text3", text: "1e39", title: "提示", prompt: "输入的数值超出范围" },
  ];
  for (const c of cases) {
    const page = await openPage(browser);
    await page.click("#Command1"); // a picture first: the refused excite clears it
    await page.fill(c.box, c.text);
    await page.click("#Command1");
    const dialog = page.locator("#messageDialog");
    assert.equal(await dialog.evaluate((d) => d.open && d.matches(":modal")), true, c.prompt);
    assert.equal(await page.textContent("#messageTitle"), c.title);
    assert.equal(await page.textContent("#messagePrompt"), c.prompt);
    assert.ok(near(await colourAt(page, -15, 0), kWhite));
    await page.click("#messageDialog button:text('确定')");
    assert.equal(await dialog.evaluate((d) => d.open), false);
    assert.deepEqual(page.problems, []);
  }
});

test("单个点电荷 moves charge 1 to x = 0 and locks charge 2; 两个点电荷 unlocks it; the option selected does nothing", async () => {
  const page = await openPage(browser);
  await page.click("#Option1");
  assert.equal(await page.inputValue("#Text1"), "0");
  const locked = () => page.evaluate(() => [4, 5, 6].map((i) => document.getElementById(`Text${i}`).readOnly));
  assert.deepEqual(await locked(), [true, true, true]);
  await page.click("#Command1");
  assert.ok(near(await colourAt(page, 0, 0), kGreen));
  assert.ok(!near(await colourAt(page, 15, 0), kRed), "no second charge");
  await page.click("#Option2");
  assert.deepEqual(await locked(), [false, false, false]);
  // Choosing the option already selected changes nothing.
  await page.click("#Option1");
  await page.fill("#Text1", "7");
  await page.click("#Option1");
  assert.equal(await page.inputValue("#Text1"), "7");
});

test("a link fills the boxes and draws; malformed parameters are noted and left out", async () => {
  const cases = [
    { query: "?mode=single&q1=5,5,-3&draw=1", texts: ["5", "5", "-3", "15", "0", "-10"], single: true, at: [5, 5, kGreen], note: "" },
    { query: "?q2=20,%201,-5", texts: ["-15", "0", "10", "20", " 1", "-5"], single: false, at: [20, 1, kWhite], note: "" },
    { query: "?q1=abc,0,1&mode=three&q2=1,2&draw=yes", texts: ["-15", "0", "10", "15", "0", "-10"], single: false, at: [-15, 0, kWhite], note: "mode、q1、q2、draw" },
  ];
  for (const c of cases) {
    const page = await openPage(browser, c.query);
    const texts = await page.evaluate(() => [1, 2, 3, 4, 5, 6].map((i) => document.getElementById(`Text${i}`).value));
    assert.deepEqual(texts, c.texts, c.query);
    assert.equal(await page.locator("#Option1 input").isChecked(), c.single);
    const [x, y, colour] = c.at;
    assert.ok(near(await colourAt(page, x, y), colour), c.query);
    const note = await page.locator("#note");
    assert.equal(await note.isVisible(), c.note !== "");
    if (c.note) assert.match(await note.textContent(), new RegExp(c.note));
    assert.deepEqual(page.problems, []);
  }
});

test("the picture is saved as a PNG of 1386 × 770 and an SVG of 693 × 385", async () => {
  const page = await openPage(browser, "?draw=1&eq=1");
  await page.click("#Picture1", { button: "right" });
  assert.equal(await page.isVisible("#saveItem"), true, "the context menu offers 保存图片…");
  await page.keyboard.press("Escape");

  const save = async (format) => {
    await page.keyboard.press("Control+s");
    const downloading = page.waitForEvent("download");
    await page.click(`#saveDialog button[value=${format}]`);
    const download = await downloading;
    assert.equal(download.suggestedFilename(), `电场线.${format}`);
    return readFileSync(await download.path());
  };
  const png = await save("png");
  assert.equal(png.toString("latin1", 1, 4), "PNG");
  assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [1386, 770]);

  const svg = (await save("svg")).toString("utf8");
  assert.match(svg, /<svg [^>]*width="693" height="385"/);
  assert.match(svg, /<polyline [^>]*stroke="#0000ff"/);
  assert.match(svg, /<circle [^>]*r="10" fill="#00c000"/);
  assert.match(svg, /<circle [^>]*r="10" fill="#ff0000"/);
  // The layers as groups, in paint order: the equipotentials under the
  // field lines, the dots above them, the labels on white over everything.
  const grey = svg.indexOf('stroke="#808080"');
  const blue = svg.indexOf('stroke="#0000ff"');
  const dots = svg.indexOf('<g id="charges">');
  const label = svg.search(/<rect [^>]*fill="#ffffff"\/>\n<text [^>]*fill="#626262">V=0<\/text>/);
  assert.ok(grey > 0 && blue > grey && dots > blue && label > dots, "grey lines, field lines, dots, labels");
  assert.ok(svg.indexOf('<g id="equipotentials">') < grey && svg.indexOf('<g id="field-lines">') < blue);
  assert.deepEqual(page.problems, []);
});

test("关闭窗口 ends the page's session and says so", async () => {
  const page = await openPage(browser, "?draw=1");
  await page.click("#Command2");
  assert.equal(await page.isVisible("#Form1"), false);
  assert.equal(await page.isVisible("#note"), true);
  await assert.rejects(page.evaluate(() => window.fieldlines.csv("two", ["-15", "0", "10", "15", "0", "-10"])), /ended/);
});

test("on a narrow screen the panel moves below the picture, which spans the width", async () => {
  const page = await openPage(browser, "?draw=1", { viewport: { width: 390, height: 844 } });
  const picture = await box(page, "#Picture1");
  const frame = await box(page, "#Frame1");
  assert.ok(frame.y >= picture.y + picture.height, "the panel is below the picture");
  assert.ok(picture.width >= 0.95 * 390);
  assert.ok(Math.abs(picture.width / picture.height - 693 / 385) < 0.01);
  assert.ok(frame.x >= 0 && frame.x + frame.width <= 390, "the panel fits the width");
  assert.ok((await page.evaluate(() => document.documentElement.scrollWidth)) <= 390, "no sideways scrolling");
  for (const control of ["#Text6", "#Command1", "#Command2"]) assert.ok(inside(await box(page, control), frame), control);
  assert.ok(near(await colourAt(page, -15, 0), kGreen));
});
