// The core, compiled to WebAssembly: the same Pipeline, reading rule,
// tables and messages as the desktop program. This module wraps its C entry
// points (web/bindings.cpp) in plain JavaScript values.
//
// A configuration is { mode: "single" | "two" | "several", accurate (one or
// two charges drawn by the accurate tracer too), charges: [[x, y, q], …]
// (the boxes' texts), overlays: Set of overlay keys, look: Set of look keys,
// testCharges: [{ x, y, vx, vy, positive }, …] released into the field,
// testTimes: the moment of its motion each is shown at (missing or
// Infinity: the whole path), releaseLines: the field line through each
// release point drawn too }.

const kRunWords = 6; // layer, dots, 0xRRGGBB, width (float bits), first point, point count

const kModes = ["single", "two", "several"];

export class FieldCore {
  // translations: [context, source, text] for the texts the core hands out,
  // given before the tables are read so that their menu texts come in the
  // page's language.
  constructor(module, translations = []) {
    this.m = module;
    for (const entry of translations) this.withStrings(entry, (c, s, t) => module._fl_add_translation(c, s, t));
    this.tables = this.readTables();
  }

  // Calls fn with the strings copied into the module's memory as UTF-8, and
  // frees them afterwards. The heap, not the stack: a box may hold a long
  // text.
  withStrings(strings, fn) {
    const m = this.m;
    const pointers = strings.map((s) => {
      const text = String(s ?? "");
      const size = m.lengthBytesUTF8(text) + 1;
      const pointer = m._malloc(size);
      if (!pointer) throw new Error("out of memory");
      m.stringToUTF8(text, pointer, size);
      return pointer;
    });
    try {
      return fn(...pointers);
    } finally {
      pointers.forEach((p) => m._free(p));
    }
  }

  text(pointer) {
    return this.m.UTF8ToString(pointer);
  }

  // The tables every front end reads: overlays, looks, presets, formats.
  readTables() {
    const m = this.m;
    const overlays = Array.from({ length: m._fl_overlay_count() }, (_, i) => ({
      key: this.text(m._fl_overlay_text(i, 0)),
      menuText: this.text(m._fl_overlay_text(i, 1)),
      linkKey: this.text(m._fl_overlay_text(i, 2)),
    }));
    const looks = Array.from({ length: m._fl_look_count() }, (_, i) => ({
      key: this.text(m._fl_look_text(i, 0)),
      menuText: this.text(m._fl_look_text(i, 1)),
    }));
    const presets = Array.from({ length: m._fl_preset_count() }, (_, i) => ({
      name: this.text(m._fl_preset_text(i, 0)),
      commandName: this.text(m._fl_preset_text(i, 1)),
      mode: this.text(m._fl_preset_text(i, 2)),
      charges: Array.from({ length: Number(this.text(m._fl_preset_text(i, 3))) }, (_, c) =>
        [0, 1, 2].map((part) => this.text(m._fl_preset_charge(i, c, part))),
      ),
    }));
    const formats = Array.from({ length: m._fl_format_count() }, (_, i) => ({
      suffix: this.text(m._fl_format_text(i, 0)),
      name: this.text(m._fl_format_text(i, 1)),
      saved: this.text(m._fl_format_text(i, 2)) === "1",
      width: Number(this.text(m._fl_format_text(i, 3))),
      height: Number(this.text(m._fl_format_text(i, 4))),
    }));
    // The rules of releasing test charges: how many move at once, the
    // motion's time played each second, the speed for each plot unit a
    // release is dragged out.
    const testCharges = {
      max: m._fl_max_test_charges(),
      timePerSecond: m._fl_test_time_per_second(),
      speedPerUnit: m._fl_release_speed_per_unit(),
    };
    return { overlays, looks, presets, formats, testCharges };
  }

  // Hands a configuration to the core for the call that follows.
  configure(configuration) {
    const m = this.m;
    m._fl_set_mode(Math.max(0, kModes.indexOf(configuration.mode ?? "two")));
    m._fl_set_accurate(configuration.accurate ? 1 : 0);
    const charges = configuration.charges ?? [];
    m._fl_set_charge_count(charges.length);
    charges.forEach((charge, i) => this.withStrings(charge, (x, y, q) => m._fl_set_charge(i, x, y, q)));
    const bits = (table, on) => table.reduce((sum, row, i) => sum | (on?.has(row.key) ? 1 << i : 0), 0);
    m._fl_set_overlays(bits(this.tables.overlays, configuration.overlays));
    m._fl_set_look(bits(this.tables.looks, configuration.look));
    const released = configuration.testCharges ?? [];
    m._fl_set_test_charge_count(released.length);
    released.forEach(({ x, y, vx = 0, vy = 0, positive }, i) =>
      m._fl_set_test_charge(i, x, y, vx, vy, positive ? 1 : 0, configuration.testTimes?.[i] ?? Infinity),
    );
    m._fl_set_release_lines(configuration.releaseLines ? 1 : 0);
  }

  // The picture of a configuration, as the window draws it: its messages,
  // whether it locked the boxes of charge 2, the picture (runs in paint
  // order, in their look), the charges it drew and when each test charge's
  // path ends (the motion's time).
  draw(configuration) {
    this.configure(configuration);
    const m = this.m;
    const count = m._fl_draw();
    const messages = [];
    for (let i = 0; i < count; ++i) {
      messages.push({
        prompt: this.text(m._fl_message_prompt(i)),
        title: this.text(m._fl_message_title(i)),
        failure: m._fl_message_severity(i) === 1,
      });
    }
    return {
      messages,
      charge2Locked: m._fl_charge2_locked() === 1,
      drawing: this.drawing(),
      charges: this.charges(),
      caption: this.text(m._fl_caption()),
      testChargeEnds: Array.from(new Float64Array(m.HEAPF64.buffer, m._fl_test_charge_ends(), m._fl_test_charge_end_count())),
    };
  }

  // The judgement of the configuration's test charges released into the
  // field of the picture on show: the message it is refused with, or null.
  releaseRefusal(configuration) {
    this.configure(configuration);
    return this.m._fl_release_refused() ? this.refusal() : null;
  }

  // The charges of the picture on show: [] when the input was refused; each
  // { x, y, q } in user coordinates.
  charges() {
    const m = this.m;
    const count = m._fl_charge_count();
    const values = new Float64Array(m.HEAPF64.buffer, m._fl_charges(), count * 3);
    return Array.from({ length: count }, (_, i) => ({ x: values[3 * i], y: values[3 * i + 1], q: values[3 * i + 2] }));
  }

  // The picture on show, copied out of the module's memory: runs of one
  // style in the order they are painted, each with its points in the
  // designed picture's pixels (693 × 385) as x, y pairs, then the labels.
  drawing() {
    const m = this.m;
    const runCount = m._fl_run_count();
    const pointCount = m._fl_point_count();
    const words = new Uint32Array(m.HEAPU32.buffer, m._fl_runs(), runCount * kRunWords).slice();
    const floats = new Float32Array(words.buffer);
    const points = new Float32Array(m.HEAPF32.buffer, m._fl_points(), pointCount * 2).slice();
    const runs = [];
    for (let r = 0; r < runCount; ++r) {
      const at = r * kRunWords;
      const [layer, dots, rgb, , first, count] = words.subarray(at, at + kRunWords);
      runs.push({
        layer,
        dots: dots === 1,
        colour: "#" + rgb.toString(16).padStart(6, "0"),
        width: floats[at + 3],
        points: points.subarray(first * 2, (first + count) * 2),
      });
    }
    const labels = Array.from({ length: m._fl_label_count() }, (_, i) => ({
      x: m._fl_label_x(i),
      y: m._fl_label_y(i),
      colour: "#" + (m._fl_label_rgb(i) >>> 0).toString(16).padStart(6, "0"),
      size: m._fl_label_size(i),
      text: this.text(m._fl_label_text(i)),
    }));
    return { runs, labels };
  }

  // The charge (from 0) whose dot on the picture on show lies within reach
  // (user units) of (x, y), among those the configuration draws; -1 for none.
  chargeAt(configuration, x, y, reach) {
    this.configure(configuration);
    return this.m._fl_charge_at(x, y, reach);
  }

  // Where charge i of the configuration is, as its boxes read.
  chargePlace(configuration, i) {
    this.configure(configuration);
    this.m._fl_charge_place(i);
    const place = new Float64Array(this.m.HEAPF64.buffer, this.m._fl_place(), 2);
    return { x: place[0], y: place[1] };
  }

  // The core's one rule for moving charge i toward (x, y): the texts of the
  // moved charge ([x, y]) when the move is taken, else null.
  move(configuration, i, x, y) {
    this.configure(configuration);
    if (!this.m._fl_move(i, x, y)) return null;
    return [this.text(this.m._fl_charge_text(i, 0)), this.text(this.m._fl_charge_text(i, 1))];
  }

  // The probe's readout at (x, y) as lines of text; [] without a picture.
  probe(x, y) {
    const text = this.text(this.m._fl_probe(x, y));
    return text ? text.split("\n") : [];
  }

  // "top-left", "top-right", "bottom-left" or "bottom-right": where the
  // probe's box (sizes in user units) covers no dot and not the pointer.
  probeCorner(x, y, width, height, margin, dotRadius) {
    return ["top-left", "top-right", "bottom-left", "bottom-right"][
      this.m._fl_probe_corner(x, y, width, height, margin, dotRadius)
    ];
  }

  // The mode and the charges' texts of the configuration set, as an edit or
  // a preset left it.
  configured() {
    const m = this.m;
    const charges = Array.from({ length: m._fl_configured_count() }, (_, i) =>
      [0, 1, 2].map((part) => this.text(m._fl_charge_text(i, part))),
    );
    return { mode: kModes[m._fl_configured_mode()], charges };
  }

  // Preset i (of tables.presets) applied to the configuration: its mode
  // and charges.
  applyPreset(configuration, i) {
    this.configure(configuration);
    this.m._fl_apply_preset(i);
    return this.configured();
  }

  // The edits of the list of charges, judged as a picture of the result
  // would be: { taken: true, mode, charges } with the edited configuration's
  // mode and charges, or { taken: false, refusal: message } and nothing
  // changes. A charge is added at (x, y) of the plot (rounded as a drag
  // rounds), with the amount's text q; i counts the mode's charges from 0.
  addCharge(configuration, x, y, q) {
    this.configure(configuration);
    return this.edited(this.withStrings([q], (p) => this.m._fl_add_charge(x, y, p)));
  }

  removeCharge(configuration, i) {
    this.configure(configuration);
    return this.edited(this.m._fl_remove_charge(i));
  }

  changeCharge(configuration, i, texts) {
    this.configure(configuration);
    return this.edited(this.withStrings(texts, (x, y, q) => this.m._fl_change_charge(i, x, y, q)));
  }

  // The whole list replaced by charges ([[x, y, q], …]).
  applyList(configuration, charges) {
    this.configure(configuration);
    this.m._fl_list_clear();
    for (const texts of charges) this.withStrings(texts, (x, y, q) => this.m._fl_list_push(x, y, q));
    return this.edited(this.m._fl_apply_list());
  }

  edited(taken) {
    if (taken) return { taken: true, ...this.configured() };
    return { taken: false, refusal: this.refusal() };
  }

  refusal() {
    const m = this.m;
    return { title: this.text(m._fl_refusal_title()), prompt: this.text(m._fl_refusal_prompt()), failure: false };
  }

  // The colours of the panel's legend dots of charges 1 and 2 in the
  // configuration's look, as "#rrggbb", or null when its dots show their
  // sign instead (the accurate tracer).
  legendColours(configuration) {
    this.configure(configuration);
    const colours = [0, 1].map((i) => this.m._fl_legend_rgb(i) >>> 0);
    return colours[0] === 0xffffffff ? null : colours.map((rgb) => "#" + rgb.toString(16).padStart(6, "0"));
  }

  // What the command line writes for the configuration: the CSV text, or
  // the message lines it prints for a refused input.
  csv(configuration) {
    this.configure(configuration);
    return this.text(this.m._fl_csv());
  }

  // The boxes' reading rule.
  readNumber(text) {
    return this.withStrings([text], (p) => this.m._fl_read_number(p));
  }

  readsInFull(text) {
    return this.withStrings([text], (p) => this.m._fl_reads_in_full(p) === 1);
  }
}

// Instantiates the module that the page carries inline, with the
// translations of the page's language.
export async function loadCore(translations) {
  const module = await globalThis.createFieldCore();
  return new FieldCore(module, translations);
}
