"""The test picture both sides draw: every pixel of a 13 x 7 picture a different colour."""

WIDTH, HEIGHT = 13, 7


def colour(x, y):
    return ((x * 29 + y * 3) & 255, (x * 7 + y * 31) & 255, (x * y + 17) & 255)


def palette_entry(i):
    return (i, 255 - i, (i * 3) & 255)


def palette_index(x, y):
    return (x + y * WIDTH) % 256
