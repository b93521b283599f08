// The configuration in the page's address, so that a link shows a picture:
//   fieldlines.html?mode=two&q1=-15,0,10&q2=15,0,-10&draw=1&eq=1&zero=1
// mode is "single" or "two"; q1 and q2 are X,Y,Q of a charge, each a whole
// number under the boxes' reading rule, as on the command line; draw=1
// excites once the boxes are filled; eq and zero switch the equipotentials
// and the zero-field markers on (1) or off (0) for this visit. A malformed
// parameter is left out and named in a note; parameters of other names are
// no business of the page.

// Reads the parameters of a query string. readsInFull(text) is the reading
// rule's test for one complete number. Returns what is to be applied and
// the names of the parameters left out.
export function readLink(search, readsInFull) {
  const params = new URLSearchParams(search);
  const result = { mode: null, charge1: null, charge2: null, draw: false, overlays: {}, ignored: [] };

  const mode = params.get("mode");
  if (mode !== null) {
    if (mode === "single" || mode === "two") result.mode = mode;
    else result.ignored.push("mode");
  }
  for (const [name, key] of [
    ["q1", "charge1"],
    ["q2", "charge2"],
  ]) {
    const value = params.get(name);
    if (value === null) continue;
    const parts = value.split(",");
    if (parts.length === 3 && parts.every((part) => readsInFull(part))) result[key] = parts;
    else result.ignored.push(name);
  }
  // A switch: true for "1", false for "0", undefined when absent.
  const flag = (name) => {
    const value = params.get(name);
    if (value === null) return undefined;
    if (value === "1" || value === "0") return value === "1";
    result.ignored.push(name);
    return undefined;
  };
  result.draw = flag("draw") ?? false;
  const equipotentials = flag("eq");
  const zeroField = flag("zero");
  if (equipotentials !== undefined) result.overlays.equipotentials = equipotentials;
  if (zeroField !== undefined) result.overlays.zeroField = zeroField;
  return result;
}

// The query string for the boxes and the mode, with draw=1, and eq=1 and
// zero=1 for the overlays switched on. A box whose text is not one
// complete number (the window reads "12abc" as 12) is written as the
// number it reads as, so that the link draws the same.
export function linkQuery(mode, texts, core, overlays = {}) {
  const box = (text) => {
    if (core.readsInFull(text)) return text.replace(/[ \t\n]/g, "");
    return String(core.readNumber(text));
  };
  // Commas stay commas: they are safe in a query and easier to read.
  const charge = (offset) =>
    [0, 1, 2].map((i) => encodeURIComponent(box(texts[offset + i]))).join(",");
  const extra = (overlays.equipotentials ? "&eq=1" : "") + (overlays.zeroField ? "&zero=1" : "");
  return `?mode=${mode}&q1=${charge(0)}&q2=${charge(3)}&draw=1${extra}`;
}
