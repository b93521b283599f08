// Opens the browser edition in the Debian Chromium, headless, as root can
// run it here: no sandbox, no GPU, no network of its own.
// The page is opened from disk (file://), as a teacher opens it.

import { chromium } from "playwright-core";
import { resolve } from "node:path";
import { pathToFileURL } from "node:url";

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

// A new tab, in a context of its own (viewport, pixel density), with the
// page and query loaded and ready. Errors the page throws are collected in
// page.problems.
export async function openPage(session, query = "", { viewport = { width: 1100, height: 560 }, scale = 1 } = {}) {
  const context = await session.browser.newContext({ viewport, deviceScaleFactor: scale, acceptDownloads: true });
  const page = await context.newPage();
  page.problems = [];
  page.on("pageerror", (error) => page.problems.push(String(error)));
  await page.goto(pageUrl(query));
  await page.evaluate(() => window.fieldlines.ready);
  return page;
}
