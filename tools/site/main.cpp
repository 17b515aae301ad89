// Writes the page and its pictures into the site folder:
//   pelio_site_writer SITE_FOLDER PAGE_TEMPLATE STYLE_SHEET CORE_SCRIPT PAGE_SCRIPT CORE_WASM
//                     CORE_WASM_DEFLATED
// and, before the page's script is bundled, the module of constants it imports:
//   pelio_site_writer --constants MODULE
// The page is the template (index.html.in) with its @SLOTS@ filled from the same tables as
// the desktop window. The page therefore holds all its controls before the core has loaded,
// disabled until it has, and works as a document without script. The style sheet, the core's
// script and the page's script go into the page itself: a page that needs no other request is
// ready to use soonest. Built for the web and run under node at build time, like the rest of
// the web build.

#include "base64.h"
#include "files.h"
#include "manifest.h"
#include "page.h"
#include "page_constants.h"
#include "page_template.h"

#include "layout/pixel_art.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

using namespace pelio;
using namespace pelio::layout;
using namespace pelio::site;
namespace fs = std::filesystem;

int main(int argc, char* argv[]) {
    if (argc == 3 && argv[1] == std::string_view("--constants"))
        return write(argv[2], pageConstants()) ? 0 : 1;
    if (argc != 8) {
        std::fprintf(stderr,
                     "usage: %s SITE_FOLDER PAGE_TEMPLATE STYLE_SHEET CORE_SCRIPT PAGE_SCRIPT "
                     "CORE_WASM CORE_WASM_DEFLATED\n       %s --constants MODULE\n",
                     argv[0], argv[0]);
        return 2;
    }
    const fs::path site(argv[1]);
    const std::string pageTemplate = contents(argv[2]);
    std::string styleSheet = withControlIds(contentsFor(argv[3], "style")).value_or("");
    std::string coreScript = contentsFor(argv[4], "script");
    std::string pageScript = contentsFor(argv[5], "script");
    const std::size_t coreWasmSize = contents(argv[6]).size();
    std::string coreWasm = base64(contents(argv[7]));
    if (pageTemplate.empty() || styleSheet.empty() || coreScript.empty() || pageScript.empty() ||
        coreWasmSize == 0 || coreWasm.empty())
        return 1;
    const std::optional<std::string> page =
        fill(pageTemplate, pageSlots(std::move(styleSheet), std::move(coreScript),
                                     std::move(coreWasm), coreWasmSize, std::move(pageScript)));
    if (!page)
        return 1;
    std::error_code error;
    fs::create_directories(site, error);
    bool written = write(site / "index.html", *page) &&
                   write(site / "manifest.webmanifest", manifest()) &&
                   writePng(site / "pel-ver.png", kAboutPictureSize, aboutPicturePixels());
    for (int size : kPageIconSizes)
        written = written && writePng(site / iconFile(size), size, windowIconPixels(size));
    return written ? 0 : 1;
}
