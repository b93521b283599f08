// The live picture: a charge dragged with the mouse, a pen or a finger, the
// selected charge moved with the arrow keys, and the field probe's readout
// under a hovering pointer. Everything works on the charges of the picture
// on show (where the last excite drew the dots); where a charge may go is
// the core's rule (dragTarget). Moving a charge is the page's business:
// move(charge, place) writes the boxes and excites.

import { kDesignHeight, kDesignWidth } from "./picture.js";

// The plot's user coordinates at the edges of the picture.
const kLeft = -45;
const kRight = 45;
const kTop = 25;
const kBottom = -25;

// The dots are 20 designed pixels across; a press this many screen pixels
// beyond a dot's edge still grabs it, so that a finger can.
const kDotRadius = 10;
const kGrabMargin = 4;

// Arrow keys move by half a unit, with Shift by five.
const kStep = 0.5;
const kShiftStep = 5;
const kArrows = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, 1], ArrowDown: [0, -1] };

export class LivePicture {
  // element: the focusable picture box; canvas: the picture inside it;
  // probe: the readout's element inside the box. core() is the core or
  // null once the page has ended; charges() the charges of the picture on
  // show; move(charge, place) moves charge 1 or 2 to { x, y } and redraws;
  // moved() is told when a drag ends or a key has moved a charge;
  // measured({ total, work }) gets the times of each drawn place of a drag:
  // from the pointer's move, and from the frame that drew it, until the
  // picture was painted (ms).
  constructor({ element, canvas, probe, core, charges, move, moved, measured }) {
    Object.assign(this, { element, canvas, probe, core, charges, move, moved, measured });
    this.selected = 1; // the charge the arrow keys move
    this.drag = null; // { pointerId, charge, offset, other, pending, last, since }
    this.hover = null; // the hovering pointer's place in user coordinates
    this.frame = 0;

    canvas.addEventListener("pointerdown", (event) => this.press(event));
    canvas.addEventListener("pointermove", (event) => this.pointerMoved(event));
    canvas.addEventListener("pointerup", (event) => this.release(event));
    canvas.addEventListener("pointercancel", (event) => this.release(event));
    canvas.addEventListener("lostpointercapture", (event) => this.release(event));
    canvas.addEventListener("pointerleave", () => this.left());
    element.addEventListener("keydown", (event) => this.key(event));
  }

  dragging() {
    return this.drag !== null;
  }

  // A pointer's place in the plot's user coordinates, and in CSS pixels
  // from the picture's corner.
  place(event) {
    const rect = this.canvas.getBoundingClientRect();
    const px = event.clientX - rect.left;
    const py = event.clientY - rect.top;
    return {
      x: kLeft + (px / rect.width) * (kRight - kLeft),
      y: kTop - (py / rect.height) * (kTop - kBottom),
      px,
      py,
      rect,
    };
  }

  // The charge whose dot is under the pointer (1 or 2, the nearest; charge
  // 2 when both are equally near), or 0.
  chargeAt(at) {
    const scale = at.rect.width / kDesignWidth;
    const reach = kDotRadius * scale + kGrabMargin;
    let found = 0;
    let nearest = Infinity;
    this.charges().forEach((charge, i) => {
      const cx = ((charge.x - kLeft) / (kRight - kLeft)) * kDesignWidth * scale;
      const cy = ((kTop - charge.y) / (kTop - kBottom)) * kDesignHeight * (at.rect.height / kDesignHeight);
      const distance = Math.hypot(at.px - cx, at.py - cy);
      if (distance <= reach && distance <= nearest) {
        found = i + 1;
        nearest = distance;
      }
    });
    return found;
  }

  // The other charge's drawn place for dragTarget, or null with one charge.
  otherOf(charge) {
    const charges = this.charges();
    return charges.length === 2 ? charges[2 - charge] : null;
  }

  press(event) {
    if (this.drag || !this.core() || event.button !== 0) return;
    const at = this.place(event);
    const charge = this.chargeAt(at);
    if (charge === 0) return;
    event.preventDefault(); // no text selection, no mouse events after it
    this.element.focus({ preventScroll: true });
    this.selected = charge;
    const drawn = this.charges()[charge - 1];
    // The charge keeps where it was taken hold of: it does not jump to the
    // pointer.
    this.drag = {
      pointerId: event.pointerId,
      charge,
      offset: { x: drawn.x - at.x, y: drawn.y - at.y },
      other: this.otherOf(charge),
      pending: null,
      last: drawn,
      since: 0,
    };
    try {
      this.canvas.setPointerCapture(event.pointerId);
    } catch {
      // An event made up by a script has no pointer to capture.
    }
    this.canvas.style.cursor = "grabbing";
    this.showProbe(null);
  }

  pointerMoved(event) {
    const drag = this.drag;
    if (drag) {
      if (event.pointerId !== drag.pointerId) return;
      const at = this.place(event);
      drag.pending = { x: at.x + drag.offset.x, y: at.y + drag.offset.y };
      drag.since = event.timeStamp;
      // Moves faster than the pictures are coalesced: the latest place is
      // drawn once per frame.
      this.frame ||= requestAnimationFrame(() => this.step());
      return;
    }
    if (event.buttons !== 0 || event.pointerType === "touch" || !this.core()) return;
    const at = this.place(event);
    this.canvas.style.cursor = this.chargeAt(at) ? "grab" : "";
    this.hover = at;
    this.showProbe(at);
  }

  // Draws the drag's latest place, unless the core skips it or it is where
  // the charge already is.
  step() {
    this.frame = 0;
    const drag = this.drag;
    if (!drag?.pending || !this.core()) return;
    const started = performance.now();
    const wanted = drag.pending;
    drag.pending = null;
    const target = this.core().dragTarget(wanted.x, wanted.y, drag.charge, drag.other);
    if (!target || (target.x === drag.last.x && target.y === drag.last.y)) return;
    drag.last = target;
    this.move(drag.charge, target);
    const painted = performance.now();
    this.measured({ total: painted - drag.since, work: painted - started });
  }

  release(event) {
    const drag = this.drag;
    if (!drag || event.pointerId !== drag.pointerId) return;
    if (this.frame) cancelAnimationFrame(this.frame);
    this.step(); // the place where the pointer let go
    this.drag = null;
    if (event.type !== "lostpointercapture") {
      try {
        this.canvas.releasePointerCapture(event.pointerId);
      } catch {
        // Already released.
      }
    }
    const at = this.place(event);
    this.canvas.style.cursor = this.chargeAt(at) ? "grab" : "";
    this.moved();
  }

  left() {
    this.hover = null;
    if (!this.drag) this.canvas.style.cursor = "";
    this.showProbe(null);
  }

  key(event) {
    const arrow = kArrows[event.key];
    if (!arrow || this.drag || event.altKey || event.ctrlKey || event.metaKey || !this.core()) return;
    const charges = this.charges();
    if (charges.length === 0) return;
    event.preventDefault(); // the page does not scroll
    const charge = Math.min(this.selected, charges.length);
    const step = event.shiftKey ? kShiftStep : kStep;
    const from = charges[charge - 1];
    const target = this.core().dragTarget(from.x + arrow[0] * step, from.y + arrow[1] * step, charge, this.otherOf(charge));
    if (!target || (target.x === from.x && target.y === from.y)) return;
    this.move(charge, target);
    this.moved();
  }

  // The picture changed: the readout follows it where the pointer hovers.
  refresh() {
    if (this.hover && !this.drag) this.showProbe(this.hover);
  }

  // Shows the readout for a place, or hides it (null, or no picture). In
  // the picture's top-left corner, or its top-right one while the pointer
  // is in the top-left quarter.
  showProbe(at) {
    const lines = at && this.core() ? this.core().probe(at.x, at.y) : [];
    this.probe.hidden = lines.length === 0;
    if (lines.length === 0) return;
    this.probe.replaceChildren(
      ...lines.map((line) => {
        const div = document.createElement("div");
        div.textContent = line;
        return div;
      }),
    );
    const topLeft = at.px < at.rect.width / 2 && at.py < at.rect.height / 2;
    this.probe.classList.toggle("right", topLeft);
  }
}
