#!/usr/bin/env python3
"""Reads pixels of a screenshot for the GUI end-to-end checks (ImageMagick decodes the PNG).
Coordinates after `origin` are client coordinates of the window, found from the header panel's
border colour RGB(48,48,64) at (14, 14) scaled by the DPI.

  gui_pixels.py SHOT origin MARGIN             -> "OX OY" (screen position of client (0,0))
  gui_pixels.py SHOT width OX OY MARGIN        -> client width (from the header's right border)
  gui_pixels.py SHOT pixel OX OY X Y           -> "R G B"
  gui_pixels.py SHOT down OX OY X Y0 Y1 R G B  -> first client y in column X with that colour, or -1
  gui_pixels.py SHOT right OX OY Y X0 X1 R G B -> last client x in row Y with that colour, or -1
  gui_pixels.py SHOT count OX OY L T R B R G B TOL -> pixels within TOL of the colour in the rectangle
  gui_pixels.py SHOT rows OX OY L T R B R G B TOL  -> how many rows of the rectangle hold that colour
  gui_pixels.py SHOT same OTHER OX OY L T R B  -> "1" when both shots agree in the rectangle, else "0"
"""
import subprocess
import sys

BORDER = (48, 48, 64)


def load(path):
    w, h = map(int, subprocess.check_output(["identify", "-format", "%w %h", path]).split())
    data = subprocess.check_output(["convert", path, "-depth", "8", "rgb:-"])
    return w, h, data


def main():
    shot, command, *args = sys.argv[1:]
    w, h, data = load(shot)

    def px(x, y):
        if not (0 <= x < w and 0 <= y < h):
            return (-1, -1, -1)
        i = (y * w + x) * 3
        return tuple(data[i:i + 3])

    def near(c, target, tol=6):
        return all(abs(a - b) <= tol for a, b in zip(c, target))

    if command == "origin":
        margin = int(args[0])
        for y in range(h):
            if near(px(margin * 20, y), BORDER, 2):  # the header's top border, well right of its corner
                oy = y - margin
                for x in range(w):
                    if near(px(x, y + margin * 4), BORDER, 2):
                        print(x - margin, oy)
                        return
        print(-1, -1)
    elif command == "width":
        ox, oy, margin = map(int, args)
        y = oy + margin * 5
        for x in range(w - 1, ox, -1):
            if near(px(x, y), BORDER, 2):
                print(x + 1 + margin - ox)
                return
        print(-1)
    elif command == "pixel":
        ox, oy, x, y = map(int, args)
        print(*px(ox + x, oy + y))
    elif command == "down":
        ox, oy, x, y0, y1, r, g, b = map(int, args)
        for y in range(y0, y1):
            if near(px(ox + x, oy + y), (r, g, b)):
                print(y)
                return
        print(-1)
    elif command == "right":
        ox, oy, y, x0, x1, r, g, b = map(int, args)
        found = -1
        for x in range(x0, x1):
            if near(px(ox + x, oy + y), (r, g, b), 2):
                found = x
        print(found)
    elif command == "count":
        ox, oy, left, top, right, bottom, r, g, b, tol = map(int, args)
        print(sum(1 for y in range(top, bottom) for x in range(left, right)
                  if near(px(ox + x, oy + y), (r, g, b), tol)))
    elif command == "rows":
        ox, oy, left, top, right, bottom, r, g, b, tol = map(int, args)
        print(sum(1 for y in range(top, bottom)
                  if any(near(px(ox + x, oy + y), (r, g, b), tol) for x in range(left, right))))
    elif command == "same":
        other = args[0]
        ox, oy, left, top, right, bottom = map(int, args[1:])
        w2, h2, data2 = load(other)
        def px2(x, y):
            i = (y * w2 + x) * 3
            return tuple(data2[i:i + 3])
        print(1 if all(px(ox + x, oy + y) == px2(ox + x, oy + y)
                       for y in range(top, bottom) for x in range(left, right)) else 0)
    else:
        sys.exit(f"unknown command {command}")


if __name__ == "__main__":
    main()
