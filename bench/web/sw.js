// The bare page's worker: caches the page when it installs and serves it from there, as
// Pelio's worker serves Pelio.
const CACHE = 'bare';

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll([new Request('./', { cache: 'reload' })])).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((cached) => cached ?? fetch(event.request)));
});
