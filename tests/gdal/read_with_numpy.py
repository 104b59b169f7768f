#!/usr/bin/env python3
"""Reads a picture file into a numpy array through osgeo.gdal with the built
plugin, and compares it with the BMP that orbalux-convert writes for it.

usage: read_with_numpy.py CONVERTER PICTURE SCRATCH_DIR
(GDAL_DRIVER_PATH names the plugin's folder)"""
import os
import subprocess
import sys

import numpy as np
from osgeo import gdal

converter, picture, scratch = sys.argv[1:4]
gdal.UseExceptions()

# What the driver page shows.
dataset = gdal.OpenEx(picture, open_options=["DESPECKLE=YES"])
pixels = dataset.GetRasterBand(1).ReadAsArray()

assert dataset.GetDriver().ShortName == "MARINER67", dataset.GetDriver().ShortName
assert pixels.dtype == np.uint8, pixels.dtype

bmp_path = os.path.join(scratch, "numpy-check.bmp")
subprocess.run([converter, "-q", "--despeckle", picture, "-o", bmp_path], check=True)
bmp = np.fromfile(bmp_path, dtype=np.uint8)
os.remove(bmp_path)
offset = int.from_bytes(bmp[10:14].tobytes(), "little")
width = int.from_bytes(bmp[18:22].tobytes(), "little")
height = int.from_bytes(bmp[22:26].tobytes(), "little")
# Bottom-up rows of blue, green, red: the last row is the top one.
expected = bmp[offset:offset + 3 * width * height].reshape(height, width, 3)[::-1, :, 0]

assert pixels.shape == (height, width), (pixels.shape, (height, width))
assert np.array_equal(pixels, expected), "pixels differ from the converter's"
print(f"{picture}: {width} x {height}, mean {pixels.mean():.2f}, equal to the converter's")
