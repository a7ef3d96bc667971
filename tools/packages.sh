# Debian packages the tool needs; sourced by run.sh and test.sh.
# Installs, without recommends, whatever of the list is missing.

build_packages=(g++ cmake make pkg-config qt6-base-dev qt6-svg-dev libhidapi-dev fonts-dejavu-core)
test_packages=(libgtest-dev xvfb xauth)

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
