"""Reads single pixels of the X display (DISPLAY) straight from the server, fast enough to poll
every millisecond: the timing scripts use it to see the moment a picture reaches the screen."""
import ctypes

_x11 = ctypes.CDLL("libX11.so.6")
_x11.XOpenDisplay.restype = ctypes.c_void_p
_x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x11.XDefaultRootWindow.restype = ctypes.c_ulong
_x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                           ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_x11.XGetImage.restype = ctypes.c_void_p
_x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
_x11.XGetPixel.restype = ctypes.c_ulong
_x11.XDestroyImage.argtypes = [ctypes.c_void_p]

_display = _x11.XOpenDisplay(None)
_root = _x11.XDefaultRootWindow(_display)


def pixel(x, y):
    """The colour 0xRRGGBB of the display's pixel (x, y), or None where it cannot be read."""
    image = _x11.XGetImage(_display, _root, x, y, 1, 1, 0xFFFFFFFF, 2)  # 2: ZPixmap
    if not image:
        return None
    colour = _x11.XGetPixel(image, 0, 0) & 0xFFFFFF
    _x11.XDestroyImage(image)
    return colour
