#!/usr/bin/env python3
"""How often a screen sample shows the flying ball of a running plitoboy.

Reads the X screen (XGetImage of the root window) every few milliseconds while
the ball flies, steers the paddle under the ball with real pointer motion and
launches with a real click, and prints the share of samples in flight that
show the ball, the ball's speed along its straight ways up (play steps move it
one pixel along its path), and, given the game's process id, the processor
time that process took. Prints figures; asserts nothing.
  ball_visibility.py SECONDS [PID]   (DISPLAY set, plitoboy started in mouse mode)
"""
import ctypes
import math
import os
import random
import sys
import time

X = ctypes.CDLL("libX11.so.6")
XTST = ctypes.CDLL("libXtst.so.6")


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                ("data", ctypes.POINTER(ctypes.c_char)), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


X.XOpenDisplay.restype = ctypes.c_void_p
X.XDefaultRootWindow.restype = ctypes.c_ulong
X.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
X.XGetImage.restype = ctypes.POINTER(XImage)
X.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                        ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
X.XFree.argtypes = [ctypes.c_void_p]
X.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 6
X.XFlush.argtypes = [ctypes.c_void_p]
XTST.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

display = X.XOpenDisplay(None)
root = X.XDefaultRootWindow(display)
W, H = 720, 560  # the game window with Wine's own frame and menu, at the screen's corner

BALL = bytes([10, 240, 240])  # RGB(240,240,10) as stored: blue, green, red
PADDLE = bytes([0, 240, 0])


def grab():
    img = X.XGetImage(display, root, 0, 0, W, H, 0xFFFFFFFF, 2)  # ZPixmap
    i = img.contents
    raw = ctypes.string_at(i.data, i.bytes_per_line * i.height)
    stride = i.bytes_per_line
    X.XFree(i.data)
    X.XFree(img)
    return raw, stride


def find(raw, stride, colour):
    """Pixels of one colour, outside the spare-ball icons: count and mean position."""
    n = sx = sy = 0
    at = raw.find(colour)
    while at >= 0:
        x, y = (at % stride) // 4, at // stride
        if at % 4 == 0 and (x >= 100 or y >= 90):
            n += 1
            sx += x
            sy += y
        at = raw.find(colour, at + 1)
    return n, (sx / n if n else 0), (sy / n if n else 0)


def click():
    XTST.XTestFakeButtonEvent(display, 1, 1, 0)
    XTST.XTestFakeButtonEvent(display, 1, 0, 0)
    X.XFlush(display)


def cpu_seconds(pid):
    """User and system time of a process from /proc, or None."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except (OSError, IndexError, ValueError):
        return None


class WayUp:
    """Distance over time along runs of samples in which the ball rises and
    keeps its sideways direction: one straight segment each."""

    def __init__(self):
        self.run = []
        self.distance = self.seconds = 0.0
        self.runs = 0

    def add(self, t, x, y):
        if self.run:
            t0, x0, y0 = self.run[-1]
            sideways = [p[1] for p in self.run]
            turned = len(sideways) > 1 and (x - x0) * (sideways[-1] - sideways[0]) < 0
            if y > y0 or turned or t - t0 > 0.1:
                self.close()
        self.run.append((t, x, y))

    def close(self):
        if len(self.run) >= 3 and self.run[-1][0] - self.run[0][0] > 0.05:
            (t0, x0, y0), (t1, x1, y1) = self.run[0], self.run[-1]
            self.distance += math.hypot(x1 - x0, y1 - y0)
            self.seconds += t1 - t0
            self.runs += 1
        self.run = []


def main():
    seconds = float(sys.argv[1]) if len(sys.argv) > 1 else 20.0
    pid = sys.argv[2] if len(sys.argv) > 2 else None
    cpu_start = cpu_seconds(pid) if pid else None
    wall_start = time.time()
    way_up = WayUp()
    flight = seen = partial = 0
    launched_at = None
    offset = 25
    end = time.time() + seconds
    while time.time() < end:
        raw, stride = grab()
        paddle, px, py = find(raw, stride, PADDLE)
        ball, bx, by = find(raw, stride, BALL)
        now = time.time()
        resting = ball > 0 and paddle > 0 and 0 < py - by < 14
        if paddle == 0 or resting:
            if resting and (launched_at is None or now - launched_at > 0.3):
                click()
                launched_at = now
            elif paddle == 0:
                launched_at = None
        elif launched_at is not None and now - launched_at > 0.1:
            flight += 1
            if ball >= 30:
                seen += 1
                way_up.add(now, bx, by)
            elif ball > 0:
                partial += 1
        if ball > 0 and not resting:
            # Paddle under the ball; a new offset now and then spreads the path.
            if random.random() < 0.02:
                offset = random.randint(5, 45)
            X.XWarpPointer(display, 0, root, 0, 0, 0, 0, int(bx) - offset, int(py))
            X.XFlush(display)
        time.sleep(random.uniform(0.002, 0.012))
    cpu_end = cpu_seconds(pid) if pid else None
    way_up.close()
    share = 100.0 * seen / flight if flight else 0.0
    print(f"samples in flight: {flight}; whole ball seen in {seen} ({share:.1f} %), "
          f"part of it in {partial}, none in {flight - seen - partial}")
    if way_up.seconds > 0:
        print(f"speed on the straight ways up: {way_up.distance / way_up.seconds:.1f} play steps "
              f"per second over {way_up.runs} ways, {way_up.seconds:.1f} s")
    if cpu_start is not None and cpu_end is not None:
        share = 100.0 * (cpu_end - cpu_start) / (time.time() - wall_start)
        print(f"the game's process took {share:.1f} % of a core over {seconds:.0f} s")


main()
