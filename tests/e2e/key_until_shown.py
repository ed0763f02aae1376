#!/usr/bin/env python3
"""Presses a key (an X keysym: space, Tab) through the XTEST extension, as
xdotool does, and prints the seconds from its release (when a button acts)
until the window shows one row all in one colour: with the panel's last row
and colour, how long the panel took to come fully back. It looks about
every millisecond (XGetImage of that row), so the figure is an upper bound
within about a millisecond; "never" when LIMIT seconds pass first.

Usage: key_until_shown.py KEY WINDOW X Y WIDTH RRGGBB LIMIT (X, Y in the
window, on the display that DISPLAY names)."""

import ctypes
import ctypes.util
import sys
import time

ALL_PLANES = ~0 & 0xFFFFFFFFFFFFFFFF
Z_PIXMAP = 2


class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, up to those read here.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_uint8)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


def library(name):
    path = ctypes.util.find_library(name)
    if not path:
        sys.exit(f"key_until_shown: lib{name} is missing")
    return ctypes.CDLL(path)


def main():
    key = sys.argv[1].encode()
    window, x, y, width = (int(a, 0) for a in sys.argv[2:6])
    colour, limit = int(sys.argv[6], 16), float(sys.argv[7])
    x11, xtest = library("X11"), library("Xtst")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XStringToKeysym.restype = ctypes.c_ulong
    x11.XFree.argtypes = [ctypes.c_void_p]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                        ctypes.c_ulong]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("key_until_shown: no display")

    def row_is_colour():
        image = x11.XGetImage(display, window, x, y, width, 1, ALL_PLANES, Z_PIXMAP)
        if not image:
            return False
        try:
            im = image.contents
            if im.bits_per_pixel != 32:
                sys.exit(f"key_until_shown: {im.bits_per_pixel} bits a pixel")
            raw = ctypes.string_at(im.data, width * 4)
            # Little-endian 0x00RRGGBB words.
            return all(int.from_bytes(raw[i:i + 3], "little") == colour
                       for i in range(0, len(raw), 4))
        finally:
            x11.XFree(image.contents.data)
            x11.XFree(image)

    code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(key))
    xtest.XTestFakeKeyEvent(display, code, True, 0)
    x11.XSync(display, False)
    xtest.XTestFakeKeyEvent(display, code, False, 0)
    x11.XSync(display, False)
    released = time.monotonic()
    while time.monotonic() - released < limit:
        if row_is_colour():
            print(f"{time.monotonic() - released:.3f}")
            return
    print("never")


main()
