// The notebook: every memo written or read, kept in localStorage as the core's text of it, read
// from there only when first needed, and merged with another tab's change as soon as storage
// says there is one. Storage that is full or blocked costs only the keeping: the page says so
// once, and the notebook lives on in the tab. Its window lists the entries newest first; one
// chosen is read as Enter would read it.
import { ids } from 'pelio-constants';
import { $, call, core, passLong, read } from './core.mjs';
import { notice } from './notice.mjs';

const storageKey = 'pelio.notebook';
const notebookWindow = $('Log_Win');
const list = $(ids.notebookList);
const undoButton = $('Log_Undo');
const message = $('Log_Msg');
const file = $('Log_Load');
let loaded = false;
let storedText = null; // storage's text as last read or written here
let saving = 0;
let warned = false;

function cannotStore() {
  if (!warned) notice($(ids.noticeBar).dataset.unsaved);
  warned = true;
}

// Before the first memo goes in, the first time the notebook is shown, or a refusal is found
// again, which the notebook's memos rank.
export function loadNotebook() {
  if (loaded) return;
  loaded = true;
  try {
    storedText = localStorage.getItem(storageKey) ?? '';
  } catch {
    cannotStore();
  }
  call('notebook_load', passLong(storedText ?? ''));
}

// The entries as one piece of markup, which the browser parses faster than it builds a
// thousand entries element by element.
const escaped = (text) => text.replace(/[&<>"]/g, (c) => `&#${c.charCodeAt(0)};`);
function show() {
  if (!notebookWindow.open) return;
  const lines = read(call('notes')).split('\n').map(escaped);
  const remove = escaped(notebookWindow.dataset.delete);
  let entries = '';
  for (let at = 0; at + 5 < lines.length; at += 5) {
    const [memo, time, details, changes, spoken] = lines.slice(at, at + 5);
    entries += `<li><button class="entry" data-memo="${memo.replaceAll('\u3000', '')}" aria-label="${spoken}">`
      + `<span class="kana">${memo}</span><span>${time}　${details}</span><span>${changes}</span></button>`
      + `<button class="delete" aria-label="${remove} ${time} ${memo}">${remove}</button></li>`;
  }
  list.innerHTML = entries;
  $('Log_Empty').hidden = entries !== '';
  $('Log_Clr').disabled = entries === '';
}

// Another tab's notebook merged in; whether storage lacks what this one holds.
function merge(text) {
  const merged = call('notebook_merge', passLong(text));
  storedText = text;
  if (merged & 1) show();
  return (merged & 2) !== 0;
}

// Written once the handler that changed it has shown its results, merged first with a change
// from another tab that storage has not announced yet.
function save() {
  saving = 0;
  try {
    const current = localStorage.getItem(storageKey) ?? '';
    if (current !== storedText) merge(current);
    const text = read(call('notebook_text'));
    if (text !== storedText) localStorage.setItem(storageKey, text);
    storedText = text;
    call('notebook_stored');
  } catch {
    cannotStore();
  }
}
export function notebookChanged() {
  show();
  saving ||= setTimeout(save);
}

addEventListener('storage', (event) => {
  if (loaded && (event.key === storageKey || event.key === null) && merge(event.newValue ?? '')) notebookChanged();
});

function deleted() {
  undoButton.disabled = false;
  notebookChanged();
}

// `choose` reads a memo chosen in the notebook.
export function setUpNotebook(opener, choose) {
  opener.addEventListener('click', () => {
    loadNotebook();
    notebookWindow.show();
    show();
    (list.querySelector('.entry') ?? $('Log_Close')).focus();
  });
  const close = () => {
    notebookWindow.close();
    opener.focus();
  };
  notebookWindow.addEventListener('keydown', (event) => {
    if (event.key === 'Escape') close();
    else if (event.key === 'Delete' && event.target.dataset.memo) event.target.nextElementSibling.click();
  });
  list.addEventListener('click', (event) => {
    const button = event.target.closest('button');
    if (!button) return;
    const index = [...list.children].indexOf(button.parentElement);
    if (button.dataset.memo) {
      notebookWindow.close();
      choose(button.dataset.memo);
      return;
    }
    call('note_remove', index);
    deleted();
    const next = list.children[Math.min(index, list.children.length - 1)];
    (next?.querySelector('.entry') ?? $('Log_Close')).focus();
  });
  $('Log_Clr').addEventListener('click', () => {
    call('note_clear');
    deleted();
    undoButton.focus();
  });
  undoButton.addEventListener('click', () => {
    call('note_restore');
    undoButton.disabled = true;
    notebookChanged();
    $('Log_Clr').focus();
  });
  $('Log_Close').addEventListener('click', close);
  $('Log_Save').addEventListener('click', (event) => {
    const url = URL.createObjectURL(new Blob([read(call('notebook_text'))], { type: 'text/plain' }));
    Object.assign(document.createElement('a'), { href: url, download: event.target.dataset.file }).click();
    setTimeout(() => URL.revokeObjectURL(url));
  });
  // A file's first bytes, up to one more than the core reads, so that it can tell one too large.
  file.addEventListener('change', async () => {
    const [chosen] = file.files;
    if (!chosen) return;
    const bytes = new Uint8Array(await chosen.slice(0, Number(file.dataset.limit) + 1).arrayBuffer());
    core.HEAPU8.set(bytes, call('long_input', bytes.length >> 1));
    message.textContent = read(call('notebook_import', bytes.length));
    file.value = '';
    notebookChanged();
  });
}
