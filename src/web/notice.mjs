// The notice bar at the foot of the screen: one notice at a time, spoken as it
// appears (role="status"), with a button where it can be undone. It stays the core's undo time,
// and longer while the pointer or the keyboard's focus is on it; a new notice replaces it.
import { ids } from 'pelio-constants';
import { $ } from './core.mjs';

const bar = $(ids.noticeBar);
const { seconds, undoCaption, undone } = bar.dataset;
let timer = 0;
const on = { pointer: false, focus: false };

function clear() {
  clearTimeout(timer);
  bar.replaceChildren();
  document.documentElement.classList.remove('noticed');
}
const wait = () => {
  clearTimeout(timer);
  if (!on.pointer && !on.focus) timer = setTimeout(clear, seconds * 1000);
};
for (const [type, what, is] of [['pointerenter', 'pointer', true], ['pointerleave', 'pointer', false],
  ['focusin', 'focus', true], ['focusout', 'focus', false]]) {
  bar.addEventListener(type, (event) => {
    on[what] = is || bar.contains(event.relatedTarget);
    wait();
  });
}

// Shows `text`; with `undo`, a button that calls it and then says that it is undone.
export function notice(text, undo) {
  const children = [Object.assign(document.createElement('span'), { textContent: text })];
  if (undo) {
    const button = Object.assign(document.createElement('button'), { type: 'button', textContent: undoCaption });
    button.addEventListener('click', () => {
      const focused = document.activeElement === button;
      undo();
      notice(undone);
      if (focused) bar.focus();
    });
    children.push(button);
  }
  bar.replaceChildren(...children);
  document.documentElement.classList.add('noticed');
  wait();
}
