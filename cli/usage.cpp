#include <cstdio>
#include <cstring>

#include "cli/commands.h"

namespace qv::cli {
namespace {

struct CommandHelp {
    const char* name;
    const char* text;
};

const CommandHelp kHelp[] = {
    {"info",
     "usage: qorvan-logo-cli info [--json]\n"
     "       qorvan-logo-cli info --shapes QUERY [--json]\n"
     "       qorvan-logo-cli info --fonts QUERY [--category CATEGORY] [--json]\n"
     "\n"
     "List the installed library: text fonts per tab, symbol fonts and their shapes, styles\n"
     "and templates.\n"
     "\n"
     "  --json                the list as JSON: text_fonts (name, tab, category, source),\n"
     "                        symbol_fonts (name, shapes), shape_count, styles, templates\n"
     "  --shapes QUERY        the shapes that match QUERY, best first: by name, then keyword\n"
     "  --fonts QUERY         the text fonts whose name holds QUERY, best first (\"\" lists all)\n"
     "  --category CATEGORY   only fonts of CATEGORY: serif, sans, slab, script, handwriting,\n"
     "                        display or monospace\n"},
    {"export",
     "usage: qorvan-logo-cli export PROJECT -o OUTPUT [OPTIONS]\n"
     "       qorvan-logo-cli export PROJECT OUTPUT [OPTIONS]\n"
     "       qorvan-logo-cli export PROJECT... --output-dir DIR [--jobs N] [OPTIONS]\n"
     "\n"
     "Write the logo of a .kuz project as an image, as the export dialog does: the logo is\n"
     "centred, or takes its fixed canvas.\n"
     "\n"
     "  -o, --output FILE     the image to write; - writes it to standard output\n"
     "      --format FORMAT   png24, png8, gif, bmp, jpeg, tiff, svg or pdf; without it the\n"
     "                        format follows the extension of FILE (.png is PNG 24 bit, .gif,\n"
     "                        .bmp, .jpg/.jpeg, .tif/.tiff, .svg, .pdf; no extension is PNG 24\n"
     "                        bit), and standard output gets PNG 24 bit. SVG and PDF are\n"
     "                        vector drawings of the export's size; --quality does not apply\n"
     "      --scale PERCENT   1..10000 (default 100; a logo with an imported picture is\n"
     "                        always exported at 100)\n"
     "      --width PIXELS    1..32768: the output width, margins included; the scale follows\n"
     "      --height PIXELS   1..32768: the same for the height; the logo keeps its proportions,\n"
     "                        so give one of --width, --height and --scale\n"
     "      --margins PIXELS  0..100 on every side (default 0)\n"
     "      --quality PERCENT JPEG quality 10..100 (default 90)\n"
     "      --background COLOUR  #rrggbb: this background instead of the project's, for this\n"
     "                        export only; none: a transparent canvas, as --transparent\n"
     "      --transparent     compose the logo on a transparent canvas (PNG, GIF, TIFF, SVG,\n"
     "                        PDF)\n"
     "      --set-text N=TEXT give the N-th text object (1 is the backmost; only text objects\n"
     "                        count) this text for this export; repeatable. TEXT is UTF-8, in\n"
     "                        any script; it is cut to 499 characters\n"
     "      --output-dir DIR  write every PROJECT into DIR as its title plus the format's\n"
     "                        extension; projects that share a title get -2, -3, ...\n"
     "      --jobs N          1..64 projects at a time with --output-dir (default 1)\n"
     "  -h, --help            show this help\n"
     "\n"
     "A project that cannot be drawn as designed (a missing picture, a fault, too little\n"
     "memory) is not written and the status is 1; an existing file is then left as it was.\n"
     "Exporting onto the project itself is refused. With --output-dir a project that fails is\n"
     "reported and the others go on.\n"},
    {"kit",
     "usage: qorvan-logo-cli kit PROJECT --output-dir DIR\n"
     "\n"
     "Write every file a client needs into DIR: the logo as PNG at 512, 1024 and 2048 pixels\n"
     "(transparent) and as JPEG on its background, black and white versions, favicon.ico,\n"
     "app and home-screen icons, square pictures for social media, brand.html with the\n"
     "colours, fonts and files, and the licences of the fonts in licenses/ (vector files\n"
     "too when this build writes them).\n"
     "\n"
     "      --output-dir DIR  the kit's folder: a new or empty folder, or an earlier kit,\n"
     "                        which is replaced as a whole once the new kit is complete\n"
     "  -h, --help            show this help\n"
     "\n"
     "The folder's name is printed when the kit was written. A project that cannot be drawn\n"
     "as designed writes nothing and the status is 1.\n"},
    {"resave",
     "usage: qorvan-logo-cli resave PROJECT -o OUTPUT\n"
     "       qorvan-logo-cli resave PROJECT OUTPUT\n"
     "\n"
     "Read a project and write it again in the current format. OUTPUT may be PROJECT itself;\n"
     "a replaced file keeps its permissions.\n"},
    {"templates",
     "usage: qorvan-logo-cli templates [--json]\n"
     "\n"
     "List the titles of the installed templates and the user's own, one a line, in the\n"
     "order of the template browser.\n"
     "\n"
     "      --json            a JSON array of {\"title\", \"file\"} objects instead\n"},
    {"new",
     "usage: qorvan-logo-cli new --template TITLE -o OUTPUT.kuz [--set-text N=TEXT]...\n"
     "\n"
     "Make a project from a template.\n"
     "\n"
     "      --template TITLE  the template's title, as 'templates' lists it\n"
     "  -o, --output FILE     the project to write\n"
     "      --set-text N=TEXT give the N-th text object (1 is the backmost; only text objects\n"
     "                        count) this text; repeatable. TEXT is UTF-8, in any script;\n"
     "                        it is cut to 499 characters\n"},
};

constexpr const char* kCommon =
    "\n"
    "Options take their value as --option=VALUE or --option VALUE; -- ends the options. The\n"
    "exit status is 0 on success, 1 on a failure, 2 on bad usage.\n";

}  // namespace

void PrintUsage(std::FILE* out) {
    std::fputs(
        "usage: qorvan-logo-cli COMMAND [ARGS]\n"
        "       qorvan-logo-cli COMMAND --help\n"
        "       qorvan-logo-cli --version\n"
        "\n"
        "Commands:\n"
        "  info       list the installed font library, styles and templates\n"
        "  export     write the logo of a project as a PNG, GIF, BMP, JPEG or TIFF image,\n"
        "             one project or many at once\n"
        "  kit        write a logo kit: pictures, icons, one-colour versions, brand page\n"
        "  resave     read a project and write it again in the current format\n"
        "  templates  list the templates\n"
        "  new        make a project from a template, with texts of your own\n"
        "\n"
        "The installation data is read from the folder of this executable. Problems are\n"
        "reported on stderr; files are replaced only once they are completely written.\n",
        out);
    std::fputs(kCommon, out);
}

bool PrintCommandHelp(const std::string& command) {
    for (const CommandHelp& help : kHelp) {
        if (command == help.name) {
            std::fputs(help.text, stdout);
            std::fputs(kCommon, stdout);
            return true;
        }
    }
    return false;
}

}  // namespace qv::cli
