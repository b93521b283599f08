// The page: the window's controls and their click handlers, the picture
// with its live parts (live.js), its one menu (on a right click, a long
// press on an empty place, or the button at its corner), saving, printing,
// the edits of the list of charges and the test charges released into the
// field (moving at the core's pace on the browser's frame clock), the
// switches remembered, the configuration in the address, the page's
// language, and the interface for tests and scripts, window.fieldlines:
//   fieldlines.ready              a promise, settled once the page works
//   fieldlines.csv([mode, texts[, options]])
//                                 what the command line gives for the same
//                                 input: "single" or "two" with the six box
//                                 texts, or "several" with three texts a
//                                 charge; options { equipotentials,
//                                 zeroField (the overlays' keys, as
//                                 --equipotentials and --zero-field),
//                                 accurate (as --accurate), testCharges
//                                 ([{ x, y, vx, vy, positive }], as
//                                 --particle and --particle-negative in
//                                 the order given), releaseLines (as
//                                 --particle-line) }. Without arguments,
//                                 for what the controls ask for and the
//                                 test charges released, their whole paths.
//   fieldlines.timing             when the first picture was painted, how
//                                 long the last excite took, the last
//                                 position of a drag, and the last frame of
//                                 moving test charges (ms; frames counts
//                                 the frames drawn)

import { loadCore } from "./core.js";
import { askSaveFormat, dialogOpen, editCharge, editChargeList, showMessage } from "./dialogs.js";
import { coreTranslations, language, withArguments } from "./i18n.js";
import { linkQuery, readLink } from "./link.js";
import { LivePicture } from "./live.js";
import { Menu } from "./menu.js";
import { Panel } from "./panel.js";
import { PictureCanvas, pngBlob, svgText } from "./picture.js";
import { PrintPage } from "./print.js";
import { applyControlTexts, kTexts } from "./texts.js";

// The formats the page writes itself, by suffix; the others of the core's
// table that a picture is saved in are the browser's: a PDF is printed.
const kWriters = {
  png: (drawing, { width, height }) => pngBlob(drawing, width, height),
  svg: (drawing, { width, height }) =>
    new Blob([svgText(drawing, width, height, kTexts.svgTitle)], { type: "image/svg+xml" }),
};

// The amounts of a charge added from the menu.
const kPositive = "10";
const kNegative = "-10";

const byId = (id) => document.getElementById(id);
const pictureElement = byId("Picture1");
const panel = new Panel();
const menu = new Menu(byId("pictureMenu"));
const menuButton = byId("menuButton");

const timing = { firstPicture: null, excite: null, drag: null, frame: null, frames: 0 };
let core = null;
let picture = null;
let live = null;
let printPage = null;
let drawing = { runs: [], labels: [] };
let charges = []; // of the picture on show
let shown = null; // the configuration of the picture on show, its test charges aside
let caption = ""; // the line under the picture on show
let ending = false;

// The test charges released into the field of the picture on show, and
// when each was released on the frame clock (performance.now(), ms;
// -Infinity for one that a link released: its path shows whole). Any
// change of the charges ends them: they belonged to the old field.
let testCharges = [];
let releasedAt = [];
// The sign of the test charges a press on the picture releases (true
// positive), or null: the menu's 释放试探电荷 entries until Escape or
// another entry.
let releasing = null;
let animation = 0; // the frame requested for the moving test charges

// The switches of the menu: the overlays and the looks (their keys) and
// the accurate tracer, remembered in the browser from one visit to the
// next (where it keeps anything for a page opened from disk) under
// "fieldlines." and the key.
const overlays = new Set();
const look = new Set();
let accurate = false;
const kAccurateKey = "accurate";
// The field line through each release point (显示出发点的电场线).
let releaseLines = false;
const kReleaseLinesKey = "releaseLines";

function recalled(key) {
  try {
    return localStorage.getItem(`fieldlines.${key}`) === "1";
  } catch {
    return false; // no storage: the switches start off
  }
}

function remember(key, on) {
  try {
    localStorage.setItem(`fieldlines.${key}`, on ? "1" : "0");
  } catch {
    // No storage: the switch holds for this visit.
  }
}

// The configuration the controls ask for now, with the test charges
// released.
function configuration() {
  return {
    mode: panel.mode(),
    charges: panel.charges(),
    overlays: new Set(overlays),
    look: new Set(look),
    accurate,
    testCharges: [...testCharges],
    releaseLines,
  };
}

// A configuration with the test charges as they stand at a moment of the
// frame clock: each one's time since its release at the core's pace.
function withTestCharges(base, now = performance.now()) {
  const pace = core.tables.testCharges.timePerSecond;
  const testTimes = releasedAt.map((at) => Math.max(0, ((now - at) / 1000) * pace));
  return { ...base, testCharges: [...testCharges], testTimes, releaseLines };
}

function note(text) {
  const element = byId("note");
  element.textContent = text;
  element.hidden = !text;
}

// The address carries the configuration of the picture on show, so that it
// can be shared or reloaded. A page opened from disk may not change its
// address; then it stays as it was.
const linkLanguage = new URLSearchParams(location.search).get("lang");
let addressTimer = 0;
function rememberInAddress() {
  clearTimeout(addressTimer);
  addressTimer = 0;
  if (!shown || ending) return;
  const query = linkQuery({ ...shown, testCharges, releaseLines }, core, linkLanguage === "en" || linkLanguage === "zh" ? linkLanguage : null);
  if (query === location.search) return;
  try {
    history.replaceState(null, "", query + location.hash);
  } catch {
    // The browser refuses: the address is only a convenience.
  }
}

// While a charge moves, the address follows once it rests: browsers limit
// how often a page may rewrite it.
function rememberInAddressSoon() {
  clearTimeout(addressTimer);
  addressTimer = setTimeout(rememberInAddress, 300);
}

// The picture's text alternative: the caption of what it shows (the core's
// line under a printed picture) and the overlays switched on.
function describe(caption, drawn) {
  const on = core.tables.overlays.filter(({ key }) => caption && drawn.overlays.has(key)).map((row) => row.menuText);
  const what = caption || kTexts.nothingDrawn;
  const extra = on.length > 0 ? withArguments(kTexts.switchedOn, on.join(kTexts.listSeparator)) : "";
  byId("pictureDescription").textContent = extra ? withArguments(kTexts.described, what, extra) : what;
}

// Shows the core's picture, and keeps what the live parts work from.
function show(result, drawn) {
  drawing = result.drawing;
  charges = result.charges;
  picture.show(drawing);
  live.refresh();
  // A refused picture has no caption: it shows nothing.
  caption = result.messages.length === 0 ? result.caption : "";
  describe(caption, drawn);
  printPage.changed(drawing, caption);
}

function showLook() {
  panel.showLegend(core.legendColours(configuration()));
}

// The excite of 激　发: draw the configuration the controls ask for.
// Returns the messages the drawing had to say.
function draw() {
  if (ending || !core) return [];
  clearTestCharges();
  const start = performance.now();
  const asked = configuration();
  const result = core.draw(asked);
  const drawn = performance.now();
  if (result.charge2Locked) panel.lock(1);
  show(result, asked);
  timing.excite = { core: drawn - start, total: performance.now() - start };
  shown = result.messages.length === 0 ? asked : null;
  return result.messages;
}

// "激　发" (and Enter): draw, show what the drawing had to say.
async function excite() {
  const messages = draw();
  if (messages.length === 0) rememberInAddress();
  for (const message of messages) await showMessage(message);
}

// A charge dragged or moved by the keys where the core's rule takes it: its
// boxes show the place and the picture is drawn again, as 激　发 draws it.
// A move never shows a message. Locked boxes never change.
function moveCharge(charge, place) {
  if (panel.locked(charge)) return;
  panel.place(charge, place);
  draw();
}

// The picture on show drawn again at once with a switch changed (its field
// lines kept, unless the switch is the tracer's).
async function redrawShown() {
  if (!core || !shown) return;
  const restyled = { ...shown, overlays: new Set(overlays), look: new Set(look), accurate };
  const result = core.draw(withTestCharges(restyled));
  show(result, restyled);
  shown = result.messages.length === 0 ? restyled : null;
  rememberInAddress();
  for (const message of result.messages) await showMessage(message);
}

function toggle(set, key) {
  if (set.has(key)) set.delete(key);
  else set.add(key);
  remember(key, set.has(key));
}

function switchOverlay(key) {
  if (ending) return;
  toggle(overlays, key);
  redrawShown();
}

function switchLook(key) {
  if (ending) return;
  toggle(look, key);
  showLook();
  redrawShown();
}

function switchReleaseLines() {
  if (ending) return;
  releaseLines = !releaseLines;
  remember(kReleaseLinesKey, releaseLines);
  if (testCharges.length > 0) redrawShown();
}

// 释放试探电荷（正） (true), （负） (false), or neither (null).
function setReleasing(positive) {
  releasing = positive;
  live.setReleasing(positive, positive === null ? null : releaseTestCharge, core?.tables.testCharges.speedPerUnit ?? 0);
}

// A test charge released into the field of the picture on show, as the
// window releases it: a ninth ends the oldest; a release the core refuses
// shows its message and changes nothing.
async function releaseTestCharge(charge) {
  if (ending || !core || !shown || charges.length === 0) return;
  const dropped = Math.max(0, testCharges.length + 1 - core.tables.testCharges.max);
  const released = [...testCharges.slice(dropped), charge];
  const refusal = core.releaseRefusal({ ...shown, testCharges: released });
  if (refusal) {
    await showMessage(refusal);
    return;
  }
  testCharges = released;
  releasedAt = [...releasedAt.slice(dropped), performance.now()];
  rememberInAddress();
  animation ||= requestAnimationFrame(animate);
}

// One frame of the moving test charges, at the frame's time: the picture on
// show with each path as it stands (the core keeps the field lines and the
// paths followed), until every path has ended and shows whole.
function animate(now) {
  animation = 0;
  if (ending || !core || !shown || testCharges.length === 0) return;
  const start = performance.now();
  const asked = withTestCharges(shown, now);
  const result = core.draw(asked);
  if (result.messages.length > 0) {
    // Not enough memory to follow the paths: they go, the field stays.
    clearTestCharges();
    redrawShown();
    result.messages.forEach(showMessage);
    return;
  }
  drawing = result.drawing;
  picture.show(drawing);
  printPage.changed(drawing, caption);
  timing.frame = performance.now() - start;
  ++timing.frames;
  const ends = result.testChargeEnds;
  if (ends.length === asked.testTimes.length && asked.testTimes.some((t, i) => t < ends[i]))
    animation = requestAnimationFrame(animate);
}

function clearTestCharges() {
  testCharges = [];
  releasedAt = [];
  cancelAnimationFrame(animation);
  animation = 0;
}

// 清除轨迹: the picture on show without its test charges.
function clearPaths() {
  if (ending || testCharges.length === 0) return;
  clearTestCharges();
  redrawShown();
}

function switchAccurate() {
  if (ending) return;
  accurate = !accurate;
  remember(kAccurateKey, accurate);
  showLook();
  redrawShown();
}

// Puts a configuration's mode and charges into the panel and draws it.
function showAndDraw({ mode, charges }) {
  panel.show(mode, charges);
  showLook();
  excite();
}

// An edit of the list of charges, as the core edits and judges it: taken,
// the panel shows the result and it is drawn; refused, its message is shown
// and nothing changes. Returns the refusal, or null.
function edited(result) {
  if (!result.taken) return result.refusal;
  showAndDraw(result);
  return null;
}

async function edit(result) {
  const refusal = edited(result);
  if (refusal) await showMessage(refusal);
}

async function changeCharge(i) {
  const texts = configuration().charges[i];
  if (!texts) return;
  await editCharge(i + 1, texts, (values) => edited(core.changeCharge(configuration(), i, values)));
}

async function editList() {
  const asked = configuration();
  const list = asked.charges.slice(0, { single: 1, two: 2 }[asked.mode] ?? asked.charges.length);
  await editChargeList(list, ["0", "0", kPositive], (values) => edited(core.applyList(configuration(), values)));
}

function applyPreset(i) {
  if (ending) return;
  showAndDraw(core.applyPreset(configuration(), i));
}

// "单个点电荷" and "两个点电荷", when they become selected.
function enterSingleCharge() {
  if (ending) return;
  panel.enterSingleCharge();
  showLook();
}

function enterTwoCharges() {
  if (ending) return;
  panel.enterTwoCharges();
  showLook();
}

// "关闭窗口": close the tab where the browser allows it; otherwise clear
// the page, so nothing more can be drawn, and say so.
function endProgram() {
  if (ending) return;
  ending = true;
  clearTestCharges();
  setReleasing(null);
  menu.close(false);
  window.close();
  drawing = { runs: [], labels: [] };
  charges = [];
  core = null;
  document.body.classList.add("ended");
  note(kTexts.ended);
}

function download(blob, name) {
  const url = URL.createObjectURL(blob);
  const a = document.createElement("a");
  a.href = url;
  a.download = name;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60000);
}

// Saves the picture in a format of the core's table that the page writes
// (PNG of 1386 × 770, SVG of 693 × 385), as the window does; the browser
// puts the file where it keeps downloads.
async function savePicture() {
  if (ending || dialogOpen()) return;
  menu.close(false);
  const formats = core.tables.formats.filter((row) => row.saved && kWriters[row.suffix]);
  const suffix = await askSaveFormat(formats);
  if (!suffix) return;
  const format = formats.find((row) => row.suffix === suffix);
  try {
    download(await kWriters[suffix](drawing, format), `${kTexts.fileName}.${suffix}`);
  } catch (error) {
    await showMessage({ title: kTexts.saveTitle, prompt: `${kTexts.notSaved}\n${error.message ?? error}`, failure: true });
  }
}

function printPicture() {
  if (ending) return;
  printPage.update();
  window.print();
}

// The entries of the picture's menu, as the window's: saving and printing,
// the presets, the overlays, the test charges, the looks, the accurate
// tracer, and the edits of the list of charges. place is where on the plot
// the menu was asked for ({ x, y }), or null (the button, the keyboard):
// charges are then added at the plot's centre. Any entry but the two that
// release test charges ends their releasing.
function menuEntries(place) {
  const dot = place ? live.chargeAt(place) : -1;
  const at = place ?? { x: 0, y: 0 };
  const switches = (rows, on, action) =>
    rows.map((row) => ({ id: `${row.key}Item`, text: row.menuText, checked: on.has(row.key), action: () => action(row.key) }));
  const endsReleasing = (entry) => {
    if (entry === "separator" || entry.releases) return entry;
    if (entry.entries) return { ...entry, entries: entry.entries.map(endsReleasing) };
    return {
      ...entry,
      action: () => {
        setReleasing(null);
        entry.action();
      },
    };
  };
  return [
    { id: "saveItem", text: kTexts.save, shortcut: "Ctrl+S", action: savePicture },
    { id: "printItem", text: kTexts.print, shortcut: "Ctrl+P", action: printPicture },
    "separator",
    {
      id: "presetsItem",
      text: kTexts.presets,
      entries: core.tables.presets.map((row, i) => ({ id: `preset-${row.commandName}`, text: row.name, action: () => applyPreset(i) })),
    },
    "separator",
    ...switches(core.tables.overlays, overlays, switchOverlay),
    { id: "releasePositiveItem", text: kTexts.releasePositive, checked: releasing === true, releases: true, action: () => setReleasing(true) },
    { id: "releaseNegativeItem", text: kTexts.releaseNegative, checked: releasing === false, releases: true, action: () => setReleasing(false) },
    { id: "releaseLinesItem", text: kTexts.releaseLines, checked: releaseLines, action: switchReleaseLines },
    { id: "clearPathsItem", text: kTexts.clearPaths, action: clearPaths },
    "separator",
    ...switches(core.tables.looks, look, switchLook),
    { id: "accurateItem", text: kTexts.accurate, checked: accurate, action: switchAccurate },
    "separator",
    { id: "addPositiveItem", text: kTexts.addPositive, action: () => edit(core.addCharge(configuration(), at.x, at.y, kPositive)) },
    { id: "addNegativeItem", text: kTexts.addNegative, action: () => edit(core.addCharge(configuration(), at.x, at.y, kNegative)) },
    ...(dot >= 0
      ? [
          { id: "removeItem", text: kTexts.removeCharge, action: () => edit(core.removeCharge(configuration(), dot)) },
          { id: "changeItem", text: kTexts.changeCharge, action: () => changeCharge(dot) },
        ]
      : []),
    { id: "listItem", text: kTexts.chargeList, action: editList },
  ].map(endsReleasing);
}

// Opens the menu: at the pointer over the picture, or under its button.
function openMenu(place, clientX, clientY) {
  if (ending || !core || dialogOpen()) return;
  live.showProbe(null);
  if (place) menu.open(menuEntries(place), { x: clientX, y: clientY }, pictureElement);
  else menu.open(menuEntries(null), { below: menuButton }, menuButton);
  menuButton.setAttribute("aria-expanded", String(menu.isOpen()));
}

function connectHandlers() {
  byId("Command1").addEventListener("click", () => excite());
  byId("Command2").addEventListener("click", endProgram);
  // A mode is entered when its option becomes selected: clicking the
  // option already selected changes nothing (and leaves Text1 as typed).
  panel.option1.addEventListener("change", enterSingleCharge);
  panel.option2.addEventListener("change", enterTwoCharges);

  pictureElement.addEventListener("contextmenu", (event) => {
    event.preventDefault();
    // A finger held still on a dot it drags is no call for the menu, nor
    // is one held on an empty place, which has opened it already.
    if (live.dragging() || menu.isOpen()) return;
    const at = live.place(event);
    const onPlot = at.px >= 0 && at.py >= 0 && at.px <= at.rect.width && at.py <= at.rect.height;
    // The keyboard's menu key reports no place on the picture.
    if (onPlot && (event.clientX !== 0 || event.clientY !== 0)) openMenu(at, event.clientX, event.clientY);
    else openMenu(null);
  });
  menuButton.addEventListener("click", () => (menu.isOpen() ? menu.close() : openMenu(null)));
  menu.onClose = () => menuButton.setAttribute("aria-expanded", "false");
  // Enter in any of the six boxes draws, as on 激　发 itself (a focused
  // button already turns Enter into its click). Not while an input method
  // is composing: there Enter takes the composed text.
  for (const box of panel.boxes) {
    box.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.isComposing || event.keyCode === 229) return;
      event.preventDefault();
      excite();
    });
  }
  document.addEventListener("keydown", (event) => {
    if ((event.ctrlKey || event.metaKey) && !event.altKey && event.key.toLowerCase() === "s") {
      event.preventDefault();
      savePicture();
    }
    // Escape ends the releasing of test charges (a dialog or the menu
    // takes its own Escape).
    if (event.key === "Escape" && releasing !== null && !dialogOpen() && !menu.isOpen()) setReleasing(null);
  });
}

// Fills the boxes and the mode from the address, as the command line
// presets the window (no option's handler runs), switches on or off what it
// names for this visit, and draws when the link asks for it.
async function applyLink() {
  const link = readLink(location.search, core);
  for (const [key, on] of Object.entries(link.overlays)) on ? overlays.add(key) : overlays.delete(key);
  for (const [key, on] of Object.entries(link.looks)) on ? look.add(key) : look.delete(key);
  if (link.accurate !== undefined) accurate = link.accurate;
  if (link.releaseLines !== undefined) releaseLines = link.releaseLines;
  const mode = link.mode ?? panel.mode();
  if (mode === "several") {
    panel.show(mode, link.charges);
  } else {
    const boxes = panel.charges();
    link.charges.forEach((texts, i) => (boxes[i] = texts));
    panel.show(mode, boxes);
  }
  showLook();
  if (link.ignored.length > 0) note(withArguments(kTexts.linkIgnored, link.ignored.join(kTexts.listSeparator)));
  if (!link.draw) return;
  await excite();
  if (link.testCharges.length > 0 && shown) await releaseWhole(link.testCharges);
}

// The test charges of a link, released together and shown whole, or the
// message the core refuses them with.
async function releaseWhole(released) {
  const refusal = core.releaseRefusal({ ...shown, testCharges: released });
  if (refusal) {
    rememberInAddress();
    await showMessage(refusal);
    return;
  }
  testCharges = released;
  releasedAt = released.map(() => -Infinity);
  await redrawShown();
}

function whenPainted() {
  return new Promise((resolve) => requestAnimationFrame(() => resolve(performance.now())));
}

async function start() {
  applyControlTexts(language);
  connectHandlers();
  const canvas = pictureElement.querySelector("canvas");
  picture = new PictureCanvas(canvas);
  printPage = new PrintPage(kTexts.svgTitle);
  live = new LivePicture({
    element: pictureElement,
    canvas,
    probe: byId("probe"),
    arrow: byId("releaseArrow"),
    core: () => (ending ? null : core),
    charges: () => charges,
    configuration,
    projector: () => look.has("projector"),
    move: moveCharge,
    moved: rememberInAddressSoon,
    measured: (figures) => (timing.drag = figures),
    longPress: (at) => menu.isOpen() || openMenu(at, at.rect.left + at.px, at.rect.top + at.py),
    selected: (i) => (byId("pictureStatus").textContent = withArguments(kTexts.selected, i + 1)),
  });
  try {
    core = await loadCore(coreTranslations);
  } catch (error) {
    note(withArguments(kTexts.notLoaded, error.message ?? error));
    throw error;
  }
  for (const { key } of [...core.tables.overlays]) if (recalled(key)) overlays.add(key);
  for (const { key } of [...core.tables.looks]) if (recalled(key)) look.add(key);
  accurate = recalled(kAccurateKey);
  releaseLines = recalled(kReleaseLinesKey);
  describe("", null);
  // A message the linked drawing shows stays open; the page works already.
  applyLink();
  timing.firstPicture = await whenPainted();
}

const ready = start();

// The box texts of the command line's configuration as the page's.
function asConfiguration(mode, texts, options) {
  if (!["single", "two", "several"].includes(mode)) throw new TypeError('mode is "single", "two" or "several"');
  if (!Array.isArray(texts) || (mode === "several" ? texts.length % 3 !== 0 : texts.length !== 6))
    throw new TypeError("texts are the six box texts, or three for each of several charges");
  if (options === null || typeof options !== "object")
    throw new TypeError("options are { equipotentials, zeroField, accurate, testCharges, releaseLines }");
  const released = options.testCharges ?? [];
  if (!Array.isArray(released)) throw new TypeError("testCharges are [{ x, y, vx, vy, positive }, …]");
  const t = texts.map(String);
  const charges = Array.from({ length: t.length / 3 }, (_, i) => t.slice(3 * i, 3 * i + 3));
  const on = new Set(core.tables.overlays.map((row) => row.key).filter((key) => options[key]));
  return {
    mode,
    charges,
    overlays: on,
    look: new Set(),
    accurate: Boolean(options.accurate),
    testCharges: released.map(({ x, y, vx = 0, vy = 0, positive }) => ({ x: Number(x), y: Number(y), vx: Number(vx), vy: Number(vy), positive: Boolean(positive) })),
    releaseLines: Boolean(options.releaseLines),
  };
}

window.fieldlines = Object.freeze({
  ready,
  timing,
  csv(...args) {
    if (!core) throw new Error(ending ? "the page has ended" : "not ready: await fieldlines.ready");
    if (args.length === 0) return core.csv(configuration());
    const [mode, texts, options = {}] = args;
    return core.csv(asConfiguration(mode, texts, options));
  },
});
