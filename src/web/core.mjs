// The core, started at once: the page's head holds its script, which defines createPelioCore(),
// and its WebAssembly, deflated, as base64 (pelioCoreWasm) with its size once inflated. Deflated,
// it is half as large, which is a third of what a first visit loads; tiny-inflate inflates it
// synchronously, so that the core is ready when createPelioCore() returns and the page is ready
// within the task that parses it.
import inflate from 'tiny-inflate';

// Without WebAssembly, or with any other failure before the page is ready, the page says so
// rather than stay greyed out.
const fail = () => {
  document.getElementById('Pel_Err').hidden = false;
};
addEventListener('error', fail);
export const started = () => removeEventListener('error', fail);

const deflated = Uint8Array.fromBase64?.(pelioCoreWasm)
  ?? Uint8Array.from(atob(pelioCoreWasm), (c) => c.charCodeAt(0));
const wasm = inflate(deflated, new Uint8Array(pelioCoreWasmSize));

export const core = createPelioCore({
  instantiateWasm(imports, receive) {
    const instance = new WebAssembly.Instance(new WebAssembly.Module(wasm), imports);
    receive(instance);
    return instance.exports;
  },
});
export const call = (name, ...args) => core[`_pelio_${name}`](...args);
export const $ = (id) => document.getElementById(id);

// Text crosses into the core through its input buffer, as many UTF-16 units as it holds
// (their count is what pass() returns), and comes back as UTF-16 strings. A notebook's text is
// longer: it goes through a buffer the core makes as large as it needs.
const input = call('input');
const inputBytes = call('input_bytes');
export const pass = (text) => core.stringToUTF16(text, input, inputBytes) / 2;
export const passLong = (text) => core.stringToUTF16(text, call('long_input', text.length), 2 * text.length + 2) / 2;
export const read = (address) => (address ? core.UTF16ToString(address) : null);
