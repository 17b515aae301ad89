// The keys that do more than type: the shortcuts the page's controls announce, and the arrow keys
// among the keyboard grid's members.
import { call, core } from './core.mjs';

// Shortcuts, as the page's controls announce them: "Control+Enter", "Alt+N".
const shortcuts = [...document.querySelectorAll('[aria-keyshortcuts]')].map((control) => {
  const keys = control.getAttribute('aria-keyshortcuts').split('+');
  const key = keys.pop();
  return { control, key, ctrl: keys.includes('Control'), alt: keys.includes('Alt'), shift: keys.includes('Shift') };
});
const matches = (shortcut, event) => event.ctrlKey === shortcut.ctrl && event.altKey === shortcut.alt
  && event.shiftKey === shortcut.shift && !event.metaKey
  && (shortcut.key.length === 1 ? event.code === `Key${shortcut.key}` : event.key === shortcut.key);

// The keys move as they stand on screen, in whichever layout is shown: the core is handed
// their places in CSS pixels, from the page's corner so that scrolling moves none of them.
const keyPlaces = call('keyboard_cells') / 4;
export function moveInKeyboard(keyboard, from, direction) {
  keyboard.forEach((member, i) => {
    const box = member.getBoundingClientRect();
    core.HEAP32.set([box.left + scrollX, box.top + scrollY, box.width, box.height].map(Math.round), keyPlaces + 4 * i);
  });
  const to = keyboard[call('keyboard_neighbour', Number(from.dataset.member), direction)];
  from.tabIndex = -1;
  to.tabIndex = 0;
  to.focus();
}

// The control whose shortcut `event` is, if any.
export const shortcutFor = (event) => shortcuts.find((s) => matches(s, event))?.control;
