#!/usr/bin/env python3
"""Writes Korvid's icons as SVG into portal/resources/icons/ and the resource list portal.qrc.

Every picture is drawn here from simple shapes: a rounded tile in a colour gradient with a
white glyph on it, bold enough to read at 16 pixels. Run it again after changing a glyph.
"""
import os

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "portal", "resources")

W = 'fill="none" stroke="#fff" stroke-linecap="round" stroke-linejoin="round"'
F = 'fill="#fff"'


def tile(size, top, bottom, body, radius=None):
    r = radius if radius is not None else size * 0.22
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" viewBox="0 0 {size} {size}">
<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/></linearGradient></defs>
<rect x="0.5" y="0.5" width="{size - 1}" height="{size - 1}" rx="{r}" fill="url(#g)" stroke="{bottom}" stroke-width="1"/>
{body}
</svg>
'''


# Toolbar images, 32 x 32, numbered as the toolbar uses them.
TOOLBAR = [
    ("new", "#5aa9f0", "#1f6fc4", f'<rect x="6" y="8" width="20" height="16" rx="2" {W} stroke-width="2.5"/>'
     f'<path d="M6 12h20" {W} stroke-width="2.5"/><path d="M16 15v7M12.5 18.5h7" {W} stroke-width="2.5"/>'),
    ("back", "#6fcf6a", "#2e8b2a", f'<path d="M19 8l-8 8 8 8" {W} stroke-width="4"/>'),
    ("forward", "#6fcf6a", "#2e8b2a", f'<path d="M13 8l8 8-8 8" {W} stroke-width="4"/>'),
    ("picture", "#7ec8e8", "#2f86b0", f'<circle cx="22" cy="10" r="3" {F}/>'
     f'<path d="M5 25l8-10 5 6 3-3 6 7z" {F}/>'),
    ("favorites", "#ffd45a", "#e08a00", f'<path d="M16 5l3.3 6.9 7.5 1-5.5 5.2 1.4 7.5L16 22l-6.7 3.6 1.4-7.5-5.5-5.2 7.5-1z" {F}/>'),
    ("film", "#ff8a65", "#c9401b", f'<rect x="6" y="7" width="20" height="18" rx="2" {F}/>'
     + "".join(f'<rect x="8" y="{y}" width="2.5" height="2.5" fill="#c9401b"/><rect x="21.5" y="{y}" width="2.5" height="2.5" fill="#c9401b"/>' for y in (9, 14.7, 20.5))
     + '<path d="M14 12v8l6-4z" fill="#c9401b"/>'),
    ("drama", "#f48fb1", "#c2185b", f'<rect x="5" y="8" width="22" height="15" rx="2" {W} stroke-width="2.5"/>'
     f'<path d="M12 27h8" {W} stroke-width="2.5"/><path d="M16 11.5c-1.5-2-5-1-4 1.8.6 1.6 4 4.2 4 4.2s3.4-2.6 4-4.2c1-2.8-2.5-3.8-4-1.8z" {F}/>'),
    ("radio", "#b39ddb", "#5e35b1", f'<path d="M9 12l14-6" {W} stroke-width="2"/><rect x="5" y="12" width="22" height="14" rx="3" {F}/>'
     '<circle cx="12" cy="19" r="4" fill="#5e35b1"/><path d="M19 16h5M19 19h5M19 22h5" stroke="#5e35b1" stroke-width="1.6"/>'),
    ("sidebar", "#90a4ae", "#455a64", f'<rect x="5" y="7" width="22" height="18" rx="2" {W} stroke-width="2.5"/>'
     f'<rect x="18" y="8.5" width="7.5" height="15" {F}/>'),
    ("edit", "#80cbc4", "#00796b", f'<path d="M8 5h11l5 5v17H8z" {F}/><path d="M12 21l1-4 8-8 3 3-8 8z" fill="#00796b"/>'),
    ("tools", "#bcaaa4", "#6d4c41", f'<circle cx="16" cy="16" r="7.5" {W} stroke-width="4" stroke-dasharray="3.9 2"/>'
     f'<circle cx="16" cy="16" r="3" {F}/>'),
    ("monitor", "#78909c", "#37474f", f'<rect x="5" y="6" width="22" height="15" rx="2" {W} stroke-width="2.5"/>'
     f'<path d="M12 27h8M16 21v6" {W} stroke-width="2.5"/><path d="M13.5 11.5a3.6 3.6 0 1 0 5 0M16 10v3.5" {W} stroke-width="1.8"/>'),
    ("sound", "#4dd0e1", "#00838f", f'<path d="M6 13h5l6-5v16l-6-5H6z" {F}/>'
     f'<path d="M21 12.5a5 5 0 0 1 0 7M24 9.5a9 9 0 0 1 0 13" {W} stroke-width="2.2"/>'),
    ("search", "#9fa8da", "#3949ab", f'<circle cx="14" cy="14" r="6.5" {W} stroke-width="3"/><path d="M19 19l6 6" {W} stroke-width="4"/>'),
    ("chime", "#ffcc80", "#ef6c00", f'<path d="M16 6c-5 0-7 4-7 8v5l-2 3h18l-2-3v-5c0-4-2-8-7-8z" {F}/>'
     f'<circle cx="16" cy="25" r="2.5" {F}/>'),
    ("history", "#a5d6a7", "#388e3c", f'<circle cx="16" cy="16" r="10" {W} stroke-width="2.5"/>'
     f'<path d="M16 10v6l4 3" {W} stroke-width="2.5"/>'),
    ("tv", "#64b5f6", "#1565c0", f'<path d="M11 5l5 4 5-4" {W} stroke-width="2"/><rect x="5" y="9" width="22" height="16" rx="3" {F}/>'
     '<rect x="8" y="12" width="16" height="10" rx="1.5" fill="#1565c0"/>'),
    ("mail", "#ef9a9a", "#c62828", f'<rect x="5" y="9" width="22" height="15" rx="2" {F}/>'
     '<path d="M6 10.5l10 7 10-7" fill="none" stroke="#c62828" stroke-width="2"/>'),
]

# Tree images, 16 x 16, numbered as the directory tree uses them.
TREE = [
    ("root", "#64b5f6", "#1565c0", f'<circle cx="8" cy="8" r="5" {W} stroke-width="1.4"/>'
     f'<path d="M3 8h10M8 3c-2.5 2.8-2.5 7.2 0 10M8 3c2.5 2.8 2.5 7.2 0 10" {W} stroke-width="1.2"/>'),
    ("group", "#ffe082", "#f9a825", '<path d="M2.5 4.5h4l1.2 1.5h5.8v6.5h-11z" fill="#fff" stroke="#c77800" stroke-width="0.8"/>'),
    ("film", "#ff8a65", "#c9401b", f'<rect x="3" y="3" width="10" height="10" rx="1" {F}/><path d="M7 5.5v5l4-2.5z" fill="#c9401b"/>'),
    ("cartoon", "#fff176", "#f57f17", '<circle cx="8" cy="8" r="5" fill="#fff"/><circle cx="6.3" cy="7" r="0.9" fill="#f57f17"/>'
     '<circle cx="9.7" cy="7" r="0.9" fill="#f57f17"/><path d="M5.7 9.3c1.2 1.6 3.4 1.6 4.6 0" fill="none" stroke="#f57f17" stroke-width="1"/>'),
    ("drama", "#f48fb1", "#c2185b", '<path d="M8 5c-1-1.6-4.5-1.2-4 1.3C4.4 8.3 8 11 8 11s3.6-2.7 4-4.7C12.5 3.8 9 3.4 8 5z" fill="#fff"/>'),
    ("tv", "#64b5f6", "#1565c0", f'<rect x="2.5" y="4" width="11" height="8" rx="1.5" {F}/><circle cx="8" cy="8" r="1.8" fill="#e53935"/>'),
    ("radio", "#b39ddb", "#5e35b1", f'<rect x="2.5" y="6" width="11" height="7" rx="1.5" {F}/><path d="M4.5 6l7-3" {W} stroke-width="1.2"/>'
     '<circle cx="6" cy="9.5" r="1.8" fill="#5e35b1"/>'),
    ("music", "#80deea", "#00838f", '<path d="M6 3.5l6-1.5v8" fill="none" stroke="#fff" stroke-width="1.6"/><path d="M6 3.5v8" stroke="#fff" stroke-width="1.6"/>'
     f'<circle cx="4.8" cy="11.5" r="1.8" {F}/><circle cx="10.8" cy="10" r="1.8" {F}/>'),
    ("star", "#ffd45a", "#e08a00", f'<path d="M8 2.5l1.7 3.5 3.8.5-2.8 2.6.7 3.8L8 11.1l-3.4 1.8.7-3.8-2.8-2.6 3.8-.5z" {F}/>'),
    ("person", "#a1887f", "#5d4037", f'<circle cx="8" cy="5.5" r="2.5" {F}/><path d="M3.5 13c0-3 2-4.5 4.5-4.5s4.5 1.5 4.5 4.5z" {F}/>'),
    ("ranking", "#a5d6a7", "#2e7d32", f'<rect x="3" y="8" width="2.6" height="5" {F}/><rect x="6.7" y="4" width="2.6" height="9" {F}/>'
     f'<rect x="10.4" y="6" width="2.6" height="7" {F}/>'),
    ("heart", "#ef9a9a", "#c62828", '<path d="M8 5c-1-1.8-5-1.4-4.4 1.4C4 8.6 8 12 8 12s4-3.4 4.4-5.6C13 3.6 9 3.2 8 5z" fill="#fff"/>'),
    ("download", "#90caf9", "#1e88e5", f'<path d="M8 3v6.5M5 7l3 3 3-3" {W} stroke-width="2"/><path d="M3.5 12.5h9" {W} stroke-width="1.8"/>'),
    ("hollywood", "#ce93d8", "#8e24aa", f'<path d="M8 2.5l5.5 5.5L8 13.5 2.5 8z" {F}/><path d="M8 5.5l2.5 2.5L8 10.5 5.5 8z" fill="#8e24aa"/>'),
    ("vip", "#ffe082", "#ff8f00", f'<path d="M2.5 12V5.5l3 2.5L8 3.5l2.5 4.5 3-2.5V12z" {F}/>'),
]

PROGRAM = '''<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
<defs><linearGradient id="g" x1="0" y1="0" x2="1" y2="1">
<stop offset="0" stop-color="#ffb74d"/><stop offset="1" stop-color="#d84315"/></linearGradient></defs>
<circle cx="32" cy="32" r="30" fill="url(#g)" stroke="#bf360c" stroke-width="2"/>
<path d="M19 14v36h22" fill="none" stroke="#fff" stroke-width="8" stroke-linecap="round" stroke-linejoin="round"/>
<path d="M31 21v18l15-9z" fill="#fff"/>
</svg>
'''

CLOSE = '''<svg xmlns="http://www.w3.org/2000/svg" width="52" height="19" viewBox="0 0 52 19">
<defs><linearGradient id="g" x1="0" y1="0" x2="0" y2="1">
<stop offset="0" stop-color="#f7f7f7"/><stop offset="1" stop-color="#d0d0d0"/></linearGradient></defs>
<rect x="0.5" y="0.5" width="51" height="18" rx="9" fill="url(#g)" stroke="#8a8a8a"/>
<circle cx="26" cy="9.5" r="6.5" fill="#e53935"/>
<path d="M23.3 6.8l5.4 5.4M28.7 6.8l-5.4 5.4" stroke="#fff" stroke-width="1.8" stroke-linecap="round"/>
</svg>
'''


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main():
    files = []
    for i, (name, top, bottom, body) in enumerate(TOOLBAR, 1):
        rel = f"icons/toolbar/{i:02d}-{name}.svg"
        write(os.path.join(HERE, rel), tile(32, top, bottom, body))
        files.append(rel)
    for i, (name, top, bottom, body) in enumerate(TREE, 1):
        rel = f"icons/tree/{i:02d}-{name}.svg"
        write(os.path.join(HERE, rel), tile(16, top, bottom, body, radius=3))
        files.append(rel)
    write(os.path.join(HERE, "icons/korvid.svg"), PROGRAM)
    write(os.path.join(HERE, "icons/close.svg"), CLOSE)
    files += ["icons/korvid.svg", "icons/close.svg"]
    lines = ['<RCC>', '  <qresource prefix="/portal">']
    lines += [f"    <file>{f}</file>" for f in files]
    lines += ['  </qresource>', '</RCC>', '']
    write(os.path.join(HERE, "portal.qrc"), "\n".join(lines))


if __name__ == "__main__":
    main()
