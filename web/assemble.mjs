// Puts the page together into one self-contained HTML file: the style sheet,
// the module script of the core (with its WebAssembly inside) and the page's
// JavaScript modules are written into the HTML, so that the file works
// opened from disk, with no server and no network.
//
//   node assemble.mjs PAGE/index.html fieldcore.js OUT.html
//
// The modules become one module script: each is wrapped in a function that
// returns its exports, in the order of their imports. Imports are single
// lines of the form  import { a, b as c } from "./file.js";  and exports
// are declarations (export function / class / const / let / async
// function); anything else is refused, so nothing is lost silently.

import { readFileSync, writeFileSync } from "node:fs";
import { dirname, join, basename } from "node:path";

const [pagePath, corePath, outPath] = process.argv.slice(2);
if (!outPath) {
  console.error("usage: node assemble.mjs index.html fieldcore.js out.html");
  process.exit(2);
}
const pageDir = dirname(pagePath);

function fail(message) {
  console.error(`assemble: ${message}`);
  process.exit(1);
}

const importLine = /^import\s*\{([^}]*)\}\s*from\s*["'](\.\/[\w.-]+\.js)["'];?\s*$/;
const exportDeclaration = /^export\s+((?:async\s+)?function\*?|class|const|let)\s+([A-Za-z_$][\w$]*)/;

// Returns the modules reachable from entry, dependencies first.
function collect(entry) {
  const order = [];
  const state = new Map(); // file -> "visiting" | "done"
  const visit = (file) => {
    if (state.get(file) === "done") return;
    if (state.get(file) === "visiting") fail(`import cycle through ${file}`);
    state.set(file, "visiting");
    const source = readFileSync(join(pageDir, file), "utf8");
    const imports = [];
    const exports = [];
    const body = [];
    for (const line of source.split("\n")) {
      if (/^\s*import\b/.test(line)) {
        const match = importLine.exec(line);
        if (!match) fail(`${file}: an import must be one line of named imports from a local file: ${line}`);
        const names = match[1]
          .split(",")
          .map((s) => s.trim())
          .filter(Boolean)
          .map((s) => {
            const [name, alias] = s.split(/\s+as\s+/);
            return alias ? `${name}: ${alias}` : name;
          });
        const from = basename(match[2]);
        imports.push({ names, from });
        visit(from);
        body.push("");
        continue;
      }
      if (/^export\b/.test(line)) {
        const match = exportDeclaration.exec(line);
        if (!match) fail(`${file}: only declarations can be exported: ${line}`);
        exports.push(match[2]);
        body.push(line.replace(/^export\s+/, ""));
        continue;
      }
      body.push(line);
    }
    state.set(file, "done");
    order.push({ file, imports, exports, body: body.join("\n") });
  };
  visit(entry);
  return order;
}

const id = (file) => "module_" + file.replace(/\W/g, "_");

function bundle(entry) {
  const parts = [];
  for (const module of collect(entry)) {
    const imports = module.imports.map((i) => `const { ${i.names.join(", ")} } = ${id(i.from)};`).join("\n");
    parts.push(
      `// ${module.file}\nconst ${id(module.file)} = (() => {\n${imports}\n${module.body}\n` +
        `return { ${module.exports.join(", ")} };\n})();`,
    );
  }
  return parts.join("\n\n");
}

// Text inside a <script> or <style> element ends at its closing tag only.
function inline(text, tag) {
  return text.replace(new RegExp(`</${tag}`, "gi"), `<\\/${tag}`);
}

let html = readFileSync(pagePath, "utf8");
let replaced = 0;
html = html.replace(/<link rel="stylesheet" href="([\w.-]+\.css)">/g, (_, file) => {
  ++replaced;
  return `<style>\n${inline(readFileSync(join(pageDir, file), "utf8"), "style")}</style>`;
});
html = html.replace(/<script src="fieldcore\.js"><\/script>/, () => {
  ++replaced;
  return `<script>\n${inline(readFileSync(corePath, "utf8"), "script")}\n</script>`;
});
html = html.replace(/<script type="module" src="([\w.-]+\.js)"><\/script>/, (_, file) => {
  ++replaced;
  return `<script type="module">\n${inline(bundle(file), "script")}\n</script>`;
});
if (replaced !== 3) fail(`expected a style sheet, the core script and the page module in ${pagePath}`);
if (/<(script|link)[^>]+(src|href)=/i.test(html)) fail("the page still refers to another file");
writeFileSync(outPath, html);
console.log(`assemble: ${outPath} (${Math.round(html.length / 1024)} KiB)`);
