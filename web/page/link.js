// The configuration in the page's address, so that a link shows a picture:
//   fieldlines.html?mode=two&q1=-15,0,10&q2=15,0,-10&draw=1&eq=1&zero=1
// mode is "single" or "two"; q1 and q2 are X,Y,Q of a charge, each a whole
// number under the boxes' reading rule, as on the command line; draw=1
// excites once the boxes are filled; the link keys of the overlays' table
// (eq, zero) switch the equipotentials and the zero-field markers on (1) or
// off (0) for this visit. A malformed parameter is left out and named in a
// note; parameters of other names are no business of the page.

// Reads the parameters of a query string. readsInFull(text) is the reading
// rule's test for one complete number; overlayTable the core's overlays
// ({ key, linkKey }). Returns what is to be applied, the overlays by key,
// and the names of the parameters left out.
export function readLink(search, readsInFull, overlayTable) {
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
  for (const { key, linkKey } of overlayTable) {
    const on = flag(linkKey);
    if (on !== undefined) result.overlays[key] = on;
  }
  return result;
}

// The query string for a configuration (its mode, the boxes' texts, the
// overlays by their link keys), with draw=1. A box whose text is not one
// complete number (the window reads "12abc" as 12) is written as the
// number it reads as, so that the link draws the same.
export function linkQuery(configuration, core) {
  const box = (text) => {
    if (core.readsInFull(text)) return text.replace(/[ \t\n]/g, "");
    return String(core.readNumber(text));
  };
  // Commas stay commas: they are safe in a query and easier to read.
  const charge = (texts) => texts.map((text) => encodeURIComponent(box(text))).join(",");
  const extra = core.tables.overlays
    .filter(({ key }) => configuration.overlays.has(key))
    .map(({ linkKey }) => `&${linkKey}=1`)
    .join("");
  const [q1, q2] = configuration.charges;
  return `?mode=${configuration.mode}&q1=${charge(q1)}&q2=${charge(q2)}&draw=1${extra}`;
}
