// Puts the page together into one self-contained HTML file: the style sheet,
// the module script of the core (with its WebAssembly inside), the page's
// JavaScript modules and the English translations of the interface are
// written into the HTML, so that the file works opened from disk, with no
// server and no network.
//
//   node assemble.mjs PAGE/index.html fieldcore.js TRANSLATIONS.ts OUT.html
//
// The modules become one module script: each is wrapped in a function that
// returns its exports, in the order of their imports. Imports are single
// lines of the form  import { a, b as c } from "./file.js";  and exports
// are declarations (export function / class / const / let / async
// function); anything else is refused, so nothing is lost silently.

import { readFileSync, writeFileSync } from "node:fs";
import { dirname, join, basename } from "node:path";

const [pagePath, corePath, translationsPath, outPath] = process.argv.slice(2);
if (!outPath) {
  console.error("usage: node assemble.mjs index.html fieldcore.js translations.ts out.html");
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

// The finished entries of a Qt translation file, as [context, source,
// disambiguation, translation]: the table the page's texts and the core's
// are looked up in (i18n.js).
function translationTable(ts) {
  const text = (xml) =>
    xml.replace(/&(#x[0-9a-f]+|#[0-9]+|lt|gt|amp|quot|apos);/gi, (_, entity) => {
      const named = { lt: "<", gt: ">", amp: "&", quot: '"', apos: "'" }[entity.toLowerCase()];
      if (named) return named;
      return String.fromCodePoint(entity[1] === "x" || entity[1] === "X" ? parseInt(entity.slice(2), 16) : parseInt(entity.slice(1), 10));
    });
  const table = [];
  for (const [, context] of ts.matchAll(/<context>([\s\S]*?)<\/context>/g)) {
    const name = /<name>([\s\S]*?)<\/name>/.exec(context);
    if (!name) fail("a context without a name in the translations");
    for (const [, message] of context.matchAll(/<message>([\s\S]*?)<\/message>/g)) {
      const source = /<source>([\s\S]*?)<\/source>/.exec(message);
      const comment = /<comment>([\s\S]*?)<\/comment>/.exec(message);
      const translation = /<translation(\s+type="(\w+)")?\s*>([\s\S]*?)<\/translation>/.exec(message);
      if (!source || !translation) fail(`a message without source or translation in context ${name[1]}`);
      if (translation[2]) continue; // unfinished, vanished or obsolete
      table.push([text(name[1]), text(source[1]), comment ? text(comment[1]) : "", text(translation[3])]);
    }
  }
  return table;
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
html = html.replace(/(<script type="application\/json" id="translations">)\[\](<\/script>)/, (_, open, close) => {
  ++replaced;
  const table = translationTable(readFileSync(translationsPath, "utf8"));
  return open + inline(JSON.stringify(table), "script") + close;
});
if (replaced !== 4) fail(`expected a style sheet, the core script, the page module and the translations' table in ${pagePath}`);
if (/<(script|link)[^>]+(src|href)=/i.test(html)) fail("the page still refers to another file");
writeFileSync(outPath, html);
console.log(`assemble: ${outPath} (${Math.round(html.length / 1024)} KiB)`);
