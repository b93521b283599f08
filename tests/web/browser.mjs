// Opens the browser edition in the Debian Chromium, headless, as root can
// run it here: no sandbox, no GPU, no network of its own, a fresh profile.
// The page is opened from disk (file://), as a teacher opens it.

import { chromium } from "playwright-core";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
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

// Starts the browser; close() ends it and removes its profile.
export async function launch() {
  const profile = mkdtempSync(join(tmpdir(), "fieldlines-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    headless: true,
    args: flags,
    viewport: { width: 1100, height: 560 },
    acceptDownloads: true,
  });
  return {
    context,
    async close() {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// A new tab with the page (and query) loaded and ready.
export async function openPage(browser, query = "", viewport) {
  const page = await browser.context.newPage();
  if (viewport) await page.setViewportSize(viewport);
  const problems = [];
  page.on("pageerror", (error) => problems.push(String(error)));
  await page.goto(pageUrl(query));
  await page.evaluate(() => window.fieldlines.ready);
  page.problems = problems;
  return page;
}
