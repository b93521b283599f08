// The live picture: a charge dragged with the mouse, a pen or a finger, the
// selected charge moved with the arrow keys (Page Up and Page Down select
// another), the field probe's readout under a hovering pointer, a long
// press on an empty place, which asks for the picture's menu, and, while
// test charges are being released, a press that releases one. A dot is
// taken hold of where the picture on show has it; where a charge goes is
// the core's one rule (move), applied to the configuration as last asked
// for, so that moves add up. Moving a charge is the page's business:
// move(charge, texts) writes the boxes and draws.

import { kDesignHeight, kDesignWidth } from "./picture.js";

// The plot's user coordinates at the edges of the picture.
const kLeft = -45;
const kRight = 45;
const kTop = 25;
const kBottom = -25;

// The dots are 20 designed pixels across (30 in projector mode); a press
// this many screen pixels beyond a dot's edge still grabs it, so that a
// finger can.
const kDotRadius = 10;
const kGrabMargin = 4;

// Arrow keys move by half a unit, with Shift by five.
const kStep = 0.5;
const kShiftStep = 5;
const kArrows = { ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, 1], ArrowDown: [0, -1] };

// A press held this long on an empty place without moving further than
// kLongPressSlack CSS pixels is a long press.
const kLongPressMs = 500;
const kLongPressSlack = 8;

// A release whose pointer moved less than this many CSS pixels from the
// press is a release at rest.
const kStillPixels = 3;
// The arrow of a velocity being dragged out: its head's sides, at most
// this long (CSS pixels), at this angle to the shaft.
const kArrowHead = 12;
const kArrowAngle = (22.5 * Math.PI) / 180;

export class LivePicture {
  // element: the focusable picture box; canvas: the picture inside it;
  // probe: the readout's element inside the box. core() is the core or
  // null once the page has ended; charges() the charges of the picture on
  // show; configuration() the configuration the controls ask for now;
  // projector() whether the dots are drawn larger; move(charge, texts) puts
  // the moved charge's [x, y] texts into its boxes and draws; moved() is
  // told when a drag ends or a key has moved a charge; measured({ total,
  // work }) gets the times of each drawn place of a drag: from the
  // pointer's move, and from the frame that drew it, until the picture was
  // painted (ms); longPress(at) is asked for the menu at a place (see
  // place()); selected(charge) is told when the keys select a charge;
  // arrow is the element over the picture whose SVG path shows the velocity
  // of a release being dragged out.
  constructor({ element, canvas, probe, arrow, core, charges, configuration, projector, move, moved, measured, longPress, selected }) {
    Object.assign(this, { element, canvas, probe, arrow, core, charges, configuration, projector, move, moved, measured, longPress });
    this.announce = selected;
    this.selected = 0; // the charge the arrow keys move, from 0
    this.drag = null; // { pointerId, charge, offset, pending, since }
    this.hover = null; // the hovering pointer's place in user coordinates
    this.held = null; // a press on an empty place: { pointerId, x, y, timer }
    this.pressedLong = false; // the press held opened the menu
    this.frame = 0;
    this.releasing = null; // the sign of the test charges a press releases (true positive), or null
    this.releaseTo = null;
    this.aim = null; // a press that releases one: { pointerId, from }

    canvas.addEventListener("pointerdown", (event) => this.press(event));
    canvas.addEventListener("pointermove", (event) => this.pointerMoved(event));
    canvas.addEventListener("pointerup", (event) => this.release(event));
    canvas.addEventListener("pointercancel", (event) => this.release(event));
    for (const type of ["pointerup", "pointercancel"]) canvas.addEventListener(type, () => this.letGo());
    // The finger that opened the menu is lifted over it: that is no tap on
    // the entry under it.
    canvas.addEventListener(
      "touchend",
      (event) => {
        if (this.pressedLong) event.preventDefault();
        this.pressedLong = false;
      },
      { passive: false },
    );
    canvas.addEventListener("lostpointercapture", (event) => this.release(event));
    canvas.addEventListener("pointerleave", () => this.left());
    element.addEventListener("keydown", (event) => this.key(event));
  }

  // True while a charge is dragged, or a release is being aimed.
  dragging() {
    return this.drag !== null || this.aim !== null;
  }

  // Releasing test charges of that sign (true positive), or none (null):
  // then each press on the picture releases one where it was pressed, at
  // rest, or with the velocity dragged out from there (an arrow shows it),
  // and hands it to releaseTo({ x, y, vx, vy, positive }), its numbers in
  // hundredths (a fraction of a pixel on any screen, and short in a link).
  // speedPerUnit is the core's speed for each plot unit dragged.
  setReleasing(positive, releaseTo = null, speedPerUnit = 0) {
    this.releasing = positive;
    this.releaseTo = releaseTo;
    this.speedPerUnit = speedPerUnit;
    this.aim = null;
    this.showArrow(null);
    this.canvas.style.cursor = positive === null ? "" : "crosshair";
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

  // The charge (from 0) whose dot is under the pointer, or -1: the nearest
  // of the charges the panel's mode draws.
  chargeAt(at) {
    const unitsPerPixel = (kRight - kLeft) / at.rect.width;
    const dotPixels = kDotRadius * (this.projector() ? 1.5 : 1) * (at.rect.width / kDesignWidth);
    return this.core().chargeAt(this.configuration(), at.x, at.y, (dotPixels + kGrabMargin) * unitsPerPixel);
  }

  // The charges the configuration draws: 1, 2, or the list's number.
  inMode(configuration) {
    return { single: 1, two: 2 }[configuration.mode] ?? configuration.charges.length;
  }

  press(event) {
    if (this.drag || this.aim || !this.core() || event.button !== 0) return;
    const at = this.place(event);
    if (this.releasing !== null) {
      this.aimFrom(event, at);
      return;
    }
    const charge = this.chargeAt(at);
    if (charge < 0) {
      this.holdStill(event, at);
      return;
    }
    event.preventDefault(); // no text selection, no mouse events after it
    this.element.focus({ preventScroll: true });
    this.selected = charge;
    const drawn = this.charges()[charge];
    // The charge keeps where it was taken hold of: it does not jump to the
    // pointer.
    this.drag = {
      pointerId: event.pointerId,
      charge,
      offset: { x: drawn.x - at.x, y: drawn.y - at.y },
      pending: null,
      since: 0,
    };
    try {
      this.canvas.setPointerCapture(event.pointerId);
    } catch {
      // An event made up by a script has no pointer to capture.
    }
    this.canvas.style.cursor = "grabbing";
    document.body.classList.add("dragging");
    this.showProbe(null);
  }

  // A press on an empty place: held still long enough, it asks for the
  // menu there; moved, or let go, it is nothing.
  holdStill(event, at) {
    this.letGo();
    this.pressedLong = false;
    this.held = {
      pointerId: event.pointerId,
      x: event.clientX,
      y: event.clientY,
      timer: setTimeout(() => {
        this.held = null;
        this.pressedLong = true;
        this.longPress(at);
      }, kLongPressMs),
    };
  }

  // A press that releases a test charge where it was pressed; where the
  // pointer is let go gives its velocity.
  aimFrom(event, at) {
    event.preventDefault();
    this.element.focus({ preventScroll: true });
    this.aim = { pointerId: event.pointerId, from: at };
    try {
      this.canvas.setPointerCapture(event.pointerId);
    } catch {
      // An event made up by a script has no pointer to capture.
    }
    this.showProbe(null);
  }

  // The release aimed, when the pointer that pressed is let go.
  releaseAimed(event) {
    const aim = this.aim;
    if (!aim || event.pointerId !== aim.pointerId) return;
    this.aim = null;
    this.showArrow(null);
    if (event.type !== "pointerup" || !this.releaseTo) return;
    const at = this.place(event);
    const still = Math.hypot(at.px - aim.from.px, at.py - aim.from.py) < kStillPixels;
    const hundredths = (value) => Math.round(value * 100) / 100 || 0;
    const speed = (d) => (still ? 0 : hundredths(d * this.speedPerUnit));
    this.releaseTo({
      x: hundredths(aim.from.x),
      y: hundredths(aim.from.y),
      vx: speed(at.x - aim.from.x),
      vy: speed(at.y - aim.from.y),
      positive: this.releasing,
    });
  }

  // The arrow from the place of a press to the pointer (places as place()
  // gives them), or none (null, or a pointer that hardly moved).
  showArrow(from, to) {
    if (!this.arrow) return;
    const length = from ? Math.hypot(to.px - from.px, to.py - from.py) : 0;
    this.arrow.hidden = length < kStillPixels;
    if (this.arrow.hidden) return;
    const angle = Math.atan2(from.py - to.py, from.px - to.px);
    const side = Math.min(kArrowHead, length);
    const wing = (turn) => `${to.px + side * Math.cos(angle + turn)},${to.py + side * Math.sin(angle + turn)}`;
    this.arrow.querySelector("svg").setAttribute("viewBox", `0 0 ${from.rect.width} ${from.rect.height}`);
    this.arrow.querySelector("path").setAttribute(
      "d",
      `M${from.px},${from.py}L${to.px},${to.py}M${wing(kArrowAngle)}L${to.px},${to.py}L${wing(-kArrowAngle)}`,
    );
  }

  letGo() {
    if (this.held) clearTimeout(this.held.timer);
    this.held = null;
  }

  pointerMoved(event) {
    const held = this.held;
    if (held && event.pointerId === held.pointerId && Math.hypot(event.clientX - held.x, event.clientY - held.y) > kLongPressSlack)
      this.letGo();
    if (this.aim) {
      if (event.pointerId === this.aim.pointerId) this.showArrow(this.aim.from, this.place(event));
      return;
    }
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
    if (this.releasing === null) this.canvas.style.cursor = this.chargeAt(at) >= 0 ? "grab" : "";
    this.hover = at;
    this.showProbe(at);
  }

  // Draws the drag's latest place, unless the core's rule does not take it
  // (where the charge already is, or a place the other boxes would make
  // refused: then the picture stays as it is).
  step() {
    this.frame = 0;
    const drag = this.drag;
    if (!drag?.pending || !this.core()) return;
    const started = performance.now();
    const wanted = drag.pending;
    drag.pending = null;
    const texts = this.core().move(this.configuration(), drag.charge, wanted.x, wanted.y);
    if (!texts) return;
    this.move(drag.charge, texts);
    const painted = performance.now();
    this.measured({ total: painted - drag.since, work: painted - started });
  }

  release(event) {
    this.releaseAimed(event);
    const drag = this.drag;
    if (!drag || event.pointerId !== drag.pointerId) return;
    if (this.frame) cancelAnimationFrame(this.frame);
    this.step(); // the place where the pointer let go
    this.drag = null;
    document.body.classList.remove("dragging");
    if (event.type !== "lostpointercapture") {
      try {
        this.canvas.releasePointerCapture(event.pointerId);
      } catch {
        // Already released.
      }
    }
    const at = this.place(event);
    this.canvas.style.cursor = this.core() && this.chargeAt(at) >= 0 ? "grab" : "";
    this.moved();
  }

  left() {
    this.hover = null;
    if (!this.drag && this.releasing === null) this.canvas.style.cursor = "";
    this.showProbe(null);
  }

  key(event) {
    if (this.drag || event.altKey || event.ctrlKey || event.metaKey || !this.core()) return;
    if (this.charges().length === 0) return;
    const configuration = this.configuration();
    const inMode = Math.min(this.inMode(configuration), this.charges().length);
    if (event.key === "PageDown" || event.key === "PageUp") {
      event.preventDefault();
      const step = event.key === "PageDown" ? 1 : -1;
      this.selected = (((this.selected < inMode ? this.selected : 0) + step) % inMode + inMode) % inMode;
      this.announce(this.selected);
      return;
    }
    const arrow = kArrows[event.key];
    if (!arrow) return;
    event.preventDefault(); // the page does not scroll
    // Steps add up from the place last asked for.
    const charge = this.selected < inMode ? this.selected : 0;
    const step = event.shiftKey ? kShiftStep : kStep;
    const from = this.core().chargePlace(configuration, charge);
    const texts = this.core().move(configuration, charge, from.x + arrow[0] * step, from.y + arrow[1] * step);
    if (!texts) return;
    this.move(charge, texts);
    this.moved();
  }

  // The picture changed: the readout follows it where the pointer hovers.
  refresh() {
    if (this.hover && !this.drag) this.showProbe(this.hover);
  }

  // Shows the readout for a place, or hides it (null, or no picture), in
  // the corner of the picture where its box covers no dot and not the
  // pointer.
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
    const unitsPerPixel = (kRight - kLeft) / at.rect.width;
    const box = this.probe.getBoundingClientRect();
    const dotPixels = (kDotRadius * (this.projector() ? 1.5 : 1) + 2) * (at.rect.width / kDesignWidth);
    const corner = this.core().probeCorner(
      at.x,
      at.y,
      box.width * unitsPerPixel,
      box.height * unitsPerPixel,
      4 * unitsPerPixel,
      dotPixels * unitsPerPixel,
    );
    for (const name of ["top-left", "top-right", "bottom-left", "bottom-right"])
      this.probe.classList.toggle(name, name === corner);
  }
}
