# Sourced by run.sh, test.sh and fuzz.sh: installs whatever Debian packages are missing.
# Needs root, or sudo for a user who is not root.

pelio_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev libxcb-xkb-dev libxcb-xtest0-dev
    qt6-translations-l10n
    libgtest-dev
    xvfb xauth dbus-daemon at-spi2-core
    fonts-ipafont-gothic
    dpkg-dev desktop-file-utils appstream file
)

# The web build: Debian's Emscripten, the Node.js that runs its tools and the site writer, the
# acorn parser its optimiser needs, esbuild to minify the page's style sheet and script,
# zopfli to deflate the core's WebAssembly (npm brings the page's inflater, see run.sh),
# stb's header-only PNG writer for the page's pictures (Emscripten's own libpng and zlib ports
# are downloaded at build time, which a machine without that network cannot do), and Python,
# whose http.server serves the site to run.sh --web, the browser tests and the benchmarks;
# and for the browser tests Debian's Chromium, with the Japanese fonts a Debian desktop has, and
# the page's main journey in two more engines: WebKitGTK (WebKitWebDriver, which brings
# MiniBrowser) and Firefox ESR.
pelio_web_packages=(emscripten nodejs node-acorn esbuild zopfli libstb-dev python3)
pelio_browser_packages=(chromium fonts-noto-cjk webkit2gtk-driver firefox-esr)

# The picture recognizer's tests and benchmark draw their pictures (tools/memo_pictures) with
# FreeType from these fonts, and encode them with stb's PNG and JPEG code. Two of the fonts,
# misaki and VL Gothic, are held out of the glyph classifier's training to measure it on.
pelio_picture_packages=(libfreetype-dev libstb-dev fonts-misaki fonts-unifont fonts-ipafont-gothic
    fonts-ipafont-mincho fonts-noto-cjk fonts-vlgothic)

# Only for tools/memo_pictures/tesseract_compare.sh, which measures a general OCR engine on the
# same pictures: no build, test or benchmark needs it.
pelio_comparison_packages=(tesseract-ocr tesseract-ocr-jpn)

# The tests of what a screen reader says, of the window and of the page: Orca, speaking through
# speech-dispatcher and espeak-ng, and xdotool and xmodmap to press keys on the X server.
pelio_screen_reader_packages=(orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng xdotool
    x11-xserver-utils)

# bench.sh: Google Benchmark, and the X server's DAMAGE extension through which the start-up
# launcher sees a window's first frame from outside.
pelio_bench_packages=(libbenchmark-dev libxcb-damage0-dev)

# fuzz.sh builds with clang: libFuzzer and clang's own sanitizer runtimes come with
# libclang-rt-14-dev.
pelio_fuzz_packages=(clang libclang-rt-14-dev)

# Node.js runs the web build's tools and the browser tests; the Playwright that package-lock.json
# pins needs version 18 or later, Debian 12's own. A node found first on PATH is the one used.
pelio_require_node() {
    local major
    major=$(node --version 2>/dev/null | sed -n 's/^v\([0-9]*\).*/\1/p')
    if [ -z "$major" ] || [ "$major" -lt 18 ]; then
        echo "Node.js 18 or later is needed (found: $(node --version 2>/dev/null || echo none))." >&2
        return 1
    fi
}

# npm installs the browser tests' packages. Debian's nodejs leaves it to a package of its own,
# while a Node.js from elsewhere (NodeSource's) brings it inside its nodejs package and conflicts
# with Debian's npm; so it is looked for once nodejs is installed, and installed only if missing.
pelio_install_npm() {
    command -v npm >/dev/null 2>&1 || pelio_install_packages npm
}

# Installs whichever of pelio_packages, and of the packages named as arguments, are missing.
pelio_install_missing() {
    pelio_install_packages "${pelio_packages[@]}" "$@"
}

# Installs whichever of the packages named as arguments are missing, and no others.
pelio_install_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    if ! command -v apt-get >/dev/null 2>&1; then
        echo "These packages are missing and apt-get is not available to install them:" >&2
        echo "  ${missing[*]}" >&2
        echo "Install them with your system's package manager (Debian 12 names), then run again." >&2
        return 1
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "Installing ${missing[*]} needs root; run this script as root or install sudo." >&2
            return 1
        fi
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
}
