// Installable and usable offline. A new build never replaces the page in use: its worker waits
// for the next visit, or until the player chooses the notice that it is there, which keeps what
// the player entered (`remember`).
import { $ } from './core.mjs';

export function offerUpdates(remember) {
  if (!('serviceWorker' in navigator)) return;
  const update = $('Pel_Upd');
  let chosen = false;
  const offer = (worker) => {
    if (!worker || !navigator.serviceWorker.controller) return; // a first visit has no old one
    update.hidden = false;
    update.onclick = () => {
      chosen = true;
      remember();
      worker.postMessage('take over');
    };
  };
  // Outside a secure context there is no worker; the page works as well, online.
  navigator.serviceWorker.register('sw.js').then((registration) => {
    offer(registration.waiting);
    registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker.addEventListener('statechange', () => worker.state === 'installed' && offer(worker));
    });
  }, () => {});
  navigator.serviceWorker.addEventListener('controllerchange', () => chosen && location.reload());
}
