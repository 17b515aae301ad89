// The page's main journey, the same steps in every engine: a name entered and boxes ticked on
// both pages, whose 完了 shows what the native core computes; a memo typed, then the page again
// with its server gone, served by its service worker alone and with everything entered kept;
// and Enter reads that memo; then, still offline, a screenshot of the game's memo chosen with
// 写真から読む, which the picture's worker reads.
//   node tests/web/journey.mjs chromium|firefox|webkit BROWSER [WEBDRIVER]
// CTest passes the built site (PELIO_SITE), the native core's oracle (PELIO_ORACLE) and the
// picture generator (PELIO_PICTURES). A failed step ends the process, and with it the browser
// and the server.
import assert from 'node:assert/strict';
import { drivers, open, oracle, picture, serve, shown, ticked, until } from './engines.mjs';

const [entered, read] = oracle(4, 2);
const server = await serve(process.env.PELIO_SITE ?? 'build-web/site');
const { page, close } = await drivers[process.argv[2]](...process.argv.slice(3)); // the engine, its programs

await open(page, server.url);
const name = entered.keys.flatMap((code) => [`Nm${code.toString(16).toUpperCase().padStart(2, '0')}`, 'Nm_Inpt']);
const firstPage = await page.evaluate((ids) => ids.filter((id) => document.getElementById(id).offsetParent), entered.flags);
const ticks = [...firstPage, 'Lab_Pag', ...entered.flags.filter((flag) => !firstPage.includes(flag))];
for (const id of [...name, ...ticks, 'Answer']) await page.click(`#${id}`);
assert.deepEqual(await shown(page, Object.keys(entered.results)), entered.results);

await page.evaluate(() => { document.getElementById('PWD').value = ''; });
await page.type('#PWD', read.results.PWD.replaceAll('\u3000', ''));
const kept = ['Namtext1', 'Namtext2', 'Namtext3', 'Namtext4', 'Lab_Pag', ...Object.keys(entered.results)];
const before = [await shown(page, kept), await ticked(page)];
await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
await server.stop();
await open(page, server.url);
assert.deepEqual([await shown(page, kept), await ticked(page)], before);

await page.type('#PWD', '\n'); // Enter
assert.deepEqual([await shown(page, Object.keys(read.results)), await ticked(page)], [read.results, [...read.flags].sort()]);

const drawn = picture('screenshot', 'held-out', 9);
if (drawn) {
  await page.choose('#PWD_Img', drawn.file);
  await until(async () => (await shown(page, ['PWD', 'Pic_Text'])).Pic_Text === drawn.memo);
  assert.equal((await shown(page, ['PWD'])).PWD, drawn.memo);
} else console.log('no picture read: its fonts are not installed');
await close();
