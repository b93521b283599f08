// The configuration in the page's address, so that a link shows a picture:
//   fieldlines.html?mode=two&q1=-15,0,10&q2=15,0,-10&draw=1&eq=1&zero=1
//   fieldlines.html?mode=several&q1=-10,10,10&q2=10,-10,10&q3=10,10,-10&draw=1&accurate=1
//   fieldlines.html?mode=two&q1=-15,0,10&q2=15,0,-10&draw=1&p=0,5&n=-5,-10,2,0&releaseLines=1
// mode is "single", "two" or "several"; q1, q2, q3 … are X,Y,Q of the
// charges in turn, each a whole number under the boxes' reading rule, as on
// the command line (a third charge without a mode means several charges,
// as three --charge options do); draw=1 excites once the boxes are filled;
// in a link that draws, p and n, each as often as there are test charges,
// release a positive or a negative test charge at X,Y, at rest or with the
// velocity VX,VY (X,Y,VX,VY), in the order given, and show their whole
// paths, as --particle and --particle-negative do; releaseLines=1 draws the
// field line through each release point (--particle-line); accurate=1
// draws one or two charges by the accurate tracer too; the link keys of the
// overlays' table (eq, zero) and the keys of the looks' table (projector,
// colourBlindSafe) switch them on (1) or off (0) for this visit, as
// releaseLines does; lang=en or lang=zh chooses the language (i18n.js). A
// malformed parameter is left out and named in a note; parameters of other
// names are no business of the page.

const kCharge = /^q([1-9][0-9]*)$/;

// Reads the parameters of a query string. core gives the reading rule
// (readsInFull(text), the test for one complete number, and readNumber) and
// the tables (overlays with their link keys, looks). Returns the mode (or
// null), the charges given ([index] = [x, y, q], from 0), whether to draw,
// the test charges released ([{ x, y, vx, vy, positive }]), the overlays,
// looks, the accurate switch and the switch of the release points' field
// lines as given (key: true or false), and the names of the parameters
// left out.
export function readLink(search, core) {
  const readsInFull = (text) => core.readsInFull(text);
  const tables = core.tables;
  const params = new URLSearchParams(search);
  const result = {
    mode: null,
    charges: [],
    draw: false,
    testCharges: [],
    overlays: {},
    looks: {},
    accurate: undefined,
    releaseLines: undefined,
    ignored: [],
  };

  const mode = params.get("mode");
  if (mode !== null) {
    if (["single", "two", "several"].includes(mode)) result.mode = mode;
    else result.ignored.push("mode");
  }
  const given = [];
  for (const [name, value] of params) {
    const match = kCharge.exec(name);
    if (!match || given.some((g) => g.name === name)) continue;
    const parts = value.split(",");
    if (parts.length === 3 && parts.every((part) => readsInFull(part))) given.push({ name, index: Number(match[1]) - 1, parts });
    else result.ignored.push(name);
  }
  given.sort((a, b) => a.index - b.index);
  if (result.mode === null && given.some((g) => g.index >= 2)) result.mode = "several";
  // One or two charges take q1 and q2; several take q1, q2 … in turn, up to
  // the first one missing.
  for (const g of given) {
    const kept = result.mode === "several" ? g.index === result.charges.length : g.index < 2;
    if (kept) result.charges[g.index] = g.parts;
    else result.ignored.push(g.name);
  }
  for (const [name, value] of params) {
    if (name !== "p" && name !== "n") continue;
    const parts = value.split(",");
    if ((parts.length !== 2 && parts.length !== 4) || !parts.every((part) => readsInFull(part))) {
      if (!result.ignored.includes(name)) result.ignored.push(name);
      continue;
    }
    const [x, y, vx = 0, vy = 0] = parts.map((part) => core.readNumber(part));
    result.testCharges.push({ x, y, vx, vy, positive: name === "p" });
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
  // Test charges are released into a picture drawn.
  if (!result.draw) {
    for (const { positive } of result.testCharges.splice(0)) {
      const name = positive ? "p" : "n";
      if (!result.ignored.includes(name)) result.ignored.push(name);
    }
  }
  result.accurate = flag("accurate");
  result.releaseLines = flag("releaseLines");
  for (const { key, linkKey } of tables.overlays) {
    const on = flag(linkKey);
    if (on !== undefined) result.overlays[key] = on;
  }
  for (const { key } of tables.looks) {
    const on = flag(key);
    if (on !== undefined) result.looks[key] = on;
  }
  return result;
}

// The query string for a configuration (its mode, the charges' texts, the
// test charges and the switch of their release points' field lines, the
// accurate switch, the overlays by their link keys, the looks), with
// draw=1, and lang when given. A text that is not one complete number (the
// window reads "12abc" as 12) is written as the number it reads as, so that
// the link draws the same.
export function linkQuery(configuration, core, lang = null) {
  const box = (text) => {
    if (core.readsInFull(text)) return text.replace(/[ \t\n]/g, "");
    return String(core.readNumber(text));
  };
  // Commas stay commas: they are safe in a query and easier to read.
  const charge = (texts) => texts.map((text) => encodeURIComponent(box(text))).join(",");
  const charges = configuration.charges.map((texts, i) => `&q${i + 1}=${charge(texts)}`).join("");
  // A test charge at rest as X,Y; each number as the shortest text that
  // reads back as the same number.
  const released = configuration.testCharges ?? [];
  const testCharges = released
    .map(({ x, y, vx, vy, positive }) => `&${positive ? "p" : "n"}=${[x, y, ...(vx || vy ? [vx, vy] : [])].map((v) => encodeURIComponent(String(v))).join(",")}`)
    .join("");
  const switches = [
    testCharges,
    released.length > 0 && configuration.releaseLines ? "&releaseLines=1" : "",
    configuration.accurate ? "&accurate=1" : "",
    ...core.tables.overlays.filter(({ key }) => configuration.overlays.has(key)).map(({ linkKey }) => `&${linkKey}=1`),
    ...core.tables.looks.filter(({ key }) => configuration.look.has(key)).map(({ key }) => `&${key}=1`),
    lang ? `&lang=${lang}` : "",
  ].join("");
  return `?mode=${configuration.mode}${charges}&draw=1${switches}`;
}
