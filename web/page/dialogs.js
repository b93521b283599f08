// Modal dialogs inside the page: the program's messages (title, icon,
// prompt and "确定") and the choice of format when saving the picture.
// Each returns a promise that settles when the dialog is dismissed; Escape
// dismisses a message as "确定" does, and cancels the save.

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

// "png", "svg", or null when cancelled.
export async function askSaveFormat() {
  const choice = await run(document.getElementById("saveDialog"));
  return choice === "png" || choice === "svg" ? choice : null;
}

// True while a modal dialog is open.
export function dialogOpen() {
  return document.querySelector("dialog[open]") !== null;
}
