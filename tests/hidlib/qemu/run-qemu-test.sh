#!/bin/bash
# Drives libAtUsbHid.so against a real kernel HID device: boots Debian's
# kernel in QEMU with a busybox initramfs, where the guest test program
# creates an LED driver through uhid and talks to it through the library.
#
#   run-qemu-test.sh SOURCE_DIR WORK_DIR [C++ COMPILER]
#
# Needs qemu-system-x86_64, a static busybox and the kernel package
# linux-image-<version>-amd64 as a .deb, found in $NOLT_QEMU_KERNEL (the file,
# or a folder holding it) or else in /var/cache/apt/archives. Exits 77 when
# one of them is missing, so that ctest reports the test as skipped.
set -euo pipefail
shopt -s nullglob

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

[ $# -ge 2 ] || fail "usage: $0 SOURCE_DIR WORK_DIR [CXX]"
src=$(cd "$1" && pwd)
work=$2
cxx=${3:-c++}
here=$src/tests/hidlib/qemu
started=$SECONDS

qemu=$(command -v qemu-system-x86_64) || skip "qemu-system-x86_64 is missing (apt-get install qemu-system-x86)"
busybox=$(command -v busybox) || skip "busybox is missing (apt-get install busybox-static)"
if ldd "$busybox" >/dev/null 2>&1; then
    skip "$busybox is linked dynamically (apt-get install busybox-static)"
fi
command -v dpkg-deb >/dev/null || skip "dpkg-deb is missing"

find_kernel() {
    local place candidates=() deb name
    for place in ${NOLT_QEMU_KERNEL:-} /var/cache/apt/archives; do
        if [ -f "$place" ]; then
            echo "$place"
            return
        fi
        [ -d "$place" ] || continue
        for deb in "$place"/linux-image-[0-9]*-amd64_*.deb "$place"/linux-image-[0-9]*-amd64-unsigned_*.deb; do
            name=${deb##*/}
            case $name in *-cloud-* | *-rt-*) continue ;; esac
            candidates+=("$deb")
        done
        if [ ${#candidates[@]} -gt 0 ]; then
            printf '%s\n' "${candidates[@]}" | sort -V | tail -n 1
            return
        fi
    done
}
deb=$(find_kernel)
[ -n "$deb" ] || skip "no linux-image-*-amd64 .deb in \$NOLT_QEMU_KERNEL or /var/cache/apt/archives (apt-get download linux-image-6.1.0-NN-amd64)"

mkdir -p "$work"
work=$(cd "$work" && pwd)

# Kernel and the three HID modules, unpacked once per package.
kernel=$work/kernel/$(basename "$deb" .deb)
if [ ! -f "$kernel/ready" ]; then
    rm -rf "$kernel"
    mkdir -p "$kernel/unpacked" "$kernel/modules"
    dpkg-deb --fsys-tarfile "$deb" |
        tar -x -C "$kernel/unpacked" --wildcards './boot/vmlinuz-*' '*/kernel/drivers/hid/hid.ko*' \
            '*/kernel/drivers/hid/hid-generic.ko*' '*/kernel/drivers/hid/uhid.ko*'
    vmlinuz=("$kernel"/unpacked/boot/vmlinuz-*)
    [ ${#vmlinuz[@]} -eq 1 ] || fail "no kernel image in $deb"
    cp "${vmlinuz[0]}" "$kernel/vmlinuz"
    for module in hid hid-generic uhid; do
        found=$(find "$kernel/unpacked" -name "$module.ko*" | head -n 1)
        case $found in
        *.ko) cp "$found" "$kernel/modules/$module.ko" ;;
        *.ko.xz) xz -dc "$found" >"$kernel/modules/$module.ko" ;;
        *.ko.zst) zstd -qdc "$found" >"$kernel/modules/$module.ko" ;;
        *.ko.gz) gzip -dc "$found" >"$kernel/modules/$module.ko" ;;
        *) fail "module $module not found in $deb" ;;
        esac
    done
    rm -rf "$kernel/unpacked"
    touch "$kernel/ready"
fi

# The guest's files: busybox, the modules, the library and the test program,
# built here without sanitizers, and every shared library they need.
root=$work/root
rm -rf "$root"
mkdir -p "$root"/{bin,dev,proc,sys,modules,test}
cp "$busybox" "$root/bin/busybox"
cp "$here/init.sh" "$root/init"
chmod 755 "$root/init"
cp "$kernel"/modules/*.ko "$root/modules/"

read -r -a hidapi_cflags <<<"$(pkg-config --cflags hidapi-hidraw)"
read -r -a hidapi_libs <<<"$(pkg-config --libs hidapi-hidraw)"
"$cxx" -std=c++20 -O2 -fPIC -shared -fvisibility=hidden "${hidapi_cflags[@]}" \
    "$src"/hidlib/*.cpp -Wl,--version-script="$src/hidlib/exports.map" -Wl,--no-undefined-version "${hidapi_libs[@]}" \
    -o "$root/test/libAtUsbHid.so" || fail "cannot build libAtUsbHid.so for the guest"
"$cxx" -std=c++17 -O2 -Wall -Wextra -pthread "$here/guest_hid_test.cpp" -ldl \
    -Wl,-rpath,'$ORIGIN' -Wl,--enable-new-dtags -o "$root/test/guest_hid_test" ||
    fail "cannot build the guest test program"

for binary in "$root/test/guest_hid_test" "$root/test/libAtUsbHid.so"; do
    for lib in $(ldd "$binary" | grep -o '/[^ ]*'); do
        case $lib in "$root"/*) continue ;; esac
        mkdir -p "$root$(dirname "$lib")"
        cp -L "$lib" "$root$lib"
    done
done

(cd "$root" && find . | "$busybox" cpio -o -H newc 2>/dev/null) >"$work/initramfs.cpio"

console=$work/console.log
echo "booting $(basename "$deb") in QEMU (TCG)"
status=0
timeout 100 "$qemu" -accel tcg -m 512 -smp 1 -nodefaults -no-reboot -display none \
    -serial stdio -monitor none -kernel "$kernel/vmlinuz" -initrd "$work/initramfs.cpio" \
    -append "console=ttyS0 quiet loglevel=3 panic=-1" </dev/null >"$console" 2>&1 || status=$?
tr -d '\r' <"$console"
echo "guest run took $((SECONDS - started)) s"
[ "$status" -ne 124 ] || fail "the guest did not finish within 100 s"

result=$(tr -d '\r' <"$console" | grep -E '^NOLT-QEMU-RESULT passed=[0-9]+ failed=[0-9]+$' | tail -n 1 || true)
[ -n "$result" ] || fail "the guest printed no result"
if grep -q 'NOLT-QEMU-ERROR' "$console"; then
    fail "the guest could not load its modules"
fi
case $result in
*" failed=0") [ "${result#*passed=}" != "0 failed=0" ] || fail "the guest ran no check" ;;
*) fail "$result" ;;
esac
echo "PASSED: $result"
