// The WebAssembly core (orbalux.js, orbalux.wasm) behind plain functions: one
// instance per caller, the page's or the thumbnail worker's. Names, options
// and texts come from the core's own tables.
import createOrbalux from './orbalux.js';

export async function loadCore() {
  const m = await createOrbalux();
  const f = (name, result, args = []) => m.cwrap(name, result, args);
  const fileBuffer = f('ox_file_buffer', 'number', ['number']);
  const core = {
    load: f('ox_load', 'string', ['string']),
    render: f('ox_render', 'string'),
    isPictureName: f('ox_is_picture_name', 'number', ['string']),
    compareNames: f('ox_compare_names', 'number', ['string', 'string']),
    optionCount: f('ox_option_count', 'number'),
    optionName: f('ox_option_name', 'string', ['number']),
    optionHelp: f('ox_option_help', 'string', ['number']),
    optionOn: f('ox_option_on', 'number', ['number']),
    setOption: f('ox_set_option', null, ['number', 'number']),
    levelCount: f('ox_level_count', 'number'),
    levelName: f('ox_level_name', 'string', ['number']),
    levelStep: f('ox_level_step', 'number', ['number']),
    level: f('ox_level', 'number', ['number']),
    setLevel: f('ox_set_level', null, ['number', 'number']),
    setPercentiles: f('ox_set_percentiles', 'number', ['string']),
    percentiles: f('ox_percentiles', 'string'),
    width: f('ox_width', 'number'),
    height: f('ox_height', 'number'),
    headerText: f('ox_header_text', 'string'),
    statusText: f('ox_status_text', 'string'),
    zoomIn: f('ox_zoom_in', 'number', ['number', 'number']),
    zoomOut: f('ox_zoom_out', 'number', ['number', 'number']),
    stepNumerator: f('ox_step_numerator', 'number', ['number']),
    stepDenominator: f('ox_step_denominator', 'number', ['number']),
    actualSizeStep: f('ox_actual_size_step', 'number'),
    fit: f('ox_fit', null, ['number', 'number']),
    fitNumerator: f('ox_fit_numerator', 'number'),
    fitDenominator: f('ox_fit_denominator', 'number'),
    zoomPercent: f('ox_zoom_percent', 'string', ['number', 'number']),
    readout: f('ox_readout', 'string', ['number', 'number', 'number', 'number']),
    makeHistogram: f('ox_make_histogram', 'number'),
    histogramCount: f('ox_histogram_count', 'number', ['number']),
    histogramPixels: f('ox_histogram_pixels', 'number'),
    histogramMinimum: f('ox_histogram_minimum', 'number'),
    histogramMaximum: f('ox_histogram_maximum', 'number'),
    histogramMean: f('ox_histogram_mean', 'number'),
    timeLoad: f('ox_time_load', 'number', ['string']),
  };
  const pixels = f('ox_pixels', 'number');
  const makeBmp = f('ox_make_bmp', 'number');
  const bmpBytes = f('ox_bmp_bytes', 'number');
  const makeThumbnail = f('ox_make_thumbnail', 'string', ['string', 'number']);
  const thumbWidth = f('ox_thumbnail_width', 'number');
  const thumbHeight = f('ox_thumbnail_height', 'number');
  const thumbPixels = f('ox_thumbnail_pixels', 'number');

  // Copies a file's bytes into the core (memory may grow: HEAPU8 is read
  // after the buffer is made).
  core.putFile = (bytes) => {
    const at = fileBuffer(bytes.length);
    m.HEAPU8.set(bytes, at);
  };
  // The shown picture's grey levels, top row first (a copy).
  core.pixels = () => {
    const at = pixels();
    return m.HEAPU8.slice(at, at + core.width() * core.height());
  };
  // The BMP file as the converter writes it; null without a picture.
  core.bmp = () => {
    const size = makeBmp();
    if (!size) return null;
    const at = bmpBytes();
    return m.HEAPU8.slice(at, at + size);
  };
  // A thumbnail of the file put in: {width, height, pixels} or {failure}.
  core.thumbnail = (name, longSide) => {
    const failure = makeThumbnail(name, longSide);
    if (failure) return { failure };
    const width = thumbWidth(), height = thumbHeight(), at = thumbPixels();
    return { width, height, pixels: m.HEAPU8.slice(at, at + width * height) };
  };
  return core;
}

// Grey levels to the RGBA a canvas takes.
export function greyToImageData(grey, width, height) {
  const image = new ImageData(Math.max(width, 1), Math.max(height, 1));
  const rgba = new Uint32Array(image.data.buffer);
  for (let i = 0; i < width * height; ++i) {
    const g = grey[i];
    rgba[i] = 0xff000000 | (g << 16) | (g << 8) | g;
  }
  return image;
}
