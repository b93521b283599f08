// Paints the core's drawing: runs of polylines and dots in the pixels of
// the designed picture, 693 × 385, painted on white and scaled to any size,
// so that a picture twice as wide draws everything twice as thick, as the
// desktop does. Antialiased; polylines with round caps and joins; dots of
// the pen width as diameter, or the one pixel square at width 1.
//
// The order is the desktop's: white, the underlay runs (the grey
// equipotentials), their labels, each on a white box that leaves a gap in
// its line, and then every other run in the order drawn.

import { RunKind } from "./core.js";

export const kDesignWidth = 693;
export const kDesignHeight = 385;

// Labels: 10 designed pixels high, in the desktop's sans-serif faces.
const kLabelFont = '10px "Liberation Sans", "DejaVu Sans", sans-serif';

// A label's text is its line's colour darkened as the desktop darkens it
// (QColor::darker(130): the HSV value times 100 / 130, hue and saturation
// kept).
function darker(rgb) {
  const channels = [(rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff];
  const value = Math.max(...channels);
  if (value === 0) return "#000000";
  const scaled = Math.floor((value * 100) / 130);
  return "#" + channels.map((c) => Math.round((c * scaled) / value).toString(16).padStart(2, "0")).join("");
}

// The box of each label, centred on its point: the text's advance plus a
// pixel each side, and the font's height, measured in the 2D context.
function labelBoxes(context, labels) {
  context.save();
  context.font = kLabelFont;
  const boxes = labels.map((label) => {
    const metrics = context.measureText(label.text);
    const ascent = metrics.fontBoundingBoxAscent ?? 9;
    const descent = metrics.fontBoundingBoxDescent ?? 2;
    const width = metrics.width + 2;
    const height = ascent + descent;
    return {
      label,
      x: label.x - width / 2,
      y: label.y - height / 2,
      width,
      height,
      baseline: label.y - height / 2 + ascent,
      colour: darker(label.rgb),
    };
  });
  context.restore();
  return boxes;
}

const isUnderlay = (run) => run.kind === RunKind.Underlay;
const isPolyline = (run) => run.kind === RunKind.Polyline || run.kind === RunKind.Underlay;

function paintRun(context, run) {
  const p = run.points;
  if (isPolyline(run) && p.length >= 4) {
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
  for (const run of drawing.runs) if (isUnderlay(run)) paintRun(context, run);
  const labels = drawing.labels ?? [];
  if (labels.length > 0) {
    context.font = kLabelFont;
    context.textAlign = "center";
    context.textBaseline = "alphabetic";
    for (const box of labelBoxes(context, labels)) {
      context.fillStyle = "#ffffff";
      context.fillRect(box.x, box.y, box.width, box.height);
      context.fillStyle = box.colour;
      context.fillText(box.label.text, box.label.x, box.baseline);
    }
  }
  for (const run of drawing.runs) if (!isUnderlay(run)) paintRun(context, run);
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

// Text as the content of an SVG element.
function escapeXml(text) {
  return text.replace(/[<>&"]/g, (c) => ({ "<": "&lt;", ">": "&gt;", "&": "&amp;", '"': "&quot;" })[c]);
}

// The SVG elements of one run.
function svgRun(run) {
  const p = run.points;
  if (isPolyline(run) && p.length >= 4) {
    const points = [];
    for (let i = 0; i < p.length; i += 2) points.push(`${n(p[i])},${n(p[i + 1])}`);
    return [
      `<polyline fill="none" stroke="${run.colour}" stroke-width="${run.width}" stroke-linecap="round" stroke-linejoin="round" points="${points.join(" ")}"/>`,
    ];
  }
  const out = [];
  if (run.kind === RunKind.Dots) {
    for (let i = 0; i < p.length; i += 2) {
      out.push(
        run.width === 1
          ? `<rect x="${n(p[i] - 0.5)}" y="${n(p[i + 1] - 0.5)}" width="1" height="1" fill="${run.colour}"/>`
          : `<circle cx="${n(p[i])}" cy="${n(p[i + 1])}" r="${run.width / 2}" fill="${run.colour}"/>`,
      );
    }
  }
  return out;
}

// The picture as SVG vectors of width × height pixels, in the canvas's
// order: the underlay runs, the labels, the other runs.
export function svgText(drawing, width, height, title) {
  const out = [
    '<?xml version="1.0" encoding="UTF-8"?>',
    `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}" viewBox="0 0 ${kDesignWidth} ${kDesignHeight}" preserveAspectRatio="none">`,
    `<title>${escapeXml(title)}</title>`,
    `<rect width="${kDesignWidth}" height="${kDesignHeight}" fill="#ffffff"/>`,
  ];
  for (const run of drawing.runs) if (isUnderlay(run)) out.push(...svgRun(run));
  const labels = drawing.labels ?? [];
  if (labels.length > 0) {
    const measure = document.createElement("canvas").getContext("2d");
    for (const box of labelBoxes(measure, labels)) {
      out.push(
        `<rect x="${n(box.x)}" y="${n(box.y)}" width="${n(box.width)}" height="${n(box.height)}" fill="#ffffff"/>`,
        `<text x="${n(box.label.x)}" y="${n(box.baseline)}" font-family="Liberation Sans, DejaVu Sans, sans-serif" font-size="10" text-anchor="middle" fill="${box.colour}">${escapeXml(box.label.text)}</text>`,
      );
    }
  }
  for (const run of drawing.runs) if (!isUnderlay(run)) out.push(...svgRun(run));
  out.push("</svg>", "");
  return out.join("\n");
}
