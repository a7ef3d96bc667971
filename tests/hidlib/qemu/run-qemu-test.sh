#!/bin/bash
# run-qemu-test.sh SOURCE_DIR WORK_DIR [CXX]: boots Debian's kernel in QEMU with a busybox initramfs; the guest makes
# HID devices through uhid and drives them through libAtUsbHid.so. Kernel: a linux-image-*-amd64 .deb from
# $NOLT_QEMU_KERNEL (file or folder) or /var/cache/apt/archives. Exits 77 (skipped) without it, QEMU or busybox-static.
set -euo pipefail
shopt -s nullglob

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; exit 1; }

src=$(cd "$1" && pwd)
mkdir -p "$2"
work=$(cd "$2" && pwd)
here=$src/tests/hidlib/qemu

qemu=$(command -v qemu-system-x86_64) || skip "qemu-system-x86_64 is missing (apt-get install qemu-system-x86)"
busybox=$(command -v busybox) || skip "busybox is missing (apt-get install busybox-static)"
! ldd "$busybox" >/dev/null 2>&1 || skip "$busybox is linked dynamically (apt-get install busybox-static)"
command -v dpkg-deb >/dev/null || skip "dpkg-deb is missing"

# The newest kernel package, leaving out the cloud and realtime flavours.
deb=
for place in ${NOLT_QEMU_KERNEL:-} /var/cache/apt/archives; do
    [ -f "$place" ] && { deb=$place; break; }
    debs=("$place"/linux-image-[0-9]*-amd64_*.deb "$place"/linux-image-[0-9]*-amd64-unsigned_*.deb)
    deb=$(printf '%s\n' "${debs[@]}" | grep -v -e '-cloud-' -e '-rt-' | sort -V | tail -n 1 || true)
    [ -z "$deb" ] || break
done
[ -n "$deb" ] || skip "no linux-image-*-amd64 .deb in \$NOLT_QEMU_KERNEL or /var/cache/apt/archives"

# Kernel and the three HID modules, unpacked once per package.
kernel=$work/kernel/$(basename "$deb" .deb)
if [ ! -f "$kernel/ready" ]; then
    rm -rf "$kernel"
    mkdir -p "$kernel/unpacked" "$kernel/modules"
    dpkg-deb --fsys-tarfile "$deb" |
        tar -x -C "$kernel/unpacked" --wildcards './boot/vmlinuz-*' \
            '*/drivers/hid/hid.ko*' '*/drivers/hid/hid-generic.ko*' '*/drivers/hid/uhid.ko*'
    cp "$kernel"/unpacked/boot/vmlinuz-* "$kernel/vmlinuz" || fail "no single kernel image in $deb"
    for module in hid hid-generic uhid; do
        found=$(find "$kernel/unpacked" -name "$module.ko*" | head -n 1)
        [ -n "$found" ] || fail "module $module not found in $deb"
        xz -dcf "$found" >"$kernel/modules/$module.ko" # copies an unpacked module as it is
    done
    rm -rf "$kernel/unpacked"
    touch "$kernel/ready"
fi

# The guest's files: busybox, the modules, the library and the test program (built here without sanitizers), and
# every shared library they need.
root=$work/root
rm -rf "$root"
mkdir -p "$root"/{bin,dev,proc,sys,modules,test}
cp "$busybox" "$root/bin/busybox"
install -m 755 "$here/init.sh" "$root/init"
cp "$kernel"/modules/*.ko "$root/modules/"
"${3:-c++}" -std=c++20 -O2 -fPIC -shared -fvisibility=hidden $(pkg-config --cflags hidapi-hidraw) "$src"/hidlib/*.cpp \
    -Wl,--version-script="$src/hidlib/exports.map" -Wl,--no-undefined-version $(pkg-config --libs hidapi-hidraw) \
    -o "$root/test/libAtUsbHid.so" || fail "cannot build libAtUsbHid.so for the guest"
"${3:-c++}" -std=c++17 -O2 -Wall -Wextra -pthread -I"$src/hidlib" "$here/guest_hid_test.cpp" -L"$root/test" -lAtUsbHid \
    -Wl,-rpath,'$ORIGIN' -o "$root/test/guest_hid_test" || fail "cannot build the guest test program"
for lib in $(ldd "$root/test/guest_hid_test" "$root/test/libAtUsbHid.so" | grep -o '/[^ ]*' | sort -u); do
    case $lib in "$root"/*) continue ;; esac
    mkdir -p "$root$(dirname "$lib")"
    cp -L "$lib" "$root$lib"
done
(cd "$root" && find . | "$busybox" cpio -o -H newc 2>/dev/null) >"$work/initramfs.cpio"

status=0
timeout 100 "$qemu" -accel tcg -m 512 -smp 1 -nodefaults -no-reboot -display none -serial stdio -monitor none \
    -kernel "$kernel/vmlinuz" -initrd "$work/initramfs.cpio" -append "console=ttyS0 quiet loglevel=3 panic=-1" \
    </dev/null 2>&1 | tr -d '\r' >"$work/console.log" || status=$?
cat "$work/console.log"
[ "$status" -ne 124 ] || fail "the guest did not finish within 100 s"
! grep -q 'NOLT-QEMU-ERROR' "$work/console.log" || fail "the guest could not load its modules"
result=$(grep -E '^NOLT-QEMU-RESULT passed=[1-9][0-9]* failed=[0-9]+$' "$work/console.log" | tail -n 1 || true)
[ -n "$result" ] || fail "the guest printed no result or ran no check"
[ "${result##* }" = "failed=0" ] || fail "$result"
echo "PASSED: $result"
