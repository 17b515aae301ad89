// The page's script: it draws what the core leaves in its state record and forwards the
// player's clicks and keys to it, as the desktop window does. Every rule is the core's
// (binding.cpp); the page itself was written from the core's tables at build time, with the
// core's script and its WebAssembly in its head (core.mjs starts it). The build bundles this
// script and the modules it imports into one classic script.
//
// It comes at the end of the page and does all it does at once: every control is parsed by
// then, and the page is ready within the task that parsed it, before it is first drawn. A
// module script, or anything awaited, would let the browser lay out and draw the page with its
// controls disabled first, and so would a pause of the parser half-way through the page: the
// page's head asks browsers that can to draw nothing until the element after this script is
// parsed (rel=expect; Chromium lets the page be drawn as soon as the start tag of the element
// named is parsed, so it cannot be this script).
import { Command, arrows, commandOf, ids, outcomes } from 'pelio-constants';
import { $, call, core, pass, read, started } from './core.mjs';
import { notice } from './notice.mjs';
import { moveInKeyboard, shortcutFor } from './keys.mjs';
import { loadNotebook, notebookChanged, setUpNotebook } from './notebook.mjs';
import { setUpPictureInput } from './picture_input.mjs';
import { offerUpdates } from './updates.mjs';

const flags = Array.from({ length: call('flag_count') }, (_, i) => ({
  number: i + 1,
  box: $(read(call('flag_name', i + 1))),
  page: call('flag_page_of', i + 1),
}));
// The memo box, then the rank line and the hint lines.
const results = Array.from({ length: call('result_count') }, (_, i) => $(read(call('result_label', i))));
const [memo] = results;
const nameBoxes = [...document.querySelectorAll('.name-box')];
// The keyboard grid's members by number; the first ones are the kana keys, by code. The grid is
// one stop for Tab, its first key, and the arrow keys move within it.
const keyboard = [];
for (const member of document.querySelectorAll('[data-member]')) keyboard[Number(member.dataset.member)] = member;
keyboard.forEach((member, i) => { member.tabIndex = i ? -1 : 0; });
const kanaKeys = Number(document.querySelector('[data-kana-keys]').dataset.kanaKeys);
const reason = $(ids.reason);
const heard = $('Pel_Said');
const fixList = $(ids.fixList);
const fixItems = $('Fix_Items');
const dialog = $(ids.aboutDialog);
// As the style sheet tells a touch screen.
const touch = matchMedia('(pointer: coarse)');

// Each box is named by its letter of the name and what a screen reader says of it; the marked
// one, where the cursor is, is the current one. The key tapped last shows as pressed until it
// is input.
const slotNames = nameBoxes.map((box) => box.getAttribute('aria-label'));
function showName() {
  const selected = call('selected_key');
  keyboard.slice(0, kanaKeys).forEach((key, code) => key.setAttribute('aria-pressed', code === selected));
  const highlighted = call('highlighted_slot');
  nameBoxes.forEach((box, i) => {
    box.textContent = String.fromCharCode(call('name_box', i + 1));
    box.setAttribute('aria-label', `${slotNames[i]} ${read(call('name_box_spoken', i + 1))}`);
    if (highlighted === i + 1) box.setAttribute('aria-current', 'true');
    else box.removeAttribute('aria-current');
  });
}

function showFlags() {
  for (const flag of flags) flag.box.checked = call('is_set', flag.number) === 1;
}

function showPage() {
  const shown = call('shown_page');
  $(ids.switchPage).textContent = read(call('page_switch_caption'));
  // A box that is hidden hands its focus to the first box of the page now shown.
  const focusWasHidden = flags.some((f) => f.box === document.activeElement && f.page !== shown);
  for (const flag of flags) flag.box.parentElement.hidden = flag.page !== shown;
  if (focusWasHidden) flags.find((f) => f.page === shown).box.focus();
}

function showResults() {
  results.forEach((control, i) => {
    const text = read(call('result_text', i));
    if (control === memo) memo.value = text;
    else control.textContent = text;
  });
  showReason();
}

// What a screen reader is told: every result, reason and choice, in the one live region. Each
// text comes in an element of its own, so that the same text again is told again, and stays a
// while, as Orca looks at it when it comes to it, later. Orca passes over a text that Chromium
// hands it just as it did the one before, so the same text again has a zero-width space after
// it, every other time.
let told = '';
function say(text) {
  told = told === text ? `${text}\u200b` : text;
  heard.append(Object.assign(document.createElement('div'), { textContent: told }));
  if (heard.childElementCount > 8) heard.firstElementChild.remove();
}

// The reason beside the box, in red but for a note on a completion (`look`), and a refused
// memo's text in red too; a picture that gave no memo leaves the box as it was. It holds,
// unseen, the rest of what a screen reader is told of the outcome (`said`): of a refused memo
// it is the box's error message, which a screen reader reads as it comes back to the box.
function showReason(text = '', said = '', look = '') {
  const at = text ? said.indexOf(text) : -1;
  const unseen = (part) => Object.assign(document.createElement('span'), { className: 'unseen', textContent: part });
  if (at < 0) reason.replaceChildren();
  else reason.replaceChildren(unseen(said.slice(0, at)), text, unseen(said.slice(at + text.length)));
  reason.className = `reason ${look}`;
  if (look !== 'picture') {
    memo.classList.toggle('rejected', look === 'refused');
    if (look === 'refused') memo.setAttribute('aria-invalid', 'true');
    else memo.removeAttribute('aria-invalid');
  }
  if (!text) showFixes([]);
}

// Kana as a line of text, those whose bit is set in `bits` marked.
const markKana = (line, text, bits) => line.replaceChildren(...[...text].map((kana, i) =>
  ((bits >>> i) & 1 ? Object.assign(document.createElement('mark'), { textContent: kana }) : kana)));

// The memos offered, best first, under a heading that counts them and over a hint where there
// is a choice: each begins with the memo as the box shows it, the kana the fix changed marked,
// and says on a line of its own what sets it apart from the others.
function showFixes(fixes, heading = '', hint = '') {
  $('Fix_Head').textContent = heading;
  Object.assign($('Fix_Hint'), { textContent: hint, hidden: !hint });
  fixItems.replaceChildren(...fixes.map((fix) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.dataset.memo = fix.memo.replaceAll('\u3000', '');
    button.setAttribute('aria-label', fix.spoken);
    const memoText = Object.assign(document.createElement('span'), { className: 'kana' });
    markKana(memoText, fix.memo, fix.marked);
    button.append(memoText, ...[['holds', fix.details], ['differences', fix.differences]]
      .map(([className, textContent]) => Object.assign(document.createElement('span'), { className, textContent })));
    button.addEventListener('click', (event) => {
      memo.value = fix.memo;
      showReason();
      // Chosen by a key, the focus goes back to the box; a tap leaves the on-screen keyboard closed.
      if (event.detail === 0 || !touch.matches) memo.focus();
      // The memo last written is not read again; the choice is confirmed all the same.
      if (readMemo() === outcomes.unchanged) say(read(call('spoken_results')));
    });
    return button;
  }));
  fixList.hidden = fixes.length === 0;
}

// What Enter, 完了 or a picture did with the memo box, and how its reason looks.
const reasonLooks = { [outcomes.refused]: 'refused', [outcomes.completed]: 'note', [outcomes.noMemo]: 'picture' };
function showOutcome(outcome) {
  if (outcome === outcomes.read) {
    showName();
    showFlags();
  }
  if (outcome === outcomes.completed || outcome === outcomes.read) {
    showResults();
    refitMemo();
  }
  if (outcome === outcomes.unchanged) return outcome;
  const [text, said, heading, hint] = read(call('outcome_texts')).split('\n');
  showReason(text, said, reasonLooks[outcome] ?? '');
  if (said) say(said);
  if (!text) return outcome;
  showFixes(Array.from({ length: call('fix_count') }, (_, i) => {
    const [memoText, details, differences, spoken] = read(call('fix', i)).split('\n');
    return { memo: memoText, marked: call('fix_marked', i), details, differences, spoken };
  }), heading, hint);
  return outcome;
}

// クリア, 全フラグセット and a memo read that replaced the name or the ticks offer to take it back
// for a while; the undo puts back the entry and the box, and the box's refusal, if any.
function offerUndo() {
  const offered = read(call('undo_offered'));
  if (offered) notice(offered, undo);
}
function undo() {
  loadNotebook();
  const box = read(call('undo_box'));
  const outcome = call('undo');
  showName();
  showFlags();
  showPage();
  showResults();
  memo.value = box;
  refitMemo();
  showOutcome(outcome);
}

// What each command's button does; the notebook's and the picture's set themselves up.
const handlers = {
  [Command.backspace]() { call('backspace'); showName(); },
  [Command.input]() { call('commit_key'); showName(); },
  [Command.switchPage]() { call('switch_page'); showPage(); },
  [Command.answer]() { readBox('answer'); },
  [Command.clear]() { call('reset', pass(memo.value)); showFlags(); showName(); showResults(); refitMemo(); offerUndo(); },
  [Command.setAll]() { call('set_all_flags', pass(memo.value)); showFlags(); offerUndo(); },
  [Command.copyMemo]() { navigator.clipboard.writeText(memo.value); },
  // The page's address with the box's memo, shared as a phone shares a link where it can.
  [Command.copyLink]() {
    const link = new URL(location.href);
    link.hash = `memo=${memo.value.replace(/\s/g, '')}`;
    if (touch.matches && navigator.share) navigator.share({ url: link.href }).catch(() => {});
    else navigator.clipboard.writeText(link.href);
  },
  [Command.about]() { dialog.show(); },
  [Command.closeAbout]() { dialog.close(); },
};

function typeText(text) {
  call('type', pass(text));
  showName();
}

// 完了, Enter in the memo box, or a picture's reading: the memo written or read goes into the
// notebook, at the time it is. A picture's reading is its words in the core's long input.
function readBox(how, ...input) {
  loadNotebook();
  const now = new Date();
  call('set_time', now.getFullYear(), now.getMonth() + 1, now.getDate(), now.getHours(), now.getMinutes(), now.getSeconds());
  const outcome = call(how, ...input, pass(memo.value));
  if (how === 'read_picture') memo.value = read(call('picture_box'));
  showInView(outcome);
  if (outcome === outcomes.completed || outcome === outcomes.read) notebookChanged();
  offerUndo();
  return outcome;
}
const readMemo = () => readBox('enter_memo');

setUpPictureInput({
  readWords(words) {
    loadNotebook(); // before the words go in: it passes storage's text through the same input
    core.HEAPU8.set(new Uint8Array(words.buffer), call('long_input', words.length * 2));
    readBox('read_picture', words.length);
    refitMemo();
    remember();
    return [memo.value, call('picture_uncertain')];
  },
  markKana,
  failed() {
    const text = $('Pic_Seen').dataset.failed;
    showReason(text, text, 'picture');
    say(text);
  },
});

// A memo from the notebook or a link is read as Enter would read it.
function readChosen(text) {
  memo.value = text;
  showReason();
  if (!touch.matches) memo.focus();
  readMemo();
}
setUpNotebook($(ids.notebook), readChosen);

// …#memo= and a memo, opened or followed while the page is open: read, unless the tab holds an
// entry that it would replace, where it goes into the box unread. A reload leaves the link it
// followed before.
let linkFollowed = '';
function followLink() {
  const linked = new URLSearchParams(location.hash.slice(1)).get('memo');
  if (linked === null || location.hash === linkFollowed) return;
  linkFollowed = location.hash;
  if (!call('holds_input', pass(memo.value))) {
    readChosen(linked);
    return;
  }
  const before = memo.value;
  memo.value = linked;
  showReason();
  refitMemo();
  notice($(ids.noticeBar).dataset.linkUnread, () => {
    memo.value = before;
    refitMemo();
  });
}
addEventListener('hashchange', followLink);

// A reason, and the memos offered, are brought into view: the list's end, and the reason's
// start above all. On a touch screen the box lets go of the focus, so that the on-screen keyboard
// closes rather than cover them.
function showInView(outcome) {
  showOutcome(outcome);
  if (!reason.textContent) return;
  if (touch.matches && document.activeElement === memo) memo.blur();
  for (const shown of [fixList, reason]) if (!shown.hidden) shown.scrollIntoView({ block: 'nearest' });
}

// Whether the memo box refuses `incoming` text in place of its selection, and says why.
function refuses(incoming) {
  const resulting = memo.value.length - (memo.selectionEnd - memo.selectionStart) + incoming.length;
  const refusal = read(call('refusal', pass(incoming), resulting));
  if (refusal) {
    showReason(refusal, refusal);
    say(refusal);
  }
  return refusal !== null;
}

document.addEventListener('click', (event) => {
  const button = event.target.closest('button');
  if (!button || fixList.contains(button)) return;
  const member = Number(button.dataset.member ?? -1);
  if (member >= 0 && member < kanaKeys) {
    call('press_key', member);
    showName();
  } else handlers[commandOf[button.id]]?.();
});

document.addEventListener('change', (event) => {
  const number = Number(event.target.dataset.flag);
  if (number) call('set_flag', number, event.target.checked ? 1 : 0);
});

memo.addEventListener('input', () => {
  showReason();
  refitMemo();
});
memo.addEventListener('beforeinput', (event) => {
  if (event.data && refuses(event.data)) event.preventDefault();
});
for (const type of ['paste', 'drop']) {
  memo.addEventListener(type, (event) => {
    const transfer = event.clipboardData ?? event.dataTransfer;
    if (refuses(transfer.getData('text'))) event.preventDefault();
  });
}

document.addEventListener('keydown', (event) => {
  const shortcut = shortcutFor(event);
  // Held down, a shortcut or Enter on a button would act again with every repeat.
  if (shortcut) {
    event.preventDefault();
    if (!shortcut.disabled && !event.repeat) shortcut.click();
    return;
  }
  if (event.repeat && event.key === 'Enter' && event.target.localName === 'button') {
    event.preventDefault();
    return;
  }
  if (event.target === memo) {
    if (event.key === 'Enter' && !event.isComposing) readMemo();
    if (event.key === 'ArrowDown' && !fixList.hidden) {
      event.preventDefault();
      fixItems.firstElementChild.focus();
    }
    return;
  }
  if (fixItems.contains(event.target)) {
    // Up and down move along the memos offered; Escape, or up from the first, goes back.
    const to = { ArrowDown: event.target.nextElementSibling, ArrowUp: event.target.previousElementSibling ?? memo,
      Escape: memo }[event.key];
    if (to) {
      event.preventDefault();
      to.focus();
    }
    if (to || event.key === 'Enter' || event.key === ' ') return;
  }
  if (dialog.open && event.key === 'Escape') {
    dialog.close(); // as a dialog box's own Escape does; a dialog shown beside the page has none
    return;
  }
  if (event.ctrlKey || event.altKey || event.metaKey || event.isComposing || event.target.closest?.('dialog')) return;
  const member = event.target.dataset?.member;
  if (member !== undefined && event.key in arrows) {
    event.preventDefault();
    moveInKeyboard(keyboard, event.target, arrows[event.key]);
  } else if (member !== undefined && Number(member) < kanaKeys && (event.key === 'Enter' || event.key === ' ')) {
    event.preventDefault();
    if (!event.repeat) {
      call('press_key', Number(member));
      handlers[Command.input]();
    }
  } else if (event.key === 'Backspace') {
    event.preventDefault();
    handlers[Command.backspace]();
  } else if ([...event.key].length === 1 && event.key !== ' ') {
    typeText(event.key);
  }
});

// What the player entered survives a reload of the tab: the core's entry and the memo box.
const sessionKey = 'pelio';
function remember() {
  try {
    sessionStorage.setItem(sessionKey, JSON.stringify({ entry: read(call('saved_entry')), box: memo.value,
      refused: memo.classList.contains('rejected'), link: linkFollowed }));
  } catch {
    // Storage turned off or full: the page works on without it.
  }
}
function recall() {
  let saved = null;
  try {
    saved = JSON.parse(sessionStorage.getItem(sessionKey));
  } catch {
    return false;
  }
  if (typeof saved?.entry !== 'string' || typeof saved.box !== 'string'
    || !call('restore_entry', pass(saved.entry))) return false;
  showName();
  showFlags();
  showPage();
  showResults();
  memo.value = saved.box;
  linkFollowed = String(saved.link ?? '');
  // A refusal is shown again as the core finds it now, with the memos it offers.
  if (saved.refused === true) {
    loadNotebook();
    showOutcome(call('refusal_of', pass(saved.box)));
  }
  return true;
}
for (const type of ['click', 'change', 'keydown', 'input', 'paste', 'drop']) {
  document.addEventListener(type, () => setTimeout(remember));
}
addEventListener('pagehide', remember);

// A player copies the memo off the box, so all of it stays in view: where the box is narrower
// than its text, it is drawn smaller, its font left at 16 px (below which iOS zooms in on the
// box it focuses). A text longer than a memo may still scroll. Fitted once the page is laid out,
// and whenever the box's text changes: before the next frame, where the page is laid out anyway,
// rather than at once in the handler that changed it.
function fitMemo() {
  memo.style.removeProperty('--fit');
  const fit = memo.clientWidth / memo.scrollWidth;
  if (fit < 1) memo.style.setProperty('--fit', Math.max(fit, 0.5));
}
const refitMemo = () => requestAnimationFrame(fitMemo);

// Captions keep every character: where a wider font overflows a control, its text shrinks.
function fitCaptions() {
  fitMemo();
  const controls = [...document.querySelectorAll('.client [style*="--l"]:not(input)')];
  for (const control of controls) control.style.fontSize = '';
  const measured = controls.map((control) => [control, control.scrollWidth, control.clientWidth,
    parseFloat(getComputedStyle(control).fontSize)]);
  for (const [control, needed, room, size] of measured)
    if (needed > room && room > 0) control.style.fontSize = `${(size * room) / needed}px`;
}

if (!recall()) {
  showName();
  showResults();
}
followLink();
for (const control of document.querySelectorAll('#Pelio :disabled')) control.disabled = false;
$('Pelio').removeAttribute('aria-busy');
document.documentElement.dataset.ready = '';
performance.mark('ready'); // when the page can take a click, for tests and benchmarks
started();

// Fitted once the page is laid out (the observer's first call), and again whenever the layout
// or a late font changes it.
new ResizeObserver(fitCaptions).observe(document.body);
document.fonts.addEventListener('loadingdone', fitCaptions);

// Installable and usable offline.
offerUpdates(remember);
