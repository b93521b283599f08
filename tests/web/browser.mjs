// Opens the browser edition in the Debian Chromium, headless, as root can
// run it here: no sandbox, no GPU, no network of its own.
// The page is opened from disk (file://), as a teacher opens it.

import { chromium } from "playwright-core";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

export const chromiumPath = process.env.CHROMIUM || "/usr/bin/chromium";

export const pagePath = resolve(process.env.FIELDLINES_HTML || "build-web/fieldlines.html");

export function pageUrl(query = "") {
  return pathToFileURL(pagePath).href + query;
}

const flags = [
  "--no-sandbox",
  "--disable-gpu",
  "--disable-quic",
  "--no-first-run",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
];

// Starts the browser (Playwright gives it a fresh profile of its own).
export async function launch() {
  const browser = await chromium.launch({ executablePath: chromiumPath, headless: true, args: flags });
  return {
    browser,
    close: () => browser.close(),
  };
}

// A new tab, in a context of its own (viewport, pixel density, the
// browser's preferred language, a touch screen), with the page and query
// loaded and ready. The browser prefers Chinese unless told otherwise.
// Errors the page throws are collected in page.problems.
export async function openPage(
  session,
  query = "",
  { viewport = { width: 1100, height: 560 }, scale = 1, locale = "zh-CN", hasTouch = false } = {},
) {
  const context = await session.browser.newContext({ viewport, deviceScaleFactor: scale, locale, hasTouch, acceptDownloads: true });
  const page = await context.newPage();
  page.problems = [];
  page.on("pageerror", (error) => page.problems.push(String(error)));
  await page.goto(pageUrl(query));
  await page.evaluate(() => window.fieldlines.ready);
  return page;
}

// The screen place (CSS pixels) of user coordinates (x, y) of the plot.
export async function screenAt(page, x, y) {
  const b = await page.locator("#Picture1 canvas").boundingBox();
  return [b.x + ((x + 45) / 90) * b.width, b.y + ((25 - y) / 50) * b.height];
}

// How many pixels of the picture within r user units of (x, y) are within
// 40 of colour ([r, g, b]) in every channel.
export function pixelsNear(page, x, y, r, colour) {
  return page.evaluate(
    ([x, y, r, colour]) => {
      const canvas = document.querySelector("#Picture1 canvas");
      const sx = canvas.width / 90;
      const sy = canvas.height / 50;
      const left = Math.max(0, Math.floor((x - r + 45) * sx));
      const top = Math.max(0, Math.floor((25 - y - r) * sy));
      const width = Math.min(canvas.width - left, Math.ceil(2 * r * sx));
      const height = Math.min(canvas.height - top, Math.ceil(2 * r * sy));
      const data = canvas.getContext("2d").getImageData(left, top, width, height).data;
      let count = 0;
      for (let i = 0; i < data.length; i += 4) {
        if (colour.every((c, k) => Math.abs(data[i + k] - c) <= 40)) ++count;
      }
      return count;
    },
    [x, y, r, colour],
  );
}

// The ids of the entries of the open menu (the picture's, or a submenu).
export function menuEntries(page, menu = "#pictureMenu") {
  return page.locator(`${menu} button`).evaluateAll((items) => items.map((item) => item.id));
}

// Lets the page draw what the pointer or the keys asked for.
export const frames = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));

const fieldlines = process.env.FIELDLINES_EXE || resolve(dirname(fileURLToPath(import.meta.url)), "../../build/src/app/fieldlines");

// The CSV the command line writes with these options (… --output FILE.csv);
// when it refuses, the error thrown has its exit status and error output.
export function commandLineCsv(options) {
  const folder = mkdtempSync(join(tmpdir(), "fieldlines-web-"));
  try {
    const file = join(folder, "picture.csv");
    execFileSync(fieldlines, [...options, "--output", file], {
      env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
      stdio: ["ignore", "ignore", "pipe"],
    });
    return readFileSync(file, "utf8");
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}
