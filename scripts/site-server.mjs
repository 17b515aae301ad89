// A built site served by a stock static file server, Python's http.server, on the loopback
// interface: for the browser tests and the web benchmarks, each on a port of its own
// (./run.sh --web starts the same server on port 8000).
import { spawn } from 'node:child_process';
import net from 'node:net';

// A port on the loopback interface that nothing listens on now.
export async function freePort() {
  const server = net.createServer().listen(0, '127.0.0.1');
  await new Promise((resolve) => server.once('listening', resolve));
  const { port } = server.address();
  await new Promise((resolve) => server.close(resolve));
  return port;
}

export const serverCommand = (folder, port) =>
  ['python3', '-m', 'http.server', '--bind', '127.0.0.1', String(port), '--directory', folder];

// Serves `folder` on a free port; resolves once the server answers, within ten seconds.
export async function serve(folder) {
  const port = await freePort();
  const [program, ...args] = serverCommand(folder, port);
  const server = spawn(program, args, { stdio: 'ignore' });
  process.on('exit', () => server.kill()); // however the caller ends
  const url = `http://127.0.0.1:${port}/`;
  for (const deadline = Date.now() + 10000; !(await fetch(url).then((r) => r.ok, () => false));) {
    if (server.exitCode !== null || Date.now() > deadline) {
      server.kill();
      throw new Error(`${serverCommand(folder, port).join(' ')} does not serve ${url}`);
    }
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  const exited = new Promise((resolve) => server.once('exit', resolve));
  return { url, stop: () => server.kill() && exited };
}
