#!/usr/bin/python3
"""Generates the interface's pictures: the splash logos, the controller notices, the level
title cards, the pause menu's windows, pages and button sheets, and the win screen.

Text is set in DejaVu Sans (Debian's fonts-dejavu-core). The control pages read
assets/input.json, so they always show the bindings the game really uses. Pictures are drawn
at three pixels per layout unit of the menus (the menus scale by window height / 540), which
keeps text sharp up to a 1620-pixel-tall window and legible at 1080.

Button sheets hold three looks side by side (normal, hovered or selected, held), the grid of
the "DefaultButton" animation sheet. Menu pictures go to the opaque folder: they are solid
panels, and the depth test keeps them in order. Pictures that float over the game with soft
edges (logos, notices, title cards) go to the blended folder.

Run from anywhere: /usr/bin/python3 tools/make_ui_assets.py (needs PIL and fonts-dejavu-core)
"""

import json
import math
import os

from PIL import Image, ImageDraw, ImageFont

from make_render_assets import draw_player_cell
from palette import (CLEAR, CORAL, DEEP, INK, MINT, NIGHT, OFF_WHITE, ORANGE, PLUM, SAND, TEAL,
                     save_png, with_alpha)

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OPAQUE = os.path.join(ROOT, "assets", "textures", "opaque")
BLENDED = os.path.join(ROOT, "assets", "textures", "blended")
INPUT_FILE = os.path.join(ROOT, "assets", "input.json")
FONT_FOLDER = "/usr/share/fonts/truetype/dejavu"

U = 3  # pixels per menu layout unit


def font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype(os.path.join(FONT_FOLDER, name), size)


def text_size(draw, text, face):
    left, top, right, bottom = draw.textbbox((0, 0), text, font=face)
    return right - left, bottom - top


def centred_text(draw, centre, text, face, fill):
    draw.text(centre, text, font=face, fill=fill, anchor="mm")


def fitted_font(draw, text, width, size, bold=True):
    """The largest size up to `size` at which the text fits the width."""
    while size > 8 and text_size(draw, text, font(size, bold))[0] > width:
        size -= 2
    return font(size, bold)


def panel(width, height, fill, rim, radius=6 * U, rim_width=3 * U):
    image = Image.new("RGBA", (width, height), CLEAR)
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle([0, 0, width - 1, height - 1], radius=radius, fill=rim)
    draw.rounded_rectangle([rim_width, rim_width, width - 1 - rim_width, height - 1 - rim_width],
                           radius=max(radius - rim_width, 1), fill=fill)
    return image, draw


def dots(draw, box, colour, spacing=12 * U, size=U):
    left, top, right, bottom = box
    for y in range(top, bottom, spacing):
        for x in range(left + (y // spacing % 2) * spacing // 2, right, spacing):
            draw.ellipse([x - size, y - size, x + size, y + size], fill=colour)


# ---------------------------------------------------------------- button sheets

# Normal, hovered (or selected), held: fill, rim, text.
LOOKS = [(DEEP, TEAL, OFF_WHITE), (TEAL, MINT, INK), (PLUM, SAND, SAND)]


def button_sheet(name, width_units, height_units, label=None, icon=None):
    w, h = width_units * U, height_units * U
    sheet = Image.new("RGBA", (w * 3, h), CLEAR)
    for index, (fill, rim, ink) in enumerate(LOOKS):
        cell, draw = panel(w, h, fill, rim, radius=min(h // 3, 8 * U), rim_width=2 * U)
        sink = U if index == 2 else 0
        if index == 1 and width_units >= 100:
            draw.polygon([(5 * U, h // 2 - 4 * U), (9 * U, h // 2), (5 * U, h // 2 + 4 * U)], fill=INK)
        if label:
            face = fitted_font(draw, label, w - 16 * U, int(h * 0.5))
            centred_text(draw, (w // 2, h // 2 + sink), label, face, ink)
        if icon:
            icon(draw, w, h, ink, sink)
        sheet.paste(cell, (index * w, 0))
    save_png(sheet, OPAQUE, name)


def speaker_icon(muted):
    def paint(draw, w, h, ink, sink):
        cx, cy = w // 2 - 3 * U, h // 2 + sink
        draw.rectangle([cx - 6 * U, cy - 3 * U, cx - 2 * U, cy + 3 * U], fill=ink)
        draw.polygon([(cx - 2 * U, cy - 3 * U), (cx + 3 * U, cy - 8 * U), (cx + 3 * U, cy + 8 * U),
                      (cx - 2 * U, cy + 3 * U)], fill=ink)
        if muted:
            draw.line([(cx + 6 * U, cy - 4 * U), (cx + 12 * U, cy + 4 * U)], fill=CORAL, width=2 * U)
            draw.line([(cx + 6 * U, cy + 4 * U), (cx + 12 * U, cy - 4 * U)], fill=CORAL, width=2 * U)
        else:
            for radius in (6 * U, 10 * U):
                draw.arc([cx + 3 * U - radius, cy - radius, cx + 3 * U + radius, cy + radius], -45, 45,
                         fill=ink, width=U + 1)
    return paint


def make_buttons():
    main_list = [("PMBContinue", "Continue"), ("PMBCredits", "Credits"), ("PMBOptions", "Options"),
                 ("PMBControls", "Controls"), ("PMBQuit", "Quit")]
    for name, label in main_list:
        button_sheet(name, 125, 23, label)
    button_sheet("PMBNext", 48, 23, "Next \u25b6")
    button_sheet("PMBBack", 48, 23, "\u25c0 Back")
    button_sheet("PMBYes", 62, 23, "Yes")
    button_sheet("PMBNo", 62, 23, "No")
    button_sheet("WinScreenPlayAgain", 125, 23, "Play again")
    button_sheet("PMBToggleMuteOn", 27, 27, icon=speaker_icon(False))
    button_sheet("PMBToggleMuteOff", 27, 27, icon=speaker_icon(True))


# The full-screen toggle is both a window picture (drawn whole) and a button sheet (drawn a
# third at a time); the window lies over the button, so the whole picture is what shows. Its
# thirds are a windowed screen, a switch and a full screen, the current mode lit.
def make_fullscreen_toggles():
    w, h = 103 * U, 68 * U
    third = w // 3
    for name, fullscreen in (("PMBFullscreenToggleW", True), ("PMBFullscreenToggleF", False)):
        image, draw = panel(w, h, DEEP, TEAL, radius=6 * U, rim_width=2 * U)
        cy = h // 2 - 6 * U
        lit, dim = SAND, with_alpha(MINT, 255)
        small = [third // 2 - 10 * U, cy - 7 * U, third // 2 + 10 * U, cy + 7 * U]
        draw.rectangle(small, outline=dim if fullscreen else lit, width=U + 1)
        draw.rectangle([small[0], small[1], small[2], small[1] + 3 * U], fill=dim if fullscreen else lit)
        big = [w - third // 2 - 13 * U, cy - 9 * U, w - third // 2 + 13 * U, cy + 9 * U]
        draw.rectangle(big, fill=lit if fullscreen else NIGHT, outline=lit if fullscreen else dim, width=U + 1)
        track = [w // 2 - 9 * U, cy - 4 * U, w // 2 + 9 * U, cy + 4 * U]
        draw.rounded_rectangle(track, radius=4 * U, fill=NIGHT, outline=MINT, width=U)
        knob_x = w // 2 + 5 * U if fullscreen else w // 2 - 5 * U
        draw.ellipse([knob_x - 3 * U, cy - 3 * U, knob_x + 3 * U, cy + 3 * U], fill=lit)
        caption = "Full screen" if fullscreen else "Windowed"
        centred_text(draw, (w // 2, h - 15 * U), caption, font(9 * U, True), OFF_WHITE)
        save_png(image, OPAQUE, name)


# ---------------------------------------------------------------- pause menu windows

RIGHT_W, RIGHT_H = 320 * U, 255 * U


# Square corners: an untextured window lies behind the right panel and would show through
# cut-out corners.
def right_panel(title=None):
    image, draw = panel(RIGHT_W, RIGHT_H, NIGHT, TEAL, radius=1)
    dots(draw, [12 * U, 12 * U, RIGHT_W - 12 * U, RIGHT_H - 12 * U], with_alpha(DEEP, 255))
    if title:
        draw.rounded_rectangle([24 * U, 12 * U, RIGHT_W - 24 * U, 38 * U], radius=6 * U, fill=DEEP)
        centred_text(draw, (RIGHT_W // 2, 25 * U), title, fitted_font(draw, title, RIGHT_W - 56 * U, 15 * U), SAND)
    return image, draw


def make_menu_windows():
    image, draw = panel(127 * U, 267 * U, NIGHT, TEAL)
    dots(draw, [10 * U, 40 * U, 117 * U, 257 * U], with_alpha(DEEP, 255))
    centred_text(draw, (127 * U // 2, 20 * U), "Menu", font(14 * U, True), SAND)
    save_png(image, OPAQUE, "PMWindowLeft")

    image, draw = right_panel()
    save_png(image, OPAQUE, "PmWindowRight")

    image, draw = right_panel()
    centred_text(draw, (RIGHT_W // 2, RIGHT_H // 2 - 30 * U), "PAUSED", font(48 * U, True), SAND)
    centred_text(draw, (RIGHT_W // 2, RIGHT_H // 2 + 20 * U), "Take a breather.", font(12 * U), MINT)
    resume = " or ".join(binding_names("UnpauseGame", "keyboard") + binding_names("UnpauseGame", "xbox"))
    centred_text(draw, (RIGHT_W // 2, RIGHT_H // 2 + 45 * U), resume + " to carry on", font(10 * U), OFF_WHITE)
    save_png(image, OPAQUE, "PMPausedScreen")

    w, h = 561 * U, 112 * U
    image, draw = panel(w, h, DEEP, CORAL, radius=10 * U)
    # Yes and No sit on the banner's lower half, 18 units below its centre.
    centred_text(draw, (w // 2, 30 * U), "Quit Wendlebox?", font(26 * U, True), OFF_WHITE)
    centred_text(draw, (w // 2, 101 * U), "Progress in this level is lost.", font(9 * U), MINT)
    save_png(image, OPAQUE, "PMQuitConfirmBanner")


CREDITS = [
    ("Wendlebox", ["A platform game by Team Velmora", "", "Design, code, art and sound", "by the Velmora team",
                   "", "Published under the Ostrel label"]),
    ("Engine libraries", ["GLFW  \u2014  windows and input", "GLEW  \u2014  OpenGL loading", "OpenGL 3.3",
                          "glm  \u2014  maths", "tinyobjloader  \u2014  meshes", "stb_image  \u2014  images"]),
    ("Sound", ["OpenAL Soft  \u2014  audio output", "libsndfile  \u2014  sound files", "",
               "Every sound effect and tune", "was synthesised for this game"]),
    ("Tools", ["Dear ImGui  \u2014  developer windows", "nlohmann::json  \u2014  data files",
               "GoogleTest  \u2014  tests", "", "Text set in DejaVu Sans", "Pictures drawn with Pillow"]),
    ("Thank you", ["Thanks for playing!", "", "Three levels, one package,", "no excuses.", "",
                   "\u2014 Team Velmora"]),
]


def page_lines(draw, lines, top=60 * U, step=22 * U, size=13):
    for index, line in enumerate(lines):
        centred_text(draw, (RIGHT_W // 2, top + index * step), line, font(size * U), OFF_WHITE)


def make_credits():
    for number, (title, lines) in enumerate(CREDITS, start=1):
        image, draw = right_panel("Credits %d/%d: %s" % (number, len(CREDITS), title))
        page_lines(draw, lines)
        save_png(image, OPAQUE, "PMCredits%d" % number)


# ---------------------------------------------------------------- control pages

KEY_NAMES = {
    "SPACE": "Space", "ESCAPE": "Esc", "LEFT_SHIFT": "Left Shift", "RIGHT_SHIFT": "Right Shift",
    "UP": "\u2191", "DOWN": "\u2193", "LEFT": "\u2190", "RIGHT": "\u2192", "ENTER": "Enter",
}
MOUSE_NAMES = {"LEFT": "Left click", "RIGHT": "Right click", "MIDDLE": "Middle click"}
PAD_NAMES = {
    "xbox": {"A": "A", "B": "B", "X": "X", "Y": "Y", "LEFT_BUMPER": "LB", "RIGHT_BUMPER": "RB",
             "LEFT_TRIGGER": "LT", "RIGHT_TRIGGER": "RT", "START": "Menu", "BACK": "View"},
    "playstation": {"A": "Cross", "B": "Circle", "X": "Square", "Y": "Triangle", "LEFT_BUMPER": "L1",
                    "RIGHT_BUMPER": "R1", "LEFT_TRIGGER": "L2", "RIGHT_TRIGGER": "R2", "START": "Options",
                    "BACK": "Share"},
}
STICK_NAMES = {"LEFT_JOY": "Left stick", "RIGHT_JOY": "Right stick"}
DIRECTIONS = {"LEFT": "\u2190", "RIGHT": "\u2192", "UP": "\u2191", "DOWN": "\u2193"}


def read_bindings():
    with open(INPUT_FILE) as source:
        data = json.load(source)
    bindings = {}
    for entry in data.values():
        if isinstance(entry, dict):
            bindings.setdefault(entry["Action"], []).append(entry["Code"])
    return bindings


BINDINGS = read_bindings()


def control_name(code, family):
    """The player-facing name of a binding code, or None when it belongs to another device."""
    if code.startswith("BUTTON_KEY_"):
        if family != "keyboard":
            return None
        key = code[len("BUTTON_KEY_"):]
        return KEY_NAMES.get(key, key.replace("_", " ").title() if len(key) > 1 else key)
    if code.startswith("BUTTON_MOUSE_BUTTON_"):
        return MOUSE_NAMES.get(code[len("BUTTON_MOUSE_BUTTON_"):]) if family == "keyboard" else None
    if not code.startswith("BUTTON_GAMEPAD_") or family == "keyboard":
        return None
    part = code[len("BUTTON_GAMEPAD_"):]
    if part.startswith("BUTTON_DPAD_"):
        return "D-pad " + DIRECTIONS[part[len("BUTTON_DPAD_"):]]
    if part.startswith("BUTTON_"):
        return PAD_NAMES[family].get(part[len("BUTTON_"):], part[len("BUTTON_"):].title())
    for stick, stick_name in STICK_NAMES.items():
        if part == stick:
            return stick_name
        if part.startswith(stick + "_"):
            return stick_name + " " + DIRECTIONS[part[len(stick) + 1:]]
    return PAD_NAMES[family].get(part, part.title())


def binding_names(action, family):
    names = []
    for code in BINDINGS.get(action, []):
        name = control_name(code, family)
        if name and name not in names:
            names.append(name)
    return names


# Each page: title and rows of (what the player does, the actions whose controls do it).
CONTROL_PAGES = [
    ("Moving", [("Walk left", ["MoveLeft"]), ("Walk right", ["MoveRight"]), ("Jump", ["Jump"])]),
    ("Dash and package", [("Dash", ["Dash"]), ("Aim the package (hold)", ["Aim"]),
                          ("Throw (let go)", ["ThrowPackage"]), ("Call it back", ["SummonPackage"]),
                          ("Teleport to it", ["TeleportToPackage"])]),
    ("Menus", [("Pause", ["PauseGame"]), ("Resume", ["UnpauseGame"])]),
    ("Developer keys", [("Debug windows", None), ("God mode", ["GodMode"]), ("No clip", ["NoClip"]),
                        ("Reload level", ["ReloadScene"]), ("Finish level", ["EndLevel"])]),
]
# Menu controls built into the game rather than read from the binding file.
MENU_ROWS = {
    "keyboard": [("Choose", "Left click")],
    "pad": [("Move the highlight", "Left or right stick"), ("Choose", "A"), ("Back to the list", "B")],
}
FAMILIES = [("PMKeyboardTutorial", "keyboard", "Keyboard and mouse"),
            ("PMXboxTutorial", "xbox", "Gamepad"),
            ("PMPlayStationTutorial", "playstation", "Wireless Controller")]


def row_controls(actions, family):
    if actions is None:
        return "F3"
    names = []
    for action in actions:
        names += [n for n in binding_names(action, "keyboard" if family == "keyboard" else family) if n not in names]
    return "  /  ".join(names) if names else "\u2014"


def page_rows(page_index, family):
    title, rows = CONTROL_PAGES[page_index]
    on_keyboard = page_index == 3
    result = [(label, row_controls(actions, "keyboard" if on_keyboard else family)) for label, actions in rows]
    if page_index == 2:
        extra = MENU_ROWS["keyboard" if family == "keyboard" else "pad"]
        if family == "playstation":
            extra = [(label, {"A": "Cross", "B": "Circle"}.get(value, value)) for label, value in extra]
        result += extra
    if on_keyboard and family != "keyboard":
        title += " (keyboard)"
    return title, result


def make_control_pages():
    for prefix, family, device in FAMILIES:
        for page_index in range(len(CONTROL_PAGES)):
            title, rows = page_rows(page_index, family)
            image, draw = right_panel("%s %d/%d: %s" % (device, page_index + 1, len(CONTROL_PAGES), title))
            label_face, control_face = font(12 * U), font(12 * U, True)
            top = 58 * U
            for index, (label, controls) in enumerate(rows):
                y = top + index * 24 * U
                draw.rounded_rectangle([20 * U, y - 10 * U, RIGHT_W - 20 * U, y + 10 * U], radius=4 * U, fill=DEEP)
                draw.text((28 * U, y), label, font=label_face, fill=MINT, anchor="lm")
                face = control_face
                while text_size(draw, controls, face)[0] > RIGHT_W * 0.55 and face.size > 16:
                    face = font(face.size - 2, True)
                draw.text((RIGHT_W - 28 * U, y), controls, font=face, fill=SAND, anchor="rm")
            save_png(image, OPAQUE, "%s%d" % (prefix, page_index + 1))


# ---------------------------------------------------------------- win screen

def goal_door(draw, box):
    """The level's goal door with its star, and the delivered parcel at its foot."""
    left, top, right, bottom = box
    draw.rounded_rectangle([left, top, right - 24 * U, bottom], radius=16 * U, fill=DEEP, outline=SAND, width=3 * U)
    draw.rounded_rectangle([left + 7 * U, top + 7 * U, right - 31 * U, bottom], radius=10 * U, fill=TEAL)
    cx, cy = (left + right - 24 * U) // 2, top + 36 * U
    points = [(cx + (10 if k % 2 == 0 else 4) * U * math.cos(-math.pi / 2 + k * math.pi / 5),
               cy + (10 if k % 2 == 0 else 4) * U * math.sin(-math.pi / 2 + k * math.pi / 5)) for k in range(10)]
    draw.polygon(points, fill=SAND, outline=INK)
    parcel = [right - 30 * U, bottom - 22 * U, right, bottom]
    draw.rectangle(parcel, fill=ORANGE, outline=INK, width=U + 1)
    draw.rectangle([right - 18 * U, bottom - 22 * U + U, right - 12 * U, bottom - U], fill=SAND)


def make_win_screen():
    w, h = 275 * U * 2, 120 * U * 2
    image, draw = panel(w, h, NIGHT, SAND, radius=14 * U, rim_width=4 * U)
    # The courier cheers in the lower left; the parcel waits at the goal in the lower right.
    courier = draw_player_cell(False, "Jump_Right", 1)
    courier = courier.resize((courier.width * 5, courier.height * 5), Image.NEAREST)
    floor = h - 16 * U
    left_box = (40 * U, floor - courier.height, 40 * U + courier.width, floor)
    right_box = (w - 118 * U, floor - 80 * U, w - 36 * U, floor)
    for index in range(28):
        angle = index / 28 * 2 * math.pi
        x, y = w // 2 + math.cos(angle) * (w // 2 - 16 * U), h // 2 + math.sin(angle) * (h // 2 - 16 * U)
        if any(box[0] - 8 * U < x < box[2] + 8 * U and y > box[1] - 8 * U for box in (left_box, right_box)):
            continue
        draw.ellipse([x - 4 * U, y - 4 * U, x + 4 * U, y + 4 * U], fill=[MINT, ORANGE, CORAL][index % 3])
    image.alpha_composite(courier, left_box[:2])
    goal_door(draw, right_box)
    centred_text(draw, (w // 2, h // 2 - 25 * U), "You made it!", font(60 * U, True), SAND)
    centred_text(draw, (w // 2, h // 2 + 40 * U), "All three levels cleared", font(22 * U), OFF_WHITE)
    save_png(image, OPAQUE, "WinScreen")

    w, h = 561 * U, 112 * U
    image, draw = panel(w, h, DEEP, TEAL, radius=10 * U)
    centred_text(draw, (w // 2, 40 * U), "Thanks for playing Wendlebox", font(24 * U, True), OFF_WHITE)
    centred_text(draw, (w // 2, 80 * U), "Play again, or call it a day?", font(13 * U), MINT)
    save_png(image, OPAQUE, "PMPlayAgainBanner")


# ---------------------------------------------------------------- splash logos

def soft_canvas(width, height):
    return Image.new("RGBA", (width, height), CLEAR)


def make_logos():
    # The studio: a red wordmark with a stylised bird, 4.14 wide per unit of height.
    w, h = 1656, 400
    image = soft_canvas(w, h)
    draw = ImageDraw.Draw(image)
    word = font(230, True)
    left = (w - (280 + 60 + text_size(draw, "OSTREL", word)[0])) // 2
    draw.ellipse([left, 60, left + 280, 340], fill=CORAL)
    draw.polygon([(left + 50, 210), (left + 260, 120), (left + 180, 220), (left + 270, 270), (left + 100, 250)],
                 fill=OFF_WHITE)
    draw.ellipse([left + 210, 140, left + 230, 160], fill=INK)
    draw.text((left + 340, h // 2 - 20), "OSTREL", font=word, fill=CORAL, anchor="lm")
    draw.text((left + 352, h // 2 + 130), "G A M E S", font=font(60, True), fill=SAND, anchor="lm")
    save_png(image, BLENDED, "Ostrel_RED")

    # The sound credit, white on clear, 3.79 wide per unit of height.
    w, h = 1516, 400
    image = soft_canvas(w, h)
    draw = ImageDraw.Draw(image)
    centred_text(draw, (w // 2, 80), "Sound powered by", font(64), OFF_WHITE)
    centred_text(draw, (w // 2, 210), "OpenAL Soft", font(130, True), OFF_WHITE)
    centred_text(draw, (w // 2, 335), "and libsndfile", font(84, True), OFF_WHITE)
    for x in (150, 1366):
        for index, height in enumerate((40, 90, 140, 90, 40)):
            cx = x + (index - 2) * 28
            draw.rounded_rectangle([cx - 8, 210 - height // 2, cx + 8, 210 + height // 2], radius=8, fill=OFF_WHITE)
    save_png(image, BLENDED, "FMOD_White")

    # The team: a square badge.
    s = 800
    image = soft_canvas(s, s)
    draw = ImageDraw.Draw(image)
    draw.ellipse([40, 40, s - 40, s - 40], fill=TEAL)
    draw.ellipse([70, 70, s - 70, s - 70], fill=NIGHT)
    draw.rounded_rectangle([300, 200, 500, 400], radius=24, fill=ORANGE)
    draw.line([(300, 300), (500, 300)], fill=INK, width=12)
    draw.line([(400, 200), (400, 400)], fill=INK, width=12)
    centred_text(draw, (s // 2, 500), "TEAM", font(60, True), MINT)
    centred_text(draw, (s // 2, 580), "VELMORA", font(92, True), SAND)
    save_png(image, BLENDED, "TeamLogo")


# ---------------------------------------------------------------- notices and title cards

def gamepad(draw, cx, cy, scale, body, accent, dual):
    draw.rounded_rectangle([cx - 60 * scale, cy - 30 * scale, cx + 60 * scale, cy + 25 * scale],
                           radius=25 * scale, fill=body)
    draw.ellipse([cx - 70 * scale, cy - 10 * scale, cx - 30 * scale, cy + 45 * scale], fill=body)
    draw.ellipse([cx + 30 * scale, cy - 10 * scale, cx + 70 * scale, cy + 45 * scale], fill=body)
    stick_y = cy + 8 * scale if dual else cy - 8 * scale
    for x, y in ((cx - 20 * scale, cy + 8 * scale), (cx + 20 * scale, stick_y)):
        draw.ellipse([x - 9 * scale, y - 9 * scale, x + 9 * scale, y + 9 * scale], fill=NIGHT)
    for dx, dy in ((0, -10), (10, 0), (0, 10), (-10, 0)):
        x, y = cx + 42 * scale + dx * scale, cy - 8 * scale + dy * scale
        draw.ellipse([x - 4 * scale, y - 4 * scale, x + 4 * scale, y + 4 * scale], fill=accent)
    draw.rectangle([cx - 48 * scale, cy - 12 * scale, cx - 36 * scale, cy - 4 * scale], fill=NIGHT)
    draw.rectangle([cx - 46 * scale, cy - 14 * scale, cx - 38 * scale, cy - 2 * scale], fill=NIGHT)


def keyboard(draw, cx, cy, scale):
    draw.rounded_rectangle([cx - 70 * scale, cy - 30 * scale, cx + 70 * scale, cy + 30 * scale],
                           radius=8 * scale, fill=OFF_WHITE)
    for row in range(3):
        for column in range(8):
            x = cx - 60 * scale + column * 16 * scale
            y = cy - 22 * scale + row * 16 * scale
            draw.rectangle([x, y, x + 10 * scale, y + 10 * scale], fill=DEEP)
    draw.rectangle([cx - 30 * scale, cy + 26 * scale - 4 * scale, cx + 30 * scale, cy + 26 * scale], fill=DEEP)


def make_notices():
    w, h = 504, 256
    notices = [("ConnectedKeyboard", "Keyboard", "and mouse in use", None),
               ("ConnectedDual", "Wireless Controller", "connected", True),
               ("ConnectedWireless", "Gamepad", "connected", False)]
    for name, title, subtitle, dual in notices:
        image = soft_canvas(w, h)
        draw = ImageDraw.Draw(image)
        draw.rounded_rectangle([4, 4, w - 5, h - 5], radius=36, fill=with_alpha(NIGHT, 235), outline=TEAL, width=6)
        if dual is None:
            keyboard(draw, w // 2, 80, 1.3)
        else:
            gamepad(draw, w // 2, 78, 1.3, MINT if dual else SAND, CORAL if dual else DEEP, dual)
        face = fitted_font(draw, title, w - 40, 44)
        centred_text(draw, (w // 2, 172), title, face, OFF_WHITE)
        centred_text(draw, (w // 2, 218), subtitle, font(30), MINT)
        save_png(image, BLENDED, name)


def make_title_cards():
    names = ["First Steps", "Moving Parts", "Outrun the Wall"]
    s = 600
    for number, subtitle in enumerate(names, start=1):
        image = soft_canvas(s, s)
        draw = ImageDraw.Draw(image)
        centred_text(draw, (s // 2 + 6, 206), "LEVEL", font(84, True), with_alpha(INK, 200))
        centred_text(draw, (s // 2, 200), "LEVEL", font(84, True), SAND)
        centred_text(draw, (s // 2 + 8, 348), str(number), font(230, True), with_alpha(INK, 200))
        centred_text(draw, (s // 2, 340), str(number), font(230, True), OFF_WHITE)
        centred_text(draw, (s // 2 + 4, 484), subtitle, font(52, True), with_alpha(INK, 200))
        centred_text(draw, (s // 2, 480), subtitle, font(52, True), MINT)
        save_png(image, BLENDED, "Level%dText" % number)


def main():
    make_buttons()
    make_fullscreen_toggles()
    make_menu_windows()
    make_credits()
    make_control_pages()
    make_win_screen()
    make_logos()
    make_notices()
    make_title_cards()


if __name__ == "__main__":
    main()
