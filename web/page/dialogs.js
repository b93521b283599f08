// Modal dialogs inside the page: the program's messages (title, icon,
// prompt and "确定"), the choice of format when saving the picture, one
// charge's x, y and amount, and the list of all charges. Each returns a
// promise that settles when the dialog is dismissed; Escape dismisses a
// message as "确定" does, and cancels the others.

import { kTexts } from "./texts.js";
import { withArguments } from "./i18n.js";

function run(dialog) {
  return new Promise((resolve) => {
    const closed = () => {
      dialog.removeEventListener("close", closed);
      resolve(dialog.returnValue);
    };
    dialog.returnValue = "";
    dialog.addEventListener("close", closed);
    dialog.showModal();
  });
}

// Messages shown while another is still open wait their turn, as message
// boxes raised one after the other do.
let queue = Promise.resolve();

export function showMessage({ title, prompt, failure }) {
  const dialog = document.getElementById("messageDialog");
  const shown = queue.then(() => {
    dialog.querySelector("#messageTitle").textContent = title;
    dialog.querySelector("#messagePrompt").textContent = prompt;
    dialog.classList.toggle("failure", Boolean(failure));
    return run(dialog);
  });
  queue = shown.then(
    () => undefined,
    () => undefined,
  );
  return shown.then(() => undefined);
}

// formats: the rows of the core's table the page saves ({ suffix, name }).
// Returns the suffix chosen, or null when cancelled.
export async function askSaveFormat(formats) {
  const dialog = document.getElementById("saveDialog");
  const buttons = formats.map(({ suffix, name }) => {
    const button = document.createElement("button");
    button.value = suffix;
    button.textContent = name;
    return button;
  });
  buttons[0]?.setAttribute("autofocus", "");
  dialog.querySelector("#saveButtons").replaceChildren(...buttons, dialog.querySelector("#saveCancel"));
  const choice = await run(dialog);
  return formats.some((f) => f.suffix === choice) ? choice : null;
}

// A dialog whose "确定" asks judge(values) first: a refusal (a message) is
// shown and the dialog stays open; otherwise the dialog closes. Resolves
// true when it closed by "确定".
function judged(dialog, values, judge) {
  const form = dialog.querySelector("form");
  const submitted = async (event) => {
    if (event.submitter?.value !== "ok" && event.submitter) return;
    event.preventDefault();
    const refusal = judge(values());
    if (refusal) {
      await showMessage(refusal);
      return;
    }
    dialog.close("ok");
  };
  form.addEventListener("submit", submitted);
  return run(dialog).then((value) => {
    form.removeEventListener("submit", submitted);
    return value === "ok";
  });
}

// One charge, number (from 1): its three texts in boxes, as [x, y, q]
// taken by judge, which returns a refusal or null.
export function editCharge(number, texts, judge) {
  const dialog = document.getElementById("chargeDialog");
  dialog.querySelector("#chargeTitle").textContent = withArguments(kTexts.changeTitle, number);
  const boxes = ["#chargeX", "#chargeY", "#chargeQ"].map((id) => dialog.querySelector(id));
  boxes.forEach((box, i) => (box.value = texts[i]));
  boxes[0].setAttribute("autofocus", "");
  return judged(dialog, () => boxes.map((box) => box.value), judge);
}

// The list of charges, [[x, y, q], …], in a table to edit, add to and
// remove from; the list is taken by judge, which returns a refusal or null.
// added are the texts of a charge the list's button adds.
export function editChargeList(charges, added, judge) {
  const dialog = document.getElementById("listDialog");
  const rows = dialog.querySelector("#listRows");
  const renumber = () =>
    [...rows.children].forEach((row, i) => {
      row.querySelector("th").textContent = `Q${i + 1}`;
      row.querySelectorAll("input").forEach((input, part) =>
        input.setAttribute("aria-label", withArguments(kTexts.fieldName, i + 1, ["x", "y", kTexts.listAmount][part])),
      );
      row.querySelector("button").setAttribute("aria-label", withArguments(kTexts.listRemoveName, i + 1));
    });
  const row = (texts) => {
    const tr = document.createElement("tr");
    const th = document.createElement("th");
    th.scope = "row";
    tr.append(th);
    for (const text of texts) {
      const td = document.createElement("td");
      const input = document.createElement("input");
      input.autocomplete = "off";
      input.spellcheck = false;
      input.value = text;
      td.append(input);
      tr.append(td);
    }
    const td = document.createElement("td");
    const remove = document.createElement("button");
    remove.type = "button";
    remove.textContent = kTexts.listRemove;
    remove.addEventListener("click", () => {
      const next = tr.nextElementSibling ?? tr.previousElementSibling;
      tr.remove();
      renumber();
      (next?.querySelector("input") ?? dialog.querySelector("#listAdd")).focus();
    });
    td.append(remove);
    tr.append(td);
    return tr;
  };
  rows.replaceChildren(...charges.map(row));
  renumber();
  const add = dialog.querySelector("#listAdd");
  const adding = () => {
    const tr = row(added);
    rows.append(tr);
    renumber();
    tr.querySelector("input").focus();
  };
  add.addEventListener("click", adding);
  const values = () => [...rows.children].map((tr) => [...tr.querySelectorAll("input")].map((input) => input.value));
  (rows.querySelector("input") ?? add).setAttribute("autofocus", "");
  return judged(dialog, values, judge).then((taken) => {
    add.removeEventListener("click", adding);
    rows.querySelector("[autofocus]")?.removeAttribute("autofocus");
    add.removeAttribute("autofocus");
    return taken;
  });
}

// True while a modal dialog is open.
export function dialogOpen() {
  return document.querySelector("dialog[open]") !== null;
}
