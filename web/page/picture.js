// Paints the core's finished picture: runs of polylines and dots in the
// pixels of the designed picture, 693 × 385, already in paint order and in
// their look, painted on white and scaled to any size, so that a picture
// twice as wide draws everything twice as thick, as the desktop does.
// Antialiased; polylines with round caps and joins; dots of the run's width
// as diameter, or the one pixel square at width 1; then the labels, each on
// a white box, in its colour and size. Nothing here decides an order, a
// width or a colour: the core did.

export const kDesignWidth = 693;
export const kDesignHeight = 385;

const labelFont = (size) => `${size}px "Liberation Sans", "DejaVu Sans", sans-serif`;

// The box of each label, centred on its point: the text's advance plus a
// pixel each side, and the font's height, measured in the 2D context.
function labelBoxes(context, labels) {
  context.save();
  const boxes = labels.map((label) => {
    context.font = labelFont(label.size);
    const metrics = context.measureText(label.text);
    const ascent = metrics.fontBoundingBoxAscent ?? label.size * 0.9;
    const descent = metrics.fontBoundingBoxDescent ?? label.size * 0.2;
    const width = metrics.width + 2;
    const height = ascent + descent;
    return {
      label,
      x: label.x - width / 2,
      y: label.y - height / 2,
      width,
      height,
      baseline: label.y - height / 2 + ascent,
    };
  });
  context.restore();
  return boxes;
}

function paintRun(context, run) {
  const p = run.points;
  if (!run.dots && p.length >= 4) {
    context.strokeStyle = run.colour;
    context.lineWidth = run.width;
    context.beginPath();
    context.moveTo(p[0], p[1]);
    for (let i = 2; i < p.length; i += 2) context.lineTo(p[i], p[i + 1]);
    context.stroke();
  } else if (run.dots) {
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

// Paints the picture over the whole of a 2D context of width × height pixels.
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
  for (const run of drawing.runs) paintRun(context, run);
  const labels = drawing.labels ?? [];
  if (labels.length > 0) {
    context.textAlign = "center";
    context.textBaseline = "alphabetic";
    for (const box of labelBoxes(context, labels)) {
      context.fillStyle = "#ffffff";
      context.fillRect(box.x, box.y, box.width, box.height);
      context.font = labelFont(box.label.size);
      context.fillStyle = box.label.colour;
      context.fillText(box.label.text, box.label.x, box.baseline);
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

// Text as the content of an SVG element.
function escapeXml(text) {
  return text.replace(/[<>&"]/g, (c) => ({ "<": "&lt;", ">": "&gt;", "&": "&amp;", '"': "&quot;" })[c]);
}

// The SVG elements of one run.
function svgRun(run) {
  const p = run.points;
  if (!run.dots && p.length >= 4) {
    const points = [];
    for (let i = 0; i < p.length; i += 2) points.push(`${n(p[i])},${n(p[i + 1])}`);
    return [
      `<polyline fill="none" stroke="${run.colour}" stroke-width="${n(run.width)}" stroke-linecap="round" stroke-linejoin="round" points="${points.join(" ")}"/>`,
    ];
  }
  const out = [];
  if (run.dots) {
    for (let i = 0; i < p.length; i += 2) {
      out.push(
        run.width === 1
          ? `<rect x="${n(p[i] - 0.5)}" y="${n(p[i + 1] - 0.5)}" width="1" height="1" fill="${run.colour}"/>`
          : `<circle cx="${n(p[i])}" cy="${n(p[i + 1])}" r="${n(run.width / 2)}" fill="${run.colour}"/>`,
      );
    }
  }
  return out;
}

// The layers of the picture, as the SVG's groups name them.
const kLayerNames = ["equipotentials", "field-lines", "markers", "charges", "labels"];

// The picture as SVG vectors of width × height pixels, in the canvas's
// order, each layer a group of its own.
export function svgText(drawing, width, height, title) {
  const out = [
    '<?xml version="1.0" encoding="UTF-8"?>',
    `<svg xmlns="http://www.w3.org/2000/svg" width="${width}" height="${height}" viewBox="0 0 ${kDesignWidth} ${kDesignHeight}" preserveAspectRatio="none">`,
    `<title>${escapeXml(title)}</title>`,
    `<rect width="${kDesignWidth}" height="${kDesignHeight}" fill="#ffffff"/>`,
  ];
  let layer = null;
  for (const run of drawing.runs) {
    if (run.layer !== layer) {
      if (layer !== null) out.push("</g>");
      layer = run.layer;
      out.push(`<g id="${kLayerNames[layer] ?? `layer-${layer}`}">`);
    }
    out.push(...svgRun(run));
  }
  if (layer !== null) out.push("</g>");
  const labels = drawing.labels ?? [];
  if (labels.length > 0) {
    const measure = document.createElement("canvas").getContext("2d");
    out.push('<g id="labels">');
    for (const box of labelBoxes(measure, labels)) {
      out.push(
        `<rect x="${n(box.x)}" y="${n(box.y)}" width="${n(box.width)}" height="${n(box.height)}" fill="#ffffff"/>`,
        `<text x="${n(box.label.x)}" y="${n(box.baseline)}" font-family="Liberation Sans, DejaVu Sans, sans-serif" font-size="${n(box.label.size)}" text-anchor="middle" fill="${box.label.colour}">${escapeXml(box.label.text)}</text>`,
      );
    }
    out.push("</g>");
  }
  out.push("</svg>", "");
  return out.join("\n");
}
