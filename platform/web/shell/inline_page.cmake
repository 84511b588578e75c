# One page as one HTML file: the page's style and its script (the program
# linked with its WebAssembly inside, -sSINGLE_FILE) written into the HTML in
# place of the links to them, so that the file works opened from the disk.
#   cmake -DHTML=<page.html> -DCSS=<page.css> -DSCRIPT=<program.js>
#         -DSCRIPT_NAME=<name the page links> -DOUTPUT=<file.html> -P inline_page.cmake
file(READ "${HTML}" html)
file(READ "${CSS}" css)
file(READ "${SCRIPT}" script)
# Inside a script element only "</script" would end it early.
string(REPLACE "</script" "<\\/script" script "${script}")
string(REPLACE "<link rel=\"stylesheet\" href=\"page.css\">" "<style>\n${css}</style>" html "${html}")
string(REPLACE "<script src=\"${SCRIPT_NAME}\"></script>" "<script>\n${script}</script>" html "${html}")
# Written beside the old file and renamed over it once whole.
file(WRITE "${OUTPUT}.part" "${html}")
file(RENAME "${OUTPUT}.part" "${OUTPUT}")
