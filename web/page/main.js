// The page: the window's controls and their four click handlers, the
// picture with its overlays, its live parts (live.js) and its saving, the
// configuration in the address, and the interface for tests and scripts,
// window.fieldlines:
//   fieldlines.ready              a promise, settled once the page works
//   fieldlines.csv(mode, texts[, overlays])
//                                 what the command line gives for the same
//                                 input ("single" or "two", six box texts,
//                                 { equipotentials, zeroField }: the
//                                 overlays' keys, as --equipotentials and
//                                 --zero-field)
//   fieldlines.timing             when the first picture was painted, how
//                                 long the last excite took, and the last
//                                 position of a drag (ms)

import { loadCore } from "./core.js";
import { askSaveFormat, dialogOpen, showMessage } from "./dialogs.js";
import { linkQuery, readLink } from "./link.js";
import { LivePicture } from "./live.js";
import { PictureCanvas, pngBlob, svgText } from "./picture.js";

const kTitle = "电场线的描绘";
const kSaveTitle = "保存图片";
const kNotSaved = "图片没有保存。";

const byId = (id) => document.getElementById(id);
const boxes = [1, 2, 3, 4, 5, 6].map((i) => byId(`Text${i}`));
const option1 = byId("Option1").querySelector("input");
const option2 = byId("Option2").querySelector("input");
const menu = byId("pictureMenu");
const overlayItems = {}; // by overlay key, made from the core's table

const timing = { firstPicture: null, excite: null, drag: null };
let core = null;
let picture = null;
let live = null;
let drawing = { runs: [], labels: [] };
let charges = []; // of the picture on show
let shown = null; // the configuration of the picture on show
let ending = false;

// The overlays switched on (their keys), remembered in the browser from
// one visit to the next (where it keeps anything for a page opened from
// disk) under "fieldlines." and the key.
const overlays = new Set();
const look = new Set();

function recallOverlays() {
  for (const { key } of core.tables.overlays) {
    try {
      if (localStorage.getItem(`fieldlines.${key}`) === "1") overlays.add(key);
    } catch {
      // No storage: the overlays start off.
    }
  }
}

function storeOverlay(key) {
  try {
    localStorage.setItem(`fieldlines.${key}`, overlays.has(key) ? "1" : "0");
  } catch {
    // No storage: the switch holds for this visit.
  }
}

function showOverlaySwitches() {
  for (const [key, item] of Object.entries(overlayItems)) item.setAttribute("aria-checked", String(overlays.has(key)));
}

function mode() {
  return option2.checked ? "two" : "single";
}

function texts() {
  return boxes.map((box) => box.value);
}

// The configuration the controls ask for now.
function configuration() {
  const t = texts();
  return { mode: mode(), charges: [t.slice(0, 3), t.slice(3, 6)], overlays: new Set(overlays), look: new Set(look) };
}

// Text4, Text5 and Text6: read-only in single-charge mode.
function setCharge2Locked(locked) {
  for (const box of boxes.slice(3)) box.readOnly = locked;
}

function note(text) {
  const element = byId("note");
  element.textContent = text;
  element.hidden = !text;
}

// The address carries the configuration of the picture on show, so that it
// can be shared or reloaded. A page opened from disk may not change its
// address; then it stays as it was.
function rememberInAddress() {
  clearTimeout(addressTimer);
  addressTimer = 0;
  if (!shown || ending) return;
  const query = linkQuery(shown, core);
  if (query === location.search) return;
  try {
    history.replaceState(null, "", query + location.hash);
  } catch {
    // The browser refuses: the address is only a convenience.
  }
}

// While a charge moves, the address follows once it rests: browsers limit
// how often a page may rewrite it.
let addressTimer = 0;
function rememberInAddressSoon() {
  clearTimeout(addressTimer);
  addressTimer = setTimeout(rememberInAddress, 300);
}

// Shows the core's picture, and keeps what the live parts work from.
function show(result) {
  drawing = result.drawing;
  charges = result.charges;
  picture.show(drawing);
  live.refresh();
}

// The excite of 激　发: draw the configuration the controls ask for.
// Returns the messages the drawing had to say.
function draw() {
  if (ending || !core) return [];
  const start = performance.now();
  const asked = configuration();
  const result = core.draw(asked);
  const drawn = performance.now();
  if (result.charge2Locked) setCharge2Locked(true);
  show(result);
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
function moveCharge(charge, [x, y]) {
  const first = 3 * charge;
  if (boxes[first].readOnly) return;
  boxes[first].value = x;
  boxes[first + 1].value = y;
  draw();
}

// A switch of the context menu: the picture on show is drawn again at
// once, in its new overlays, with the same field lines.
async function switchOverlay(key) {
  hideMenu();
  if (ending) return;
  if (overlays.has(key)) overlays.delete(key);
  else overlays.add(key);
  storeOverlay(key);
  showOverlaySwitches();
  if (!core || !shown) return;
  const restyled = { ...shown, overlays: new Set(overlays), look: new Set(look) };
  const result = core.draw(restyled);
  show(result);
  shown = restyled;
  rememberInAddress();
  for (const message of result.messages) await showMessage(message);
}

// "单个点电荷": charge 2 is locked and charge 1 moves to x = 0.
function enterSingleCharge() {
  if (ending) return;
  setCharge2Locked(true);
  boxes[0].value = "0";
}

// "两个点电荷": charge 2 can be typed again.
function enterTwoCharges() {
  if (ending) return;
  setCharge2Locked(false);
}

// "关闭窗口": close the tab where the browser allows it; otherwise clear
// the page, so nothing more can be drawn, and say so.
function endProgram() {
  if (ending) return;
  ending = true;
  hideMenu();
  window.close();
  drawing = { runs: [], labels: [] };
  charges = [];
  core = null;
  document.body.classList.add("ended");
  note("程序已结束。浏览器不允许网页关闭这个标签页，请自行关闭它；重新载入本页可以再次使用。");
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

// Saves the picture as PNG (1386 × 770) or SVG (693 × 385), the sizes of
// the core's table of formats, as the window does; the browser puts the
// file where it keeps downloads.
async function savePicture() {
  if (ending || dialogOpen()) return;
  hideMenu();
  const format = await askSaveFormat();
  if (!format) return;
  const { width, height } = core.tables.formats.find((row) => row.suffix === format);
  try {
    const blob =
      format === "png"
        ? await pngBlob(drawing, width, height)
        : new Blob([svgText(drawing, width, height, kTitle)], { type: "image/svg+xml" });
    download(blob, `电场线.${format}`);
  } catch (error) {
    await showMessage({ title: kSaveTitle, prompt: `${kNotSaved}\n${error.message ?? error}`, failure: true });
  }
}

function showMenu(x, y) {
  menu.hidden = false;
  const width = menu.offsetWidth;
  const height = menu.offsetHeight;
  menu.style.left = `${Math.max(0, Math.min(x, innerWidth - width))}px`;
  menu.style.top = `${Math.max(0, Math.min(y, innerHeight - height))}px`;
  byId("saveItem").focus();
}

function hideMenu() {
  menu.hidden = true;
}

function connectHandlers() {
  byId("Command1").addEventListener("click", () => excite());
  byId("Command2").addEventListener("click", endProgram);
  // click, not change: clicking the option already selected runs it again.
  option1.addEventListener("click", enterSingleCharge);
  option2.addEventListener("click", enterTwoCharges);

  byId("Picture1").addEventListener("contextmenu", (event) => {
    event.preventDefault();
    // A finger held still on a dot it drags is no call for the menu.
    if (!ending && !live.dragging()) showMenu(event.clientX, event.clientY);
  });
  byId("saveItem").addEventListener("click", savePicture);
  // Enter in any of the six boxes draws, as on 激　发 itself (a focused
  // button already turns Enter into its click). Not while an input method
  // is composing: there Enter takes the composed text.
  for (const box of boxes) {
    box.addEventListener("keydown", (event) => {
      if (event.key !== "Enter" || event.isComposing || event.keyCode === 229) return;
      event.preventDefault();
      excite();
    });
  }
  document.addEventListener("pointerdown", (event) => {
    if (!menu.contains(event.target)) hideMenu();
  });
  document.addEventListener("keydown", (event) => {
    if (event.key === "Escape") hideMenu();
    if ((event.ctrlKey || event.metaKey) && !event.altKey && event.key.toLowerCase() === "s") {
      event.preventDefault();
      savePicture();
    }
  });
}

// Fills the boxes and the mode from the address, as the command line
// presets the window (no handler runs, nothing is locked), and draws when
// the link asks for it.
async function applyLink() {
  const link = readLink(location.search, (text) => core.readsInFull(text), core.tables.overlays);
  for (const [key, on] of Object.entries(link.overlays)) {
    if (on) overlays.add(key);
    else overlays.delete(key);
  }
  showOverlaySwitches();
  if (link.mode === "single") option1.checked = true;
  if (link.mode === "two") option2.checked = true;
  link.charge1?.forEach((text, i) => (boxes[i].value = text));
  link.charge2?.forEach((text, i) => (boxes[3 + i].value = text));
  if (link.ignored.length > 0) note(`链接中的参数 ${link.ignored.join("、")} 无法识别，已忽略。`);
  if (link.draw) await excite();
}

function whenPainted() {
  return new Promise((resolve) => requestAnimationFrame(() => resolve(performance.now())));
}

// The overlay switches of the picture's menu, one for each row of the
// core's table.
function createOverlayItems() {
  for (const row of core.tables.overlays) {
    const item = document.createElement("button");
    item.type = "button";
    item.setAttribute("role", "menuitemcheckbox");
    item.id = `${row.key}Item`;
    item.textContent = row.menuText;
    item.addEventListener("click", () => switchOverlay(row.key));
    menu.append(item);
    overlayItems[row.key] = item;
  }
}

async function start() {
  connectHandlers();
  const canvas = byId("Picture1").querySelector("canvas");
  picture = new PictureCanvas(canvas);
  live = new LivePicture({
    element: byId("Picture1"),
    canvas,
    probe: byId("probe"),
    core: () => (ending ? null : core),
    charges: () => charges,
    configuration,
    projector: () => look.has("projector"),
    move: moveCharge,
    moved: rememberInAddressSoon,
    measured: (figures) => (timing.drag = figures),
  });
  try {
    core = await loadCore();
  } catch (error) {
    note(`无法载入绘图程序：${error.message ?? error}`);
    throw error;
  }
  createOverlayItems();
  recallOverlays();
  showOverlaySwitches();
  // A message the linked drawing shows stays open; the page works already.
  applyLink();
  timing.firstPicture = await whenPainted();
}

const ready = start();

window.fieldlines = Object.freeze({
  ready,
  timing,
  csv(mode, texts, options = {}) {
    if (!core) throw new Error(ending ? "the page has ended" : "not ready: await fieldlines.ready");
    if (mode !== "single" && mode !== "two") throw new TypeError('mode is "single" or "two"');
    if (!Array.isArray(texts) || texts.length !== 6) throw new TypeError("texts are the six box texts");
    if (options === null || typeof options !== "object") throw new TypeError("options are { equipotentials, zeroField }");
    const t = texts.map(String);
    const on = new Set(core.tables.overlays.map((row) => row.key).filter((key) => options[key]));
    return core.csv({ mode, charges: [t.slice(0, 3), t.slice(3, 6)], overlays: on, look: new Set() });
  },
});
