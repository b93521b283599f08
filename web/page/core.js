// The core, compiled to WebAssembly: the same drawing procedures, reading
// rule and messages as the desktop program. This module wraps its C entry
// points (web/bindings.cpp) in plain JavaScript values.

// The kinds of run in the drawing's run table.
export const RunKind = Object.freeze({ Polyline: 0, Dots: 1 });

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

  // The click on "激　发" with the six box texts and the mode ("single" or
  // "two"). Returns the messages it showed, whether it locked the boxes of
  // charge 2, and the drawing.
  excite(mode, texts) {
    const m = this.m;
    texts.forEach((text, i) => this.withStrings([text], (p) => m._fl_set_text(i + 1, p)));
    m._fl_set_two_charge_mode(mode === "two" ? 1 : 0);
    const count = m._fl_excite();
    const messages = [];
    for (let i = 0; i < count; ++i) {
      messages.push({
        prompt: m.UTF8ToString(m._fl_message_prompt(i)),
        title: m.UTF8ToString(m._fl_message_title(i)),
        failure: m._fl_message_severity(i) === 1,
      });
    }
    return { messages, charge2Locked: m._fl_charge2_locked() === 1, drawing: this.drawing() };
  }

  // The drawing of the last excite, copied out of the module's memory: runs
  // of one style, each with its points in the designed picture's pixels
  // (693 × 385), as x, y pairs.
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
    return { runs };
  }

  // What the command line writes for the same input: the CSV text, or the
  // message lines it prints for a refused input.
  csv(mode, texts) {
    const six = Array.from({ length: 6 }, (_, i) => texts[i] ?? "");
    return this.withStrings(six, (...p) => this.m.UTF8ToString(this.m._fl_csv(mode === "two" ? 1 : 0, ...p)));
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
