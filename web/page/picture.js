// Paints the core's drawing: runs of polylines and dots in the pixels of
// the designed picture, 693 × 385, painted on white and scaled to any size,
// so that a picture twice as wide draws everything twice as thick, as the
// desktop does. Antialiased; polylines with round caps and joins; dots of
// the pen width as diameter, or the one pixel square at width 1.

import { RunKind } from "./core.js";

export const kDesignWidth = 693;
export const kDesignHeight = 385;

// Paints the drawing over the whole of a 2D context of width × height pixels.
export function paint(context, drawing, width, height) {
  context.save();
  context.setTransform(1, 0, 0, 1, 0, 0);
  context.fillStyle = "#ffffff";
  context.fillRect(0, 0, width, height);
  context.scale(width / kDesignWidth, height / kDesignHeight);
  context.beginPath();
  context.rect(0, 0, kDesignWidth, kDesignHeight);
  context.clip();
  context.lineCap = "round";
  context.lineJoin = "round";
  for (const run of drawing.runs) {
    const p = run.points;
    if (run.kind === RunKind.Polyline && p.length >= 4) {
      context.strokeStyle = run.colour;
      context.lineWidth = run.width;
      context.beginPath();
      context.moveTo(p[0], p[1]);
      for (let i = 2; i < p.length; i += 2) context.lineTo(p[i], p[i + 1]);
      context.stroke();
    } else if (run.kind === RunKind.Dots) {
      context.fillStyle = run.colour;
      for (let i = 0; i < p.length; i += 2) {
        if (run.width === 1) {
          context.fillRect(p[i] - 0.5, p[i + 1] - 0.5, 1, 1);
        } else {
          context.beginPath();
          context.arc(p[i], p[i + 1], run.width / 2, 0, 2 * Math.PI);
          context.fill();
        }
      }
    }
  }
  context.restore();
}

// Keeps a canvas painted at the screen's own pixel density: its backing
// store follows the device pixels of its box, whatever the zoom or scale.
export class PictureCanvas {
  constructor(canvas) {
    this.canvas = canvas;
    this.drawing = { runs: [] };
    const observer = new ResizeObserver((entries) => this.fit(entries[entries.length - 1]));
    try {
      observer.observe(canvas, { box: "device-pixel-content-box" });
    } catch {
      observer.observe(canvas);
    }
    // A change of zoom changes the pixel ratio, not always the box.
    addEventListener("resize", () => this.fit());
    this.fit();
  }

  // The browser's count of device pixels where it has one that fits the
  // box and the pixel ratio (an emulated ratio is not always in it), else
  // the box in CSS pixels times the ratio.
  fit(entry) {
    const rect = this.canvas.getBoundingClientRect();
    let width = Math.round(rect.width * devicePixelRatio);
    let height = Math.round(rect.height * devicePixelRatio);
    const device = entry?.devicePixelContentBoxSize?.[0];
    if (device && Math.abs(device.inlineSize - width) <= 1 && Math.abs(device.blockSize - height) <= 1) {
      width = device.inlineSize;
      height = device.blockSize;
    }
    this.resize(width, height);
  }

  resize(width, height) {
    if (width < 1 || height < 1) return;
    if (width !== this.canvas.width || height !== this.canvas.height) {
      this.canvas.width = width;
      this.canvas.height = height;
    }
    this.show(this.drawing);
  }

  show(drawing) {
    this.drawing = drawing;
    paint(this.canvas.getContext("2d"), drawing, this.canvas.width, this.canvas.height);
  }
}

// The picture as a PNG image of width × height pixels.
export function pngBlob(drawing, width, height) {
  const canvas = document.createElement("canvas");
  canvas.width = width;
  canvas.height = height;
  paint(canvas.getContext("2d"), drawing, width, height);
  return new Promise((resolve, reject) =>
    canvas.toBlob((blob) => (blob ? resolve(blob) : reject(new Error("no PNG"))), "image/png"),
  );
}

// Coordinates with at most three decimals: a thousandth of a pixel.
function n(value) {
  return String(Math.round(value * 1000) / 1000);
}

// The picture as SVG vectors of width × height pixels.
export function svgText(drawing, width, height, title) {
  const out = [
    '<?xml version="1.0" encoding="UTF-8"?>',
    `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}" viewBox="0 0 ${kDesignWidth} ${kDesignHeight}" preserveAspectRatio="none">`,
    `<title>${title}</title>`,
    `<rect width="${kDesignWidth}" height="${kDesignHeight}" fill="#ffffff"/>`,
  ];
  for (const run of drawing.runs) {
    const p = run.points;
    if (run.kind === RunKind.Polyline && p.length >= 4) {
      const points = [];
      for (let i = 0; i < p.length; i += 2) points.push(`${n(p[i])},${n(p[i + 1])}`);
      out.push(
        `<polyline fill="none" stroke="${run.colour}" stroke-width="${run.width}" stroke-linecap="round" stroke-linejoin="round" points="${points.join(" ")}"/>`,
      );
    } else if (run.kind === RunKind.Dots) {
      for (let i = 0; i < p.length; i += 2) {
        out.push(
          run.width === 1
            ? `<rect x="${n(p[i] - 0.5)}" y="${n(p[i + 1] - 0.5)}" width="1" height="1" fill="${run.colour}"/>`
            : `<circle cx="${n(p[i])}" cy="${n(p[i + 1])}" r="${run.width / 2}" fill="${run.colour}"/>`,
        );
      }
    }
  }
  out.push("</svg>", "");
  return out.join("\n");
}
