// The page's tests in Debian's Chromium, against a built site served on the loopback
// interface. CTest passes the site (PELIO_SITE) and the native core's oracle (PELIO_ORACLE).
import { defineConfig } from '@playwright/test';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { freePort, serverCommand } from '../../scripts/site-server.mjs';

// The site's port, taken once by the runner; its workers load this file again and inherit it.
process.env.PELIO_PORT ??= String(await freePort());
const port = Number(process.env.PELIO_PORT);
const site = process.env.PELIO_SITE ?? 'build-web/site';
const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

export default defineConfig({
  testDir: '.',
  testMatch: '*.test.mjs',
  outputDir: process.env.PELIO_TEST_OUTPUT ?? 'test-results',
  forbidOnly: true,
  workers: 1,
  reporter: [['list']],
  use: {
    baseURL: `http://127.0.0.1:${port}/`,
    launchOptions: {
      executablePath: '/usr/bin/chromium',
      // Root in a container has no sandbox; the machine's network is closed, so Chromium's
      // own background connections are turned off rather than refused by the hundred.
      args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage',
        '--disable-background-networking', '--disable-component-update', '--no-first-run',
        '--disable-sync'],
    },
  },
  webServer: {
    command: serverCommand(path.resolve(root, site), port).map((arg) => `"${arg}"`).join(' '),
    url: `http://127.0.0.1:${port}/`,
    reuseExistingServer: false,
    stdout: 'ignore',
    stderr: 'ignore', // a line for every request
  },
});
