// The page's CSV (window.fieldlines.csv) against the native command line's,
// for the benchmark scenarios and the seeded random configurations of
// tests/scenarios/scenarios.sh, and for the benchmark scenarios with the
// overlays (--equipotentials, --zero-field): the same rows in the same
// order with the same ops, colours and widths, and coordinates within 2e-4
// (relative beyond 1, where a float's own step is coarser). How many are
// byte-identical, and every row that is not, goes to web-csv-report.txt.

import { after, before, test } from "node:test";
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { dirname, join, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import { commandLineCsv, launch, openPage } from "./browser.mjs";

const root = resolve(dirname(fileURLToPath(import.meta.url)), "../..");
const scenarios = join(root, "tests/scenarios/scenarios.sh");
const fieldlines = process.env.FIELDLINES_EXE || join(root, "build/src/app/fieldlines");
const reports = process.env.FIELDLINES_WEB_REPORTS || join(root, "build-web");
const kTolerance = 2e-4;

// name, mode, charge 1, charge 2: the first seven are the benchmark
// scenarios, then 300 seeded configurations.
const configurations = execFileSync("bash", [scenarios, "list"], { encoding: "utf8" })
  .trim()
  .split("\n")
  .map((line) => {
    const [name, mode, c1, c2] = line.split(" ");
    return { name, mode, texts: [...c1.split(","), ...c2.split(",")] };
  });

let browser;
let page;
let native;
const report = [];

before(async () => {
  native = mkdtempSync(join(tmpdir(), "fieldlines-native-"));
  execFileSync("bash", [scenarios, "record", fieldlines, native], { stdio: "ignore" });
  browser = await launch();
  page = await openPage(browser);
});

after(async () => {
  await browser?.close();
  if (native) rmSync(native, { recursive: true, force: true });
  writeFileSync(join(reports, "web-csv-report.txt"), report.join("\n") + "\n");
});

// What the command line gave: the CSV it wrote, or what it printed when it
// refused the input.
function nativeOutput(name) {
  const code = readFileSync(join(native, `${name}.code`), "utf8").trim();
  return code === "0" ? readFileSync(join(native, `${name}.csv`), "utf8") : readFileSync(join(native, `${name}.err`), "utf8");
}

function pageOutputs(list) {
  return page.evaluate((list) => list.map(({ mode, texts, overlays }) => window.fieldlines.csv(mode, texts, overlays)), list);
}

// Units in the last place of a float between two values.
function ulps(a, b) {
  const view = new DataView(new ArrayBuffer(4));
  const bits = (v) => {
    view.setFloat32(0, v);
    const i = view.getInt32(0);
    return i < 0 ? -2147483648 - i : i;
  };
  return Math.abs(bits(a) - bits(b));
}

// Compares two CSV texts row by row; returns the rows that differ and
// whether any differs beyond the tolerance or in anything but coordinates.
function compare(expected, actual) {
  const a = expected.split("\n");
  const b = actual.split("\n");
  const differences = [];
  let fatal = a.length !== b.length;
  for (let i = 0; i < Math.min(a.length, b.length); ++i) {
    if (a[i] === b[i]) continue;
    const x = a[i].split(",");
    const y = b[i].split(",");
    const sameShape = x.length === 7 && y.length === 7 && [0, 5, 6].every((k) => x[k] === y[k]);
    let worst = 0;
    let worstUlps = 0;
    for (let k = 1; sameShape && k <= 4; ++k) {
      if (x[k] === y[k]) continue;
      const u = Number(x[k]);
      const v = Number(y[k]);
      worst = Math.max(worst, Math.abs(u - v) / Math.max(1, Math.abs(u)));
      worstUlps = Math.max(worstUlps, ulps(u, v));
    }
    const within = sameShape && worst <= kTolerance;
    fatal ||= !within;
    differences.push(`  row ${i}: native ${a[i]}\n         page   ${b[i]}\n         ${within ? "" : "NOT "}within tolerance (${worst.toExponential(2)}, ${worstUlps} ulp)`);
  }
  return { differences, fatal };
}

function check(title, list, outputs, expectedOutputs = list.map((c) => nativeOutput(c.name))) {
  let identical = 0;
  let within = 0;
  const failures = [];
  list.forEach((configuration, i) => {
    const expected = expectedOutputs[i];
    if (outputs[i] === expected) {
      ++identical;
      return;
    }
    const { differences, fatal } = compare(expected, outputs[i]);
    report.push(`${configuration.name} ${configuration.mode} ${configuration.texts.join(",")}:`, ...differences);
    if (fatal) failures.push(configuration.name);
    else ++within;
  });
  const summary = `${title}: ${list.length} configurations, ${identical} byte-identical, ${within} within tolerance, ${failures.length} different`;
  report.unshift(summary);
  console.log(summary);
  assert.deepEqual(failures, [], `${failures.length} configurations differ: see web-csv-report.txt`);
}

test("the benchmark scenarios give the command line's CSV", async () => {
  const list = configurations.slice(0, 7);
  check("benchmark scenarios", list, await pageOutputs(list));
});

test("the seeded random configurations give the command line's CSV", async () => {
  const list = configurations.slice(7);
  assert.ok(list.length >= 200);
  check("seeded random configurations", list, await pageOutputs(list));
});

test("with the overlays, the benchmark scenarios give the command line's CSV", async () => {
  // Both overlays on each scenario; each alone on two.
  const both = { equipotentials: true, zeroField: true };
  const list = [
    ...configurations.slice(0, 7).map((c) => ({ ...c, overlays: both })),
    ...["default", "like"].flatMap((name) => {
      const c = configurations.find((c) => c.name === name);
      return [
        { ...c, name: `${name}+eq`, overlays: { equipotentials: true } },
        { ...c, name: `${name}+zero`, overlays: { zeroField: true } },
      ];
    }),
  ];
  const expected = list.map(({ mode, texts, overlays }) => {
    const file = join(native, "overlays.csv");
    const options = [
      ...(mode === "single" ? ["--single"] : []),
      ...(overlays.equipotentials ? ["--equipotentials"] : []),
      ...(overlays.zeroField ? ["--zero-field"] : []),
    ];
    execFileSync(fieldlines, [...options, `--charge1=${texts.slice(0, 3)}`, `--charge2=${texts.slice(3)}`, "--output", file], {
      env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
    });
    return readFileSync(file, "utf8");
  });
  // The comparison covers rows of both overlays.
  list.forEach((c, i) => assert.equal(expected[i].includes("#808080"), Boolean(c.overlays.equipotentials), c.name));
  assert.ok(expected.some((text) => text.includes("#ff8c00")), "a scenario with a point of zero field");
  check("benchmark scenarios with overlays", list, await pageOutputs(list), expected);
});

test("a refused input gives the lines the command line prints", async () => {
  const refused = [
    { mode: "two", texts: ["15", "0", "10", "-15", "0", "-10"] }, // charge 2 left of charge 1
    { mode: "two", texts: ["-15", "0", "1e39", "15", "0", "-10"] }, // beyond the 32-bit range
    { mode: "two", texts: ["-15", "0", "10", "50", "0", "-10"] }, // off the plot
    { mode: "two", texts: ["3", "4", "10", "3", "4", "-5"] }, // at one place
  ];
  const outputs = await pageOutputs(refused);
  refused.forEach(({ mode, texts }, i) => {
    let printed = "";
    try {
      const single = mode === "single" ? ["--single"] : [];
      execFileSync(fieldlines, [...single, `--charge1=${texts.slice(0, 3)}`, `--charge2=${texts.slice(3)}`, "--output", join(native, "refused.csv")], {
        env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
        stdio: ["ignore", "ignore", "pipe"],
      });
      assert.fail("the command line drew a refused input");
    } catch (error) {
      assert.equal(error.status, 1);
      printed = error.stderr.toString();
    }
    assert.match(printed, /^fieldlines: \S/);
    assert.equal(outputs[i], printed);
  });
});

test("several charges, and the accurate switch, give the command line's CSV", async () => {
  // Seeded: three to eight charges on the half-unit grid, none two at one
  // place, amounts of either sign; then one and two charges drawn
  // accurately, and refusals of several charges (forty after three, so
  // that no count is left over from the configuration before).
  let seed = 20240611;
  const random = () => (seed = (Math.imul(seed, 1103515245) + 12345) >>> 0) / 2 ** 32;
  const pick = (low, high) => String(Math.round((low + random() * (high - low)) * 2) / 2);
  const list = [];
  for (let n = 0; n < 12; ++n) {
    const places = new Set();
    const texts = [];
    for (let count = 3 + (n % 6); places.size < count; ) {
      const [x, y] = [pick(-44, 44), pick(-24, 24)];
      if (places.has(`${x},${y}`)) continue;
      places.add(`${x},${y}`);
      texts.push(x, y, String((random() < 0.5 ? -1 : 1) * Math.ceil(random() * 20)));
    }
    list.push({ name: `several-${n}`, mode: "several", texts });
  }
  list.push(
    { name: "accurate-two", mode: "two", texts: ["-15", "0", "10", "15", "0", "-5"], accurate: true },
    { name: "accurate-single", mode: "single", texts: ["3", "-2", "-7", "15", "0", "-10"], accurate: true },
    { name: "same-place", mode: "several", texts: ["1", "1", "5", "1", "1", "-5", "0", "9", "2"] },
    { name: "forty", mode: "several", texts: Array.from({ length: 40 }, (_, i) => [String(i - 20), "3", "1"]).flat() },
    { name: "thirty-three", mode: "several", texts: Array.from({ length: 33 }, (_, i) => [String(i - 16), "3", "1"]).flat() },
  );
  const expected = list.map(({ mode, texts, accurate }) => {
    const charges = Array.from({ length: texts.length / 3 }, (_, i) => texts.slice(3 * i, 3 * i + 3).join(","));
    const options = mode === "several" ? charges.map((c) => `--charge=${c}`) : [...(mode === "single" ? ["--single"] : []), `--charge1=${charges[0]}`, `--charge2=${charges[1]}`];
    try {
      return commandLineCsv([...options, ...(accurate ? ["--accurate"] : [])]);
    } catch (error) {
      assert.equal(error.status, 1, `${mode} ${texts}`);
      return error.stderr.toString();
    }
  });
  assert.match(expected.at(-2), /最多可以放32个点电荷/);
  assert.match(expected.at(-1), /最多可以放32个点电荷/);
  const outputs = await page.evaluate((list) => list.map(({ mode, texts, accurate }) => window.fieldlines.csv(mode, texts, { accurate })), list);
  check("several charges and the accurate switch", list, outputs, expected);
});

test("test charges give the command line's paths, within 1e-9", async () => {
  // The releases as the command line takes them, positive ones first.
  const dipole = ["-15", "0", "10", "15", "0", "-10"];
  const quadrupole = ["-10", "10", "10", "10", "-10", "10", "10", "10", "-10", "-10", "-10", "-10"];
  const list = [
    { name: "dipole", mode: "two", texts: dipole, cli: [], p: ["0,5"], n: ["-5,-10,2,0"], lines: true },
    // several charges, the accurate tracer
    { name: "quadrupole", mode: "several", texts: quadrupole, cli: ["--preset", "quadrupole"], p: ["-6,1", "-2,-18,3,1"], n: ["-23,-3"], lines: true },
    // an orbit round a single charge, to the time limit
    { name: "orbit", mode: "single", texts: ["0", "0", "10", "15", "0", "-10"], cli: ["--single", "--charge1=0,0,10"], p: [], n: ["10,0,0,1"], lines: false },
    // like charges drawn accurately, under both overlays
    { name: "like", mode: "two", texts: ["-15", "0", "10", "15", "0", "10"], cli: ["--charge2=15,0,10", "--accurate", "--equipotentials", "--zero-field"],
      p: ["0,3", "-40,20,5,-5"], n: ["30,-20"], lines: true, accurate: true, equipotentials: true, zeroField: true },
  ];
  const expected = list.map((c) =>
    commandLineCsv([...c.cli, ...c.p.map((r) => `--particle=${r}`), ...c.n.map((r) => `--particle-negative=${r}`), ...(c.lines ? ["--particle-line"] : [])]),
  );
  const release = (positive) => (text) => {
    const [x, y, vx = 0, vy = 0] = text.split(",").map(Number);
    return { x, y, vx, vy, positive };
  };
  const outputs = await page.evaluate(
    (list) => list.map(({ mode, texts, ...options }) => window.fieldlines.csv(mode, texts, options)),
    list.map((c) => ({ ...c, testCharges: [...c.p.map(release(true)), ...c.n.map(release(false))], releaseLines: c.lines })),
  );
  list.forEach((c, i) => {
    const a = expected[i].split("\n");
    const b = outputs[i].split("\n");
    assert.ok(a.filter((row) => row.includes("#8000c0")).length > 20, `${c.name}: the paths are in the CSV`);
    assert.equal(b.length, a.length, c.name);
    a.forEach((row, r) => {
      if (row === b[r]) return;
      const x = row.split(",");
      const y = b[r].split(",");
      const close = [1, 2, 3, 4].every((k) => x[k] === y[k] || Math.abs(x[k] - y[k]) <= 1e-9 * Math.max(1, Math.abs(x[k])));
      assert.ok(close && [0, 5, 6].every((k) => x[k] === y[k]), `${c.name}, row ${r}: ${row} against ${b[r]}`);
    });
  });
});
