#!/usr/bin/env bash
# Gives the Wine prefix in WINEPREFIX the fonts the program's dialogs are measured and shown
# with, as Windows has them:
# - Marlett, which draws the caption buttons, MS Sans Serif, the English dialogs' font, and
#   Tahoma, which "MS Shell Dlg" (the translated dialogs' font) stands for: Wine does not
#   find Debian's copies of its own fonts (package fonts-wine);
# - a link from Tahoma to WenQuanYi Micro Hei (package fonts-wqy-microhei) for the letters
#   Tahoma lacks, as Windows links its dialog fonts to its Chinese and Japanese fonts, so
#   that Chinese and Japanese texts show, and are measured, with real glyphs.
# Idempotent; a missing source font is skipped.
set -euo pipefail

fonts=$WINEPREFIX/drive_c/windows/Fonts
mkdir -p "$fonts"
for font in marlett.ttf sserife.fon tahoma.ttf; do
    if [ -f "/usr/share/wine/fonts/$font" ] && [ ! -f "$fonts/$font" ]; then
        cp "/usr/share/wine/fonts/$font" "$fonts/"
    fi
done
if [ -f /usr/share/fonts/truetype/wqy/wqy-microhei.ttc ]; then
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
        /v Tahoma /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
fi
