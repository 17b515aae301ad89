// The page's script: it draws what the core leaves in its state record and forwards the
// player's clicks and keys to it, as the desktop window does. Every rule is the core's
// (binding.cpp); the page itself was written from the core's tables at build time, with the
// core's script, which defines createPelioCore(), just before this one.
const core = await createPelioCore();
const call = (name, ...args) => core[`_pelio_${name}`](...args);
const $ = (id) => document.getElementById(id);

// Text crosses into the core through its input buffer and comes back as UTF-16 strings.
const inputIndex = call('input') / 2;
const inputCapacity = call('input_capacity');
const pass = (text) => {
  const length = Math.min(text.length, inputCapacity);
  for (let i = 0; i < length; ++i) core.HEAPU16[inputIndex + i] = text.charCodeAt(i);
  return length;
};
const read = (address) => (address ? core.UTF16ToString(address) : null);

const flags = Array.from({ length: call('flag_count') }, (_, i) => ({
  number: i + 1,
  box: $(read(call('flag_name', i + 1))),
  page: call('flag_page_of', i + 1),
}));
const results = Array.from({ length: call('result_count') }, (_, i) => $(read(call('result_label', i))));
const nameBoxes = [1, 2, 3, 4].map((slot) => $(`Namtext${slot}`));
const keyboard = [...document.querySelectorAll('[data-member]')]
  .sort((a, b) => a.dataset.member - b.dataset.member);
const kanaKeys = keyboard.length - 2; // then backspace and input
const memo = $('PWD');
const reason = $('Lab_Rsn');
const dialog = $('Pel_Ver');
let memoEdited = false; // only a memo the player put in the box is read

function showName() {
  const highlighted = call('highlighted_slot');
  nameBoxes.forEach((box, i) => {
    box.textContent = String.fromCharCode(call('name_box', i + 1));
    box.classList.toggle('current', highlighted === i + 1);
  });
}

function showFlags() {
  for (const flag of flags) flag.box.checked = call('is_set', flag.number) === 1;
}

function showPage() {
  const shown = call('shown_page');
  $('Lab_Pag').textContent = read(call('page_switch_caption'));
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
  memoEdited = false;
  showReason('', false);
}

// The reason a memo is refused, in red beside the box; a screen reader hears it as an alert.
function showReason(text, markTheText) {
  reason.textContent = text;
  memo.classList.toggle('rejected', markTheText);
}

const handlers = {
  Nm_Back() { call('backspace'); showName(); },
  Nm_Inpt() { call('commit_key'); showName(); },
  Lab_Pag() { call('switch_page'); showPage(); },
  Answer() { call('complete'); showResults(); },
  Nm_Clear() { call('reset'); showFlags(); showName(); showResults(); },
  Allset() { call('set_all_flags'); showFlags(); },
  PWD_Copy() { navigator.clipboard.writeText(memo.value); },
  Abot_sm() { dialog.show(); },
  Pel_Vbt() { dialog.close(); },
};

function typeText(text) {
  call('type', pass(text));
  showName();
}

function readMemo() {
  if (!memoEdited && memo.value !== '') return; // the completion's own memo
  const refusal = read(call('enter_memo', pass(memo.value)));
  if (refusal) {
    showReason(refusal, true);
    return;
  }
  showName();
  showFlags();
  handlers.Answer();
}

// Whether the memo box refuses `incoming` characters in place of its selection.
function refuses(incoming) {
  const length = memo.value.length - (memo.selectionEnd - memo.selectionStart) + incoming;
  const refusal = read(call('too_long', length));
  if (refusal) showReason(refusal, false);
  return refusal !== null;
}

document.addEventListener('click', (event) => {
  const button = event.target.closest('button');
  if (!button) return;
  const member = Number(button.dataset.member ?? -1);
  if (member >= 0 && member < kanaKeys) call('press_key', member);
  else handlers[button.id]?.();
});

document.addEventListener('change', (event) => {
  const number = Number(event.target.dataset.flag);
  if (number) call('set_flag', number, event.target.checked ? 1 : 0);
});

memo.addEventListener('input', () => {
  memoEdited = true;
  showReason('', false);
});
memo.addEventListener('beforeinput', (event) => {
  if (event.data && refuses(event.data.length)) event.preventDefault();
});
for (const type of ['paste', 'drop']) {
  memo.addEventListener(type, (event) => {
    const transfer = event.clipboardData ?? event.dataTransfer;
    if (refuses(transfer.getData('text').length)) event.preventDefault();
  });
}

// Shortcuts, as the page's controls announce them: "Control+Enter", "Alt+N".
const shortcuts = [...document.querySelectorAll('[aria-keyshortcuts]')].map((control) => {
  const keys = control.getAttribute('aria-keyshortcuts').split('+');
  const key = keys.pop();
  return { control, key, ctrl: keys.includes('Control'), alt: keys.includes('Alt'), shift: keys.includes('Shift') };
});
const matches = (shortcut, event) => event.ctrlKey === shortcut.ctrl && event.altKey === shortcut.alt
  && event.shiftKey === shortcut.shift && !event.metaKey
  && (shortcut.key.length === 1 ? event.code === `Key${shortcut.key}` : event.key === shortcut.key);

const arrows = { ArrowLeft: 0, ArrowRight: 1, ArrowUp: 2, ArrowDown: 3 };

function moveInKeyboard(from, direction) {
  const to = keyboard[call('keyboard_neighbour', Number(from.dataset.member), direction)];
  from.tabIndex = -1;
  to.tabIndex = 0;
  to.focus();
}

document.addEventListener('keydown', (event) => {
  const shortcut = shortcuts.find((s) => matches(s, event));
  if (shortcut) {
    event.preventDefault();
    if (!shortcut.control.disabled) shortcut.control.click();
    return;
  }
  if (event.target === memo) {
    if (event.key === 'Enter' && !event.isComposing) readMemo();
    return;
  }
  if (dialog.open && event.key === 'Escape') {
    dialog.close(); // as a dialog box's own Escape does; a dialog shown beside the page has none
    return;
  }
  if (event.ctrlKey || event.altKey || event.metaKey || event.isComposing || dialog.contains(event.target)) return;
  const member = event.target.dataset?.member;
  if (member !== undefined && event.key in arrows) {
    event.preventDefault();
    moveInKeyboard(event.target, arrows[event.key]);
  } else if (member !== undefined && Number(member) < kanaKeys && (event.key === 'Enter' || event.key === ' ')) {
    event.preventDefault();
    if (!event.repeat) {
      call('press_key', Number(member));
      handlers.Nm_Inpt();
    }
  } else if (event.key === 'Backspace') {
    event.preventDefault();
    handlers.Nm_Back();
  } else if ([...event.key].length === 1 && event.key !== ' ') {
    typeText(event.key);
  }
});

// Captions keep every character: where a wider font overflows a control, its text shrinks.
function fitCaptions() {
  const controls = [...document.querySelectorAll('.client [style*="--l"]')];
  for (const control of controls) control.style.fontSize = '';
  const measured = controls.map((control) => [control, control.scrollWidth, control.clientWidth,
    parseFloat(getComputedStyle(control).fontSize)]);
  for (const [control, needed, room, size] of measured)
    if (needed > room && room > 0) control.style.fontSize = `${(size * room) / needed}px`;
}

showResults();
for (const control of document.querySelectorAll(':disabled')) control.disabled = false;
$('Pelio').removeAttribute('aria-busy');
document.documentElement.dataset.ready = '';
performance.mark('ready'); // when the page can take a click, for tests and benchmarks

// Fitted once the page is laid out (the observer's first call), and again whenever the layout
// or a late font changes it.
new ResizeObserver(fitCaptions).observe(document.body);
document.fonts.addEventListener('loadingdone', fitCaptions);

// Installable and usable offline. A new build's worker takes over at once; the page then
// reloads once so that the whole of it comes from the same build.
if ('serviceWorker' in navigator) {
  const hadWorker = navigator.serviceWorker.controller !== null;
  // Outside a secure context there is no worker; the page works as well, online.
  navigator.serviceWorker.register('sw.js').catch(() => {});
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    if (hadWorker) location.reload();
  });
}
