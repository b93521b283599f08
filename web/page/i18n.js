// The page's language and the translations of its texts. The page is
// Chinese, or English with lang=en in its address or, without lang, when
// the browser prefers English; lang=zh forces Chinese. The translations are
// the window's own (translations/fieldlines_en.ts), which assemble.mjs
// writes into the page as the table #translations: [context, source,
// disambiguation, translation] for every finished entry.

function readTable() {
  const element = document.getElementById("translations");
  try {
    return element ? JSON.parse(element.textContent) : [];
  } catch {
    return [];
  }
}

// "en" or "zh": the address's lang first, then the browser's preferred
// language.
export function chooseLanguage(search, preferred) {
  const asked = new URLSearchParams(search).get("lang");
  if (asked === "en" || asked === "zh") return asked;
  return /^en\b/i.test(preferred ?? "") ? "en" : "zh";
}

export const language = chooseLanguage(location.search, navigator.languages?.[0] ?? navigator.language);

const key = (context, source, disambiguation) => `${context}\u0004${source}\u0004${disambiguation ?? ""}`;
const table = new Map();
// The entries without a disambiguation, as the core looks them up.
export const coreTranslations = [];
if (language === "en") {
  for (const [context, source, disambiguation, translation] of readTable()) {
    table.set(key(context, source, disambiguation), translation);
    if (!disambiguation) coreTranslations.push([context, source, translation]);
  }
}

// A text of the interface in the page's language, as Qt's qsTranslate
// gives it: the source itself where there is no translation.
export function qsTranslate(context, source, disambiguation) {
  return table.get(key(context, source, disambiguation)) ?? source;
}

// The text with %1, %2 … replaced by the arguments in turn.
export function withArguments(text, ...values) {
  return values.reduce((out, value, i) => out.replace(`%${i + 1}`, String(value)), text);
}
