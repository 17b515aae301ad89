// Serves a built site on the loopback interface, for ./run.sh --web and the browser tests.
//   node scripts/serve.mjs [FOLDER] [PORT]   (build-web/site and 8000 unless told)
// Any static file server does as well: the site is plain files.
import http from 'node:http';
import fs from 'node:fs/promises';
import path from 'node:path';

const root = path.resolve(process.argv[2] ?? 'build-web/site');
const port = Number(process.argv[3] ?? 8000);
const types = {
  '.html': 'text/html; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

try {
  await fs.access(path.join(root, 'index.html'));
} catch {
  console.error(`serve.mjs: no index.html in ${root}: build the site first`);
  process.exit(1);
}

http.createServer(async (request, response) => {
  let name = decodeURIComponent(new URL(request.url, 'http://host').pathname);
  if (name.endsWith('/')) name += 'index.html';
  const file = path.join(root, path.normalize(name));
  try {
    if (!file.startsWith(root + path.sep)) throw new Error('outside the site');
    const body = await fs.readFile(file);
    response.writeHead(200, {
      'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
      'Cache-Control': 'no-cache',
    });
    response.end(request.method === 'HEAD' ? undefined : body);
  } catch {
    response.writeHead(404).end();
  }
}).listen(port, '127.0.0.1', () => console.log(`Pelio is served on http://127.0.0.1:${port}/`));
