// The printed page (print stylesheet in style.css): the picture on show as
// SVG vectors and the caption line under it, as the window prints it. Kept
// up to date lazily, a moment after the picture last changed and in any
// case when the browser is about to print (Ctrl+P, its menu, 打印…), so
// that a drag does not pay for it.

import { kDesignHeight, kDesignWidth, svgText } from "./picture.js";

export class PrintPage {
  constructor(title) {
    this.title = title;
    this.picture = document.getElementById("printPicture");
    this.caption = document.getElementById("printCaption");
    this.pending = null;
    this.timer = 0;
    addEventListener("beforeprint", () => this.update());
    matchMedia("print").addEventListener?.("change", (event) => event.matches && this.update());
  }

  // The picture on show changed.
  changed(drawing, caption) {
    this.pending = { drawing, caption };
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.update(), 250);
  }

  update() {
    clearTimeout(this.timer);
    if (!this.pending) return;
    const { drawing, caption } = this.pending;
    this.pending = null;
    const svg = svgText(drawing, kDesignWidth, kDesignHeight, this.title);
    this.picture.innerHTML = svg.slice(svg.indexOf("<svg"));
    this.caption.textContent = caption;
  }
}
