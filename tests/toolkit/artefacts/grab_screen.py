# Captures the whole X screen after a delay: grab_screen.py OUT.png SECONDS
import sys, time
from PIL import ImageGrab
time.sleep(float(sys.argv[2]))
im = ImageGrab.grab(xdisplay=None)
im.save(sys.argv[1])
print(im.size)
