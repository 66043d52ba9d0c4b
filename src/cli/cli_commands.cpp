#include "cli_command.h"

#include <array>

namespace {

const std::array<CliCommand, 3> kCommands = {{
    {"info", "print a project's layout, frame count and grid as one JSON object",
     "usage: brightloom-cli info FILE\n"
     "\n"
     "Prints one JSON object on standard output:\n"
     "  {\"format\": \"WST1\"|\"VISSP\"|\"VISSP2\", \"frames\": N, \"rows\": R, \"cols\": C,\n"
     "   \"celWidth\": W, \"celHeight\": H, \"baseColorNum\": B, \"scanMode\": S}\n"
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
}};

} // namespace

std::span<const CliCommand> cliCommands()
{
    return kCommands;
}
