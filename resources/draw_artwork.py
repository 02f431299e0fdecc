#!/usr/bin/python3
"""Draws the editor's five bitmaps and writes them as Windows .bmp files.

    /usr/bin/python3 resources/draw_artwork.py [output directory]

Needs Debian's python3-pil and fonts-liberation. The output directory is
this script's own folder unless one is given. Every pixel comes from this
script and the two Liberation Sans fonts, so the same packages redraw the
same bytes.

The layout constants below mirror where the editor puts its controls; the
background is drawn around them, so a control moved in the editor must be
moved here too.
"""

import math
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/liberation"
REGULAR_FONT = os.path.join(FONT_DIR, "LiberationSans-Regular.ttf")
BOLD_FONT = os.path.join(FONT_DIR, "LiberationSans-Bold.ttf")

EDITOR_SIZE = (462, 355)
GROOVE_SIZE = (16, 160)
HANDLE_SIZE = (14, 12)
DIGIT_SIZE = (7, 19)
BUTTON_SIZE = (30, 15)

# Left edges of the four sliders' grooves, their common top; the read-out
# boxes under them; the Random button. Rectangles: left, top, right, bottom
# (right and bottom outside).
GROOVE_LEFTS = (65, 141, 217, 293)
GROOVE_TOP = 75
HANDLE_TRAVEL = (75, 222)  # the handle's top edge, highest and lowest
READOUTS = ((60, 250, 92, 264), (136, 250, 168, 264), (212, 250, 244, 264), (288, 250, 320, 264))
BUTTON = (288, 338, 318, 353)

LABELS = (("depth", "%"), ("min", "Hz."), ("max", "Hz."), ("change time", "sec. (max)"))
EMBLEM = (346, 115, 436, 195)  # a badge in the panel's right side, level with the sliders
EMBLEM_BURSTS = 2
EMBLEM_CYCLES_PER_BURST = 3
EMBLEM_BURST_LENGTH = 0.7  # of each burst's share of the width; silence fills the rest
BOTTOM_LABELS = ("pingpong", "(off)", "randomize change")

# The green panel, and what lies around it.
PANEL = (8, 7, 451, 325)
PANEL_RADIUS = 14
PANEL_TOP_COLOUR = (116, 170, 104)
PANEL_BOTTOM_COLOUR = (82, 138, 74)
SURROUND_COLOUR = (222, 222, 214)
SHADOW_COLOUR = (60, 64, 56)
SHADOW_OFFSET = (3, 4)
SHADOW_BLUR = 5
SHADOW_STRENGTH = 0.55
INK = (22, 48, 24)  # labels on the panel
INK_HIGHLIGHT = (150, 196, 138)  # the light edge under engraved lines and the title
PANEL_RIM_LIGHT = (176, 214, 164)
PANEL_RIM_DARK = (40, 76, 36)
WELL_COLOUR = (52, 92, 48)
TICK_COLOUR = (40, 78, 38)
BOTTOM_INK = (44, 46, 42)  # labels beside the button, off the panel

BUTTON_GREY = (126, 126, 126)
BUTTON_SEAT = (96, 98, 92)
BUTTON_SEAT_LIGHT = (252, 252, 246)
BUTTON_ON_INK = (255, 220, 0)
BUTTON_OFF_INK = (214, 214, 214)

SUPERSAMPLE = 4


# --- .bmp writing ------------------------------------------------------------


def row_stride(width, bits):
    return (width * bits + 31) // 32 * 4


def write_bmp(path, width, height, bits, rows, palette=None):
    """rows: top to bottom; palette indices for 4 bits, (r, g, b) for 24.

    Writes BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB, bottom-up, with
    biClrUsed the palette's own length.
    """
    palette = palette or []
    stride = row_stride(width, bits)
    pixels = bytearray()
    for row in reversed(rows):
        assert len(row) == width
        packed = bytearray()
        if bits == 4:
            for x in range(0, width, 2):
                high = row[x]
                low = row[x + 1] if x + 1 < width else 0
                assert high < len(palette) and low < len(palette)
                packed.append(high << 4 | low)
        elif bits == 24:
            for red, green, blue in row:
                packed += bytes((blue, green, red))
        else:
            raise ValueError("unsupported depth")
        packed += bytes(stride - len(packed))
        pixels += packed
    palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, len(palette), 0)
    offset = 14 + len(info) + len(palette_bytes)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + palette_bytes + pixels)


def rgb_rows(image):
    width, height = image.size
    data = list(image.convert("RGB").getdata())
    return [data[y * width:(y + 1) * width] for y in range(height)]


# --- the slider handle: 14 x 12, 16 colours ------------------------------------

# Pure white is the transparent colour: only the four corner pixels use it,
# so the cap looks rounded over the groove.
HANDLE_PALETTE = [
    (255, 255, 255),  # 0 transparent
    (52, 52, 52),  # 1 outline
    (244, 244, 244),  # 2 top highlight
    (214, 214, 214),  # 3 light band
    (186, 186, 186),  # 4 cap grey
    (156, 156, 156),  # 5 darker cap
    (112, 112, 112),  # 6 dark band
    (24, 24, 24),  # 7 centre line
    (136, 136, 136),  # 8 lower shade
] + [(0, 0, 0)] * 7

# One palette index per row, between the outline columns: light above the
# centre line, darker below, as a cap lit from above.
HANDLE_BANDS = (None, 2, 3, 4, 6, 7, 3, 4, 6, 5, 8, None)


def handle_rows():
    width, height = HANDLE_SIZE
    rows = []
    for y, band in enumerate(HANDLE_BANDS):
        if band is None:  # top and bottom outline, corners left out
            rows.append([0] + [1] * (width - 2) + [0])
        else:
            rows.append([1] + [band] * (width - 2) + [1])
    assert len(rows) == height
    return rows


# --- the groove: 16 x 160, 16 colours -------------------------------------------

GROOVE_PALETTE = [
    (16, 18, 16),  # 0 shadowed left wall
    (30, 33, 30),  # 1 channel
    (40, 44, 40),  # 2 channel, lit side
    (150, 158, 150),  # 3 centre line
    (62, 68, 62),  # 4 lit right wall
    (10, 11, 10),  # 5 top shadow
] + [(0, 0, 0)] * 10

# Left to right: a shadowed wall, the channel, a two-pixel centre line under
# the handle's middle, the channel, a lit wall.
GROOVE_COLUMNS = (0, 1, 1, 1, 1, 1, 1, 3, 3, 2, 2, 2, 2, 2, 2, 4)


def groove_rows():
    width, height = GROOVE_SIZE
    rows = []
    for y in range(height):
        if y < 2:
            rows.append([5] * width)
        elif y == height - 1:
            rows.append([4] * width)
        else:
            rows.append(list(GROOVE_COLUMNS))
    return rows


# --- the digit strip: 7 x 190, 3 colours -----------------------------------------

DIGITS_PALETTE = [(0, 0, 0), (72, 0, 0), (255, 24, 24)]  # black, unlit, lit

# Segments a..g lit for each digit.
DIGIT_SEGMENTS = ("abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg", "abcdfg")


def digit_cell(segments):
    width, height = DIGIT_SIZE
    cell = [[0] * width for _ in range(height)]

    def paint(segment, points):
        colour = 2 if segment in segments else 1
        for x, y in points:
            cell[y][x] = colour

    top, middle, bottom = 1, 9, 17
    paint("a", [(x, top) for x in range(1, 6)])
    paint("g", [(x, middle) for x in range(1, 6)])
    paint("d", [(x, bottom) for x in range(1, 6)])
    paint("f", [(0, y) for y in range(top + 1, middle)])
    paint("b", [(6, y) for y in range(top + 1, middle)])
    paint("e", [(0, y) for y in range(middle + 1, bottom)])
    paint("c", [(6, y) for y in range(middle + 1, bottom)])
    return cell


def digits_rows():
    rows = []
    for segments in DIGIT_SEGMENTS:
        rows += digit_cell(segments)
    return rows


# --- the Random button: 30 x 30, two frames --------------------------------------


def button_frame(text, ink):
    width, height = BUTTON_SIZE
    frame = Image.new("RGB", (width, height), BUTTON_GREY)
    draw = ImageDraw.Draw(frame)
    font = ImageFont.truetype(BOLD_FONT, 10)
    draw.text((width / 2, height / 2 + 0.5), text, font=font, fill=ink, anchor="mm")
    return frame


def on_off_image():
    width, height = BUTTON_SIZE
    image = Image.new("RGB", (width, height * 2), BUTTON_GREY)
    image.paste(button_frame("ON", BUTTON_ON_INK), (0, 0))
    image.paste(button_frame("OFF", BUTTON_OFF_INK), (0, height))
    return image


# --- the background: 462 x 355 ---------------------------------------------------


def smooth_mask(size, draw_shape):
    """An antialiased mask: the shape drawn four times larger, then reduced."""
    width, height = size
    large = Image.new("L", (width * SUPERSAMPLE, height * SUPERSAMPLE), 0)
    draw_shape(ImageDraw.Draw(large), SUPERSAMPLE)
    return large.resize(size, Image.BOX)


def rounded_mask(size, box, radius, width=0):
    def shape(draw, scale):
        scaled = [box[0] * scale, box[1] * scale, box[2] * scale - 1, box[3] * scale - 1]
        if width:
            draw.rounded_rectangle(scaled, radius * scale, outline=255, width=width * scale)
        else:
            draw.rounded_rectangle(scaled, radius * scale, fill=255)

    return smooth_mask(size, shape)


def vertical_gradient(size, top_colour, bottom_colour, top, bottom):
    width, height = size
    image = Image.new("RGB", size)
    draw = ImageDraw.Draw(image)
    for y in range(height):
        t = min(max((y - top) / max(bottom - top - 1, 1), 0.0), 1.0)
        colour = tuple(round(a + (b - a) * t) for a, b in zip(top_colour, bottom_colour))
        draw.line([(0, y), (width - 1, y)], fill=colour)
    return image


def paint(image, colour, mask, strength=1.0):
    """Lays colour over image where mask is set, scaled by strength."""
    if strength != 1.0:
        mask = mask.point(lambda value: round(value * strength))
    image.paste(Image.new("RGB", image.size, colour), (0, 0), mask)


def draw_text(image, position, text, font, colour, anchor):
    mask = Image.new("L", image.size, 0)
    ImageDraw.Draw(mask).text(position, text, font=font, fill=255, anchor=anchor)
    paint(image, colour, mask)


def draw_panel(image):
    size = image.size
    shadow_box = tuple(value + SHADOW_OFFSET[i % 2] for i, value in enumerate(PANEL))
    shadow = rounded_mask(size, shadow_box, PANEL_RADIUS).filter(ImageFilter.GaussianBlur(SHADOW_BLUR))
    paint(image, SHADOW_COLOUR, shadow, SHADOW_STRENGTH)

    panel_mask = rounded_mask(size, PANEL, PANEL_RADIUS)
    gradient = vertical_gradient(size, PANEL_TOP_COLOUR, PANEL_BOTTOM_COLOUR, PANEL[1], PANEL[3])
    image.paste(gradient, (0, 0), panel_mask)

    # A lit upper edge and a darker lower one: the panel stands off the surround.
    rim = rounded_mask(size, PANEL, PANEL_RADIUS, width=1)
    upper = Image.new("L", size, 0)
    upper.paste(rim.crop((0, 0, size[0], PANEL[1] + PANEL_RADIUS)), (0, 0))
    lower = ImageChops.subtract(rim, upper)
    paint(image, PANEL_RIM_LIGHT, upper, 0.8)
    paint(image, PANEL_RIM_DARK, lower, 0.8)


def draw_title(image):
    font = ImageFont.truetype(BOLD_FONT, 30)
    baseline = (24, 46)
    draw_text(image, (baseline[0], baseline[1] + 1), "Oscinda", font, INK_HIGHLIGHT, "ls")
    draw_text(image, baseline, "Oscinda", font, INK, "ls")
    small = ImageFont.truetype(REGULAR_FONT, 12)
    draw_text(image, (PANEL[2] - 22, 46), "tremolo gate", small, INK, "rs")


def draw_slider_wells(image):
    """A recessed slot around each groove, and a scale of ticks beside it."""
    size = image.size
    groove_width, groove_height = GROOVE_SIZE
    handle_height = HANDLE_SIZE[1]
    for left in GROOVE_LEFTS:
        well = (left - 3, GROOVE_TOP - 3, left + groove_width + 3, GROOVE_TOP + groove_height + 3)
        paint(image, WELL_COLOUR, rounded_mask(size, well, 4))
        light = (left - 3, GROOVE_TOP - 2, left + groove_width + 3, GROOVE_TOP + groove_height + 4)
        lower_edge = ImageChops.subtract(rounded_mask(size, light, 4), rounded_mask(size, well, 4))
        paint(image, INK_HIGHLIGHT, lower_edge, 0.7)

        draw = ImageDraw.Draw(image)
        centres = [HANDLE_TRAVEL[0] + handle_height // 2 + round(i * (HANDLE_TRAVEL[1] - HANDLE_TRAVEL[0]) / 10)
                   for i in range(11)]
        for i, y in enumerate(centres):
            length = 6 if i % 5 == 0 else 3
            draw.line([(left - 6 - length, y), (left - 7, y)], fill=TICK_COLOUR)
            draw.line([(left + groove_width + 6, y), (left + groove_width + 5 + length, y)], fill=TICK_COLOUR)


def draw_readout_bezels(image):
    for left, top, right, bottom in READOUTS:
        box = (left - 2, top - 2, right + 2, bottom + 2)
        paint(image, WELL_COLOUR, rounded_mask(image.size, box, 2))


def draw_emblem(image):
    """An engraved badge with a gated wave in the panel's free right side."""
    size = image.size
    left, top, right, bottom = EMBLEM
    box = (left, top, right, bottom)
    below = (left, top + 1, right, bottom + 1)
    paint(image, INK_HIGHLIGHT, rounded_mask(size, below, 12, width=1), 0.9)
    paint(image, INK, rounded_mask(size, box, 12, width=1), 0.8)

    # Bursts of a sine wave, silent between them: what the gate does to a tone.
    margin = 10
    width = right - left - 2 * margin
    middle = (top + bottom) / 2
    amplitude = (bottom - top) / 2 - margin - 8
    points = []
    for step in range(width * 8 + 1):
        x = step / 8
        phase = x / width
        within = (phase * EMBLEM_BURSTS - (1.0 - EMBLEM_BURST_LENGTH) / 2) % 1.0
        wave = 0.0
        if within < EMBLEM_BURST_LENGTH:
            wave = math.sin(2 * math.pi * EMBLEM_CYCLES_PER_BURST * within / EMBLEM_BURST_LENGTH)
        y = middle - amplitude * wave
        points.append((left + margin + x, y))

    def trace(drop):
        def shape(draw, scale):
            scaled = [(x * scale, (y + drop) * scale) for x, y in points]
            draw.line(scaled, fill=255, width=round(1.5 * scale), joint="curve")

        return smooth_mask(size, shape)

    # Engraved: a light line a pixel below the dark one.
    paint(image, INK_HIGHLIGHT, trace(1), 0.9)
    paint(image, INK, trace(0), 0.9)


def draw_labels(image):
    font = ImageFont.truetype(REGULAR_FONT, 11)
    for (left, _, right, bottom), (first, second) in zip(READOUTS, LABELS):
        centre = (left + right) / 2
        draw_text(image, (centre, bottom + 12), first, font, INK, "ms")
        draw_text(image, (centre, bottom + 25), second, font, INK, "ms")


def draw_button_seat(image):
    """A thin dark frame the Random button sits in."""
    left, top, right, bottom = BUTTON
    paint(image, BUTTON_SEAT, rounded_mask(image.size, (left - 1, top - 1, right + 1, bottom + 1), 1))
    light_edge = Image.new("L", image.size, 0)
    ImageDraw.Draw(light_edge).line([(left - 1, bottom), (right, bottom)], fill=255)
    paint(image, BUTTON_SEAT_LIGHT, light_edge, 0.8)


def draw_bottom_row(image):
    font = ImageFont.truetype(REGULAR_FONT, 11)
    baseline = (BUTTON[1] + BUTTON[3]) // 2 + 4
    pingpong, off, randomize = BOTTOM_LABELS
    x = PANEL[0] + 12
    draw_text(image, (x, baseline), pingpong, font, BOTTOM_INK, "ls")
    x += font.getlength(pingpong) + 5
    draw_text(image, (x, baseline), off, font, BOTTOM_INK, "ls")
    draw_text(image, (BUTTON[0] - 8, baseline), randomize, font, BOTTOM_INK, "rs")


def background_image():
    image = Image.new("RGB", EDITOR_SIZE, SURROUND_COLOUR)
    draw_panel(image)
    draw_title(image)
    draw_slider_wells(image)
    draw_readout_bezels(image)
    draw_emblem(image)
    draw_labels(image)
    draw_button_seat(image)
    draw_bottom_row(image)
    return image


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out_dir, exist_ok=True)

    def path(name):
        return os.path.join(out_dir, name)

    write_bmp(path("handle.bmp"), *HANDLE_SIZE, 4, handle_rows(), HANDLE_PALETTE)
    write_bmp(path("background.bmp"), *EDITOR_SIZE, 24, rgb_rows(background_image()))
    write_bmp(path("groove.bmp"), *GROOVE_SIZE, 4, groove_rows(), GROOVE_PALETTE)
    write_bmp(path("digits.bmp"), DIGIT_SIZE[0], DIGIT_SIZE[1] * 10, 4, digits_rows(), DIGITS_PALETTE)
    button = on_off_image()
    write_bmp(path("on_off.bmp"), *button.size, 24, rgb_rows(button))


if __name__ == "__main__":
    main()
