#include "cli_command.h"

#include <array>

namespace {

const std::array<CliCommand, 12> kCommands = {{
    {"info", "print a project's layout, frame count and grid as one JSON object",
     "usage: brightloom-cli info FILE\n"
     "\n"
     "Prints one JSON object on standard output:\n"
     "  {\"format\": \"WST1\"|\"VISSP\"|\"VISSP2\", \"frames\": N, \"rows\": R, \"cols\": C,\n"
     "   \"celWidth\": W, \"celHeight\": H, \"baseColorNum\": B, \"scanMode\": S}\n"
     "\n"
     "An FSEQ sequence gives its header instead: {\"format\": \"FSEQ\", \"version\",\n"
     "\"channels\", \"frames\", \"stepMs\", \"compression\", \"blocks\", \"sparseRanges\",\n"
     "\"creator\", ...} (exit 0, or 2 for a damaged file).\n"
     "\n"
     "Exit status: 0 the file is complete; 1 the file is truncated (\"frames\"\n"
     "counts the complete frames, standard error says so); 2 the file is\n"
     "missing, unreadable or not a project (nothing on standard output).\n",
     runInfo},
    {"convert", "rewrite a project of any layout in the current layout",
     "usage: brightloom-cli convert IN OUT\n"
     "\n"
     "Reads IN (\"WST1\", old \"VISSP\" or scrambled \"VISSP2\") and writes OUT in the\n"
     "current \"WST1\" layout with every colour kept. OUT is replaced only when\n"
     "it was written completely.\n"
     "\n"
     "Exit status: 0 done; 1 done, but IN was truncated and only its complete\n"
     "frames were written; 2 nothing written.\n",
     runConvert},
    {"export-png", "write one frame of a project as a PNG picture",
     "usage: brightloom-cli export-png FILE --frame N [--scale S] OUT.png\n"
     "\n"
     "Writes frame N (counted from 1) of FILE as a PNG picture with one S x S\n"
     "block of pixels per grid point (S defaults to 1).\n"
     "\n"
     "Exit status: 0 done; 1 done, but FILE was truncated; 2 nothing written\n"
     "(bad frame number or scale, unreadable FILE, OUT not writable).\n",
     runExportPng},
    {"transform", "apply frame and grid transforms to a project, in the order given",
     "usage: brightloom-cli transform IN OUT STEP...\n"
     "\n"
     "Reads IN, applies the steps in the order given, and writes OUT in the\n"
     "current \"WST1\" layout. Frames are counted from 1; A-B includes both.\n"
     "\n"
     "Steps:\n"
     "  --rotate          every frame a quarter turn clockwise (rows and columns,\n"
     "                    cell width and height exchanged)\n"
     "  --odd-rows        keep rows 1, 3, 5 ... at the top, the rest black\n"
     "  --even-rows       keep rows 2, 4, 6 ... at the top, the rest black\n"
     "  --add-row         a black row at the bottom\n"
     "  --delete-row      drop the bottom row (nothing at one row)\n"
     "  --add-col         a black column at the right\n"
     "  --delete-col      drop the right-most column (nothing at one column)\n"
     "  --invert A-B      invert the colours of frames A..B\n"
     "  --repeat A-B:N    follow each of frames A..B by N copies of itself\n"
     "  --replace-rgb A-B:I\n"
     "                    reorder the components of frames A..B: I = 0 (R,B,G),\n"
     "                    1 (G,R,B), 2 (G,B,R), 3 (B,R,G), 4 (B,G,R)\n"
     "\n"
     "Exit status: 0 done; 1 done, but IN was truncated and only its complete\n"
     "frames were used; 2 nothing written (bad arguments, a frame range outside\n"
     "the frames at that step, unreadable IN, OUT not writable).\n",
     runTransform},
    {"wire", "number a rectangle of grid points into a port's chain, as a drag on the wiring page does",
     "usage: brightloom-cli wire OUT.line [--rows R --cols C] --port P --from X,Y --to X,Y\n"
     "                           [--modifier none|ctrl|shift|alt] [--in IN.line]\n"
     "\n"
     "Applies one definition drag to the wiring of IN.line (or to an empty LED\n"
     "wiring of R rows and C columns) and writes the result to OUT.line. --from\n"
     "is the cell where the drag starts, --to the cell where it is released;\n"
     "columns X and rows Y are counted from 1. The modifier chooses the fill\n"
     "order as the held key does: none rows, shift columns, ctrl row snake, alt\n"
     "column snake; the chain starts at --from. Cells already wired are skipped.\n"
     "Several --port/--from/--to/--modifier groups may follow; they are applied\n"
     "in order. Without --in, --rows and --cols are needed; with it they come\n"
     "from the file and, when given, must match it.\n"
     "\n"
     "Exit status: 0 done; 1 done, but IN.line was damaged (records missing or\n"
     "skipped, said on standard error); 2 nothing written.\n",
     runWire},
    {"check-wiring", "run the circuitry check on a line file, optionally repairing it",
     "usage: brightloom-cli check-wiring FILE.line [--repair]\n"
     "\n"
     "Prints the findings of the circuitry check, one per line: pixel numbers\n"
     "that do not run 1, 2, 3 ... along a port, grid points wired twice, gaps in\n"
     "the port numbers; \"clean\" when there are none. The file is not changed.\n"
     "\n"
     "With --repair every repair is accepted (of two records on one grid point\n"
     "the later one is kept; ports are closed up), the check runs again to\n"
     "confirm (and to finish what a repair left, at most twice more), and\n"
     "FILE.line is written back.\n"
     "\n"
     "Exit status: 0 clean (with --repair: clean after the repair); 1 errors\n"
     "were found (with --repair: errors remain after it); 2 the file is missing,\n"
     "unreadable, not an LED wiring or could not be written.\n",
     runCheckWiring},
    {"generate", "run one pattern page (curtain, blinds, stacking, water-drip, picture, text, notes, palette-fill) as the editor would",
     "usage: brightloom-cli generate FAMILY OUT.wst [--in IN.wst | --rows R --cols C] [--current N]\n"
     "                               [--area X0,Y0,X1,Y1] [--add-mode 0|1|2] [family options]\n"
     "\n"
     "Runs one generation on IN (frame N, counted from 1, current; default the\n"
     "first) or on a new one-frame document of R x C, and writes the result to\n"
     "OUT. --area is the defined area, counted from 1, inclusive; --add-mode is\n"
     "0 insert, 1 overwrite, 2 current frame.\n"
     "\n"
     "Families and their options (colours are list indexes 0 red, 1 yellow,\n"
     "2 green, 3 cyan, 4 blue, 5 magenta, 6 white, 7 black; directions 0 left to\n"
     "right, 1 right to left, 2 top to bottom, 3 bottom to top):\n"
     "  curtain    --fg I --bg I --step S --direction D\n"
     "  blinds     --fg I --bg I --step S --direction D --slats N --repeat N\n"
     "  stacking   --fg I (0..7 a colour, 8..17 a palette flow direction) --bg I\n"
     "             --block-height H --block-width W --frequency F --direction D\n"
     "             --palette FILE.col --palette-index I\n"
     "  water-drip --fg I --bg I\n"
     "  picture    --image FILE --entrance N --wait N --exit N --effect K\n"
     "             (K 0..52 an effect of the picture tab's list, 53 random)\n"
     "  text       --text \"...\" (\\n starts a line) --font FAMILY --size PIXELS\n"
     "             --colour RRGGBB --mode K --step N (K 0 scroll up, 1 scroll\n"
     "             left, 2..54 an effect per line, 55 random)\n"
     "  notes      --frames N [--horizontal] [--range 0|1|2] [--palette FILE.col]\n"
     "  palette-fill --mode M [--palette FILE.col] [--palette-index I]\n"
     "             [--colour-action A]\n"
     "Defaults are the page's: --fg 0 --bg 7 --step 1 --direction 0 --slats 2\n"
     "--repeat 1 --block-height 2 --block-width 2 --frequency 4 --entrance 20\n"
     "--wait 10 --exit 0 --effect 0 --font Arial --size 16 --colour FF0000\n"
     "--mode 0 (text: --step 2). Sizes, steps\n"
     "and counts of 0 or less count as 1. The palette flow runs over the colours\n"
     "of FILE.col (default red, green, blue) from entry I (default 0).\n"
     "\n"
     "notes makes N frames of jumping palette bars (0 or less makes none) in\n"
     "the columns, or the rows with --horizontal; --range 0 every line, 1 lines\n"
     "1, 3, 5 ... counted from 1, 2 lines 2, 4, 6 .... palette-fill runs fill\n"
     "mode M, 0 to 15 as listed on the page (0, 1 a frame per colour from entry\n"
     "I; 2 to 5 recolour the current frame left to right, right to left, top to\n"
     "bottom, bottom to top; 6, 7 rings; 8 to 15 a turning sector, 24 frames),\n"
     "combining by colour action A (0 replace ... 11, as on the operation panel;\n"
     "default 0). Both always insert their frames after the current one.\n"
     "\n"
     "Exit status: 0 written; 1 written, but IN was truncated; 2 nothing written\n"
     "(bad arguments, unreadable IN, equal colours, too many frames, OUT not\n"
     "writable).\n",
     runGenerate},
    {"make-led", "write the controller port data files of a project and its wiring",
     "usage: brightloom-cli make-led PROJECT.wst WIRING.line OUT.led [options]\n"
     "\n"
     "Writes one port data file per controller port, as the LED data command\n"
     "does: OUT without its \".led\" ending, then _01.led, _02.led ... (a name\n"
     "without the ending is kept whole). The controller values start as the\n"
     "controller panel starts them.\n"
     "\n"
     "Options:\n"
     "  --params FILE.zari  open a parameter file: cycle, order list, group extra\n"
     "  --cycle C           then set the cycle (1..4096), rebuilding the order list\n"
     "  --group-extra E     extra bytes per cycle group in the header (default 0)\n"
     "  --controller I      0 KV-M2 (default), 1 KV-M1\n"
     "  --format I          communication format 0..13 (default 2, SPI595)\n"
     "  --grey N            grey levels: 2, 8, 16, 32, 64, 128, 256 (default)\n"
     "  --speed S           frames per second (default 30)\n"
     "  --from A --to B     frames to write, counted from 1 (default all)\n"
     "  --sd-speed N        SD card speed (default 3)\n"
     "  --scan 0|1          scan enhancement (default 0)\n"
     "  --divider-a A       2..256 (default 8)\n"
     "  --divider-b B       2..256 (default 7)\n"
     "  --rate R            0.3..25 (default 10)\n"
     "  --neon              neon circuitry: the wiring must be neon, OUT ends in .bin\n"
     "\n"
     "Exit status: 0 written (the files are named on standard output); 1 the\n"
     "KV-M2 timing check refused the values (\"err 参数\"), nothing written;\n"
     "2 nothing written (bad arguments, unreadable or mismatched files, a file\n"
     "that cannot be written).\n",
     runMakeLed},
    {"send", "send frames of a project to an LED controller over a serial port",
     "usage: brightloom-cli send PROJECT.wst --port DEVICE [--from A] [--to B]\n"
     "                           [--layout rect|irregular] [--wiring W.line]\n"
     "                           [--tube-model I] [--tube-count N]\n"
     "\n"
     "Streams frames A..B (counted from 1; default all, a B beyond the last frame\n"
     "is cut to it) to the controller on DEVICE (\"ttyUSB0\" or a full path such\n"
     "as \"/dev/pts/3\") at 57600 baud, 8 data bits, no parity, two stop bits.\n"
     "\n"
     "Options:\n"
     "  --layout rect       every grid point row by row (default)\n"
     "  --layout irregular  the points of the wiring file in its list order;\n"
     "                      needs --wiring\n"
     "  --tube-model I      0 T5 (default), 1 high power, 2 8 segments, 3 16 segments\n"
     "  --tube-count N      tubes on the controller, from 1 (default 1)\n"
     "\n"
     "A send holds at most 503 packets of 63 bytes (31,689 bytes). Progress goes\n"
     "to standard error as \"progress N/50\".\n"
     "\n"
     "Exit status: 0 the controller took every packet; 1 the port could not be\n"
     "opened or the controller did not answer or take a packet (the message is on\n"
     "standard error); 2 nothing sent (bad arguments, an unreadable project or\n"
     "wiring, too much data).\n",
     runSend},
    {"update-program", "send a controller program file to an LED controller over a serial port",
     "usage: brightloom-cli update-program FILE.bin --port DEVICE\n"
     "\n"
     "Sends the first 4,096 bytes of FILE.bin in 64 packets to the controller on\n"
     "DEVICE. The file must hold at least 4,096 bytes. Progress goes to standard\n"
     "error as \"progress N/50\".\n"
     "\n"
     "Exit status: 0 the controller took every packet; 1 the port could not be\n"
     "opened or the controller did not answer or take a packet; 2 nothing sent\n"
     "(bad arguments, a missing or short file).\n",
     runUpdateProgram},
    {"export-fseq", "write the frames as an FSEQ v2 sequence for pixel players",
     "usage: brightloom-cli export-fseq PROJECT.wst [WIRING.line] OUT.fseq [options]\n"
     "\n"
     "Writes every frame of PROJECT as an FSEQ v2.0 sequence. With a wiring the\n"
     "channels go port by port and, on each port, pixel by pixel in pixel-number\n"
     "order, three per pixel (unwired points are left out, pixel numbers no point\n"
     "carries stay 0); without one the grid goes row by row. OUT is replaced only\n"
     "when it was written completely.\n"
     "\n"
     "Options:\n"
     "  --compress none|zstd|zlib   compression of the frames (default zstd)\n"
     "  --step-ms N                 frame time, 1..255 ms (default 50: 20 frames a second)\n"
     "  --order rgb|rbg|grb|gbr|brg|bgr\n"
     "                              the colour of each of a pixel's channels (default rgb)\n"
     "\n"
     "Prints one JSON object: frames, channels, compression, stepMs, order,\n"
     "byWiring and ports (port, firstChannel and pixels, counted from 1 as\n"
     "players count them).\n"
     "\n"
     "Exit status: 0 written; 1 written, but PROJECT was truncated; 2 nothing\n"
     "written.\n",
     runExportFseq},
    {"import-fseq", "read an FSEQ sequence into a project through a wiring or row by row",
     "usage: brightloom-cli import-fseq IN.fseq WIRING.line OUT.wst [--order O]\n"
     "       brightloom-cli import-fseq IN.fseq OUT.wst --rows R --cols C [--order O]\n"
     "\n"
     "Reads the channels of every frame of IN back into lamp colours: through the\n"
     "wiring (the grid is the wiring file's) or, without one, row by row over a\n"
     "grid of R x C points. Points the map does not reach stay black; channels the\n"
     "sequence lacks read as 0 (standard error says how many). --order is the\n"
     "channel order the sequence was written with (default rgb).\n"
     "\n"
     "Prints one JSON object: frames, rows, cols, stepMs, missingChannels.\n"
     "\n"
     "Exit status: 0 written; 2 nothing written (bad arguments, a damaged or\n"
     "unreadable sequence or wiring, OUT not writable).\n",
     runImportFseq},
}};

} // namespace

std::span<const CliCommand> cliCommands()
{
    return kCommands;
}
