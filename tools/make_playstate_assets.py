#!/usr/bin/python3
"""Generates the play state's pictures under assets/textures/blended:

- "OpeningComic": three panels telling the premise (a courier must deliver a parcel, throws it
  over danger and teleports to it, and runs from the wall of doom), drawn over a dimmed, see-through backdrop. The play state shows it as an 18 by 18
  world square centred on the player with the camera about five units in front of it, so only
  the middle of the square is in view: the panels sit inside that middle band.
- "PACKINDICATOR" and "PACKINDICATOR_ARROW": the badge at the window's edge while the thrown
  parcel is out of view, and the arrow around it that points at the parcel (drawn pointing
  right; the game turns it).

Text uses DejaVu (Debian package fonts-dejavu-core). The courier is the game's own player
sprite, scaled up.

Run from anywhere: /usr/bin/python3 tools/make_playstate_assets.py
"""

import math
import os

from PIL import Image, ImageDraw, ImageFont

from make_render_assets import draw_player_cell
from palette import CLEAR, CORAL, DEEP, INK, MINT, NIGHT, OFF_WHITE, ORANGE, PLUM, SAND, TEAL, save_png, with_alpha

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BLENDED = os.path.join(ROOT, "assets", "textures", "blended")
FONT_FOLDER = "/usr/share/fonts/truetype/dejavu"

# Edges are drawn this many times larger and scaled down, for smooth outlines.
SUPERSAMPLE = 4

COMIC_SIZE = 2048
# The panels are laid out on a page of this size (the part of the comic square that a 16:9
# window shows at the play camera's distance), then shrunk by COMIC_FIT so that narrower
# windows and the camera's lean keep a margin around them.
COMIC_PAGE = (1320, 740)
COMIC_FIT = 0.88


def font(size, bold=True):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(os.path.join(FONT_FOLDER, name), size)


def wrap(text, face, width):
    """Splits text into lines no wider than width pixels."""
    lines, line = [], ""
    for word in text.split():
        trial = (line + " " + word).strip()
        if face.getlength(trial) <= width:
            line = trial
        else:
            lines.append(line)
            line = word
    lines.append(line)
    return lines


def centred_text(draw, centre_x, top, text, face, fill, width, spacing=8):
    """Draws wrapped lines centred on centre_x from top down; returns the bottom."""
    ascent, descent = face.getmetrics()
    y = top
    for line in wrap(text, face, width):
        draw.text((centre_x - face.getlength(line) / 2, y), line, font=face, fill=fill)
        y += ascent + descent + spacing
    return y


def text_height(text, face, width, spacing=8):
    ascent, descent = face.getmetrics()
    return len(wrap(text, face, width)) * (ascent + descent + spacing) - spacing


def smooth(size, paint):
    """Paints at SUPERSAMPLE times the size and scales down to size."""
    big = Image.new("RGBA", (size[0] * SUPERSAMPLE, size[1] * SUPERSAMPLE), CLEAR)
    paint(ImageDraw.Draw(big), SUPERSAMPLE)
    return big.resize(size, Image.LANCZOS)


def courier(carrying, scale, animation="IdleRight", frame=0):
    cell = draw_player_cell(carrying, animation, frame)
    return cell.resize((cell.width * scale, cell.height * scale), Image.NEAREST)


def parcel(draw, box, outline=6):
    x0, y0, x1, y1 = box
    draw.rectangle(box, fill=ORANGE, outline=INK, width=outline)
    mid_x = (x0 + x1) // 2
    band = max(2, (x1 - x0) // 8)
    draw.rectangle([mid_x - band, y0 + outline, mid_x + band, y1 - outline], fill=SAND)
    draw.line([(x0 + outline, (y0 + y1) // 2), (x1 - outline, (y0 + y1) // 2)], fill=INK, width=max(2, outline // 2))


def star(draw, centre, radius, fill):
    cx, cy = centre
    points = []
    for k in range(10):
        r = radius if k % 2 == 0 else radius * 0.45
        angle = -math.pi / 2 + k * math.pi / 5
        points.append((cx + r * math.cos(angle), cy + r * math.sin(angle)))
    draw.polygon(points, fill=fill, outline=INK)


def dotted_arc(draw, start, end, lift, colour, dots=9, size=7):
    """Dots along a parabola from start to end that rises by lift at its middle."""
    for k in range(1, dots):
        t = k / dots
        x = start[0] + (end[0] - start[0]) * t
        y = start[1] + (end[1] - start[1]) * t - lift * 4 * t * (1 - t)
        draw.ellipse([x - size, y - size, x + size, y + size], fill=colour)


# ---------------------------------------------------------------- opening comic

PICTURE = 300  # height of a panel's picture; the caption sits below it
GROUND = 240   # top of the ground in a panel's picture


def ground(draw, box, sky, earth):
    x0, y0, x1, _ = box
    draw.rectangle([x0, y0, x1, y0 + PICTURE], fill=sky)
    draw.rectangle([x0, y0 + GROUND, x1, y0 + PICTURE], fill=earth)
    draw.line([(x0, y0 + GROUND), (x1, y0 + GROUND)], fill=MINT, width=6)


def stand(image, sprite, centre_x, foot_y):
    """Places a courier so that its soles rest on foot_y."""
    image.alpha_composite(sprite, (centre_x - sprite.width // 2, foot_y - sprite.height + 4))


def door(draw, x, foot_y, scale=1.0):
    """The delivery point: the goal's rounded door with its star."""
    w, h = 70 * scale, 100 * scale
    draw.rounded_rectangle([x - w / 2, foot_y - h, x + w / 2, foot_y], radius=30 * scale, fill=NIGHT, outline=SAND,
                           width=max(2, round(6 * scale)))
    draw.rounded_rectangle([x - w / 2 + 12 * scale, foot_y - h + 12 * scale, x + w / 2 - 12 * scale, foot_y],
                           radius=20 * scale, fill=TEAL)
    star(draw, (x, foot_y - h * 0.5), 16 * scale, SAND)


def spikes(draw, left, right, foot_y, height=34):
    for x in range(left, right, 24):
        draw.polygon([(x, foot_y), (x + 12, foot_y - height), (x + 24, foot_y)], fill=CORAL, outline=INK)
        draw.line([(x + 12, foot_y - height + 6), (x + 12, foot_y - height + 14)], fill=OFF_WHITE, width=3)


def sparkle(draw, centre, radius, colour):
    cx, cy = centre
    draw.polygon([(cx, cy - radius), (cx + radius * 0.25, cy), (cx, cy + radius), (cx - radius * 0.25, cy)],
                 fill=colour)
    draw.polygon([(cx - radius, cy), (cx, cy - radius * 0.25), (cx + radius, cy), (cx, cy + radius * 0.25)],
                 fill=colour)


def panel_courier(image, draw, box):
    x0, y0, x1, _ = box
    ground(draw, box, DEEP, TEAL)
    for x, y in ((x0 + 40, y0 + 50), (x0 + 150, y0 + 30), (x0 + 250, y0 + 90), (x0 + 110, y0 + 120)):
        draw.rectangle([x, y, x + 3, y + 3], fill=OFF_WHITE)
    stand(image, courier(True, 4), x0 + 95, y0 + GROUND)
    door(draw, x1 - 55, y0 + GROUND, 0.8)
    dotted_arc(draw, (x0 + 140, y0 + GROUND - 20), (x1 - 90, y0 + GROUND - 20), 0, SAND, dots=4, size=5)


def panel_throw_and_teleport(image, draw, box):
    """Two beats in one wide panel: the throw over the spikes, then the teleport to the parcel."""
    x0, y0, x1, _ = box
    ground(draw, box, PLUM, DEEP)
    spikes(draw, x0 + 150, x1 - 190, y0 + GROUND)
    stand(image, courier(False, 4, "Jump_Right", 1), x0 + 70, y0 + GROUND)
    dotted_arc(draw, (x0 + 100, y0 + 110), (x1 - 150, y0 + GROUND - 40), 140, SAND, dots=12)
    # Beside the parcel, the courier arrives inside the teleport ring.
    cx = x1 - 80
    draw.ellipse([cx - 70, y0 + 80, cx + 70, y0 + GROUND + 10], outline=MINT, width=6)
    stand(image, courier(False, 4), cx, y0 + GROUND)
    parcel(draw, [x1 - 170, y0 + GROUND - 44, x1 - 122, y0 + GROUND], outline=5)
    for (dx, dy, r) in ((-60, 70, 16), (62, 120, 12), (-50, 190, 10)):
        sparkle(draw, (cx + dx, y0 + dy), r, MINT)
    for k in range(5):
        x = x0 + 230 + k * 34
        draw.polygon([(x, y0 + 140), (x + 18, y0 + 151), (x, y0 + 162)], fill=MINT)


def death_wall(draw, box):
    x0, y0, _, _ = box
    right = x0 + 70
    draw.rectangle([x0, y0, right, y0 + PICTURE], fill=PLUM)
    for y in range(y0, y0 + PICTURE, 30):
        draw.polygon([(right, y), (right + 26, y + 15), (right, y + 30)], fill=CORAL, outline=INK)
    draw.ellipse([x0 + 14, y0 + 90, x0 + 54, y0 + 130], fill=OFF_WHITE, outline=INK, width=4)
    draw.ellipse([x0 + 34, y0 + 102, x0 + 50, y0 + 118], fill=INK)


def panel_run(image, draw, box):
    x0, y0, x1, _ = box
    ground(draw, box, DEEP, NIGHT)
    door(draw, x1 - 45, y0 + GROUND, 0.6)
    stand(image, courier(True, 4, "DashRightMid", 0), x0 + 165, y0 + GROUND)
    death_wall(draw, box)
    for dx in (0, 40):
        draw.text((x0 + 115 + dx, y0 + 20), "!", font=font(56), fill=SAND)


def make_comic_page():
    image = Image.new("RGBA", COMIC_PAGE, CLEAR)
    draw = ImageDraw.Draw(image)
    left, top, right, bottom = 0, 0, COMIC_PAGE[0] - 1, COMIC_PAGE[1] - 1
    draw.rounded_rectangle((left, top, right, bottom), radius=28, fill=INK, outline=TEAL, width=6)
    centre = (left + right) // 2
    centred_text(draw, centre, top + 22, "SPECIAL DELIVERY", font(56), SAND, right - left)

    # The middle panel is twice as wide and sits in the middle of the page.
    captions = [
        (panel_courier, 1, "You're the courier, and this parcel must arrive."),
        (panel_throw_and_teleport, 2, "Throw the parcel over gaps and spikes, then teleport to it in a flash."),
        (panel_run, 1, "Keep moving: the wall of doom is right behind you!"),
    ]
    gutter = 24
    unit = (right - left - gutter * (len(captions) + 1)) // sum(share for _, share, _ in captions)
    panel_top = top + 100
    x0 = left + gutter
    for index, (paint, share, caption) in enumerate(captions):
        width = unit * share
        box = (x0, panel_top, x0 + width, bottom - 80)
        draw.rectangle(box, fill=OFF_WHITE)
        paint(image, draw, box)
        draw.rectangle(box, outline=OFF_WHITE, width=8)
        caption_top = panel_top + PICTURE
        caption_space = box[3] - caption_top
        caption_height = text_height(caption, font(28), width - 36)
        centred_text(draw, x0 + width // 2, caption_top + (caption_space - caption_height) // 2, caption, font(28),
                     INK, width - 36)
        draw.rounded_rectangle([x0 + 10, panel_top + 10, x0 + 46, panel_top + 50], radius=8, fill=INK)
        draw.text((x0 + 28, panel_top + 30), str(index + 1), font=font(28), fill=SAND, anchor="mm")
        x0 += width + gutter

    centred_text(draw, centre, bottom - 60, "Press SPACE, A or START to set off", font(34, bold=False), MINT,
                 right - left)
    return image


def make_opening_comic():
    image = Image.new("RGBA", (COMIC_SIZE, COMIC_SIZE), with_alpha(NIGHT, 200))
    page = make_comic_page()
    fitted = page.resize((round(page.width * COMIC_FIT), round(page.height * COMIC_FIT)), Image.LANCZOS)
    image.alpha_composite(fitted, ((COMIC_SIZE - fitted.width) // 2, (COMIC_SIZE - fitted.height) // 2))
    save_png(image, BLENDED, "OpeningComic")


# ---------------------------------------------------------------- package indicator

INDICATOR_SIZE = (128, 128)


def make_indicator():
    def paint(draw, s):
        draw.ellipse([22 * s, 22 * s, 106 * s, 106 * s], fill=with_alpha(NIGHT, 230), outline=TEAL, width=6 * s)
        parcel(draw, [44 * s, 48 * s, 84 * s, 82 * s], outline=4 * s)

    save_png(smooth(INDICATOR_SIZE, paint), BLENDED, "PACKINDICATOR")


def make_indicator_arrow():
    # Points right, along the image's middle row, outside the badge; symmetric top to bottom.
    def paint(draw, s):
        draw.polygon([(104 * s, 44 * s), (126 * s, 64 * s), (104 * s, 84 * s)], fill=CORAL, outline=INK)
        draw.line([(104 * s, 44 * s), (126 * s, 64 * s), (104 * s, 84 * s), (104 * s, 44 * s)], fill=INK,
                  width=3 * s)

    save_png(smooth(INDICATOR_SIZE, paint), BLENDED, "PACKINDICATOR_ARROW")


def main():
    make_opening_comic()
    make_indicator()
    make_indicator_arrow()


if __name__ == "__main__":
    main()
