// The picture's menu: a list of entries shown at a point or under the
// button that opened it, with submenus, for a mouse, a finger, a pen and
// the keyboard. An entry is "separator" or { id, text, shortcut, checked
// (true or false for a switch), action, entries (a submenu) }. Activating
// an entry closes the menu first, then runs its action.
//
// Keys: ↑ ↓ Home End move, Enter and Space choose, → opens a submenu, ←
// closes it, Escape closes the menu (a submenu first) and Tab leaves it;
// focus goes back to where the menu was opened from.

export class Menu {
  constructor(element) {
    this.root = element;
    this.levels = []; // the open menus: the root, then a submenu
    this.returnFocus = null;
    this.onClose = () => {};
    element.addEventListener("keydown", (event) => this.key(event, 0));
    document.addEventListener("pointerdown", (event) => {
      if (this.isOpen() && !this.levels.some((level) => level.contains(event.target))) this.close(false);
    });
    addEventListener("blur", () => this.close(false));
  }

  isOpen() {
    return !this.root.hidden;
  }

  // Opens the menu with these entries at (x, y) of the window, or under an
  // element (at: { below }), with the first entry focused.
  open(entries, at, returnFocus) {
    this.close(false);
    this.returnFocus = returnFocus ?? document.activeElement;
    this.fill(this.root, entries, 0);
    this.root.hidden = false;
    this.levels = [this.root];
    const anchor = at.below?.getBoundingClientRect();
    if (anchor) this.place(this.root, anchor.right - this.root.offsetWidth, anchor.bottom + 2, anchor.left);
    else this.place(this.root, at.x, at.y, at.x);
    this.items(this.root)[0]?.focus();
  }

  // Closes the menu; focus goes back where it came from unless the
  // pointer went elsewhere.
  close(restoreFocus = true) {
    if (!this.isOpen()) return;
    for (const level of this.levels.slice(1)) level.remove();
    this.levels = [];
    this.root.hidden = true;
    this.root.replaceChildren();
    if (restoreFocus && this.returnFocus?.isConnected) this.returnFocus.focus({ preventScroll: true });
    this.onClose();
  }

  fill(menu, entries, depth) {
    menu.replaceChildren(
      ...entries.map((entry) => {
        if (entry === "separator") {
          const line = document.createElement("div");
          line.setAttribute("role", "separator");
          return line;
        }
        const item = document.createElement("button");
        item.type = "button";
        item.id = entry.id;
        item.tabIndex = -1;
        const text = document.createElement("span");
        text.textContent = entry.text;
        item.append(text);
        if (entry.shortcut) {
          const shortcut = document.createElement("span");
          shortcut.className = "shortcut";
          shortcut.textContent = entry.shortcut;
          item.append(shortcut);
        }
        if (entry.entries) {
          item.setAttribute("role", "menuitem");
          item.setAttribute("aria-haspopup", "menu");
          item.setAttribute("aria-expanded", "false");
          item.addEventListener("click", () => this.openSubmenu(item, entry.entries, depth + 1));
        } else {
          item.setAttribute("role", entry.checked === undefined ? "menuitem" : "menuitemcheckbox");
          if (entry.checked !== undefined) item.setAttribute("aria-checked", String(entry.checked));
          item.addEventListener("click", () => {
            this.close();
            entry.action();
          });
        }
        return item;
      }),
    );
  }

  openSubmenu(parent, entries, depth) {
    for (const level of this.levels.slice(depth)) level.remove();
    this.levels.length = depth;
    for (const item of this.levels[depth - 1].querySelectorAll("[aria-expanded]")) item.setAttribute("aria-expanded", "false");
    const menu = document.createElement("div");
    menu.className = "menu";
    menu.setAttribute("role", "menu");
    menu.id = `${parent.id}Menu`;
    menu.setAttribute("aria-labelledby", parent.id);
    menu.addEventListener("keydown", (event) => this.key(event, depth));
    this.fill(menu, entries, depth);
    document.body.append(menu);
    this.levels.push(menu);
    parent.setAttribute("aria-expanded", "true");
    const box = parent.getBoundingClientRect();
    this.place(menu, box.right, box.top, box.left - menu.offsetWidth);
    this.items(menu)[0]?.focus();
  }

  // Puts a menu at (x, y), or at (otherX, y) when it would leave the
  // window on the right, and inside the window.
  place(menu, x, y, otherX) {
    const width = menu.offsetWidth;
    const height = menu.offsetHeight;
    const left = x + width <= innerWidth ? x : otherX - (otherX === x ? width : 0);
    menu.style.left = `${Math.max(0, Math.min(left, innerWidth - width))}px`;
    menu.style.top = `${Math.max(0, Math.min(y, innerHeight - height))}px`;
  }

  items(menu) {
    return [...menu.querySelectorAll("button")];
  }

  key(event, depth) {
    const menu = this.levels[depth];
    if (!menu) return;
    const items = this.items(menu);
    const at = items.indexOf(document.activeElement);
    const go = (i) => items[(i + items.length) % items.length]?.focus();
    const current = items[at];
    switch (event.key) {
      case "ArrowDown":
        go(at + 1);
        break;
      case "ArrowUp":
        go(at < 0 ? -1 : at - 1);
        break;
      case "Home":
        go(0);
        break;
      case "End":
        go(-1);
        break;
      case "ArrowRight":
        if (current?.hasAttribute("aria-haspopup")) current.click();
        break;
      case "ArrowLeft":
      case "Escape":
        if (depth > 0) {
          const parent = document.getElementById(menu.getAttribute("aria-labelledby"));
          menu.remove();
          this.levels.length = depth;
          parent?.setAttribute("aria-expanded", "false");
          parent?.focus();
        } else if (event.key === "Escape") {
          this.close();
        } else {
          return;
        }
        break;
      case "Tab":
        this.close();
        return;
      default:
        return;
    }
    event.preventDefault();
    event.stopPropagation();
  }
}
