// What the web tests share: the served site, the native core's oracle, a page opened and what it
// shows, and each engine opened as a page with the goto, click, type and evaluate of Playwright's
// and Puppeteer's pages. Every engine is the browser Debian installs; nothing is downloaded.
import { chromium } from '@playwright/test';
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import config from './playwright.config.mjs';

import { freePort } from '../../scripts/site-server.mjs';

export { serve } from '../../scripts/site-server.mjs';

// Waits until check() is true, for at most 30 seconds.
export async function until(check) {
  for (let tries = 300; !(await check()); await new Promise((resolve) => setTimeout(resolve, 100)))
    if (--tries === 0) throw new Error(`gave up waiting for ${check}`);
}

// A picture drawn by the generator (PELIO_PICTURES) from Debian's fonts: its file and the memo in
// it as the memo box shows it; null where the fonts are not installed.
export function picture(kind, fonts, seed) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'pelio-picture-'));
  process.on('exit', () => fs.rmSync(folder, { recursive: true, force: true }));
  try {
    execFileSync(process.env.PELIO_PICTURES, [folder, '1', kind, fonts, String(seed)], { stdio: 'pipe' });
  } catch {
    return null;
  }
  const [name, memo] = fs.readFileSync(path.join(folder, 'memos.txt'), 'utf8').split('\t');
  return { file: path.join(folder, name), memo };
}

export const oracle = (seed, count) => JSON.parse(execFileSync(process.env.PELIO_ORACLE, [seed, count].map(String), { encoding: 'utf8' }));

// Loads the page and waits until it takes clicks.
export const open = (page, url = '/') =>
  page.goto(url).then(() => until(() => page.evaluate(() => document.documentElement.hasAttribute('data-ready'))));

// What each named control shows: a text box's value, any other control's text.
export const shown = (page, ids) => page.evaluate((names) => Object.fromEntries(names.map((id) => document.getElementById(id))
  .map((control) => [control.id, control.localName === 'input' ? control.value : control.textContent])), ids);
export const ticked = (page) => page.evaluate(() => [...document.querySelectorAll('input:checked')].map((box) => box.id).sort());

// Each page also chooses a file in a file box, as the player does in the browser's dialog.
const opened = async (browser, choose) => {
  const page = await browser.newPage();
  return { page: Object.assign(page, { choose: (selector, file) => choose(page, selector, file) }), close: () => browser.close() };
};
export const drivers = {
  // Playwright, with the options of the page's own suite.
  chromium: async (executablePath) => opened(await chromium.launch({ ...config.use.launchOptions, executablePath }),
    (page, selector, file) => page.setInputFiles(selector, file)),
  // Puppeteer over WebDriver BiDi, which Firefox speaks itself: Debian has no geckodriver.
  firefox: async (executablePath) => opened(await (await import('puppeteer-core')).default
    .launch({ browser: 'firefox', protocol: 'webDriverBiDi', executablePath }),
  async (page, selector, file) => (await page.$(selector)).uploadFile(file)),

  // MiniBrowser through WebKitWebDriver, by plain W3C WebDriver calls; it needs an X display.
  async webkit(browser, webDriver) {
    let session = `http://127.0.0.1:${await freePort()}/session`;
    const driver = spawn(webDriver, [`--port=${new URL(session).port}`], { stdio: 'ignore' });
    process.on('exit', () => driver.kill());
    const call = async (command, body = {}, method = 'POST') => {
      const { value } = await (await fetch(session + command, { method, body: JSON.stringify(body) })).json();
      return value?.error ? Promise.reject(new Error(`${command}: ${value.message}`)) : value;
    };
    await until(() => fetch(new URL('/status', session)).then((response) => response.ok, () => false));
    session += `/${(await call('', { capabilities: { alwaysMatch: {
      'webkitgtk:browserOptions': { binary: browser, args: ['--automation'] } } } })).sessionId}`;
    const element = async (selector) => Object.values(await call('/element', { using: 'css selector', value: selector }))[0];
    const page = {
      goto: (url) => call('/url', { url }),
      click: async (selector) => call(`/element/${await element(selector)}/click`),
      // A newline is the Enter key, as Playwright and Puppeteer type it. A file box takes a
      // file's path typed.
      type: async (selector, text) => call(`/element/${await element(selector)}/value`, { text: text.replaceAll('\n', '\uE007') }),
      choose: (selector, file) => page.type(selector, file),
      evaluate: (fn, arg) => call('/execute/sync', { script: `return (${fn})(arguments[0])`, args: [arg] }),
    };
    return { page, close: () => call('', {}, 'DELETE').finally(() => driver.kill()) };
  },
};
