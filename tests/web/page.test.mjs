// The web page in Chromium: the reader and the memos it offers for a slip, the keyboard, both
// layouts, and nothing entered lost by a new version of the site. The main journey (the native
// core's results, a reload offline that keeps everything entered) is journey.mjs, in every engine.
import { test, expect } from '@playwright/test';
import AxeBuilder from '@axe-core/playwright';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { open, oracle, picture, serve, shown, ticked } from './engines.mjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const site = path.resolve(root, process.env.PELIO_SITE ?? 'build-web/site');

const nameBoxes = (page) => page.$$eval('output', (boxes) => boxes.map((b) => b.textContent).join(''));
const focused = (page) => page.evaluate(() => document.activeElement.id);

// A real key press of a character the test keyboard layout lacks, such as a kana.
async function typeKana(page, text) {
  const session = await page.context().newCDPSession(page);
  for (const character of text) {
    await session.send('Input.dispatchKeyEvent', { type: 'keyDown', key: character, text: character });
    await session.send('Input.dispatchKeyEvent', { type: 'keyUp', key: character });
  }
}

// Enter, 完了 and Control+Enter read a memo the player put in the box; none of them reads back
// the memo last written, even after an edit that changes nothing to be seen.
for (const [how, read] of [['Enter', (page) => page.press('#PWD', 'Enter')],
  ['完了', (page) => page.click('#Answer')], ['Control+Enter', (page) => page.press('#PWD', 'Control+Enter')]]) {
  test(`${how} reads a memo typed into the box, and only that`, async ({ page }) => {
    const [state] = oracle(7, 1);
    await open(page);
    await page.fill('#PWD', state.results.PWD.replaceAll('\u3000', ' '));
    await read(page);
    expect(await shown(page, Object.keys(state.results))).toEqual(state.results);
    expect(await ticked(page)).toEqual([...state.flags].sort());

    await page.click('#Allset');
    await page.focus('#PWD');
    await page.keyboard.press('End');
    await page.keyboard.press('Backspace'); // the invisible space after the last group
    await read(page);
    expect(await ticked(page)).toHaveLength(46);
  });
}

// A memo with a slip stays in red with why, after a reload too; the memos near it are offered,
// and one chosen is read. The box refuses whole what it cannot hold or show.
test('a slip is refused with why and the memos near it to choose', async ({ page, context }) => {
  const meant = 'いああああ　あちちあい　ああああち　のああああ　';
  const typo = meant.slice(0, 18) + 'ね' + meant.slice(19);
  await open(page);
  await page.click('#Nm01');
  await page.click('#Nm_Inpt');
  await page.fill('#PWD', typo);
  await page.press('#PWD', 'Enter');
  const fixes = page.locator('#PWD_Fix button');
  for (const reload of [() => {}, () => open(page)]) {
    await reload();
    await expect(page.locator('#Lab_Rsn')).toHaveText(/チェック.*近いそうさめもが４つあります/);
    await expect(page.locator('#PWD')).toHaveCSS('color', 'rgb(255, 96, 96)');
    await expect(fixes).toHaveCount(4);
  }
  await expect(fixes.first()).toHaveAttribute('data-memo', meant.replaceAll('\u3000', ''));
  await expect(fixes.first().locator('mark')).toHaveText('の');
  expect(await ticked(page)).toEqual([]);
  // Seen: a heading that counts them, and what sets each apart on a line of its own.
  await expect(page.locator('#Fix_Head')).toBeVisible();
  expect(await fixes.evaluateAll((all) => all.map((fix) => {
    const [details, differences] = ['.holds', '.differences'].map((part) => fix.querySelector(part).getBoundingClientRect());
    return differences.height > 0 && differences.top >= details.bottom;
  }))).toEqual([true, true, true, true]);

  await page.focus('#PWD');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowUp');
  expect(await page.evaluate(() => document.activeElement.dataset.memo)).toBe(meant.replaceAll('\u3000', ''));
  await page.keyboard.press('Enter');
  await expect(page.locator('#PWD')).toHaveValue(meant);
  expect(await ticked(page)).toEqual(['Chk_Lgt', 'Chk_Tel']);
  await expect(page.locator('#PWD_Fix')).toBeHidden();
  expect(await focused(page)).toBe('PWD');


  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  for (const [pasted, says] of [['ま'.repeat(100000), /２５６文字.*１０００００文字/], ['いあ\0う', /３文字目に制御文字U\+0000/]]) {
    await page.evaluate((text) => navigator.clipboard.writeText(text), pasted);
    await page.focus('#PWD');
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Control+V');
    await expect(page.locator('#PWD')).toHaveValue(meant);
    await expect(page.locator('#Lab_Rsn')).toHaveText(says);
  }
});

// A link reads its memo, one the tab would replace goes into the box unread with a notice, and
// the link copied reads in a new tab what the box held. クリア is taken back by the notice's button.
test('a link reads its memo or waits, and クリア can be undone', async ({ page, context }) => {
  const [linked, held] = oracle(3, 2).map((state) => ({ ...state, memo: state.results.PWD.replaceAll('\u3000', '') }));
  await open(page, `/#memo=${encodeURIComponent(linked.memo)}`);
  expect(await ticked(page)).toEqual([...linked.flags].sort());
  await page.click('#Nm_Clear');
  await expect(page.locator('#Pel_Note')).toBeVisible();
  await page.click('#Pel_Note button');
  expect(await ticked(page)).toEqual([...linked.flags].sort());

  await page.evaluate((memo) => { location.hash = `memo=${memo}`; }, held.memo);
  await expect(page.locator('#PWD')).toHaveValue(held.memo);
  expect(await ticked(page)).toEqual([...linked.flags].sort());
  await expect(page.locator('#Pel_Note')).toContainText(await page.$eval('#Pel_Note', (note) => note.dataset.linkUnread));

  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  await page.click('#PWD_Link');
  const other = await context.newPage();
  await open(other, await page.evaluate(() => navigator.clipboard.readText()));
  expect(await ticked(other)).toEqual([...held.flags].sort());
});

// The notebook keeps every memo written or read, newest first, in storage that every tab shares
// and shows at once; an entry is deleted and undone, and one chosen is read.
test('the notebook keeps memos for every tab, and reads the one chosen', async ({ page, context }) => {
  const [second, first] = [page, await context.newPage()]; // the first in front, where clicks go soonest
  for (const tab of [first, second]) await open(tab);
  const written = [];
  for (const id of ['Nm01', 'Nm_Inpt', 'Answer', 'Chk_Lgt', 'Answer']) {
    await first.click(`#${id}`);
    if (id === 'Answer') written.unshift((await first.inputValue('#PWD')).replaceAll('\u3000', ''));
  }
  await second.bringToFront();
  await second.click('#PWD_Log');
  const entries = (tab) => tab.locator('#Log_List .entry');
  const memos = (tab) => entries(tab).evaluateAll((all) => all.map((entry) => entry.dataset.memo));
  await expect.poll(() => memos(second)).toEqual(written);
  await second.locator('#Log_List .delete').last().click();
  await first.bringToFront();
  await first.click('#PWD_Log');
  await expect.poll(() => memos(first)).toEqual(written.slice(0, 1));
  await second.click('#Log_Undo');
  await expect.poll(() => memos(first)).toEqual(written);
  await entries(first).last().click();
  await expect(first.locator('#Log_Win')).toBeHidden();
  expect((await first.inputValue('#PWD')).replaceAll('\u3000', '')).toBe(written[1]);
  expect(await ticked(first)).toEqual([]);
});

// Pictures the generator draws, given as a player gives them: a screenshot of the pixel font
// with 写真から読む, a photo taken sideways as a JPEG whose EXIF says to turn it, on a phone, an image
// pasted into the memo box, and a file dropped on the page. Each is read as a typed memo is,
// heard as one, and shown beside the part of the picture where the memo was found.
const pictures = [picture('screenshot', 'held-out', 9), picture('photo', 'held-out', 2)];
test.describe(() => {
  test.skip(pictures.includes(null), 'the generator\'s fonts are not installed');
  test.use({ viewport: { width: 320, height: 568 }, hasTouch: true, isMobile: true });

  // The photo as a phone held sideways stores it: turned a quarter to the left, with EXIF's
  // orientation 6 (turn it right to show it) after the JPEG's first segment.
  const sideways = (page, file) => page.evaluate(async (png) => {
    const upright = await createImageBitmap(await (await fetch(`data:image/png;base64,${png}`)).blob());
    const canvas = new OffscreenCanvas(upright.height, upright.width);
    const context = canvas.getContext('2d');
    context.translate(0, upright.width);
    context.rotate(-Math.PI / 2);
    context.drawImage(upright, 0, 0);
    const jpeg = new Uint8Array(await (await canvas.convertToBlob({ type: 'image/jpeg', quality: 0.95 })).arrayBuffer());
    const exif = [0xff, 0xe1, 0, 34, ...new TextEncoder().encode('Exif'), 0, 0, 0x4d, 0x4d, 0, 42, 0, 0, 0, 8,
      0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 6, 0, 0, 0, 0, 0, 0];
    const at = 4 + ((jpeg[4] << 8) | jpeg[5]);
    const turned = new Uint8Array([...jpeg.subarray(0, at), ...exif, ...jpeg.subarray(at)]);
    let text = '';
    for (const byte of turned) text += String.fromCharCode(byte);
    return btoa(text);
  }, fs.readFileSync(file).toString('base64'));

  test('a screenshot, a photo turned by its EXIF, a paste and a drop are read, beside where the memo was', async ({ page, context }) => {
    test.slow(); // four pictures, the recognizer's first load among them
    const [screenshot, photo] = pictures;
    await open(page);
    const read = async (memo) => {
      await expect(page.locator('#PWD')).toHaveValue(memo);
      await expect(page.locator('#Pic_Text')).toHaveText(memo);
      expect(await page.$eval('#Pic_Crop', (crop) => [crop.width > 4 * crop.height, crop.getBoundingClientRect().right <= innerWidth]))
        .toEqual([true, true]);
      expect(await page.$$eval('#Lab_Rsn, #Pel_Said', (regions) => regions.map((r) => r.textContent).join())).toContain(memo);
    };
    await page.setInputFiles('#PWD_Img', screenshot.file);
    await read(screenshot.memo);
    await page.setInputFiles('#PWD_Img', { name: 'photo.jpg', mimeType: 'image/jpeg',
      buffer: Buffer.from(await sideways(page, photo.file), 'base64') });
    await read(photo.memo);
    expect(await page.evaluate(() => document.documentElement.scrollWidth)).toBe(320);

    await context.grantPermissions(['clipboard-read', 'clipboard-write']);
    await page.evaluate((png) => fetch(`data:image/png;base64,${png}`).then((response) => response.blob())
      .then((blob) => navigator.clipboard.write([new ClipboardItem({ 'image/png': blob })])),
    fs.readFileSync(screenshot.file).toString('base64'));
    await page.focus('#PWD');
    await page.keyboard.press('Control+V');
    await read(screenshot.memo);

    const dropped = await page.evaluateHandle((png) => {
      const transfer = new DataTransfer();
      transfer.items.add(new File([Uint8Array.from(atob(png), (c) => c.charCodeAt(0))], 'photo.png', { type: 'image/png' }));
      return transfer;
    }, fs.readFileSync(photo.file).toString('base64'));
    await page.dispatchEvent('.results', 'drop', { dataTransfer: dropped });
    await read(photo.memo);
  });
});

// A picture without a memo, and a file that is no picture, each say why; the box keeps what it
// held, and nothing else changes. 写真から読む opens by the keyboard, the next stop after the box.
test('a picture without a memo and a file that is none say why, and change nothing', async ({ page }) => {
  test.slow(); // the recognizer's first load, in a worker, takes a busy machine a while
  await open(page);
  await page.fill('#PWD', 'たい');
  const blank = Buffer.from(await page.evaluate(async () => {
    const canvas = new OffscreenCanvas(640, 480);
    const context = canvas.getContext('2d');
    context.fillRect(0, 0, 640, 480);
    context.fillStyle = '#fff';
    context.fillRect(100, 100, 200, 120);
    const bytes = new Uint8Array(await (await canvas.convertToBlob()).arrayBuffer());
    return btoa(String.fromCharCode(...bytes));
  }), 'base64');
  const reasons = [''];
  for (const file of [{ name: 'blank.png', mimeType: 'image/png', buffer: blank },
    { name: 'memo.txt', mimeType: 'text/plain', buffer: Buffer.from('いあうえあなあちあああああちあちああああ') }]) {
    if (reasons.length === 1) {
      await page.focus('#PWD');
      await page.keyboard.press('Tab');
      expect(await focused(page)).toBe('PWD_Img');
      const chooser = page.waitForEvent('filechooser');
      await page.keyboard.press('Space');
      await (await chooser).setFiles(file);
    } else {
      // Chromium may not show a second file chooser so soon after the first: given directly.
      await page.setInputFiles('#PWD_Img', file);
    }
    await expect.poll(() => page.textContent('#Lab_Rsn')).not.toBe(reasons.at(-1));
    reasons.push(await page.textContent('#Lab_Rsn'));
    await expect(page.locator('#Pic_Seen')).toBeHidden();
    expect([await page.inputValue('#PWD'), await ticked(page), await nameBoxes(page)]).toEqual(['たい', [], '？？？？']);
  }
  await expect(page.locator('#PWD')).not.toHaveClass(/rejected/);
});

// Storage that is full, or blocked as in a locked-down browser, is said once; the page works on,
// with the notebook kept in the tab.
for (const [trouble, spoil] of [
  ['full', () => {
    for (let size = 100000; size >= 1; size /= 10) {
      try { for (let i = 0; ; ++i) localStorage.setItem(`${size} ${i}`, 'x'.repeat(size)); } catch {}
    }
  }],
  ['blocked', () => Object.defineProperty(window, 'localStorage', { get() { throw new DOMException('blocked', 'SecurityError'); } })],
]) {
  test(`${trouble} storage is said, and the rest works`, async ({ page }) => {
    await page.addInitScript(spoil);
    await open(page);
    await page.click('#Allset');
    await page.click('#Answer');
    await expect(page.locator('#Pel_Note')).toHaveText(await page.$eval('#Pel_Note', (note) => note.dataset.unsaved));
    expect(await page.inputValue('#PWD')).not.toBe('');
    await page.click('#PWD_Log');
    await expect(page.locator('#Log_List .entry')).toHaveCount(1);
  });
}

// On a phone the reason and every memo offered come into view, the on-screen keyboard closed
// (the box lets go of the focus), and a memo tapped reads without bringing the keyboard back.
test.describe(() => {
  test.use({ viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true });
  test('on a phone a refusal is seen whole, and a memo tapped reads', async ({ page }) => {
    await open(page);
    await page.fill('#PWD', 'あくみあかしいほたさつああいあにうけつえ'); // a slip near five memos
    await page.press('#PWD', 'Enter');
    for (const seen of ['#Lab_Rsn', '#PWD_Fix']) await expect(page.locator(seen)).toBeInViewport({ ratio: 1 });
    expect(await focused(page)).toBe('');
    await page.locator('#PWD_Fix button').last().tap();
    await expect(page.locator('#PWD_Fix')).toBeHidden(); // read
    expect(await focused(page)).toBe('');
  });
});

test('the keyboard alone goes from typed kana to a copied memo', async ({ page, context }) => {
  await context.grantPermissions(['clipboard-read', 'clipboard-write']);
  await open(page);
  await expect(page.locator('#Pelio :disabled')).toHaveCount(0); // the core has enabled every control
  await page.keyboard.press('Tab');
  await page.keyboard.press('Tab');
  expect(await focused(page)).toBe('Nm00');
  await typeKana(page, 'たん');
  for (const arrow of ['Down', 'Down', 'Down', 'Right', 'Right', 'Right']) await page.keyboard.press(`Arrow${arrow}`);
  await page.keyboard.press('Enter'); // て, from the grid
  await typeKana(page, 'イ');
  expect(await nameBoxes(page)).toBe('たんてい');

  await page.keyboard.press('Tab');
  await page.keyboard.press('Space');
  await page.keyboard.press('Alt+N'); // the ticked box is hidden: focus goes to page 2's first
  expect(await focused(page)).toBe('Chk_Hot');
  for (const keys of ['Space', 'Alt+N', 'Alt+A', 'Control+Enter']) await page.keyboard.press(keys);
  expect(await focused(page)).toBe('Chk_Lgt');
  for (let tabs = 0; tabs < 40 && (await focused(page)) !== 'PWD'; ++tabs) await page.keyboard.press('Tab');
  await page.keyboard.press('Control+A');
  await page.keyboard.press('Control+C');
  const memo = await page.inputValue('#PWD');
  expect(memo).toHaveLength(24);
  expect(await page.evaluate(() => navigator.clipboard.readText())).toBe(memo);

  await page.keyboard.press('Enter'); // the completion's own memo is not read back
  await page.keyboard.press('Alt+C');
  expect(await nameBoxes(page)).toBe('？？？？');
});

// A key tapped shows as pressed until it is input. Held down, a key acts once: Enter on
// --入力--, the keypad's Enter as well, and a shortcut. A screen reader hears each name box's
// kana by its key's name and where the cursor is (what Orca says of 完了 and the rest is
// orca.mjs).
test('held keys act once, and a screen reader hears the name', async ({ page }) => {
  const pressed = () => page.$$eval('[aria-pressed=true]', (keys) => keys.map((key) => key.id));
  await open(page);
  await page.click('#Nm05');
  expect(await pressed()).toEqual(['Nm05']);
  await page.focus('#Nm_Inpt');
  for (const keys of [['NumpadEnter'], ['Alt', 'KeyN']]) {
    for (const key of [...keys, keys.at(-1)]) await page.keyboard.down(key); // the last one repeats
    for (const key of keys) await page.keyboard.up(key);
  }
  await expect(page.locator('#Lab_Pag')).toHaveText('前のページへ');
  expect(await pressed()).toEqual([]);
  for (const id of ['Nm2E', 'Nm_Inpt', 'Answer']) await page.click(`#${id}`);
  expect(await page.$$eval('output[aria-current]', (boxes) => boxes.map((box) => box.ariaLabel))).toEqual(['なまえの２文字目 濁点１、カーソル']);
});

// With the fonts a Debian desktop has: the page's own choice, and the wider Noto, where
// captions may shrink but keep every character, the results of a completion included; the
// version dialog opens whole and in view, the page left where it was. A touch screen of any size
// gets the one column: no sideways scrolling, keys and buttons that take a finger, boxes of
// 24 px, コピー, and the memo whole in view at 16 px, below which iOS zooms in on it. A key
// pressed keeps its focus ring and stays marked in forced colours.
const luminance = (rgb) => rgb.map((c) => c / 255).map((c) => (c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4))
  .reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0.05);
const contrast = (a, b) => Math.max(luminance(a), luminance(b)) / Math.min(luminance(a), luminance(b));
for (const [layout, width, height] of [['mouse', 1024, 700], ['touch', 320, 568], ['touch', 844, 390], ['touch', 768, 1024]]) {
  test.describe(`${layout} ${width} x ${height}`, () => {
    test.use({ viewport: { width, height }, ...(layout === 'touch' && { hasTouch: true, isMobile: true }) });
    for (const font of ['', 'Noto Sans CJK JP']) {
      test(`captions and the version dialog fit ${font || 'and axe-core, focus and forced colours find nothing amiss'}`, async ({ page }) => {
        if (font) {
          await page.addInitScript((family) => document.addEventListener('DOMContentLoaded', () => {
            document.head.insertAdjacentHTML('beforeend', `<style>:root { font-family: "${family}" }</style>`);
          }), font);
        }
        await open(page);
        for (const id of ['Allset', 'Answer', 'Abot_sm']) await page.click(`#${id}`);
        await page.evaluate(() => document.fonts.ready);
        await expect.poll(() => page.$$eval('.client button, .client label, .client p:not(.unseen), .client h2, output',
          (controls) => controls.filter((c) => c.offsetParent && (c.scrollWidth > c.clientWidth || c.scrollHeight > c.clientHeight + 1))
            .map((c) => c.id || c.textContent))).toEqual([]);
        expect(await page.$eval('dialog', (dialog) => [scrollY, ...[dialog, ...dialog.querySelectorAll('*')].filter((e) => {
          const [box, around] = [e, e.parentElement.closest('dialog')].map((x) => x?.getBoundingClientRect() ?? new DOMRect(0, 0, innerWidth, innerHeight));
          return box.left < around.left || box.top < around.top || box.right > around.right + 0.5 || box.bottom > around.bottom + 0.5;
        }).map((e) => e.localName + e.id)])).toEqual([0]);
        if (layout === 'touch') {
          // The memo is read off the box: all of it in view.
          expect(await page.$$eval('.key, .command, .flag, #PWD, #PWD_Copy, .flag input', (targets, size = parseFloat(getComputedStyle(PWD).fontSize)) => [
            document.documentElement.scrollWidth, size >= 16, PWD.scrollWidth <= PWD.clientWidth, PWD_Copy.offsetParent !== null,
            ...targets.filter((t) => t.offsetParent).filter((t) => Math.min(t.offsetWidth, t.offsetHeight) < (t.localName === 'input' ? 24 : 36))
              .map((t) => t.id || t.textContent)])).toEqual([width, true, true, true]);
        }
        if (font) return;

        // WCAG 2.2 AA as axe-core checks it. White on grey 128 (次のページへ, 3.94:1) and on red
        // (全フラグセット) are the window's own colours. The window's check boxes stand in rows
        // 16 px apart, where no target of 24 px nor 24 px of space fits without reaching into the
        // next row's; a finger gets the touch layout's.
        const { violations } = await new AxeBuilder({ page }).withTags(['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa']).analyze();
        const own = ['color-contrast #Lab_Pag', 'color-contrast #Allset'];
        expect(violations.flatMap((v) => v.nodes.map((n) => `${v.id} ${n.target}`)).filter((found) => !own.includes(found)
          && !(layout === 'mouse' && /^target-size #Chk_\w+$/.test(found)))).toEqual([]);

        // The focus ring, as drawn across each coloured button's left edge, stands out at 3:1
        // from its fill and from the page around it. In forced colours, the buttons keep a border,
        // and the dividing lines and the current name slot stay marked.
        await page.click('#Nm02');
        await page.keyboard.press('Escape'); // the dialog closed, and focus from the keyboard
        for (const id of ['Answer', 'Nm_Clear', 'Allset', 'Lab_Pag', ...(layout === 'touch' ? ['Nm02'] : [])]) {
          await page.focus(`#${id}`);
          const box = await page.locator(`#${id}`).boundingBox();
          const row = await page.evaluate(async (data) => {
            const canvas = new OffscreenCanvas(10, 1).getContext('2d');
            canvas.drawImage(await createImageBitmap(await (await fetch(`data:image/png;base64,${data}`)).blob()), 0, 0);
            return Array.from({ length: 10 }, (_, x) => [...canvas.getImageData(x, 0, 1, 1).data.slice(0, 3)]);
          }, (await page.screenshot({ clip: { x: box.x - 6, y: box.y + box.height / 2, width: 10, height: 1 } })).toString('base64'));
          const [around, ring, fill] = [row[0], row.slice(1, 6), row[9]]; // 6 pixels outside, 4 inside
          expect([id, contrast(ring.at(-1), fill) >= 3, ring.some((colour) => contrast(colour, around) >= 3)]).toEqual([id, true, true]);
        }

        await page.emulateMedia({ forcedColors: 'active' });
        for (const id of ['Nm01', 'Nm_Inpt', 'Nm02']) await page.click(`#${id}`);
        expect(await page.evaluate(() => {
          const look = (selector, name) => [...document.querySelectorAll(selector)].filter((e) => e.offsetParent).map((e) => getComputedStyle(e)[name]);
          return [look('.client button', 'borderTopWidth').includes('0px'), new Set(look('.name-box', 'backgroundColor')).size,
            new Set(look('.key:not(.command)', 'backgroundColor')).size,
            look('.line', 'backgroundColor').includes(getComputedStyle(document.documentElement).backgroundColor)];
        })).toEqual([false, 2, 2, false]);

        // Arrow keys move among the keys as they are shown: や is below ま in one column, nothing
        // in the window's layout, and a window made narrow moves as it then shows them.
        await page.focus('#Nm1E');
        for (const [shown, below] of layout === 'mouse' ? [[width, 'ま'], [360, 'や']] : [[width, 'や']]) {
          await page.setViewportSize({ width: shown, height });
          await page.keyboard.press('ArrowDown');
          expect(await page.evaluate(() => document.activeElement.textContent)).toBe(below);
        }
      });
    }
  });
}

// Without JavaScript, or without WebAssembly as a locked-down browser has it, the page says it
// cannot work, its controls disabled as served, rather than stay greyed out.
for (const without of ['JavaScript', 'WebAssembly']) {
  test.describe(() => {
    test.use({ javaScriptEnabled: without === 'WebAssembly' });
    test(`without ${without} the page says so`, async ({ page }) => {
      await page.addInitScript(() => delete window.WebAssembly);
      await page.goto('/');
      await expect(page.getByRole('alert')).toContainText(without);
      await expect(page.locator('#Pelio button:enabled, #Pelio input:enabled')).toHaveCount(0);
    });
  });
}

// A new version of the site never reloads the page in use: a notice says it is there, and it
// takes over when the player chooses so, with everything entered still there. Its worker
// keeps to its own: other apps' caches on the origin stay, other pages come from the server.
test('a new version waits for the player, who loses nothing by taking it', async ({ page }) => {
  const copy = fs.mkdtempSync(path.join(os.tmpdir(), 'pelio-site-'));
  fs.cpSync(site, copy, { recursive: true });
  // Files a day old, which a browser keeps for a tenth of that without asking the server again,
  // as it does on hosts that let it keep them for minutes.
  const dayAgo = new Date(Date.now() - 86400000);
  for (const file of fs.readdirSync(copy)) fs.utimesSync(path.join(copy, file), dayAgo, dayAgo);
  const server = await serve(copy);
  try {
    await open(page, server.url);
    await expect.poll(() => page.evaluate(() => navigator.serviceWorker.controller !== null)).toBe(true);
    for (const id of ['Nm01', 'Nm_Inpt', 'Chk_Lgt']) await page.click(`#${id}`);
    await page.evaluate(() => caches.open('another app').then(() => { window.notReloaded = true; }));

    const index = path.join(copy, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<title>', '<title>2 '));
    execFileSync(process.env.PELIO_CMAKE ?? 'cmake', [`-DSITE=${copy}`,
      `-DTEMPLATE=${path.join(root, 'src/web/sw.js.in')}`, '-P', path.join(root, 'src/web/stamp_service_worker.cmake')]);
    await page.evaluate(() => navigator.serviceWorker.getRegistration().then((r) => r.update()));
    await expect(page.locator('#Pel_Upd')).toBeVisible();
    expect(await page.evaluate(() => window.notReloaded)).toBe(true);

    await page.click('#Pel_Upd');
    await expect.poll(() => page.title()).toMatch(/^2 /);
    await page.waitForSelector('html[data-ready]');
    expect(await nameBoxes(page)).toBe('い？？？');
    expect(await ticked(page)).toEqual(['Chk_Lgt']);
    expect(await page.evaluate(() => caches.has('another app'))).toBe(true);
    expect((await page.goto(`${server.url}does-not-exist.html`)).status()).toBe(404);
  } finally {
    await server.stop();
    fs.rmSync(copy, { recursive: true, force: true });
  }
});
