// What the Orca screen reader says of the page, in a browser shown on an X server: every result,
// reason and choice once, the same one twice in a row included. It runs under
// scripts/orca-session.sh, which gives Orca's debug output in PELIO_ORCA_LOG.
//   node tests/web/orca.mjs chromium|firefox BROWSER
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { chromium } from '@playwright/test';
import config from './playwright.config.mjs';
import { open, serve } from './engines.mjs';

// Orca and the browsers are slow on a busy machine: each wait is for up to two minutes.
async function until(check, what) {
  for (let tries = 1200; !(await check()); await new Promise((resolve) => setTimeout(resolve, 100)))
    if (--tries === 0) throw new Error(`Orca did not say ${what}; it said:\n${spoken().join('\n')}`);
}
const spoken = () => [...readFileSync(process.env.PELIO_ORCA_LOG, 'utf8').matchAll(/SPEECH OUTPUT: '(.*?)' ?[{[]/g)]
  .map((match) => match[1]);
const launch = {
  // Chromium tells assistive technology of the page only when asked.
  chromium: async (executablePath) => chromium.launch({ ...config.use.launchOptions, executablePath, headless: false,
    args: [...config.use.launchOptions.args, '--force-renderer-accessibility', '--disable-features=Translate'] }),
  // Firefox tells it when GNOME says a screen reader runs.
  firefox: async (executablePath) => (await import('puppeteer-core')).default.launch({ browser: 'firefox',
    protocol: 'webDriverBiDi', executablePath, headless: false, env: { ...process.env, GNOME_ACCESSIBILITY: '1' } }),
};

const server = await serve(process.env.PELIO_SITE ?? 'build-web/site');
const browser = await launch[process.argv[2]](process.argv[3]);
const page = await browser.newPage();
await open(page, server.url);
const title = await page.title();
execFileSync('xdotool', ['search', '--sync', '--onlyvisible', '--name', title, 'windowfocus', '--sync']);
await until(() => spoken().some((said) => said.includes(title)), title);

// What the page shows, which Orca must say: the memo and the rank a result writes, or why a
// memo does not read. Each is heard after what was heard before it.
const heard = [];
const says = (parts) => (said) => parts.every((part) => said.includes(part));
async function hear(act) {
  const before = spoken().length;
  await act();
  // The reason line's own text, without what it holds unseen for a screen reader.
  const [memo, rank, reason] = await page.evaluate(() => ['PWD', 'Lab_Gam', 'Lab_Rsn']
    .map((id) => document.getElementById(id)).map((shown) => shown.value ??
      [...shown.childNodes].filter((node) => node.nodeType === Node.TEXT_NODE).map((node) => node.data).join('')));
  heard.push(reason ? [reason] : [memo, rank]);
  await until(() => spoken().slice(before).some(says(heard.at(-1))), heard.at(-1));
}

// A whole name: 完了 says no more than the memo and the rank. Clicked as fast as a script can,
// the keys bring Firefox's Orca more than it takes in at once: 完了 waits until it has gone quiet,
// as a player listening would.
for (let slot = 0; slot < 4; ++slot) for (const key of ['#Nm01', '#Nm_Inpt']) await page.click(key);
for (let said = -1; said !== spoken().length; await new Promise((resolve) => setTimeout(resolve, 1500)))
  said = spoken().length;
for (let twice = 0; twice < 2; ++twice) await hear(() => page.click('#Answer'));
const slipped = heard[0][0].replaceAll('\u3000', '').slice(0, -1);
// In the box before it takes focus: typed with it, the letters keep Orca busy while Enter comes.
await page.evaluate((text) => { document.getElementById('PWD').value = text; }, slipped);
await page.focus('#PWD');
await until(() => spoken().some((said) => said.includes(slipped)), slipped);
for (let twice = 0; twice < 2; ++twice) await hear(() => page.keyboard.press('Enter'));
await page.keyboard.press('ArrowDown'); // the memo offered first, read as it takes focus
const offered = await page.evaluate(() => document.activeElement.ariaLabel);
await until(() => spoken().some((said) => said.includes(offered)), offered);
await hear(() => page.keyboard.press('Enter'));

// Once each: Orca may take a while, so what it says last is awaited before counting.
await new Promise((resolve) => setTimeout(resolve, 3000));
assert.deepEqual(heard.map((parts) => spoken().filter(says(parts)).length),
  heard.map((parts) => heard.filter((other) => `${other}` === `${parts}`).length),
  `Orca said:\n${spoken().join('\n')}`);
await browser.close();
server.stop();
