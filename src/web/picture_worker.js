// The picture's worker, after the picture module's script in the same file: one picture a
// worker, which the page ends once it has the reading, so that the memory the picture took goes
// with it. The file decodes here, off the page's thread, at the size the core's rule gives for
// the size it states; its pixels go into the module a band at a time, so that no second copy of
// the whole picture is made. Back go the reading's words (none where the browser could not
// decode the file), the part of the picture where the memo was found, and when the picture was
// decoded, by the clock the page shares (for the benchmark); or null where the module failed, out
// of memory say.
const largestCrop = 1280; // pixels wide: twice what the page shows it at, at most

async function readPicture({ file, width, height }) {
  const picture = await createPelioPicture();
  const call = (name, ...args) => picture[`_pelio_picture_${name}`](...args);
  const ints = (address, count) => [...picture.HEAP32.subarray(address >> 2, (address >> 2) + count)];
  let crop = null;
  let decoded = 0;
  const size = call('decode_size', width, height);
  let bitmap = null;
  if (size) {
    const [resizeWidth, resizeHeight] = ints(size, 2);
    bitmap = await createImageBitmap(file, { imageOrientation: 'from-image', resizeWidth, resizeHeight })
      .catch(() => null);
  }
  if (bitmap) {
    decoded = performance.timeOrigin + performance.now();
    const { width: w, height: h } = bitmap;
    const band = new OffscreenCanvas(w, Math.min(h, 512));
    const context = band.getContext('2d', { willReadFrequently: true });
    const pixels = call('pixels', w, h);
    for (let top = 0; top < h; top += band.height) {
      const rows = Math.min(band.height, h - top);
      context.clearRect(0, 0, w, rows);
      context.drawImage(bitmap, 0, top, w, rows, 0, 0, w, rows);
      picture.HEAPU8.set(context.getImageData(0, 0, w, rows).data, pixels + top * w * 4);
    }
    call('read', w, h);
    const [x, y, cropWidth, cropHeight] = ints(call('where'), 4);
    if (cropWidth > 0 && cropHeight > 0) {
      const scale = Math.min(1, largestCrop / cropWidth);
      crop = await createImageBitmap(bitmap, x, y, cropWidth, cropHeight,
        { resizeWidth: Math.round(cropWidth * scale), resizeHeight: Math.max(1, Math.round(cropHeight * scale)) });
    }
    bitmap.close();
  }
  const words = bitmap || !size ? picture.HEAPU32.slice(call('wire') >> 2, (call('wire') >> 2) + call('wire_words'))
    : new Uint32Array(0);
  postMessage({ words, crop, decoded }, [words.buffer, ...(crop ? [crop] : [])]);
}

onmessage = ({ data }) => readPicture(data).catch(() => postMessage(null));
