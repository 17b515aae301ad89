// A picture read, loaded with the first one given (picture_input.mjs): it is decoded and read in
// a worker of its own, off the page's thread, and the core reads what it read as Enter would.
// Nothing of the picture leaves the device or is kept: beside the result shows the part of it
// where the memo was found, with the text read and its doubtful kana marked, until the next
// picture or とじる.
import { ids } from 'pelio-constants';

const $ = (id) => document.getElementById(id);
const seen = $('Pic_Seen');
const crop = $('Pic_Crop');
const seenText = $('Pic_Text');
const doubt = $('Pic_Doubt');
let worker = null;
let turns = 0;

$('Pic_Shut').addEventListener('click', () => {
  seen.hidden = true;
  $(ids.picture).focus();
});

// The size the file states, turned as it is shown, from the browser's reading of its header: an
// image that is not drawn is decoded no further. Null where the browser cannot read it.
function statedSize(file) {
  const image = new Image();
  image.src = URL.createObjectURL(file);
  return new Promise((resolve) => {
    image.onload = () => resolve([image.naturalWidth, image.naturalHeight]);
    image.onerror = () => resolve(null);
  }).finally(() => URL.revokeObjectURL(image.src));
}

// The worker's reading, unless another picture came since: `host.readWords` reads its words
// into the memo box (none: a file the browser could not decode) and returns the text read and
// which of its kana were in doubt, `host.markKana` marks them, `host.failed` says the worker
// failed.
function shown(turn, reading, host) {
  if (turn !== turns) return;
  worker?.terminate();
  worker = null;
  seen.hidden = !reading?.crop;
  if (!reading) {
    host.failed();
    return;
  }
  const [text, doubts] = host.readWords(reading.words);
  if (reading.crop) {
    Object.assign(crop, { width: reading.crop.width, height: reading.crop.height });
    // A screenshot's few pixels drawn larger stay sharp, as the game drew them.
    crop.style.imageRendering = reading.crop.width < 640 ? 'pixelated' : '';
    crop.getContext('bitmaprenderer').transferFromImageBitmap(reading.crop);
    host.markKana(seenText, text, doubts);
    doubt.hidden = !doubts;
  }
  performance.mark('picture read', { detail: reading.decoded }); // for the benchmark
}

export async function readPicture(file, host) {
  const turn = ++turns;
  worker?.terminate();
  seen.hidden = false;
  seenText.textContent = seen.dataset.busy;
  doubt.hidden = true;
  const size = await statedSize(file);
  if (turn !== turns) return;
  if (!size) {
    shown(turn, { words: new Uint32Array(0) }, host);
    return;
  }
  worker = new Worker('pelio-picture.js');
  worker.onmessage = ({ data }) => shown(turn, data, host);
  worker.onerror = () => shown(turn, null, host);
  worker.postMessage({ file, width: size[0], height: size[1] });
}
