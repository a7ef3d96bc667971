# Debian packages the tool needs; sourced by run.sh and test.sh.
# Installs, without recommends, whatever of the list is missing.

build_packages=(g++ cmake make pkg-config qt6-base-dev qt6-svg-dev libhidapi-dev fonts-dejavu-core fonts-dejavu-extra)
test_packages=(libgtest-dev xvfb xauth x11-utils qemu-system-x86 busybox-static)

# The kernel the HID library's real-kernel test boots in a virtual machine
# (it has the uhid module that this machine's kernel may lack). Downloaded
# once into apt's cache; the test reports itself skipped without it.
fetch_test_kernel() {
    local pkg
    pkg=$(apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-/ {print $2; exit}')
    [ -n "$pkg" ] || return 0
    ls /var/cache/apt/archives/"$pkg"_*.deb > /dev/null 2>&1 && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    (cd /var/cache/apt/archives && $sudo apt-get download -qq "$pkg") || echo "Kernel package not fetched; the real-kernel test will be skipped."
}

install_packages() {
    local wanted=("$@") missing=() p
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
