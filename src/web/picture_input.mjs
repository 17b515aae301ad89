// Where a picture comes from: a file chosen with 写真から読む (on a phone, the camera or the
// photo library), an image pasted anywhere on the page, or a file dropped on it. What reads it
// (pictures.mjs, its worker and the recognizer) loads with the first picture given; the service
// worker keeps it for offline use.
import { ids } from 'pelio-constants';
import { $ } from './core.mjs';

// `host` is what the reading needs of the page: see pictures.mjs.
export function setUpPictureInput(host) {
  const read = (file) => import('./pelio-pictures.js').then((pictures) => pictures.readPicture(file, host),
    () => host.failed());
  const chooser = $(ids.picture);
  chooser.addEventListener('change', () => {
    const [file] = chooser.files;
    chooser.value = '';
    if (file) read(file);
  });
  // An image pasted into the memo box along with text, as a spreadsheet's cell copies, is the
  // text's: the box takes it as it takes any paste.
  document.addEventListener('paste', (event) => {
    const { files, types } = event.clipboardData;
    const [file] = [...files].filter((f) => f.type.startsWith('image/'));
    if (!file || (event.target.id === 'PWD' && types.includes('text/plain'))) return;
    event.preventDefault();
    read(file);
  });
  // A file dropped anywhere but on the notebook's file box, which the browser would otherwise
  // open in place of the page, and what it holds with it.
  document.addEventListener('dragover', (event) => {
    if (event.dataTransfer.types.includes('Files')) event.preventDefault();
  });
  document.addEventListener('drop', (event) => {
    const [file] = event.dataTransfer.files;
    if (!file || event.target.type === 'file') return;
    event.preventDefault();
    read(file);
  });
}
