// The panel Frame1: the two options of the mode and the six boxes, which
// hold charges 1 and 2, and in several-charge mode the charges beyond them.
// It gives the mode and the charges its controls ask for, and shows a mode
// and charges it is given (an edit of the list, a preset, a link).
//
// In several-charge mode neither option is selected; the boxes show and edit
// charges 1 and 2 of the list, and the boxes of a charge the list does not
// hold are locked. Selecting an option returns to one or two charges: the
// boxes' charges, the others dropped.

export class Panel {
  constructor() {
    const byId = (id) => document.getElementById(id);
    this.boxes = [1, 2, 3, 4, 5, 6].map((i) => byId(`Text${i}`));
    this.option1 = byId("Option1").querySelector("input");
    this.option2 = byId("Option2").querySelector("input");
    this.legend = [byId("Label4"), byId("Label17")];
    this.count = 2; // how many charges the list holds, in several-charge mode
    this.others = []; // the texts of charges 3, 4, … in several-charge mode
  }

  mode() {
    if (this.option1.checked) return "single";
    return this.option2.checked ? "two" : "several";
  }

  // The charges' texts, [[x, y, q], …]: both boxes' charges for one or two
  // charges (charge 2's boxes stay as they are in single-charge mode), the
  // list in several-charge mode.
  charges() {
    const t = this.boxes.map((box) => box.value);
    const two = [t.slice(0, 3), t.slice(3, 6)];
    if (this.mode() !== "several") return two;
    return [...two.slice(0, Math.min(this.count, 2)), ...this.others.map((c) => [...c])];
  }

  // Shows a mode and its charges.
  show(mode, charges) {
    this.option1.checked = mode === "single";
    this.option2.checked = mode === "two";
    charges.slice(0, 2).forEach((texts, c) => texts.forEach((text, i) => (this.boxes[3 * c + i].value = text)));
    this.count = mode === "several" ? charges.length : 2;
    this.others = mode === "several" ? charges.slice(2).map((c) => [...c]) : [];
    this.lock(mode === "single" ? 1 : this.count);
  }

  // Charge i's new place after a move: its boxes, or its texts in the list.
  place(i, [x, y]) {
    if (i < 2) {
      this.boxes[3 * i].value = x;
      this.boxes[3 * i + 1].value = y;
    } else if (this.others[i - 2]) {
      this.others[i - 2][0] = x;
      this.others[i - 2][1] = y;
    }
  }

  // True when the boxes of charge i (from 0) cannot be typed in: a move
  // never changes them.
  locked(i) {
    return i < 2 && this.boxes[3 * i].readOnly;
  }

  // Leaves the first `open` charges' boxes editable and locks the others.
  lock(open) {
    this.boxes.forEach((box, i) => (box.readOnly = Math.floor(i / 3) >= open));
  }

  // "单个点电荷" selected: charge 2 is locked and charge 1 moves to x = 0.
  enterSingleCharge() {
    this.others = [];
    this.count = 2;
    this.lock(1);
    this.boxes[0].value = "0";
  }

  // "两个点电荷" selected: both charges can be typed.
  enterTwoCharges() {
    this.others = [];
    this.count = 2;
    this.lock(2);
  }

  // The legend dots in the colours of the picture's dots of charges 1 and
  // 2, or none (null) where the dots show their sign instead.
  showLegend(colours) {
    this.legend.forEach((dot, i) => {
      dot.style.color = colours?.[i] ?? "";
      dot.style.visibility = colours ? "" : "hidden";
    });
  }
}
