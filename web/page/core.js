// The core, compiled to WebAssembly: the same drawing procedures, reading
// rule and messages as the desktop program. This module wraps its C entry
// points (web/bindings.cpp) in plain JavaScript values.

// The kinds of run in the drawing's run table. An underlay is a polyline
// painted under the field lines (the grey equipotentials).
export const RunKind = Object.freeze({ Polyline: 0, Dots: 1, Underlay: 2 });

const kRunWords = 5; // kind, 0xRRGGBB, width, first point, point count

export class FieldCore {
  constructor(module) {
    this.m = module;
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

  // The click on "激　发" with the six box texts, the mode ("single" or
  // "two") and the overlays ({ equipotentials, zeroField }). Returns the
  // messages it showed, whether it locked the boxes of charge 2, the
  // drawing and the charges it drew.
  excite(mode, texts, overlays) {
    const m = this.m;
    texts.forEach((text, i) => this.withStrings([text], (p) => m._fl_set_text(i + 1, p)));
    m._fl_set_two_charge_mode(mode === "two" ? 1 : 0);
    this.setOverlays(overlays);
    const count = m._fl_excite();
    return { ...this.result(count), charge2Locked: m._fl_charge2_locked() === 1 };
  }

  // The picture on show again with other overlays, the boxes not read.
  redraw(overlays) {
    this.setOverlays(overlays);
    return this.result(this.m._fl_redraw());
  }

  setOverlays(overlays) {
    this.m._fl_set_overlays(overlays?.equipotentials ? 1 : 0, overlays?.zeroField ? 1 : 0);
  }

  result(messageCount) {
    const m = this.m;
    const messages = [];
    for (let i = 0; i < messageCount; ++i) {
      messages.push({
        prompt: m.UTF8ToString(m._fl_message_prompt(i)),
        title: m.UTF8ToString(m._fl_message_title(i)),
        failure: m._fl_message_severity(i) === 1,
      });
    }
    return { messages, drawing: this.drawing(), charges: this.charges() };
  }

  // The charges of the picture on show: [] when the excite refused its
  // input, one in single-charge mode; each { x, y, q } in user coordinates.
  charges() {
    const m = this.m;
    const count = m._fl_charge_count();
    const values = new Float64Array(m.HEAPF64.buffer, m._fl_charges(), count * 3);
    return Array.from({ length: count }, (_, i) => ({ x: values[3 * i], y: values[3 * i + 1], q: values[3 * i + 2] }));
  }

  // The drawing on show, copied out of the module's memory: runs of one
  // style, each with its points in the designed picture's pixels (693 ×
  // 385), as x, y pairs, and the labels, each centred on its point.
  drawing() {
    const m = this.m;
    const runCount = m._fl_run_count();
    const pointCount = m._fl_point_count();
    const table = new Uint32Array(m.HEAPU32.buffer, m._fl_runs(), runCount * kRunWords).slice();
    const points = new Float32Array(m.HEAPF32.buffer, m._fl_points(), pointCount * 2).slice();
    const runs = [];
    for (let r = 0; r < runCount; ++r) {
      const [kind, rgb, width, first, count] = table.subarray(r * kRunWords, (r + 1) * kRunWords);
      runs.push({
        kind,
        colour: "#" + rgb.toString(16).padStart(6, "0"),
        width,
        points: points.subarray(first * 2, (first + count) * 2),
      });
    }
    const labels = Array.from({ length: m._fl_label_count() }, (_, i) => ({
      x: m._fl_label_x(i),
      y: m._fl_label_y(i),
      rgb: m._fl_label_rgb(i) >>> 0,
      text: m.UTF8ToString(m._fl_label_text(i)),
    }));
    return { runs, labels };
  }

  // Where a charge dragged or moved by the keys to (x, y) goes: { x, y },
  // or null for a place on the other charge. other is the other charge's
  // { x, y }, or null in single-charge mode.
  dragTarget(x, y, charge, other) {
    const m = this.m;
    if (!m._fl_drag_target(x, y, charge, other?.x ?? 0, other?.y ?? 0, other ? 1 : 0)) return null;
    const place = new Float64Array(m.HEAPF64.buffer, m._fl_drag_place(), 2);
    return { x: place[0], y: place[1] };
  }

  // The text a box shows for a coordinate a drag left there.
  coordinateText(value) {
    return this.m.UTF8ToString(this.m._fl_coordinate_text(value));
  }

  // The probe's readout at (x, y) as lines of text; [] without a picture.
  probe(x, y) {
    const text = this.m.UTF8ToString(this.m._fl_probe(x, y));
    return text ? text.split("\n") : [];
  }

  // What the command line writes for the same input, with the overlays
  // asked for: the CSV text, or the message lines it prints for a refused
  // input.
  csv(mode, texts, overlays) {
    const six = Array.from({ length: 6 }, (_, i) => texts[i] ?? "");
    const flags = (overlays?.equipotentials ? 1 : 0) | (overlays?.zeroField ? 2 : 0);
    return this.withStrings(six, (...p) => this.m.UTF8ToString(this.m._fl_csv(mode === "two" ? 1 : 0, ...p, flags)));
  }

  // The boxes' reading rule.
  readNumber(text) {
    return this.withStrings([text], (p) => this.m._fl_read_number(p));
  }

  readsInFull(text) {
    return this.withStrings([text], (p) => this.m._fl_reads_in_full(p) === 1);
  }
}

// Instantiates the module that the page carries inline.
export async function loadCore() {
  const module = await globalThis.createFieldCore();
  return new FieldCore(module);
}
