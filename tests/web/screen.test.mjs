// The page fits the screens of a classroom: the designed layout scaled as a
// whole from a laptop to a 4K whiteboard and a tablet, the panel under the
// picture in portrait, the file small; pointer, painting and probe agree
// within half a pixel at every device-pixel ratio.

import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { statSync } from "node:fs";
import { launch, openPage, pagePath, screenAt } from "./browser.mjs";

let browser;
before(async () => (browser = await launch()));
after(async () => browser?.close());

// Where the designed window puts things, in layout units: the form, the
// picture, the panel (landscape beside the picture, portrait under it) and
// the menu's button above the picture's corner.
const kDesign = {
  landscape: { form: [14895, 6810], frame: [10680, 240] },
  portrait: { form: [10635, 13350], frame: [3270, 6855] },
};
const kPicture = [120, 840, 10395, 5775];
const kFrameSize = [4095, 6375];

// The centre of the pixels of a colour in a PNG screenshot, in its pixels.
function centreOf(page, png, colour) {
  return page.evaluate(
    async ([data, colour]) => {
      const image = new Image();
      image.src = `data:image/png;base64,${data}`;
      await image.decode();
      const canvas = new OffscreenCanvas(image.width, image.height);
      const context = canvas.getContext("2d");
      context.drawImage(image, 0, 0);
      const pixels = context.getImageData(0, 0, image.width, image.height).data;
      let [sx, sy, n] = [0, 0, 0];
      for (let i = 0; i < pixels.length; i += 4) {
        if (colour.every((c, k) => Math.abs(pixels[i + k] - c) <= 8)) {
          sx += (i / 4) % image.width;
          sy += Math.floor(i / 4 / image.width);
          ++n;
        }
      }
      return [sx / n + 0.5, sy / n + 0.5, n];
    },
    [png.toString("base64"), colour],
  );
}

test("the designed layout scales as a whole, with the panel under the picture in portrait", async () => {
  for (const [width, height] of [
    [1366, 768],
    [3840, 2160],
    [1280, 800],
    [800, 1280],
  ]) {
    const page = await openPage(browser, "?draw=1", { viewport: { width, height } });
    const design = kDesign[width > height ? "landscape" : "portrait"];
    const box = (id) => page.locator(`#${id}`).boundingBox();
    const form = await box("Form1");
    const u = form.width / design.form[0];
    const near = (actual, units, what) => assert.ok(Math.abs(actual - units * u) <= 1, `${width}×${height} ${what}: ${actual} ≠ ${units * u}`);
    near(form.height, design.form[1], "form height");
    assert.ok(form.width <= width + 0.5 && form.height <= height, "the window fits the screen");
    assert.ok(form.width >= width - 1 || form.height >= height - 10, "and fills it one way");
    const picture = await box("Picture1");
    [picture.x - form.x, picture.y, picture.width, picture.height].forEach((v, i) => near(v, kPicture[i], `picture ${i}`));
    const frame = await box("Frame1");
    [frame.x - form.x, frame.y, frame.width, frame.height].forEach((v, i) => near(v, [...design.frame, ...kFrameSize][i], `panel ${i}`));
    const text6 = await box("Text6");
    near(text6.x - frame.x, 1320, "Text6 in the panel");
    near(text6.y - frame.y, 5160, "Text6 in the panel");
    // The menu's button sits above the picture's corner: it covers no plot.
    const button = await box("menuButton");
    assert.ok(button.y + button.height <= picture.y + 0.5 && Math.abs(button.x + button.width - picture.x - picture.width) <= 1);
    // The screenshot of the picture: its dots where the designed plot has
    // them.
    const clip = { x: Math.floor(picture.x), y: Math.floor(picture.y) };
    Object.assign(clip, { width: Math.ceil(picture.x + picture.width) - clip.x, height: Math.ceil(picture.y + picture.height) - clip.y });
    const shot = await page.screenshot({ clip });
    for (const [x, colour] of [
      [-15, [0, 192, 0]],
      [15, [255, 0, 0]],
    ]) {
      const [cx, cy] = (await centreOf(page, shot, colour)).map((v, i) => v + [clip.x, clip.y, 0][i]);
      const [ex, ey] = await screenAt(page, x, 0);
      assert.ok(Math.hypot(cx - ex, cy - ey) <= 0.5, `${width}×${height}: dot at ${cx},${cy}, designed ${ex},${ey}`);
    }
    assert.deepEqual(page.problems, []);
    await page.context().close();
  }
});

test("pointer, painting and probe agree within half a pixel at device-pixel ratios 1, 1.5 and 2", async () => {
  for (const [width, height, scale] of [
    [1366, 768, 1],
    [1366, 768, 1.5],
    [1280, 800, 2],
    [800, 1280, 2],
  ]) {
    const page = await openPage(browser, "?draw=1", { viewport: { width, height }, scale });
    const what = `${width}×${height} at ${scale}`;
    const canvas = await page.evaluate(() => {
      const c = document.querySelector("#Picture1 canvas");
      const r = c.getBoundingClientRect();
      return { width: c.width, height: c.height, css: [r.left, r.top, r.width, r.height] };
    });
    const [left, top, cssWidth, cssHeight] = canvas.css;
    // Sharp: one canvas pixel to each device pixel.
    assert.ok(Math.abs(canvas.width - cssWidth * scale) <= 1 && Math.abs(canvas.height - cssHeight * scale) <= 1, what);
    // The probe reads the plot's place under the pointer, near the centre
    // where its three digits resolve a hundredth of a pixel.
    for (const [dx, dy] of [
      [3.3, -2.6],
      [-4.25, 5.5],
      [0.4, 0.7],
    ]) {
      const [px, py] = [left + cssWidth / 2 + dx, top + cssHeight / 2 + dy];
      await page.mouse.move(px, py);
      const [, x, y] = /x = (\S+)\s+y = (\S+)/.exec(await page.locator("#probe div").first().textContent()).map(Number);
      const [sx, sy] = [left + ((x + 45) / 90) * cssWidth, top + ((25 - y) / 50) * cssHeight];
      assert.ok(Math.abs(sx - px) <= 0.5 && Math.abs(sy - py) <= 0.5, `${what}: pointer ${px},${py} read as ${sx},${sy}`);
    }
    // The dots are painted at their places, to half a CSS pixel.
    const centres = await page.evaluate(() => {
      const c = document.querySelector("#Picture1 canvas");
      const css = c.getBoundingClientRect();
      const data = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
      const centre = (colour) => {
        let [sx, sy, n] = [0, 0, 0];
        for (let i = 0; i < data.length; i += 4) {
          if (colour.every((v, k) => Math.abs(data[i + k] - v) <= 8)) {
            sx += ((i / 4) % c.width) + 0.5;
            sy += Math.floor(i / 4 / c.width) + 0.5;
            ++n;
          }
        }
        return [(sx / n) * (css.width / c.width), (sy / n) * (css.height / c.height)];
      };
      return [centre([0, 192, 0]), centre([255, 0, 0])];
    });
    [-15, 15].forEach((x, i) => {
      const [cx, cy] = centres[i];
      const ex = ((x + 45) / 90) * cssWidth;
      assert.ok(Math.abs(cx - ex) <= 0.5 && Math.abs(cy - cssHeight / 2) <= 0.5, `${what}: dot ${x} at ${cx},${cy}`);
    });
    await page.context().close();
  }
});

test("the page is one file of at most 600 KiB", () => {
  assert.ok(statSync(pagePath).size <= 600 * 1024, `${statSync(pagePath).size} bytes`);
});
